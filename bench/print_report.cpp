// The report of a full history (100000 samples) written as a PDF: the one-page report (budget
// 1 s), and the report followed by every reading.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench/gui_bench_main.h"
#include "logger/WireCodec.h"
#include "print/ReportPdf.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

// A temperature-humidity history of 100000 samples a minute apart, crossing its limits.
const HistoryDataSet& FullHistory() {
    static const std::unique_ptr<HistoryDataSet> history = [] {
        auto made = std::make_unique<HistoryDataSet>();
        made->model = LoggerModel::TemperatureHumidity;
        made->shown = {true, true};
        made->summary.title = "冷库一号";
        made->summary.channel2Unit = "%";
        made->summary.intervalSeconds = 60;
        made->limits = HistoryLimits{2, 8, 40, 80, 1};
        const std::time_t start = *MakeLocalTime(2024, 3, 1, 8, 0, 0);
        for (int i = 0; i < SampleSeries::kCapacity; ++i) {
            const std::time_t time = start + static_cast<std::time_t>(i) * 60;
            const float value1 =
                4.0f + static_cast<float>((i / 7) % 61) / 10.0f - (i % 5000 < 30 ? 4.0f : 0.0f);
            const float value2 = 45.0f + static_cast<float>((i * 11) % 400) / 10.0f;
            made->samples.SetHistorySample(i, value1, value2, time);
        }
        return made;
    }();
    return *history;
}

void WriteReport(benchmark::State& state, bool withReadings) {
    const test::TempFolder folder;
    const std::string path = folder.File("report.pdf");
    int pages = 0;
    for (auto _ : state) {
        ReportOptions options;
        options.withReadings = withReadings;
        const ReportResult result = ExportReportPdf(FullHistory(), options, path);
        if (result.status != ReportStatus::Written)
            state.SkipWithError(result.message.c_str());
        pages = result.pages;
    }
    state.counters["pages"] = pages;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void BM_ReportToPdf(benchmark::State& state) {
    WriteReport(state, false);
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReportWithReadingsToPdf(benchmark::State& state) {
    WriteReport(state, true);
}
BENCHMARK(BM_ReportWithReadingsToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace veldrin
