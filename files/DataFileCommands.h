#pragma once
// The rules of the Open and Save commands, free of dialogs: which filters the dialogs offer,
// what a chosen name and filter mean, and which path is finally written.
#include <string>
#include <string_view>
#include <vector>

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

// The save dialog offers CSV after the three formats of the filter above.
inline constexpr std::string_view kCsvFilter = "CSV (*.csv)";
inline constexpr int kCsvFilterIndex = 4;

enum class SaveFormat { DataFile, Text, Worksheet, Csv, None };
struct SaveTarget {
    SaveFormat format = SaveFormat::None;
    std::string path;  // the chosen path with ".Vdr", ".txt" or ".xls" appended when needed
};
// Save: the first matching of data file (extension "Vdr" or filter 1), text ("txt" or filter 2),
// worksheet ("xls" or filter 3), all compared case-sensitively with the text after the first ".",
// and CSV ("csv" after the last "." or filter 4).
SaveTarget PlanSave(const std::string& chosenPath, int filterIndex);

enum class OpenAction {
    Load,    // "Vdr" or "vdr": read the data file
    Ignore,  // "txt" or "xls": nothing happens
    Other,   // any other extension, a cancelled dialog included
};
OpenAction PlanOpen(const std::string& chosenPath);
// The extensions a data file is opened by, at start-up and through the Open command.
bool IsDataFileExtension(std::string_view extension);

}  // namespace veldrin
