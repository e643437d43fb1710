// The BIFF8 writer and the compound-file wrapper, checked through FreeXL and through the record
// structure that other readers (Excel, Gnumeric, LibreOffice) rely on.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>

#include "tests/TempFolder.h"
#include "tests/workbook/FreeXlReader.h"
#include "workbook/Biff8File.h"
#include "workbook/Biff8Records.h"
#include "workbook/Biff8Writer.h"

namespace veldrin {
namespace {

using test::ReadWithFreeXl;
using test::TempFolder;

WorksheetBook SampleBook() {
    WorksheetBook book;
    book.sheets.push_back(
        {"汇总1", {{"名称", "值"}, {"标题", "数据测试"}, {"通道单位", "°C"}, {"通道单位", "%"}}});
    book.sheets.push_back({"数据1", {{"序号", "时间", "温度"}, {"1", "2024-05-01 08:00:00", "25.50°C"}}});
    book.sheets.push_back({"Gaps", {{"a", "", "c"}, {"", "", ""}, {"", "x", ""}}});
    return book;
}

TEST(XlsBiff8File, FreeXlReadsSheetsChineseTextsAndEmptyCells) {
    TempFolder dir;
    const std::string path = dir.File("book.xls");
    const WorksheetBook book = SampleBook();
    ASSERT_TRUE(WriteBiff8File(path, book).ok);

    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.openCode, FREEXL_OK);
    EXPECT_EQ(read.biffVersion, static_cast<unsigned>(FREEXL_BIFF_VER_8));
    EXPECT_EQ(read.codePage, static_cast<unsigned>(FREEXL_BIFF_UTF16LE));
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1", "Gaps"}));
    for (std::size_t i = 0; i < book.sheets.size(); ++i)
        EXPECT_EQ(read.sheets[i].cells, book.sheets[i].rows);

    // Our own reader gives the same book back.
    WorksheetBook again;
    ASSERT_TRUE(ReadBiff8File(path, again).ok);
    ASSERT_EQ(again.sheets.size(), 3u);
    EXPECT_EQ(again.sheets[1].name, "数据1");
    EXPECT_EQ(again.sheets[2].rows, book.sheets[2].rows);
}

// Texts up to one record long, many of them, so that the string table runs over many CONTINUE
// records and strings part at record ends, 8-bit and UTF-16 alike.
WorksheetSheet LongTextsSheet() {
    WorksheetSheet sheet{"Strings", {{"text"}}};
    for (int i = 0; i < 4000; ++i)
        sheet.rows.push_back({"行" + std::to_string(i) + std::string(i % 13, '-')});
    std::string wide;
    for (int i = 0; i < 4000; ++i)
        wide += i % 7 == 0 ? "°" : "温";
    for (int i = 0; i < 5; ++i) {
        sheet.rows.push_back({std::string(8000 - i, 'x')});
        sheet.rows.push_back({wide + std::to_string(i)});
        sheet.rows.push_back({"a" + wide.substr(0, 3000 * 3) + std::to_string(i)});  // 8-bit start, wide rest
    }
    return sheet;
}

TEST(XlsBiff8File, LongAndManyStringsSurviveTheContinueRecords) {
    WorksheetBook book;
    book.sheets.push_back(LongTextsSheet());
    TempFolder dir;
    const std::string path = dir.File("long.xls");
    ASSERT_TRUE(WriteBiff8File(path, book).ok);
    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.openCode, FREEXL_OK);
    ASSERT_EQ(read.sheets.size(), 1u);
    const auto& rows = book.sheets[0].rows;
    ASSERT_EQ(read.sheets[0].cells.size(), rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row)
        ASSERT_EQ(read.sheets[0].cells[row], rows[row]) << "row " << row;
}

std::uint16_t U16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}
std::uint32_t U32(const std::string& bytes, std::size_t at) {
    return U16(bytes, at) | static_cast<std::uint32_t>(U16(bytes, at + 2)) << 16;
}

TEST(XlsBiff8File, SheetOffsetsAndStringIndexPointWhereReadersLook) {
    WorksheetBook book = SampleBook();
    WorksheetSheet many{"Many", {{"n"}}};
    for (int i = 0; i < 3000; ++i)
        many.rows.push_back({"值" + std::to_string(i) + std::string(i % 40, 'z')});
    book.sheets.push_back(many);
    const std::string stream = Biff8WorkbookStream(book);
    ASSERT_GE(stream.size(), 4096u);

    // Every record fits the BIFF8 limit; every sheet entry points at a worksheet BOF.
    std::vector<std::uint32_t> sheetStarts;
    std::vector<std::size_t> extSstEntries;
    std::uint16_t bucketSize = 0;
    std::vector<std::size_t> sstRecordStarts;
    std::size_t eofs = 0, bofs = 0;
    for (std::size_t at = 0; at + 4 <= stream.size();) {
        const std::uint16_t type = U16(stream, at);
        const std::size_t size = U16(stream, at + 2);
        if (type == 0 && eofs == book.sheets.size() + 1)
            break;  // padding behind the last substream
        ASSERT_LE(size, kBiff8MaxRecordData);
        if (type == biff8::kBof)
            ++bofs;
        if (type == biff8::kEof)
            ++eofs;
        if (type == biff8::kBoundSheet)
            sheetStarts.push_back(U32(stream, at + 4));
        if (type == biff8::kSst ||
            (type == biff8::kContinue && !sstRecordStarts.empty() && bucketSize == 0)) {
            sstRecordStarts.push_back(at);
        }
        if (type == biff8::kExtSst) {
            bucketSize = U16(stream, at + 4);
            for (std::size_t entry = at + 6; entry + 8 <= at + 4 + size; entry += 8)
                extSstEntries.push_back(entry);
        }
        at += 4 + size;
    }
    EXPECT_EQ(bofs, book.sheets.size() + 1);
    EXPECT_EQ(eofs, bofs);
    ASSERT_EQ(sheetStarts.size(), book.sheets.size());
    for (auto start : sheetStarts) {
        ASSERT_LT(start + 8, stream.size());
        EXPECT_EQ(U16(stream, start), biff8::kBof);
        EXPECT_EQ(U16(stream, start + 6), 0x0010) << "worksheet substream";
    }

    // The table order: the texts in the order the cells name them, each once.
    std::vector<std::string> table;
    std::map<std::string, bool> seen;
    for (const auto& sheet : book.sheets) {
        for (const auto& row : sheet.rows) {
            for (const auto& text : row) {
                if (!text.empty() && !seen[text]) {
                    seen[text] = true;
                    table.push_back(text);
                }
            }
        }
    }
    ASSERT_GE(bucketSize, 8);
    ASSERT_EQ(extSstEntries.size(), (table.size() + bucketSize - 1) / bucketSize);
    ASSERT_LE(extSstEntries.size(), 128u);
    for (std::size_t k = 0; k < extSstEntries.size(); ++k) {
        const std::uint32_t position = U32(stream, extSstEntries[k]);
        const std::uint16_t inRecord = U16(stream, extSstEntries[k] + 4);
        const std::u16string expected = Utf8ToUtf16(table[k * bucketSize]);
        ASSERT_EQ(U16(stream, position), expected.size()) << "bucket " << k;
        const bool wide = stream[position + 2] & 1;
        const std::uint16_t first =
            wide ? U16(stream, position + 3) : static_cast<unsigned char>(stream[position + 3]);
        EXPECT_EQ(first, expected[0]) << "bucket " << k;
        // The offset inside the record counts from the record's header.
        bool matched = false;
        for (auto start : sstRecordStarts)
            matched = matched || start + inRecord == position;
        EXPECT_TRUE(matched) << "bucket " << k;
    }
}

TEST(XlsBiff8File, UnwritablePlaceAndUnreadableFilesGiveDriverErrors) {
    TempFolder dir;
    auto status = WriteBiff8File(dir.File("missing-folder/book.xls"), SampleBook());
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("missing-folder"), std::string::npos) << status.reason;

    WorksheetBook book;
    status = ReadBiff8File(dir.File("nothing.xls"), book);
    EXPECT_FALSE(status.ok);
    EXPECT_FALSE(status.reason.empty());

    const std::string garbage = dir.File("garbage.xls");
    std::ofstream(garbage) << std::string(3000, 'G');
    status = ReadBiff8File(garbage, book);
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("expected format"), std::string::npos) << status.reason;
}

}  // namespace
}  // namespace veldrin
