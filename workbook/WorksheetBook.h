#pragma once
// A workbook as the worksheet driver holds it in memory: worksheets in tab order, each a grid of
// text cells row by row. A sheet that holds a table has the field names in row 0.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veldrin {

using WorksheetRow = std::vector<std::string>;

struct WorksheetSheet {
    std::string name;
    std::vector<WorksheetRow> rows;

    // Number of columns: the widest row.
    std::size_t ColumnCount() const;
    // A sheet holds a table when its first row names at least one field.
    bool HoldsTable() const;
};

struct WorksheetBook {
    std::vector<WorksheetSheet> sheets;

    // Sheet names compare like Excel does: ASCII letters without regard to case.
    WorksheetSheet* Find(std::string_view name);
    const WorksheetSheet* Find(std::string_view name) const;
};

// True when two sheet or field names are the same name to Excel (ASCII case folded).
bool SameWorksheetName(std::string_view a, std::string_view b);

// Excel's limits for one worksheet.
inline constexpr std::size_t kWorksheetMaxRows = 65536;
inline constexpr std::size_t kWorksheetMaxColumns = 256;
inline constexpr std::size_t kWorksheetMaxCellChars = 32767;  // UTF-16 units
inline constexpr std::size_t kWorksheetMaxNameChars = 31;     // UTF-16 units of a sheet name

}  // namespace veldrin
