// The worksheet export of a full history: a 100000-sample temperature-humidity alarm list and the
// summary into "汇总1", "数据1" and "数据2" (budget: 1 s). For comparison, Gnumeric's ssconvert
// turns the same rows from CSV into an .xls file; the ratio counter says how many times longer it
// takes than the export.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "history/HistoryDataSet.h"
#include "history/HistoryListRows.h"
#include "tests/TempFolder.h"
#include "workbook/Workbook.h"

namespace veldrin {
namespace {

struct History {
    HistoryDataSet data;
    HistoryListRows alarms{ListKind::HistoryAlarm};

    History() {
        data.model = LoggerModel::TemperatureHumidity;
        data.shown = {true, true};
        data.limits = {10.0f, 25.0f, 30.0f, 70.0f, 1};
        const std::time_t start = 1714521600;  // 2024-05-01 08:00:00 in Asia/Shanghai
        for (int i = 0; i < SampleSeries::kCapacity; ++i) {
            const std::time_t time = start + i * 60;
            std::tm local{};
            localtime_r(&time, &local);
            char text[64];
            std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                          local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
            data.samples.SetHistorySample(i, 5.0f + static_cast<float>(i % 300) / 10.0f,
                                          20.0f + static_cast<float>(i % 600) / 10.0f, time);
        }
        data.summary.enabledChannelCount = 2;
        data.summary.dataLengthValue = SampleSeries::kCapacity;
        FillHistoryRows(data, data.model, true, alarms);
    }
};

History& SharedHistory() {
    static History history;
    return history;
}

std::string Folder() {
    static const test::TempFolder folder;
    return folder.Path();
}

double ExportSeconds(History& history, const std::string& path) {
    const auto begin = std::chrono::steady_clock::now();
    auto result = ExportWorksheet(path, history.data, history.data.model, true);
    const auto end = std::chrono::steady_clock::now();
    if (!result.written)
        std::fprintf(stderr, "export failed: %s\n",
                     result.messages.empty() ? "" : result.messages[0].text.c_str());
    return std::chrono::duration<double>(end - begin).count();
}

void BM_WorksheetExport100000(benchmark::State& state) {
    History& history = SharedHistory();
    const std::string path = Folder() + "/export.xls";
    for (auto _ : state) {
        auto result = ExportWorksheet(path, history.data, history.data.model, true);
        if (!result.written)
            state.SkipWithError("export failed");
    }
    state.counters["rows"] = history.alarms.Rows();
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BM_WorksheetExport100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same alarm rows as CSV, converted to .xls by ssconvert.
void BM_SsconvertSameRows(benchmark::State& state) {
    if (!std::filesystem::exists("/usr/bin/ssconvert")) {
        state.SkipWithError("ssconvert is not installed");
        return;
    }
    History& history = SharedHistory();
    const std::string csv = Folder() + "/alarms.csv";
    {
        std::ofstream out(csv, std::ios::binary);
        const auto& list = history.alarms;
        for (int row = -1; row < list.Rows(); ++row) {
            for (std::size_t column = 0; column < list.Columns().size(); ++column) {
                const std::string text =
                    row < 0 ? list.Columns()[column].header : list.CellText(row, static_cast<int>(column));
                out << (column ? "," : "") << '"' << text << '"';
            }
            out << '\n';
        }
    }
    const std::string xls = Folder() + "/ssconvert.xls";
    const std::string command = "/usr/bin/ssconvert --export-type=Gnumeric_Excel:excel_biff8 '" + csv +
                                "' '" + xls + "' >/dev/null 2>&1";
    double ssconvertSeconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("ssconvert failed");
        ssconvertSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }
    const double exportSeconds = ExportSeconds(history, Folder() + "/export.xls");
    state.counters["ssconvert_s"] = ssconvertSeconds;
    state.counters["export_s"] = exportSeconds;
    state.counters["ratio"] = ssconvertSeconds / exportSeconds;
}
BENCHMARK(BM_SsconvertSameRows)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace veldrin

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
