// Opening a 100000-sample two-channel data file in the window, until the history curve page has
// painted: reading the file, the lists, the summary, the chart and the first paint (offscreen).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTabWidget>
#include <QWindow>
#include <filesystem>

#include "app/CDlgHistory.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/FileCommands.h"
#include "app/Workspace.h"
#include "bench/BenchHistory.h"
#include "bench/PaintCounter.h"
#include "files/DataFile.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

void BM_OpenDataFileUntilThePagePainted(benchmark::State& state) {
    const test::TempFolder temp;
    const std::string& folder = temp.Path();
    const std::string path = folder + "/history.Vdr";
    if (!WriteDataFile(path, *bench::TwoChannelHistory())) {
        state.SkipWithError("cannot write the data file");
        return;
    }
    LoggerInfo info;
    CMainFrame frame(info);
    Workspace workspace(info, frame);
    FileCommands files(workspace, frame, nullptr);
    frame.resize(1000, 720);
    frame.show();
    QElapsedTimer showing;
    showing.start();
    while (!(frame.windowHandle() != nullptr && frame.windowHandle()->isExposed()) &&
           showing.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    if (!frame.windowHandle()->isExposed()) {
        state.SkipWithError("the window did not show");
        return;
    }
    QWidget* page = frame.View()->HistoryPanel()->DataTabs()->widget(0);
    bench::PaintCounter counter(page);
    const QString file = QString::fromStdString(path);
    for (auto _ : state) {
        const int before = counter.Paints();
        if (!files.OpenPath(file) || workspace.Records().History().samples.Count() != bench::kSamples) {
            state.SkipWithError("open failed");
            break;
        }
        while (counter.Paints() == before) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenDataFileUntilThePagePainted)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace veldrin

#include "bench/widget_bench_main.h"
