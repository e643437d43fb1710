// A downloaded two-channel history of 100000 samples decoded into the history record alone
// (budget 3 ms), and into the record, the history chart, both history lists and the summary
// (budget 30 ms); and, for comparison, every cell of both lists read as the worksheet export
// reads them.
#include <memory>
#include <vector>

#include "bench/gui_bench_main.h"
#include "history/HistoryIngestion.h"
#include "logger/Clock.h"
#include "logger/WireCodec.h"
#include "measure/Measurements.h"

namespace veldrin {
namespace {

class SilentSound final : public AlarmSound {
  public:
    int Play() override { return 0; }
};

std::vector<std::uint8_t> TwoChannelDownload(int samples) {
    std::vector<std::uint8_t> raw{0x00, 0xF5, 0x01, 0x00, 0x00, 0x00, 0x00};
    for (int i = 0; i < samples; ++i) {
        raw.push_back(static_cast<std::uint8_t>(i % 40));         // temperature 0 … 39
        raw.push_back(static_cast<std::uint8_t>(i % 100));        // hundredths
        raw.push_back(static_cast<std::uint8_t>(30 + i % 60));    // humidity 30 … 89
        raw.push_back(static_cast<std::uint8_t>((i * 7) % 100));  // hundredths
    }
    raw.push_back(0);
    raw.push_back(0);
    return raw;
}

LoggerInfo HumidityLogger() {
    LoggerInfo info;
    info.model = LoggerModel::TemperatureHumidity;
    info.instrumentName = "温湿度记录仪";
    const std::uint8_t start[7] = {0, 0, 8, 1, 6, 24, 20};
    info.startTime = DecodeDateTime(start);
    info.interval = 60;
    info.channel1Alarm = {5, 30, 0x05, 0x1E, 1};
    info.channel2Alarm = {40, 80, 0x28, 0x50, 0};
    return info;
}

void DecodeDownloadIntoTheRecord(benchmark::State& state) {
    const LoggerInfo info = HumidityLogger();
    const std::vector<std::uint8_t> raw = TwoChannelDownload(SampleSeries::kCapacity);
    auto history = std::make_unique<HistoryDataSet>();
    for (auto _ : state) {
        const DownloadIngestResult result =
            IngestDownloadedHistory(raw, info.model, {true, true}, info, *history);
        benchmark::DoNotOptimize(result);
    }
    state.counters["samples"] = history->samples.Count();
}
BENCHMARK(DecodeDownloadIntoTheRecord)->Unit(benchmark::kMillisecond);

void IngestDownloadedTwoChannelHistory(benchmark::State& state) {
    const LoggerInfo info = HumidityLogger();
    SystemClock clock;
    SilentSound sound;
    Measurements measurements(info, clock, sound);
    const std::vector<std::uint8_t> raw = TwoChannelDownload(SampleSeries::kCapacity);
    for (auto _ : state) {
        const DownloadIngestResult result = measurements.TakeDownloadedHistory(raw, {true, true});
        benchmark::DoNotOptimize(result);
    }
    state.counters["samples"] = measurements.History().samples.Count();
}
BENCHMARK(IngestDownloadedTwoChannelHistory)->Unit(benchmark::kMillisecond);

void ReadEveryHistoryListCell(benchmark::State& state) {
    const LoggerInfo info = HumidityLogger();
    SystemClock clock;
    SilentSound sound;
    Measurements measurements(info, clock, sound);
    measurements.TakeDownloadedHistory(TwoChannelDownload(SampleSeries::kCapacity), {true, true});
    for (auto _ : state) {
        for (const HistoryListModel* list :
             {&measurements.HistoryDataList(), &measurements.HistoryAlarmList()}) {
            for (int row = 0; row < list->rowCount(); ++row) {
                for (int column = 0; column < list->columnCount(); ++column) {
                    benchmark::DoNotOptimize(list->CellText(row, column));
                }
            }
        }
    }
}
BENCHMARK(ReadEveryHistoryListCell)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veldrin
