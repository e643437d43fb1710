// The curve pages' draw routine: which curves, titles, labels, limits and cursor values each page
// shows for each model and channel choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "logger/WireCodec.h"
#include "measure/CurvePageDrawing.h"

namespace veldrin {
namespace {

constexpr QRgb kRed = qRgb(200, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 200);

const PageText* TextAt(const std::vector<PageText>& texts, int x, int y) {
    const auto found =
        std::find_if(texts.begin(), texts.end(), [&](const PageText& t) { return t.x == x && t.y == y; });
    return found == texts.end() ? nullptr : &*found;
}

QString TextOrNone(const std::vector<PageText>& texts, int x, int y) {
    const PageText* text = TextAt(texts, x, y);
    return text == nullptr ? QStringLiteral("<none>") : text->text;
}

int CountAt(const std::vector<PageText>& texts, int x) {
    return static_cast<int>(
        std::count_if(texts.begin(), texts.end(), [&](const PageText& t) { return t.x == x; }));
}

// Pixels of `colour` in the chart picture, leaving out the cursor's column (drawn in the same red).
int PixelsOf(const CurveChart& chart, QRgb colour) {
    const QImage& image = chart.Image();
    int pixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (x != chart.CursorPosition() && image.pixel(x, y) == (colour | 0xff000000u)) {
                ++pixels;
            }
        }
    }
    return pixels;
}

// Sample i of a test history is taken a minute after sample i − 1.
std::time_t TimeOf(int index) {
    return MakeLocalTime(2024, 3, 1, 8, 0, 0).value() + 60 * static_cast<std::time_t>(index);
}

std::string TimeTextOf(int index) {
    return FormatTime(TimeOf(index));
}

QString RealtimeTimeTextOf(int index) {
    return QString::fromStdString(FormatTime(TimeOf(index), TimeStyle::Realtime));
}

HistoryDataSet Ramp(LoggerModel model, int count, std::array<bool, 2> shown) {
    HistoryDataSet history;
    history.model = model;
    history.shown = shown;
    history.limits = {10.0f, 90.0f, 20.0f, 80.0f, 1};
    for (int i = 0; i < count; ++i) {
        history.samples.SetHistorySample(i, static_cast<float>(i), static_cast<float>(i) / 2, TimeOf(i));
    }
    return history;
}

void LoadHistory(CurveChart& chart, const HistoryDataSet& history) {
    chart.Initialise();
    chart.Load1(history.samples.Values1(), history.samples.Count());
    chart.Load2(history.samples.Values2(), history.samples.Count());
}

TEST(CurvePageDrawing, RealtimeTemperatureHumidityPageShowsBothChannelsInTheirColours) {
    CurveChart chart;
    SampleSeries series;
    for (int i = 0; i < 20; ++i) {
        series.AppendRealtime(20.0f + static_cast<float>(i), 50.0f - static_cast<float>(i), TimeOf(i));
        chart.Append1(20.0f + static_cast<float>(i));
        chart.Append2(50.0f - static_cast<float>(i));
    }
    const auto texts = DrawRealtimeCurvePage(chart, series, LoggerModel::TemperatureHumidity);

    EXPECT_EQ(TextOrNone(texts, 5, 5), QStringLiteral("温度°C"));
    EXPECT_EQ(TextOrNone(texts, 595, 30), QStringLiteral("温度°C"));
    EXPECT_EQ(TextOrNone(texts, 550, 5), QStringLiteral("湿度%RH"));
    EXPECT_EQ(TextOrNone(texts, 595, 80), QStringLiteral("湿度%"));
    EXPECT_EQ(TextAt(texts, 5, 5)->colour, kRed);
    EXPECT_EQ(TextAt(texts, 550, 5)->colour, kBlue);
    // Nine labels a side, 64 rows apart from row 24; they carry the chart's label values.
    for (int m = 0; m < CurveChart::kLabelCount; ++m) {
        const PageText* left = TextAt(texts, 5, m * 64 + 24);
        const PageText* right = TextAt(texts, 552, m * 64 + 24);
        ASSERT_NE(left, nullptr) << m;
        ASSERT_NE(right, nullptr) << m;
        EXPECT_EQ(left->colour, kRed);
        EXPECT_EQ(right->colour, kBlue);
        EXPECT_LE(left->text.size(), 5);
        EXPECT_NEAR(left->text.toDouble(), chart.Labels(1)[m], 0.1);
        EXPECT_NEAR(right->text.toDouble(), chart.Labels(2)[m], 0.1);
    }
    // The cursor starts on the first drawn point: the first reading, whose time is in the store
    // at index 1.
    EXPECT_EQ(TextOrNone(texts, 595, 50), QStringLiteral("20.00   "));
    EXPECT_EQ(TextOrNone(texts, 595, 100), QStringLiteral("50.00   "));
    EXPECT_EQ(chart.CursorText(), RealtimeTimeTextOf(0));
    EXPECT_GT(PixelsOf(chart, kRed), 0);
    EXPECT_GT(PixelsOf(chart, kBlue), 0);
}

TEST(CurvePageDrawing, RealtimeSingleTemperaturePageHasNoSecondChannel) {
    CurveChart chart;
    SampleSeries series;
    series.AppendRealtime(-12.345f, 0, 0);
    chart.Append1(-12.345f);
    chart.Append2(99.0f);  // left from an earlier logger: not drawn for this model
    const auto texts = DrawRealtimeCurvePage(chart, series, LoggerModel::SingleTemperature);
    EXPECT_EQ(CountAt(texts, 552), 0);
    EXPECT_EQ(CountAt(texts, 550), 0);
    EXPECT_EQ(TextAt(texts, 595, 100), nullptr);
    EXPECT_EQ(PixelsOf(chart, kBlue), 0);
    // Values are cut to eight characters.
    EXPECT_EQ(TextOrNone(texts, 595, 50), QStringLiteral("-12.35  "));
}

TEST(CurvePageDrawing, RealtimeDualTemperatureTitlesStartFurtherLeft) {
    CurveChart chart;
    SampleSeries series;
    const auto texts = DrawRealtimeCurvePage(chart, series, LoggerModel::DualTemperature);
    EXPECT_EQ(TextOrNone(texts, 590, 30), QStringLiteral("温度I°C"));
    EXPECT_EQ(TextOrNone(texts, 590, 80), QStringLiteral("温度II°C"));
    EXPECT_EQ(TextOrNone(texts, 550, 5), QStringLiteral("温度II°C"));
    // No readings: titles and labels, no cursor values.
    EXPECT_EQ(TextAt(texts, 595, 50), nullptr);
    EXPECT_EQ(TextAt(texts, 595, 100), nullptr);
    EXPECT_EQ(CountAt(texts, 5), CurveChart::kLabelCount + 1);
}

TEST(CurvePageDrawing, DualHistoryWithOnlyChannelTwoShowsTheBlueSideAndAWorkingCursor) {
    CurveChart chart;
    const HistoryDataSet history = Ramp(LoggerModel::DualTemperature, 1000, {false, true});
    LoadHistory(chart, history);
    DrawHistoryCurvePage(chart, history);
    chart.SetCursor(100);  // a click on the drawn page
    const auto texts = DrawHistoryCurvePage(chart, history);

    EXPECT_EQ(PixelsOf(chart, kRed), 0);
    EXPECT_GT(PixelsOf(chart, kBlue), 0);
    EXPECT_EQ(CountAt(texts, 5), 0);  // no channel-1 title, no left labels
    EXPECT_EQ(CountAt(texts, 552), CurveChart::kLabelCount);
    EXPECT_EQ(TextOrNone(texts, 550, 5), QStringLiteral("温度II°C"));
    EXPECT_EQ(TextOrNone(texts, 595, 80), QStringLiteral("温度II°C"));
    EXPECT_EQ(TextAt(texts, 595, 150), nullptr);
    EXPECT_EQ(TextOrNone(texts, 595, 240), QStringLiteral("温度II上限°C"));
    EXPECT_EQ(TextOrNone(texts, 595, 260), QStringLiteral("80.00"));
    EXPECT_EQ(TextOrNone(texts, 595, 280), QStringLiteral("温度II下限°C"));
    EXPECT_EQ(TextOrNone(texts, 595, 300), QStringLiteral("20.00"));

    // The cursor reads the sample under it from the hidden channel-1 points.
    const int source = chart.SourceIndex(chart.CursorPoint());
    ASSERT_GT(source, 0);
    EXPECT_EQ(chart.CursorText(), QString::fromStdString(TimeTextOf(source)));
    EXPECT_EQ(TextOrNone(texts, 595, 100),
              QString::asprintf("%.2f", static_cast<double>(source) / 2).leftJustified(8, QLatin1Char(' ')));
    EXPECT_EQ(TextAt(texts, 595, 50), nullptr);
}

TEST(CurvePageDrawing, HistoryTemperatureHumidityLimitTitlesAndValues) {
    CurveChart chart;
    const HistoryDataSet history = Ramp(LoggerModel::TemperatureHumidity, 100, {true, true});
    LoadHistory(chart, history);
    const auto texts = DrawHistoryCurvePage(chart, history);
    EXPECT_EQ(TextOrNone(texts, 595, 150), QStringLiteral("温度上限°C"));
    EXPECT_EQ(TextOrNone(texts, 595, 170), QStringLiteral("90.00"));
    EXPECT_EQ(TextOrNone(texts, 595, 190), QStringLiteral("温度下限°C"));
    EXPECT_EQ(TextOrNone(texts, 595, 210), QStringLiteral("10.00"));
    EXPECT_EQ(TextOrNone(texts, 595, 240), QStringLiteral("湿度上限%"));
    EXPECT_EQ(TextOrNone(texts, 595, 280), QStringLiteral("湿度下限%"));
    EXPECT_EQ(TextOrNone(texts, 550, 5), QStringLiteral("湿度%RH"));
    EXPECT_EQ(TextOrNone(texts, 595, 50), QStringLiteral("0.00    "));
    EXPECT_EQ(TextOrNone(texts, 595, 100), QStringLiteral("0.00    "));
    // Limit lines in their own reds and blues.
    EXPECT_GT(PixelsOf(chart, qRgb(250, 0, 0)), 0);
    EXPECT_GT(PixelsOf(chart, qRgb(0, 0, 250)), 0);
}

TEST(CurvePageDrawing, HistoryCursorValuesFollowTheViewDrawnNow) {
    CurveChart chart;
    const HistoryDataSet history = Ramp(LoggerModel::SingleTemperature, 50000, {true, false});
    LoadHistory(chart, history);
    auto texts = DrawHistoryCurvePage(chart, history);
    EXPECT_EQ(TextOrNone(texts, 595, 50), QStringLiteral("0.00    "));

    // Scrolled to the last position the trackbar reaches: the first drawn sample is 30000, and
    // the values under the cursor are those of the curve now drawn, not of the one before.
    chart.SetFirstIndex(30000);
    texts = DrawHistoryCurvePage(chart, history);
    EXPECT_EQ(chart.SourceIndex(0), 30000);
    EXPECT_EQ(TextOrNone(texts, 595, 50), QStringLiteral("30000.00"));
    EXPECT_EQ(chart.CursorText(), QString::fromStdString(TimeTextOf(30000)));

    // Beyond the data: an empty plot, no values, the previous cursor text kept.
    chart.SetFirstIndex(60000);
    texts = DrawHistoryCurvePage(chart, history);
    EXPECT_EQ(TextAt(texts, 595, 50), nullptr);
    EXPECT_EQ(chart.CursorText(), QString::fromStdString(TimeTextOf(30000)));
}

}  // namespace
}  // namespace veldrin
