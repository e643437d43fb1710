#pragma once
// The current history: what a download or a data file yields, and what the lists, the summary,
// the files, the exports and the printed pages show. Numbers and the texts the source supplied
// (title, description, names); the texts shown are made by history/HistoryText.h.
#include <array>
#include <ctime>
#include <string>

#include "history/SampleSeries.h"
#include "logger/HistoryLimits.h"
#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"
#include "translations/Translation.h"

namespace veldrin {

// Where the summary's figures come from, which decides how they are written out: a download
// writes its times zero-padded and its figures with their unit, a data file blank-padded and
// as the file stores them. Before any history the summary shows fixed start texts.
enum class SummarySource { None, Download, DataFile };

// The figures and texts that describe the current history, in the order the summary page lists
// them. Texts are UTF-8. The start values are what the summary shows before any history (in the
// language of the run: ShownSummaryTexts).
struct HistorySummary {
    SummarySource source = SummarySource::None;
    std::string title = QT_TRANSLATE_NOOP("veldrin::HistorySummary", "数据测试");
    std::string instrumentName = QT_TRANSLATE_NOOP("veldrin::HistorySummary", "温度记录仪");
    std::string description;
    std::string channel1Name = "温度";
    std::string channel1Unit = "°C";
    std::string channel2Name = "湿度";
    std::string channel2Unit = "%";
    int channel2Number = 2;  // 0: a data file of a one-channel model, which shows a blank

    int enabledChannelCount = 1;
    int dataLengthValue = 0;
    int intervalSeconds = 0;
    float min1 = 0, max1 = 0, avg1 = 0;
    float min2 = 0, max2 = 0, avg2 = 0;
    std::time_t start = 0;
    std::time_t stop = 0;  // the last sample's time of a download
    // A data file's stop time and statistics as it stores them: the stop fields (year, month,
    // day, hour, minute, second) need not form a calendar time, and the 7-character statistics
    // keep the rounding of the program that wrote them.
    std::array<int, 6> storedStopFields{};
    std::array<std::string, 6> storedStatistics;
};

struct HistoryDataSet {
    LoggerModel model = LoggerModel::SingleTemperature;
    int fileKind = 0;  // data-file kind code (3, 4, 5) for a history read from a file, else 0
    std::array<bool, 2> shown{true, false};
    HistorySummary summary;
    HistoryLimits limits;
    SampleSeries samples;
    // A download the logger broke off: the readings it held (samples.Count() of them arrived).
    // 0 for a whole download and a history read from a file.
    int expectedReadings = 0;

    // Whether only part of a download arrived.
    bool Partial() const { return expectedReadings > 0; }
    // Back to the state before any history: start values, no samples.
    void Reset();
};

// The model the history was recorded with: the one its data-file kind names for a history read
// from a file, else `model`.
LoggerModel RecordedModel(const HistoryDataSet& history);

// Whether channel 1 or 2 holds values in the history: shown, and for channel 2 measured by the
// model the history was recorded with.
bool ChannelHasValues(const HistoryDataSet& history, int channel);

}  // namespace veldrin
