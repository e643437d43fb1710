// The comparison of ten histories of 100000 readings (a million points): from opening the window
// until its chart has painted, and one wheel step of zoom with its redraw (offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWheelEvent>
#include <QWindow>

#include "app/ComparisonChart.h"
#include "app/ComparisonWindow.h"
#include "bench/BenchHistory.h"
#include "bench/PaintCounter.h"

namespace veldrin {
namespace {

constexpr int kHistories = 10;

// Ten temperature histories of 100000 readings, an hour apart.
std::vector<ComparedHistory> Histories() {
    std::vector<ComparedHistory> histories;
    for (int h = 0; h < kHistories; ++h) {
        auto history = std::shared_ptr<HistoryDataSet>(bench::TwoChannelHistory());
        history->shown = {true, false};
        for (int i = 0; i < bench::kSamples; ++i) {
            history->samples.SetHistorySample(i, history->samples.Value1(i) + static_cast<float>(h),
                                              history->samples.Value2(i),
                                              history->samples.Time(i) + 3600 * h);
        }
        histories.push_back({QStringLiteral("#%1").arg(h + 1), history});
    }
    return histories;
}

void BM_CompareTenHistoriesUntilFirstPaint(benchmark::State& state) {
    const std::vector<ComparedHistory> histories = Histories();
    for (auto _ : state) {
        ComparisonWindow window(nullptr, histories);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        bench::PaintCounter counter(window.Chart());
        window.show();
        if (!counter.WaitForFirstPaint(5000)) {
            state.SkipWithError("the chart did not paint");
            break;
        }
    }
}
BENCHMARK(BM_CompareTenHistoriesUntilFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CompareTenHistoriesWheelZoomStep(benchmark::State& state) {
    ComparisonWindow window(nullptr, Histories());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QCoreApplication::processEvents();
    ComparisonChart* chart = window.Chart();
    const QPointF at(chart->PlotRect().center());
    int direction = 120;
    for (auto _ : state) {
        // In and out in turn, so that every step draws the whole million readings' span or nearly.
        QWheelEvent wheel(at, chart->mapToGlobal(at), QPoint(), QPoint(0, direction), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart, &wheel);
        chart->repaint();
        direction = -direction;
    }
}
BENCHMARK(BM_CompareTenHistoriesWheelZoomStep)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace veldrin

#include "bench/widget_bench_main.h"
