#pragma once
// The rules of the Open and Save commands, free of dialogs: which filters the dialogs offer,
// what a chosen name and filter mean, and which path is finally written.
#include <string>
#include <string_view>
#include <vector>

#include "history/HistoryDataSet.h"

namespace veldrin {

// Filters in the "label|patterns|label|patterns|" form of the file dialogs.
inline constexpr std::string_view kOpenFilter = "Veldrin Files (*.Vdr)|*.Vdr|";
inline constexpr std::string_view kSaveFilter =
    " Veldrin Files (*.Vdr)|*.Vdr|Text Files (*.txt)|*.txt;*.tem|WorkSheet Files (*.xlc;*.xls)|*.xlc; "
    "*.xls||";

struct DialogFilter {
    std::string label;                  // as listed, e.g. "Text Files (*.txt)"
    std::vector<std::string> patterns;  // e.g. "*.txt", "*.tem"
};
// The entries of a "label|patterns|…" filter; the filter index of an entry is its position + 1.
std::vector<DialogFilter> ParseDialogFilter(std::string_view filter);
// A Qt name filter for one entry, the patterns it shows in parentheses after the label's own
// words: "Text Files (*.txt *.tem)".
std::string QtNameFilter(const DialogFilter& entry);
// Qt name filters of a whole filter, in order.
std::vector<std::string> QtNameFilters(std::string_view filter);

// The text after the first "." of the file name (for a.b.Vdr: "b.Vdr"); empty without one.
std::string ExtensionAfterFirstDot(std::string_view path);
// The text after the last "." of the file name; empty without one.
std::string ExtensionAfterLastDot(std::string_view path);

// The save dialog offers CSV and the modern workbook after the three formats of the filter above.
inline constexpr std::string_view kCsvFilter = "CSV (*.csv)";
inline constexpr int kCsvFilterIndex = 4;
inline constexpr std::string_view kXlsxFilter = "Excel Workbook (*.xlsx)";
inline constexpr int kXlsxFilterIndex = 5;

enum class SaveFormat { DataFile, Text, Worksheet, Csv, Xlsx, None };
struct SaveTarget {
    SaveFormat format = SaveFormat::None;
    std::string path;  // the chosen path, with the format's extension appended when it had none
};
// Save: a name ending in a known extension (the text after its last ".": "Vdr" or "vdr", "txt",
// "xls", "csv", "xlsx"; case as written) is saved in that format whatever filter is selected, under
// the name as typed. Any other name takes the selected filter's format (1 data file, 2 text,
// 3 worksheet, 4 CSV, 5 .xlsx) with that format's extension appended; no filter, no format.
SaveTarget PlanSave(const std::string& chosenPath, int filterIndex);

// The name the Save dialog proposes for `history`, without an extension: its title and the time of
// its first reading, "冷库一号_20240501-0800"; the time alone for a history without a title.
std::string ProposedSaveName(const HistoryDataSet& history);

enum class OpenAction {
    Load,    // "Vdr" or "vdr": read the data file
    Ignore,  // "txt" or "xls": nothing happens
    Other,   // any other extension, a cancelled dialog included
};
OpenAction PlanOpen(const std::string& chosenPath);
// The extensions a data file is opened by, at start-up and through the Open command.
bool IsDataFileExtension(std::string_view extension);

}  // namespace veldrin
