// The statistics of a full two-channel history (100000 samples): extremes with their times,
// averages, standard deviations, the mean kinetic temperature of both temperature channels and
// the excursions beyond all four limits. Budget: 5 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "history/HistoryStatistics.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

// A dual-temperature history of 100000 samples a minute apart that crosses its limits often.
const HistoryDataSet& FullHistory() {
    static const std::unique_ptr<HistoryDataSet> history = [] {
        auto made = std::make_unique<HistoryDataSet>();
        made->model = LoggerModel::DualTemperature;
        made->shown = {true, true};
        made->summary.intervalSeconds = 60;
        made->limits = HistoryLimits{2, 8, -25, -15, 1};
        const std::time_t start = *MakeLocalTime(2024, 3, 1, 8, 0, 0);
        for (int i = 0; i < SampleSeries::kCapacity; ++i) {
            const std::time_t time = start + static_cast<std::time_t>(i) * 60;
            const float value1 = 1.0f + static_cast<float>((i * 37) % 900) / 100.0f;
            const float value2 = -27.0f + static_cast<float>((i * 11) % 1300) / 100.0f;
            made->samples.SetHistorySample(i, value1, value2, time);
        }
        return made;
    }();
    return *history;
}

void BM_StatisticsOfFullHistory(benchmark::State& state) {
    const HistoryDataSet& history = FullHistory();
    int excursions = 0;
    for (auto _ : state) {
        const HistoryStatistics statistics = ComputeStatistics(history);
        excursions = statistics.ExcursionCount();
        benchmark::DoNotOptimize(statistics.channels.data());
    }
    state.counters["excursions"] = excursions;
}
BENCHMARK(BM_StatisticsOfFullHistory)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veldrin

BENCHMARK_MAIN();
