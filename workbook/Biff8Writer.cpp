#include "workbook/Biff8Writer.h"

#include <cstdint>
#include <vector>

#include "workbook/Biff8Records.h"
#include "workbook/Biff8SharedStrings.h"

namespace veldrin {
namespace {

constexpr std::uint16_t kBiff8Version = 0x0600;
constexpr std::uint16_t kGlobalsSubstream = 0x0005;
constexpr std::uint16_t kWorksheetSubstream = 0x0010;
constexpr std::uint16_t kUtf16CodePage = 1200;
constexpr std::uint16_t kCellXf = 16;  // the one cell format, after the 16 style formats
constexpr std::size_t kStyleXfCount = 16;
constexpr std::size_t kFontCount = 4;             // font index 4 does not exist in BIFF8; 0..3 suffice
constexpr std::uint16_t kColumnWidth = 18 * 256;  // in 1/256 of a character width
// Readers of compound files are happiest when the workbook stream is not kept in the small-block
// area, which holds streams shorter than 4096 bytes; short workbooks are padded behind the last EOF.
constexpr std::size_t kMinStreamSize = 4096;

void Bof(Biff8Stream& stream, std::uint16_t substream) {
    Biff8Bytes bof;
    bof.Put16(kBiff8Version);
    bof.Put16(substream);
    bof.Put16(0x0DBB);  // build
    bof.Put16(0x07CC);  // year
    bof.Put32(0);       // file history flags
    bof.Put32(0x0006);  // lowest version that can read the file: BIFF8
    stream.Record(biff8::kBof, bof);
}

void Eof(Biff8Stream& stream) {
    stream.Record(biff8::kEof, std::string_view{});
}

void Window1(Biff8Stream& stream) {
    Biff8Bytes window;
    window.Put16(0);       // left
    window.Put16(0);       // top
    window.Put16(0x4000);  // width
    window.Put16(0x2000);  // height
    window.Put16(0x0038);  // horizontal and vertical scroll bars, sheet tabs
    window.Put16(0);       // active sheet
    window.Put16(0);       // first visible tab
    window.Put16(1);       // selected tabs
    window.Put16(600);     // tab bar width ratio (per mille)
    stream.Record(biff8::kWindow1, window);
}

// Sheet and font names: a one-byte character count, the flag byte, the characters.
void PutShortString(Biff8Bytes& bytes, std::u16string_view text) {
    text = text.substr(0, 255);
    const bool compressed = FitsCompressed(text);
    bytes.Put8(static_cast<std::uint8_t>(text.size()));
    bytes.Put8(compressed ? 0x00 : 0x01);
    bytes.PutChars(text, compressed);
}

void Fonts(Biff8Stream& stream) {
    Biff8Bytes font;
    font.Put16(200);     // height: 10 points in twips
    font.Put16(0);       // no italic, strike-out, outline, shadow
    font.Put16(0x7FFF);  // window text colour
    font.Put16(400);     // normal weight
    font.Put16(0);       // no super- or subscript
    font.Put8(0);        // no underline
    font.Put8(0);        // family not specified
    font.Put8(0);        // character set: ANSI; Unicode strings carry their own characters
    font.Put8(0);
    PutShortString(font, u"Arial");
    for (std::size_t i = 0; i < kFontCount; ++i)
        stream.Record(biff8::kFont, font);
}

// One XF record: font 0, format "General", bottom-aligned, no borders, default colours.
void Xf(Biff8Stream& stream, bool style) {
    Biff8Bytes xf;
    xf.Put16(0);                        // font
    xf.Put16(0);                        // number format "General"
    xf.Put16(style ? 0xFFF5 : 0x0001);  // locked; a style XF has no parent, a cell XF has style 0
    xf.Put8(0x20);                      // general horizontal alignment, bottom vertical alignment
    xf.Put8(0);                         // no rotation
    xf.Put8(0);                         // no indent
    xf.Put8(0);                         // every attribute as in the parent style
    xf.Put32(0);                        // no borders
    xf.Put32(0);                        // border colours, no pattern
    xf.Put16(0x20C0);                   // pattern colours: system foreground and background
    stream.Record(biff8::kXf, xf);
}

void NormalStyle(Biff8Stream& stream) {
    Biff8Bytes style;
    style.Put16(0x8000);  // built-in style on XF 0
    style.Put8(0);        // "Normal"
    style.Put8(0xFF);     // no outline level
    stream.Record(biff8::kStyle, style);
}

// Writes the sheet entry with a placeholder stream position; returns where that position goes.
std::size_t BoundSheet(Biff8Stream& stream, const std::string& name) {
    Biff8Bytes entry;
    entry.Put32(0);  // position of the sheet's BOF, patched later
    entry.Put8(0);   // visible
    entry.Put8(0);   // worksheet
    PutShortString(entry, Utf8ToUtf16(name).substr(0, kWorksheetMaxNameChars));
    std::size_t patch = stream.Position() + 4;
    stream.Record(biff8::kBoundSheet, entry);
    return patch;
}

void Dimensions(Biff8Stream& stream, std::size_t rows, std::size_t columns) {
    Biff8Bytes dimensions;
    dimensions.Put32(0);
    dimensions.Put32(static_cast<std::uint32_t>(rows));
    dimensions.Put16(0);
    dimensions.Put16(static_cast<std::uint16_t>(columns));
    dimensions.Put16(0);
    stream.Record(biff8::kDimensions, dimensions);
}

void Window2(Biff8Stream& stream, bool active) {
    Biff8Bytes window;
    // Grid lines, headers, zeros, default header colour, outline symbols; the first sheet is
    // selected and shown.
    window.Put16(active ? 0x06B6 : 0x00B6);
    window.Put16(0);     // top row
    window.Put16(0);     // left column
    window.Put32(0x40);  // grid line colour: automatic
    window.Put16(0);     // zoom in page break preview: default
    window.Put16(0);     // zoom in normal view: default
    window.Put32(0);
    stream.Record(biff8::kWindow2, window);
}

void ColumnWidths(Biff8Stream& stream, std::size_t columns) {
    if (columns == 0)
        return;
    Biff8Bytes info;
    info.Put16(0);
    info.Put16(static_cast<std::uint16_t>(columns - 1));
    info.Put16(kColumnWidth);
    info.Put16(kCellXf);
    info.Put16(0);  // visible, no outline
    info.Put16(0);
    stream.Record(biff8::kColInfo, info);
}

void Cells(Biff8Stream& stream, const WorksheetSheet& sheet, const std::vector<std::uint32_t>& stringIndexes,
           std::size_t& next) {
    Biff8Bytes cell;
    for (std::size_t row = 0; row < sheet.rows.size(); ++row) {
        const auto& cells = sheet.rows[row];
        for (std::size_t column = 0; column < cells.size(); ++column) {
            cell.Clear();
            cell.Put16(static_cast<std::uint16_t>(row));
            cell.Put16(static_cast<std::uint16_t>(column));
            cell.Put16(kCellXf);
            if (cells[column].empty()) {
                stream.Record(biff8::kBlank, cell);
                continue;
            }
            cell.Put32(stringIndexes[next++]);
            stream.Record(biff8::kLabelSst, cell);
        }
    }
}

}  // namespace

std::string Biff8WorkbookStream(const WorksheetBook& book) {
    // The shared strings in the order the cells are written.
    std::size_t cells = 0, textBytes = 0;
    for (const auto& sheet : book.sheets) {
        for (const auto& row : sheet.rows) {
            cells += row.size();
            for (const auto& text : row)
                textBytes += text.size();
        }
    }
    Biff8SharedStrings strings;
    strings.Reserve(cells);
    std::vector<std::uint32_t> stringIndexes;
    stringIndexes.reserve(cells);
    for (const auto& sheet : book.sheets) {
        for (const auto& row : sheet.rows) {
            for (const auto& text : row) {
                if (!text.empty())
                    stringIndexes.push_back(strings.Add(text));
            }
        }
    }

    Biff8Stream stream;
    // Cell records take 14 bytes each; the strings at most 2 bytes per UTF-8 byte and their headers.
    stream.Reserve(kMinStreamSize + cells * 17 + textBytes * 2);
    Bof(stream, kGlobalsSubstream);
    Biff8Bytes codePage;
    codePage.Put16(kUtf16CodePage);
    stream.Record(biff8::kCodePage, codePage);
    Window1(stream);
    Fonts(stream);
    for (std::size_t i = 0; i < kStyleXfCount; ++i)
        Xf(stream, true);
    Xf(stream, false);
    NormalStyle(stream);
    std::vector<std::size_t> sheetPositions;
    for (const auto& sheet : book.sheets)
        sheetPositions.push_back(BoundSheet(stream, sheet.name));
    strings.Write(stream);
    Eof(stream);

    std::size_t next = 0;
    for (std::size_t i = 0; i < book.sheets.size(); ++i) {
        const auto& sheet = book.sheets[i];
        stream.Patch32(sheetPositions[i], static_cast<std::uint32_t>(stream.Position()));
        Bof(stream, kWorksheetSubstream);
        ColumnWidths(stream, sheet.ColumnCount());
        Dimensions(stream, sheet.rows.size(), sheet.ColumnCount());
        Cells(stream, sheet, stringIndexes, next);
        Window2(stream, i == 0);
        Eof(stream);
    }
    stream.Pad(kMinStreamSize);
    return stream.TakeBytes();
}

}  // namespace veldrin
