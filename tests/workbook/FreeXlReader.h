#pragma once
// Test helper: reads a workbook back with FreeXL directly, a reader this project did not write, so
// that what the tests check is what another program sees in the file.
#include <freexl.h>

#include <string>
#include <vector>

namespace veldrin::test {

struct FreeXlSheet {
    std::string name;
    std::vector<std::vector<std::string>> cells;  // every cell as text; a NULL cell as ""
};

struct FreeXlWorkbook {
    int openCode = FREEXL_OK;  // FreeXL's result of opening the file
    unsigned int codePage = 0;
    unsigned int biffVersion = 0;
    std::vector<FreeXlSheet> sheets;

    const FreeXlSheet* Sheet(const std::string& name) const {
        for (const auto& sheet : sheets) {
            if (sheet.name == name)
                return &sheet;
        }
        return nullptr;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& sheet : sheets)
            names.push_back(sheet.name);
        return names;
    }
};

inline FreeXlWorkbook ReadWithFreeXl(const std::string& path) {
    FreeXlWorkbook book;
    const void* handle = nullptr;
    book.openCode = freexl_open(path.c_str(), &handle);
    if (book.openCode != FREEXL_OK)
        return book;
    unsigned int count = 0;
    freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count);
    freexl_get_info(handle, FREEXL_BIFF_CODEPAGE, &book.codePage);
    freexl_get_info(handle, FREEXL_BIFF_VERSION, &book.biffVersion);
    for (unsigned short index = 0; index < count; ++index) {
        FreeXlSheet sheet;
        const char* name = nullptr;
        freexl_get_worksheet_name(handle, index, &name);
        sheet.name = name ? name : "?";
        freexl_select_active_worksheet(handle, index);
        unsigned int rows = 0;
        unsigned short columns = 0;
        freexl_worksheet_dimensions(handle, &rows, &columns);
        for (unsigned int row = 0; row < rows; ++row) {
            std::vector<std::string> line;
            for (unsigned short column = 0; column < columns; ++column) {
                FreeXL_CellValue value{};
                freexl_get_cell_value(handle, row, column, &value);
                bool text = value.type == FREEXL_CELL_TEXT || value.type == FREEXL_CELL_SST_TEXT;
                line.push_back(text                             ? value.value.text_value
                               : value.type == FREEXL_CELL_NULL ? ""
                                                                : "<non-text>");
            }
            sheet.cells.push_back(std::move(line));
        }
        book.sheets.push_back(std::move(sheet));
    }
    freexl_close(handle);
    return book;
}

}  // namespace veldrin::test
