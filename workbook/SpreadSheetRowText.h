#pragma once
// The one-text form in which the spreadsheet class holds a row: every field in double quotes,
// fields joined by the separator ("A";"B"). A double quote inside a field is written twice, so
// that any text, the separator included, comes back as it went in.
#include <string>
#include <string_view>
#include <vector>

namespace veldrin {

std::string JoinSpreadSheetRow(const std::vector<std::string>& fields, std::string_view separator);
// Splits a row text: quoted fields lose their quotes ("" inside stands for "), unquoted fields
// (as in a delimited file written by another program) run up to the next separator. An empty
// text has no fields.
std::vector<std::string> SplitSpreadSheetRow(std::string_view text, std::string_view separator);

}  // namespace veldrin
