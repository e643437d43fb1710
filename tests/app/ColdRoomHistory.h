#pragma once
// The history the statistics and unit window tests open as a data file: twelve
// temperature-humidity readings five minutes apart from 2024-05-01 08:00:00, the temperature
// (5 °C) above its upper limit 8 at readings 3 and 4 (9.25 °C), the humidity (60 %) below its
// lower limit 40 at reading 9 (35.5 %).
#include "history/HistoryDataSet.h"
#include "logger/WireCodec.h"

namespace veldrin::test {

inline HistoryDataSet ColdRoomHistory() {
    HistoryDataSet set;
    set.model = LoggerModel::TemperatureHumidity;
    set.shown = {true, true};
    const std::time_t start = MakeLocalTime(2024, 5, 1, 8, 0, 0).value();
    for (int i = 0; i < 12; ++i) {
        const float temperature = i == 3 || i == 4 ? 9.25f : 5.0f;
        const float humidity = i == 9 ? 35.5f : 60.0f;
        set.samples.SetHistorySample(i, temperature, humidity, start + 300 * i);
    }
    set.summary.title = "冷库";
    set.summary.source = SummarySource::Download;
    set.summary.start = start;
    set.summary.stop = start + 300 * 11;
    set.summary.intervalSeconds = 300;
    set.summary.dataLengthValue = 24;  // values stored: twelve readings of two channels
    set.summary.min1 = 5;
    set.summary.max1 = 9.25f;
    set.summary.avg1 = 5.7f;
    set.summary.min2 = 35.5f;
    set.summary.max2 = 60;
    set.summary.avg2 = 58;
    set.limits = {2, 8, 40, 80, 1};
    return set;
}

}  // namespace veldrin::test
