#pragma once
// The current history: what a download or a data file yields, and what the lists, the summary,
// the files, the exports and the printed pages show.
#include <array>
#include <ctime>
#include <string>

#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"
#include "logger/SampleSeries.h"

namespace veldrin {

// The texts and numbers that describe the current history, in the order the summary page lists
// them. Texts are UTF-8. The start values are what the summary shows before any history.
struct HistorySummary {
    std::string title = "数据测试";
    std::string instrumentName = "温度记录仪";
    std::string enabledChannels = "1";
    std::string dataLength = "0";
    std::string startTime = "2008-01-01 00:00:00";
    std::string stopTime = "2008-01-01 00:00:00";
    std::string interval = "1s";
    std::string channel1Number = "1";
    std::string channel1Name = "温度";
    std::string channel1Unit = "°C";
    std::string channel1Min = "0";
    std::string channel1Max = "100";
    std::string channel1Avg = "50";
    std::string description;
    std::string channel2Number = "2";
    std::string channel2Name = "湿度";
    std::string channel2Unit = "%";
    std::string channel2Min = "0";
    std::string channel2Max = "100";
    std::string channel2Avg = "50";

    int enabledChannelCount = 1;
    int dataLengthValue = 0;
    int intervalSeconds = 0;
    float min1 = 0, max1 = 0, avg1 = 0;
    float min2 = 0, max2 = 0, avg2 = 0;
    std::time_t start = 0;
};

// History alarm limits: float copies taken when the logger's parameters are read, or the ones a
// data file stores.
struct HistoryLimits {
    float lower1 = 0, upper1 = 0, lower2 = 0, upper2 = 0;
    std::uint8_t enable1 = 0;
};

struct HistoryDataSet {
    LoggerModel model = LoggerModel::SingleTemperature;
    int fileKind = 0;  // data-file kind code (3, 4, 5) for a history read from a file, else 0
    std::array<bool, 2> shown{true, false};
    HistorySummary summary;
    HistoryLimits limits;
    SampleSeries samples;

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
