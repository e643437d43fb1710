// Writing and reading a two-channel data file of 100000 samples, and the text export of it.
// Saves include the flush to the disk that makes them safe; BM_SafeSaveOnly shows that part alone.
// BM_ReadDataFile builds a new history (veldrin-cli), BM_ReadDataFileIntoCurrent replaces the
// current one (Open in the desktop program).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "bench/BenchHistory.h"
#include "files/DataFile.h"
#include "files/TextExport.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

using bench::kSamples;
using bench::TwoChannelHistory;

struct Fixture {
    test::TempFolder temp;
    const std::string& folder = temp.Path();
    std::unique_ptr<HistoryDataSet> history = TwoChannelHistory();
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
