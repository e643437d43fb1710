// Writing and reading a two-channel data file of 100000 samples, and the text export of it.
// Saves include the flush to the disk that makes them safe; BM_SafeSaveOnly shows that part alone.
// BM_ReadDataFile builds a new history (veldrin-cli), BM_ReadDataFileIntoCurrent replaces the
// current one (Open in the desktop program).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "files/DataFile.h"
#include "files/TextExport.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr int kSamples = 100000;

std::unique_ptr<HistoryDataSet> TwoChannelHistory() {
    auto set = std::make_unique<HistoryDataSet>();
    set->model = LoggerModel::TemperatureHumidity;
    set->shown = {true, true};
    std::time_t start = MakeLocalTime(2020, 6, 1, 0, 0, 0).value();
    for (int i = 0; i < kSamples; ++i) {
        std::time_t time = start + i * 60;
        set->samples.SetHistorySample(i, -20.0F + static_cast<float>(i % 5000) / 100.0F,
                                      static_cast<float>(i % 9000) / 100.0F, time, FormatTime(time));
    }
    HistorySummary& s = set->summary;
    s.title = "冷库一号";
    s.description = "基准测试";
    s.startTime = set->samples.TimeText(0);
    s.stopTime = set->samples.TimeText(kSamples - 1);
    s.intervalSeconds = 60;
    s.interval = "60s";
    s.dataLength = std::to_string(2 * kSamples);
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

struct Fixture {
    std::string folder;
    std::unique_ptr<HistoryDataSet> history = TwoChannelHistory();
    Fixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veldrin-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
    }
    ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_WriteDataFile(benchmark::State& state) {
    Fixture& f = Shared();
    std::string path = f.folder + "/write.Vdr";
    for (auto _ : state) {
        if (!WriteDataFile(path, *f.history))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteDataFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadDataFile(benchmark::State& state) {
    Fixture& f = Shared();
    std::string path = f.folder + "/read.Vdr";
    WriteDataFile(path, *f.history);
    for (auto _ : state) {
        DataFileLoad load = LoadDataFile(path);
        if (!load.result || load.dataSet->samples.Count() != kSamples)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(load);
    }
}
BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// What Open does: the file replaces the current history, whose storage is reused.
void BM_ReadDataFileIntoCurrent(benchmark::State& state) {
    Fixture& f = Shared();
    std::string path = f.folder + "/read.Vdr";
    WriteDataFile(path, *f.history);
    auto current = std::make_unique<HistoryDataSet>();
    LoadDataFileInto(path, *current);
    for (auto _ : state) {
        if (!LoadDataFileInto(path, *current) || current->samples.Count() != kSamples) {
            state.SkipWithError("read failed");
        }
    }
}
BENCHMARK(BM_ReadDataFileIntoCurrent)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TextExport(benchmark::State& state) {
    Fixture& f = Shared();
    std::string path = f.folder + "/export.txt";
    for (auto _ : state) {
        if (!WriteTextExport(path, *f.history))
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_TextExport)->Unit(benchmark::kMillisecond)->UseRealTime();

// The safe-save part of a data file save alone: 1.4 MB to a temporary, flushed, renamed.
void BM_SafeSaveOnly(benchmark::State& state) {
    Fixture& f = Shared();
    std::string bytes(223 + 7 * 2 * kSamples, '0');
    for (auto _ : state) {
        if (!SaveFileAtomically(f.folder + "/bytes.bin", bytes))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SafeSaveOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace veldrin

BENCHMARK_MAIN();
