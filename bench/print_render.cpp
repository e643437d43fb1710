// Rendering the printed pages of a full history (100000 samples) into PDF files and page images.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "logger/WireCodec.h"
#include "print/PdfExport.h"
#include "print/PrintJob.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

// A temperature-humidity history with the logger's full 100000 samples, one a minute.
const HistoryDataSet& FullHistory() {
    static const std::unique_ptr<HistoryDataSet> history = [] {
        auto made = std::make_unique<HistoryDataSet>();
        made->model = LoggerModel::TemperatureHumidity;
        made->shown = {true, true};
        made->summary.title = "冷库一号";
        made->summary.channel2Unit = "%";
        made->limits = HistoryLimits{-5, 30, 40, 80, 1};
        const std::time_t start = *MakeLocalTime(2024, 3, 1, 8, 0, 0);
        for (int i = 0; i < SampleSeries::kCapacity; ++i) {
            const std::time_t time = start + static_cast<std::time_t>(i) * 60;
            const float value1 = 10.0f + static_cast<float>((i * 37) % 300) / 10.0f;
            const float value2 = 35.0f + static_cast<float>((i * 11) % 500) / 10.0f;
            made->samples.SetHistorySample(i, value1, value2, time);
        }
        return made;
    }();
    return *history;
}

std::string OutputPath(const char* name) {
    static const test::TempFolder folder;
    return folder.File(name);
}

void WritePdf(benchmark::State& state, PrintMode mode, int curvePages, const char* name) {
    const HistoryDataSet& history = FullHistory();
    const std::string path = OutputPath(name);
    int pages = 0;
    for (auto _ : state) {
        const PdfExportResult result = ExportPdf(history, {.mode = mode, .curvePages = curvePages}, path);
        if (result.status != PdfExportStatus::Written)
            state.SkipWithError(result.message.c_str());
        pages = result.pages;
    }
    state.counters["pages"] = pages;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

void BM_CurvePagesToPdf(benchmark::State& state) {
    WritePdf(state, PrintMode::Curve, static_cast<int>(state.range(0)), "veldrin-bench-curves.pdf");
}
BENCHMARK(BM_CurvePagesToPdf)->Arg(2)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TextPagesToPdf(benchmark::State& state) {
    WritePdf(state, PrintMode::Text, 2, "veldrin-bench-table.pdf");
}
BENCHMARK(BM_TextPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

// The selection alone: reading 100000 time texts, the index search and the statistics.
void BM_SelectWholeHistory(benchmark::State& state) {
    const HistoryDataSet& history = FullHistory();
    for (auto _ : state) {
        const auto times = ParseHistoryTimes(history);
        benchmark::DoNotOptimize(SelectForPrint(history, times, times.front(), times.back()));
    }
}
BENCHMARK(BM_SelectWholeHistory)->Unit(benchmark::kMillisecond);

// One preview page image at 96 pixels per inch: what a page change in the dialog costs.
void BM_PreviewPageImage(benchmark::State& state) {
    const HistoryDataSet& history = FullHistory();
    const auto times = ParseHistoryTimes(history);
    const PrintSelection selection = SelectForPrint(history, times, times.front(), times.back());
    const SurfaceMetrics screen = MetricsFor(96, 96);
    const auto mode = state.range(0) == 0 ? PrintMode::Curve : PrintMode::Text;
    const PrintJob job{history,
                       selection,
                       mode,
                       PageCountFor(mode, selection, kMaxCurvePages),
                       screen,
                       ColumnUnitFor(screen),
                       StripCountFor(kMaxCurvePages)};
    CurveBuffers buffers(job.columnUnit);
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPageImage(job, 2, 96, 96, buffers));
}
BENCHMARK(BM_PreviewPageImage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veldrin

// main() with the Qt application that text drawing needs.
#include "bench/gui_bench_main.h"
