#pragma once
// The history the file and window benchmarks work on: 100000 two-channel samples a minute apart,
// with a summary and limits, as a download of a full logger leaves it.
#include <memory>
#include <string>

#include "history/HistoryDataSet.h"
#include "logger/WireCodec.h"

namespace veldrin::bench {

constexpr int kSamples = 100000;

inline std::unique_ptr<HistoryDataSet> TwoChannelHistory() {
    auto set = std::make_unique<HistoryDataSet>();
    set->model = LoggerModel::TemperatureHumidity;
    set->shown = {true, true};
    std::time_t start = MakeLocalTime(2020, 6, 1, 0, 0, 0).value();
    for (int i = 0; i < kSamples; ++i) {
        std::time_t time = start + i * 60;
        set->samples.SetHistorySample(i, -20.0F + static_cast<float>(i % 5000) / 100.0F,
                                      static_cast<float>(i % 9000) / 100.0F, time);
    }
    HistorySummary& s = set->summary;
    s.title = "冷库一号";
    s.description = "基准测试";
    s.source = SummarySource::Download;
    s.start = set->samples.Time(0);
    s.stop = set->samples.Time(kSamples - 1);
    s.intervalSeconds = 60;
    s.dataLengthValue = 2 * kSamples;
    s.min1 = -20;
    s.max1 = 29.99F;
    s.avg1 = 5;
    s.min2 = 0;
    s.max2 = 89.99F;
    s.avg2 = 45;
    s.channel2Unit = "%RH";
    set->limits = {-10, 25, 20, 80, 1};
    return set;
}

}  // namespace veldrin::bench
