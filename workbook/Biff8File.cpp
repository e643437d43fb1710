#include "workbook/Biff8File.h"

#include <freexl.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <cstdio>
#include <memory>
#include <mutex>

#include "files/SafeSave.h"
#include "workbook/Biff8Writer.h"

namespace veldrin {
namespace {

constexpr const char* kDriverPrefix = "[Veldrin][Excel Driver] ";

struct GObjectUnref {
    void operator()(void* object) const {
        if (object)
            g_object_unref(object);
    }
};
template <typename T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

GsfOutput* AsOutput(GsfOutfile* outfile) {
    return reinterpret_cast<GsfOutput*>(outfile);
}

std::string GsfError(GsfOutput* output, const char* what) {
    const GError* error = gsf_output_error(output);
    return std::string(kDriverPrefix) + what + (error ? std::string(": ") + error->message : std::string());
}

struct FreeXlCloser {
    void operator()(const void* handle) const { freexl_close(handle); }
};

std::string FreeXlError(const std::string& path, int code) {
    switch (code) {
        case FREEXL_FILE_NOT_FOUND:
            return std::string(kDriverPrefix) + "Could not find or read file '" + path + "'.";
        case FREEXL_INSUFFICIENT_MEMORY:
            return std::string(kDriverPrefix) + "Not enough memory to read '" + path + "'.";
        case FREEXL_BIFF_OBFUSCATED:
            return std::string(kDriverPrefix) + "'" + path + "' is protected by a password.";
        default:
            return std::string(kDriverPrefix) + "External table is not in the expected format: '" + path +
                   "' (FreeXL error " + std::to_string(code) + ").";
    }
}

std::string CellText(const FreeXL_CellValue& cell) {
    switch (cell.type) {
        case FREEXL_CELL_INT:
            return std::to_string(cell.value.int_value);
        case FREEXL_CELL_DOUBLE: {
            char text[32];
            std::snprintf(text, sizeof text, "%.15g", cell.value.double_value);
            return text;
        }
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            return cell.value.text_value ? cell.value.text_value : "";
        default:
            return {};
    }
}

Status ReadSheet(const void* handle, unsigned short index, const std::string& path, WorksheetSheet& sheet) {
    const char* name = nullptr;
    unsigned int rows = 0;
    unsigned short columns = 0;
    int code = freexl_get_worksheet_name(handle, index, &name);
    if (code == FREEXL_OK)
        code = freexl_select_active_worksheet(handle, index);
    if (code == FREEXL_OK)
        code = freexl_worksheet_dimensions(handle, &rows, &columns);
    if (code != FREEXL_OK)
        return Status::Failure(FreeXlError(path, code));
    sheet.name = name ? name : "";
    sheet.rows.assign(rows, WorksheetRow(columns));
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell{};
            code = freexl_get_cell_value(handle, row, column, &cell);
            if (code != FREEXL_OK)
                return Status::Failure(FreeXlError(path, code));
            sheet.rows[row][column] = CellText(cell);
        }
    }
    return {};
}

// Builds the compound file in memory; `sink` holds its bytes afterwards.
Status BuildCompoundFile(const WorksheetBook& book, GsfPtr<GsfOutput>& sink) {
    static std::once_flag gsfReady;
    std::call_once(gsfReady, [] { gsf_init(); });

    const std::string stream = Biff8WorkbookStream(book);
    sink.reset(gsf_output_memory_new());
    GsfPtr<GsfOutfile> compound(gsf_outfile_msole_new(sink.get()));
    if (!compound)
        return Status::Failure(GsfError(sink.get(), "Cannot build the compound file"));
    GsfPtr<GsfOutput> workbook(gsf_outfile_new_child(compound.get(), "Workbook", FALSE));
    if (!workbook) {
        return Status::Failure(GsfError(AsOutput(compound.get()), "Cannot add the workbook"));
    }
    bool written =
        gsf_output_write(workbook.get(), stream.size(), reinterpret_cast<const guint8*>(stream.data()));
    written = gsf_output_close(workbook.get()) && written;
    written = gsf_output_close(AsOutput(compound.get())) && written;  // closes the sink too
    if (!written)
        return Status::Failure(GsfError(workbook.get(), "Cannot write the workbook stream"));
    return {};
}

}  // namespace

Status WriteBiff8File(const std::string& path, const WorksheetBook& book) {
    GsfPtr<GsfOutput> sink;
    if (auto status = BuildCompoundFile(book, sink); !status)
        return status;
    const auto size = static_cast<std::size_t>(gsf_output_size(sink.get()));
    const guint8* bytes = gsf_output_memory_get_bytes(reinterpret_cast<GsfOutputMemory*>(sink.get()));
    Status saved = SaveFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes), size));
    if (!saved) {
        return Status::Failure(std::string(kDriverPrefix) + "Cannot save '" + path + "': " + saved.reason);
    }
    return {};
}

Status ReadBiff8File(const std::string& path, WorksheetBook& book) {
    const void* raw = nullptr;
    int code = freexl_open(path.c_str(), &raw);
    std::unique_ptr<const void, FreeXlCloser> handle(raw);
    if (code != FREEXL_OK)
        return Status::Failure(FreeXlError(path, code));
    unsigned int sheetCount = 0;
    code = freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &sheetCount);
    if (code != FREEXL_OK)
        return Status::Failure(FreeXlError(path, code));
    WorksheetBook loaded;
    loaded.sheets.resize(sheetCount);
    for (unsigned int i = 0; i < sheetCount; ++i) {
        auto status = ReadSheet(raw, static_cast<unsigned short>(i), path, loaded.sheets[i]);
        if (!status)
            return status;
    }
    book = std::move(loaded);
    return {};
}

}  // namespace veldrin
