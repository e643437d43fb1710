#pragma once
// The samples of the current history chosen for printing, with their statistics, axis labels and
// summary lines: the single source every printed page reads.
#include <array>
#include <ctime>
#include <string>
#include <vector>

#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

enum class PrintMode { Curve = 1, Text = 2 };

inline constexpr int kRowsPerPage = 60;
inline constexpr int kMinCurvePages = 2;
inline constexpr int kMaxCurvePages = 10;
inline constexpr int kSummaryLineCount = 20;

struct PrintSelection {
    // History samples firstIndex..lastIndex; count 0 (indices −1) when the range selects nothing.
    int firstIndex = -1;
    int lastIndex = -1;
    int count = 0;
    std::vector<float> values1;  // 0 for a channel that is not shown
    std::vector<float> values2;
    std::vector<std::time_t> times;
    std::time_t firstTime = 0;
    std::time_t lastTime = 0;
    float min1 = 0, max1 = 0, avg1 = 0;
    float min2 = 0, max2 = 0, avg2 = 0;
    // The unit the pages show temperatures in. The values and figures above stay in °C (the
    // curves are placed by them); the axis labels and the summary lines are in the unit.
    TemperatureUnit unit = TemperatureUnit::Celsius;
    std::array<float, 5> labels1{};  // vertical axis labels, maximum first
    std::array<float, 5> labels2{};
    std::array<std::string, kSummaryLineCount> summaryLines;  // UTF-8, in the language of the run

    bool Empty() const { return count == 0; }
};

// The time of every history sample read from its time text, in sample order.
std::vector<std::time_t> ParseHistoryTimes(const HistoryDataSet& history);

// Whether `time` lies before the first or after the last history sample.
bool OutsideHistory(const std::vector<std::time_t>& historyTimes, std::time_t time);

// Index of the first sample at or after `start`: scanning every sample, a later start moves the
// result past the sample and an equal one onto it. −1 when every sample is later than `start`.
int FindStartIndex(const std::vector<std::time_t>& historyTimes, std::time_t start);
// Index of the last sample not later than `stop`; −1 when every sample is later.
int FindStopIndex(const std::vector<std::time_t>& historyTimes, std::time_t stop);

// The selection of the samples between `start` and `stop` (both inclusive), its temperatures
// shown in `unit`. `historyTimes` is ParseHistoryTimes(history).
PrintSelection SelectForPrint(const HistoryDataSet& history, const std::vector<std::time_t>& historyTimes,
                              std::time_t start, std::time_t stop,
                              TemperatureUnit unit = TemperatureUnit::Celsius);

// Pages of the text mode: the summary page plus one per started block of `rowsPerPage` rows.
int TextPageCount(int sampleCount, int rowsPerPage = kRowsPerPage);
// Strips of the curve mode: three on every page after the summary page.
int StripCountFor(int curvePages);
// Total pages of a mode: the requested curve pages, or the text pages of the selection.
int PageCountFor(PrintMode mode, const PrintSelection& selection, int requestedCurvePages);

// Whether the history's model has a second channel at all.
bool HasSecondChannel(const HistoryDataSet& history);
// Whether channel 1 or 2 (`channel`) has values on the pages: shown in the history, and for
// channel 2 present in the model at all.
bool ChannelPrinted(const HistoryDataSet& history, int channel);
// The unit the pages show channel 1 or 2 (`channel`) in: `unit` for a temperature; a humidity
// channel's values are shown as they are, as TemperatureUnit::Celsius leaves them.
TemperatureUnit ChannelUnit(const HistoryDataSet& history, int channel, TemperatureUnit unit);
// A value of a channel shown in `unit` (ChannelUnit's).
float ValueInUnit(float celsius, TemperatureUnit unit);

}  // namespace veldrin
