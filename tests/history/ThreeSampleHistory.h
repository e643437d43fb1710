#pragma once
// A downloaded temperature-humidity history of three samples from 2010-01-05 08:03:00 (the tests
// run in Asia/Shanghai): the first too humid, the second too warm and the third too dry for the
// limits 0–25 °C and 20–80 %.
#include <ctime>

#include "history/HistoryDataSet.h"

namespace veldrin::test {

inline HistoryDataSet ThreeSampleDownload() {
    HistoryDataSet history;
    history.model = LoggerModel::TemperatureHumidity;
    history.shown = {true, true};
    history.summary.source = SummarySource::Download;
    history.limits = {0, 25, 20, 80, 1};
    const std::time_t start = 1262649780;
    const float values1[] = {20.0f, 30.0f, 25.0f};
    const float values2[] = {85.25f, 50.0f, 10.0f};
    for (int i = 0; i < 3; ++i)
        history.samples.SetHistorySample(i, values1[i], values2[i], start + 60 * i);
    return history;
}

}  // namespace veldrin::test
