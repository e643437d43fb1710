#include "workbook/WorksheetBook.h"

#include <algorithm>

namespace veldrin {

std::size_t WorksheetSheet::ColumnCount() const {
    std::size_t columns = 0;
    for (const auto& row : rows)
        columns = std::max(columns, row.size());
    return columns;
}

bool WorksheetSheet::HoldsTable() const {
    return !rows.empty() && std::any_of(rows.front().begin(), rows.front().end(),
                                        [](const std::string& field) { return !field.empty(); });
}

bool SameWorksheetName(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

WorksheetSheet* WorksheetBook::Find(std::string_view name) {
    for (auto& sheet : sheets) {
        if (SameWorksheetName(sheet.name, name))
            return &sheet;
    }
    return nullptr;
}

const WorksheetSheet* WorksheetBook::Find(std::string_view name) const {
    return const_cast<WorksheetBook*>(this)->Find(name);
}

}  // namespace veldrin
