// The comparison of several histories, through the real window: its legend, the time axis, the
// wheel, rectangle and pan gestures, reset, the cursor's readings, the limit lines, the drawing of
// dense histories and the refusal of too many histories.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <memory>
#include <set>

#include "app/ComparisonChart.h"
#include "app/ComparisonTimeAxis.h"
#include "app/ComparisonWindow.h"
#include "logger/WireCodec.h"
#include "tests/app/AppTestSupport.h"

namespace veldrin {
namespace {

using History = std::shared_ptr<HistoryDataSet>;

// Local time on day `day` of May 2024, day 0 being 30 April (the test zone has no summer time).
std::time_t At(int day, int hour, int minute) {
    return MakeLocalTime(2024, 5, 1, hour, minute, 0).value() + (day - 1) * 86400;
}

// `count` readings `interval` seconds apart from `start`; channel values from the functions.
template <typename Value1, typename Value2>
History MakeHistory(LoggerModel model, std::time_t start, int interval, int count, Value1 value1,
                    Value2 value2) {
    auto history = std::make_shared<HistoryDataSet>();
    history->model = model;
    history->shown = {true, HasSecondChannel(model)};
    for (int i = 0; i < count; ++i)
        history->samples.SetHistorySample(i, value1(i), value2(i),
                                          start + static_cast<std::time_t>(i) * interval);
    history->summary.start = start;
    history->summary.intervalSeconds = interval;
    return history;
}

// The value shown for `history`'s channel at `time`, worked out from its start and interval, the
// temperature in `unit`.
QString Expected(const HistoryDataSet& history, int channel, double time,
                 TemperatureUnit unit = TemperatureUnit::Celsius) {
    const double offset = time - static_cast<double>(history.samples.Time(0));
    const int index = static_cast<int>(std::floor(offset / history.summary.intervalSeconds));
    if (offset < 0 || index >= history.samples.Count())
        return QStringLiteral("—");
    const float value = channel == 1 ? history.samples.Value1(index) : history.samples.Value2(index);
    return QString::number(TemperatureInUnit(value, unit), 'f', 2);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void Drag(QWidget* widget, QPoint from, QPoint to, Qt::MouseButton button) {
    SendMouse(widget, QEvent::MouseButtonPress, from, button, button);
    SendMouse(widget, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
    SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, button);
    SendMouse(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

void Wheel(QWidget* widget, QPoint at, int delta) {
    QWheelEvent event(QPointF(at), widget->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// Pixels of exactly `colour` on row `y` of the plot.
int PixelsOnRow(const QImage& image, const QRect& plot, int y, const QColor& colour) {
    int count = 0;
    for (int x = plot.left() + 1; x < plot.right(); ++x)
        count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    return count;
}

class ComparisonWindowTest : public ::testing::Test {
  protected:
    ComparisonWindowTest() {
        // Two temperature histories and one of temperature and humidity, of different periods
        // and intervals, with limits no reading reaches.
        first = MakeHistory(
            LoggerModel::SingleTemperature, At(1, 8, 0), 60, 600, [](int i) { return 10 + 0.01F * i; },
            [](int) { return 0.0F; });
        first->limits = {4, 22, 0, 0, 1};
        second = MakeHistory(
            LoggerModel::SingleTemperature, At(1, 12, 0), 30, 1000,
            [](int i) { return -5 + 0.1F * (i % 100); }, [](int) { return 0.0F; });
        second->limits = {-8, 7, 0, 0, 1};
        humid = MakeHistory(
            LoggerModel::TemperatureHumidity, At(0, 20, 0), 120, 500, [](int i) { return 25 - 0.01F * i; },
            [](int i) { return 40.0F + static_cast<float>(i % 50); });
        humid->limits = {15, 30, 30, 95, 1};
        window = std::make_unique<ComparisonWindow>(
            nullptr, std::vector<ComparedHistory>{{QStringLiteral("#1 冷库"), first},
                                                  {QStringLiteral("#2 冻库"), second},
                                                  {QStringLiteral("#3 仓库"), humid}});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        chart = window->Chart();
    }

    // The cursor's value column, row by row.
    QStringList CursorValues() const {
        QStringList values;
        for (int row = 0; row < window->CursorTable()->rowCount(); ++row)
            values << window->CursorTable()->item(row, 1)->text();
        return values;
    }

    void Click(double time) {
        const QPoint at(static_cast<int>(std::lround(chart->XForTime(time))), chart->PlotRect().center().y());
        SendMouse(chart, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        SendMouse(chart, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    History first, second, humid;
    std::unique_ptr<ComparisonWindow> window;
    ComparisonChart* chart = nullptr;
};

TEST_F(ComparisonWindowTest, LegendHasOneEntryPerHistoryAndChannelEachInItsOwnColour) {
    QListWidget* legend = window->Legend();
    ASSERT_EQ(legend->count(), 4);
    EXPECT_TRUE(legend->item(0)->text().startsWith(QStringLiteral("#1 冷库")));
    EXPECT_TRUE(legend->item(1)->text().startsWith(QStringLiteral("#2 冻库")));
    EXPECT_TRUE(legend->item(2)->text().startsWith(QStringLiteral("#3 仓库")));
    EXPECT_TRUE(legend->item(3)->text().contains(QStringLiteral("湿度")));
    std::set<QRgb> colours;
    for (const ComparisonCurve& curve : chart->Curves())
        colours.insert(curve.colour.rgb());
    EXPECT_EQ(colours.size(), 4U);
    // Humidity has a scale of its own; only the temperature-humidity logger's channel 2 is on it.
    EXPECT_TRUE(chart->HasTemperatureScale());
    EXPECT_TRUE(chart->HasHumidityScale());
    ASSERT_EQ(chart->Curves().size(), 4U);
    EXPECT_FALSE(chart->Curves()[2].humidity);
    EXPECT_TRUE(chart->Curves()[3].humidity);
    EXPECT_LT(chart->TemperatureRange().high, 40);  // 25 °C at most, not the humidity's 89 %
    EXPECT_GT(chart->HumidityRange().high, 89);
}

TEST_F(ComparisonWindowTest, TimeAxisLabelsAreTheLocalTimesOfTheirTicksWithinThePeriod) {
    EXPECT_EQ(chart->FullStart(), static_cast<double>(At(0, 20, 0)));
    EXPECT_EQ(chart->FullEnd(), static_cast<double>(At(1, 12, 0) + 999 * 30));
    const std::vector<TimeTick> ticks = chart->Ticks();
    ASSERT_GE(ticks.size(), 3U);
    for (const TimeTick& tick : ticks) {
        EXPECT_GE(tick.time, chart->FullStart());
        EXPECT_LE(tick.time, chart->FullEnd());
        // A day and a night: month, day, hour and minute.
        EXPECT_EQ(tick.label, QDateTime::fromSecsSinceEpoch(static_cast<qint64>(tick.time))
                                  .toString(QStringLiteral("MM-dd HH:mm")));
    }
    // A few minutes: times with seconds.
    chart->SetView(static_cast<double>(At(1, 9, 0)), static_cast<double>(At(1, 9, 2)));
    const std::vector<TimeTick> close = chart->Ticks();
    ASSERT_GE(close.size(), 3U);
    for (const TimeTick& tick : close) {
        EXPECT_GE(tick.time, static_cast<double>(At(1, 9, 0)));
        EXPECT_LE(tick.time, static_cast<double>(At(1, 9, 2)));
        EXPECT_EQ(tick.label, QDateTime::fromSecsSinceEpoch(static_cast<qint64>(tick.time))
                                  .toString(QStringLiteral("HH:mm:ss")));
    }
}

TEST(ComparisonTimeAxis, TicksFallOnRoundLocalTimes) {
    // An hour on 600 pixels with 100 pixels a label: a tick every ten minutes from 08:00.
    const double start = static_cast<double>(At(1, 7, 55));
    const std::vector<TimeTick> ticks = TimeTicks(start, start + 3600, 600, 100);
    ASSERT_EQ(ticks.size(), 6U);
    EXPECT_EQ(ticks[0].time, static_cast<double>(At(1, 8, 0)));
    EXPECT_EQ(ticks[0].label, QStringLiteral("08:00"));
    EXPECT_EQ(ticks[5].label, QStringLiteral("08:50"));
    // Sixty days: whole days at local midnight.
    const std::vector<TimeTick> days = TimeTicks(start, start + 60 * 86400.0, 600, 100);
    ASSERT_FALSE(days.empty());
    for (const TimeTick& tick : days) {
        const QDateTime local = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(tick.time));
        EXPECT_EQ(local.time(), QTime(0, 0));
        EXPECT_EQ(tick.label, local.toString(QStringLiteral("MM-dd")));
    }
    EXPECT_GE(TimeTickStep(start, start + 60 * 86400.0, 600, 100), 86400 * 10);
    EXPECT_TRUE(TimeTicks(start, start, 600, 100).empty());
}

TEST_F(ComparisonWindowTest, WheelZoomsAroundTheMouseAndRectangleZoomsToItsRangeAndResetRestores) {
    const QRect plot = chart->PlotRect();
    const QPoint mouse(plot.left() + plot.width() / 4, plot.center().y());
    const double anchor = chart->TimeAtX(mouse.x());
    const double span = chart->ViewEnd() - chart->ViewStart();
    Wheel(chart, mouse, 120);
    EXPECT_NEAR(chart->ViewEnd() - chart->ViewStart(), span * 0.8, 1);
    EXPECT_NEAR(chart->TimeAtX(mouse.x()), anchor, 1);
    EXPECT_GT(chart->ViewStart(), chart->FullStart());
    EXPECT_LT(chart->ViewEnd(), chart->FullEnd());
    Wheel(chart, mouse, -240);
    EXPECT_NEAR(chart->ViewEnd() - chart->ViewStart(), span * 0.8 / 0.64, 1);
    EXPECT_NEAR(chart->TimeAtX(mouse.x()), anchor, 1);

    chart->Reset();
    const QPoint from(plot.left() + 100, plot.top() + 20);
    const QPoint to(plot.left() + 250, plot.bottom() - 20);
    const double start = chart->TimeAtX(from.x());
    const double end = chart->TimeAtX(to.x());
    const double secondsPerPixel = span / plot.width();
    const ValueRange full = chart->TemperatureRange();
    const double degreesPerPixel = (full.high - full.low) / (plot.height() - 1);
    Drag(chart, from, to, Qt::LeftButton);
    EXPECT_NEAR(chart->ViewStart(), start, secondsPerPixel);
    EXPECT_NEAR(chart->ViewEnd(), end, secondsPerPixel);
    // The rectangle's rows become the scale: 20 pixels off the top and off the bottom.
    EXPECT_NEAR(chart->TemperatureRange().high, full.high - 20 * degreesPerPixel, 1.5 * degreesPerPixel);
    EXPECT_NEAR(chart->TemperatureRange().low, full.low + 20 * degreesPerPixel, 1.5 * degreesPerPixel);

    // A right drag moves the view by the distance dragged, keeping its span.
    const double zoomedStart = chart->ViewStart();
    const double zoomedSpan = chart->ViewEnd() - chart->ViewStart();
    Drag(chart, QPoint(plot.left() + 300, plot.center().y()), QPoint(plot.left() + 200, plot.center().y()),
         Qt::RightButton);
    EXPECT_NEAR(chart->ViewEnd() - chart->ViewStart(), zoomedSpan, 1e-6 * zoomedSpan);
    EXPECT_NEAR(chart->ViewStart(), zoomedStart + 100 * zoomedSpan / plot.width(), 1);

    window->findChild<QPushButton*>(QStringLiteral("reset"))->click();
    EXPECT_EQ(chart->ViewStart(), chart->FullStart());
    EXPECT_EQ(chart->ViewEnd(), chart->FullEnd());
    EXPECT_EQ(chart->TemperatureRange().high, full.high);
    EXPECT_EQ(chart->TemperatureRange().low, full.low);
}

TEST_F(ComparisonWindowTest, CursorReadsEveryCurveAtItsTimeAndADashOutsideAHistorysPeriod) {
    ASSERT_EQ(window->CursorTable()->rowCount(), 4);
    // Within all three periods.
    Click(static_cast<double>(At(1, 12, 20)) + 45);
    ASSERT_TRUE(chart->CursorTime().has_value());
    double time = *chart->CursorTime();
    EXPECT_NEAR(time, static_cast<double>(At(1, 12, 20)) + 45,
                (chart->ViewEnd() - chart->ViewStart()) / chart->PlotRect().width());
    QStringList values = CursorValues();
    EXPECT_EQ(values[0], Expected(*first, 1, time));
    EXPECT_EQ(values[1], Expected(*second, 1, time));
    EXPECT_EQ(values[2], Expected(*humid, 1, time));
    EXPECT_EQ(values[3], Expected(*humid, 2, time));
    EXPECT_NE(values[0], QStringLiteral("—"));
    EXPECT_NE(values[1], QStringLiteral("—"));
    EXPECT_NE(values[3], QStringLiteral("—"));

    // Zoomed in to a few minutes, the cursor lands on exact readings: 10 + 0.01 × 70 at 09:10.
    chart->SetView(static_cast<double>(At(1, 9, 5)), static_cast<double>(At(1, 9, 15)));
    Click(static_cast<double>(At(1, 9, 10)) + 20);
    time = *chart->CursorTime();
    values = CursorValues();
    EXPECT_EQ(values[0], QStringLiteral("10.70"));
    EXPECT_EQ(values[1], QStringLiteral("—"));  // before the second history began
    EXPECT_EQ(values[2], Expected(*humid, 1, time));
    EXPECT_EQ(values[3], Expected(*humid, 2, time));

    // The night before: only the temperature-humidity history was recording.
    chart->Reset();
    Click(static_cast<double>(At(0, 23, 0)));
    values = CursorValues();
    EXPECT_EQ(values[0], QStringLiteral("—"));
    EXPECT_EQ(values[1], QStringLiteral("—"));
    EXPECT_EQ(values[2], Expected(*humid, 1, *chart->CursorTime()));
    EXPECT_NE(values[2], QStringLiteral("—"));
}

TEST_F(ComparisonWindowTest, InFahrenheitTheTemperatureScaleAndTheCursorValuesAreConvertedAndTheCurvesStay) {
    chart->SetView(static_cast<double>(At(1, 9, 5)), static_cast<double>(At(1, 9, 15)));
    Click(static_cast<double>(At(1, 9, 10)) + 20);
    const double time = *chart->CursorTime();
    const QStringList celsius = CursorValues();
    ASSERT_EQ(celsius[0], QStringLiteral("10.70"));
    const ValueRange range = chart->TemperatureRange();
    const std::vector<ScaleTick> humidityTicks = chart->ScaleTicks(true);
    EXPECT_EQ(chart->ScaleTitle(false), QStringLiteral("温度(°C)"));

    window->SetUnit(TemperatureUnit::Fahrenheit);
    EXPECT_EQ(chart->ScaleTitle(false), QStringLiteral("温度(°F)"));
    EXPECT_EQ(chart->ScaleTitle(true), QStringLiteral("湿度(%)"));
    const QStringList fahrenheit = CursorValues();
    EXPECT_EQ(fahrenheit[0], QStringLiteral("51.26"));  // 10.70 °C
    EXPECT_EQ(fahrenheit[2], Expected(*humid, 1, time, TemperatureUnit::Fahrenheit));
    EXPECT_EQ(fahrenheit[3], celsius[3]) << "humidity has no unit to choose";
    // The curves stay where they are: the scale holds the same temperatures, its marks are round
    // °F values standing where those temperatures are drawn.
    EXPECT_EQ(chart->TemperatureRange().low, range.low);
    EXPECT_EQ(chart->TemperatureRange().high, range.high);
    const std::vector<ScaleTick> ticks = chart->ScaleTicks(false);
    ASSERT_GE(ticks.size(), 3U);
    const double step = ticks[1].label.toDouble() - ticks[0].label.toDouble();
    for (const ScaleTick& tick : ticks) {
        const double degrees = tick.label.toDouble();
        EXPECT_NEAR(std::remainder(degrees, step), 0.0, 1e-6) << tick.label.toStdString();
        EXPECT_GE(degrees, TemperatureInUnit(range.low, TemperatureUnit::Fahrenheit));
        EXPECT_LE(degrees, TemperatureInUnit(range.high, TemperatureUnit::Fahrenheit));
        EXPECT_NEAR(tick.y,
                    chart->YForValue(chart->Curves()[0], CelsiusOf(degrees, TemperatureUnit::Fahrenheit)), 1)
            << tick.label.toStdString();
    }
    const std::vector<ScaleTick> humidityInFahrenheit = chart->ScaleTicks(true);
    ASSERT_EQ(humidityInFahrenheit.size(), humidityTicks.size());
    for (std::size_t i = 0; i < humidityTicks.size(); ++i) {
        EXPECT_EQ(humidityInFahrenheit[i].label, humidityTicks[i].label);
        EXPECT_EQ(humidityInFahrenheit[i].y, humidityTicks[i].y);
    }

    window->SetUnit(TemperatureUnit::Celsius);
    EXPECT_EQ(chart->ScaleTitle(false), QStringLiteral("温度(°C)"));
    EXPECT_EQ(CursorValues(), celsius);
}

TEST_F(ComparisonWindowTest, ShownLimitsAreLinesInTheirCurvesColours) {
    const QRect plot = chart->PlotRect();
    const ComparisonCurve& temperature = chart->Curves()[0];
    const ComparisonCurve& humidity = chart->Curves()[3];
    EXPECT_LT(
        PixelsOnRow(chart->grab().toImage(), plot, chart->YForValue(temperature, 22), temperature.colour),
        plot.width() / 10);

    testing::ClickCheckBox(window->findChild<QCheckBox*>(QStringLiteral("limits")));
    ASSERT_TRUE(chart->LimitsShown());
    const QImage shown = chart->grab().toImage();
    for (const float limit : {4.0F, 22.0F})
        EXPECT_GT(PixelsOnRow(shown, plot, chart->YForValue(temperature, limit), temperature.colour),
                  plot.width() / 3)
            << limit;
    for (const float limit : {30.0F, 95.0F})
        EXPECT_GT(PixelsOnRow(shown, plot, chart->YForValue(humidity, limit), humidity.colour),
                  plot.width() / 3)
            << limit;
    // The scales took in the limits: 95 % lies within the humidity scale.
    EXPECT_GT(chart->HumidityRange().high, 95);
    EXPECT_LT(chart->TemperatureRange().low, -8);
}

TEST(ComparisonChartDrawing, OneReadingSpikeAmongAHundredThousandSurvivesTheWholeView) {
    auto history = MakeHistory(
        LoggerModel::SingleTemperature, At(1, 0, 0), 60, SampleSeries::kCapacity,
        [](int i) { return i == 54321 ? 80.0F : 20.0F + 0.00001F * static_cast<float>(i); },
        [](int) { return 0.0F; });
    ComparisonWindow window(nullptr, {{QStringLiteral("#9"), history}});
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ComparisonChart* chart = window.Chart();
    const ComparisonCurve& curve = chart->Curves()[0];
    const QImage image = chart->grab().toImage();
    const int x =
        static_cast<int>(std::lround(chart->XForTime(static_cast<double>(history->samples.Time(54321)))));
    const int top = chart->YForValue(curve, 80);
    bool found = false;
    for (int dx = -1; dx <= 1; ++dx)
        found = found || image.pixelColor(x + dx, top).rgb() == curve.colour.rgb();
    EXPECT_TRUE(found);
    // The rest of the curve lies at 20 … 21 °C.
    EXPECT_GT(PixelsOnRow(image, chart->PlotRect(), chart->YForValue(curve, 20.5), curve.colour), 0);
}

TEST(OpenComparison, RefusesMoreThanTwelveHistoriesWithAMessageAndOpensTwelve) {
    std::vector<ComparedHistory> histories;
    for (int i = 0; i < 13; ++i) {
        histories.push_back(
            {QStringLiteral("#%1").arg(i + 1),
             MakeHistory(
                 LoggerModel::SingleTemperature, At(1, 8, 0) + i * 600, 60, 100,
                 [i](int k) { return static_cast<float>(i + k); }, [](int) { return 0.0F; })});
    }
    auto seen = std::make_shared<QString>();
    testing::AcceptNextDialog(seen);
    EXPECT_EQ(OpenComparison(nullptr, histories), nullptr);
    EXPECT_TRUE(seen->contains(QStringLiteral("12")));
    EXPECT_TRUE(seen->contains(QStringLiteral("13")));
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<ComparisonWindow*>(widget), nullptr);

    histories.pop_back();
    QWidget* opened = OpenComparison(nullptr, histories);
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(qobject_cast<ComparisonWindow*>(opened)->Legend()->count(), 12);
    delete opened;
}

}  // namespace
}  // namespace veldrin
