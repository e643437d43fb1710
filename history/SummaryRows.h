#pragma once
// The rows of the history summary: field name and value, in the order the summary page shows
// them, for the one-channel and the two-channel layout.
#include <string>
#include <vector>

#include "history/HistoryDataSet.h"
#include "history/ListColumns.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

enum class SummaryLayout { OneChannel, TwoChannels };

struct SummaryRow {
    std::string name;
    std::string value;
};

// By the data-file kind for a history read from a file, otherwise by the logger model.
SummaryLayout LayoutFor(const HistoryDataSet& history);
// The named rows of the layout: 14 for one channel, 20 for two, and "完整性" after them for a
// partial download.
// Temperatures in `unit`.
std::vector<SummaryRow> SummaryRows(const HistoryDataSet& history,
                                    TemperatureUnit unit = TemperatureUnit::Celsius);
// The summary list of the summary page and of the workbook: the columns "名称" and "值" and
// kSummaryListRows rows (or the named rows when there are more), the named rows first, then rows
// of two blanks in both columns.
inline constexpr int kSummaryListRows = 20;
std::vector<ListColumn> SummaryListColumns();
std::vector<SummaryRow> SummaryListRows(const HistoryDataSet& history,
                                        TemperatureUnit unit = TemperatureUnit::Celsius);
// The named rows one per line as "name: value", for the command-line tool.
std::string FormatSummaryLines(const HistoryDataSet& history);
// The row names of the one-channel layout, which the summary page shows before any history.
std::vector<std::string> OneChannelRowNames();

}  // namespace veldrin
