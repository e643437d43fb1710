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

namespace veldrin {
namespace {

constexpr int kHistories = 10;

// Counts the paints of one widget.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Paints() const { return paints_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints_;
        return QObject::eventFilter(watched, event);
    }

  private:
    int paints_ = 0;
};

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
        PaintCounter counter(view->viewport());
        view->show();
        QElapsedTimer waiting;
        waiting.start();
        while (counter.Paints() == 0 && waiting.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (counter.Paints() == 0) {
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
