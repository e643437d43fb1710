// The same comparison drawn by Qt Charts instead of the comparison chart: ten QLineSeries of
// 100000 points on a date-time axis, from building the chart until its view has painted, and one
// zoom step with its redraw. The figures against bench_app_compare_histories decided that the
// comparison window draws its curves itself.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineSeries>
#include <QValueAxis>

#include "bench/BenchHistory.h"
#include "bench/PaintCounter.h"

namespace veldrin {
namespace {

constexpr int kHistories = 10;

std::unique_ptr<QChartView> MakeView(const HistoryDataSet& history) {
    auto* chart = new QChart;
    auto* time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("MM-dd HH:mm"));
    auto* value = new QValueAxis;
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(value, Qt::AlignLeft);
    for (int h = 0; h < kHistories; ++h) {
        QList<QPointF> points;
        points.reserve(bench::kSamples);
        for (int i = 0; i < bench::kSamples; ++i) {
            points.append(QPointF(static_cast<double>(history.samples.Time(i) + 3600 * h) * 1000,
                                  static_cast<double>(history.samples.Value1(i)) + h));
        }
        auto* series = new QLineSeries;
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(value);
    }
    auto view = std::make_unique<QChartView>(chart);
    view->resize(1000, 600);
    return view;
}

void BM_QtChartsTenSeriesUntilFirstPaint(benchmark::State& state) {
    const auto history = bench::TwoChannelHistory();
    for (auto _ : state) {
        std::unique_ptr<QChartView> view = MakeView(*history);
        bench::PaintCounter counter(view->viewport());
        view->show();
        if (!counter.WaitForFirstPaint(20000)) {
            state.SkipWithError("the chart did not paint");
            break;
        }
    }
}
BENCHMARK(BM_QtChartsTenSeriesUntilFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_QtChartsTenSeriesZoomStep(benchmark::State& state) {
    const auto history = bench::TwoChannelHistory();
    std::unique_ptr<QChartView> view = MakeView(*history);
    view->show();
    QCoreApplication::processEvents();
    bool in = true;
    for (auto _ : state) {
        view->chart()->zoom(in ? 1.25 : 0.8);
        view->viewport()->repaint();
        in = !in;
    }
}
BENCHMARK(BM_QtChartsTenSeriesZoomStep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(6);

}  // namespace
}  // namespace veldrin

#include "bench/widget_bench_main.h"
