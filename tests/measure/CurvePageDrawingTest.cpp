// The curve pages' draw routine: which curves, titles, labels, limits and cursor values each page
// shows for each model and channel choice.
#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <string>

#include "logger/WireCodec.h"
#include "measure/CurvePageDrawing.h"
#include "tests/translations/EnglishForAWhile.h"

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

// Twenty live readings: the temperature rising from 20, the humidity falling from 50.
void AppendRisingAndFalling(CurveChart& chart, SampleSeries& series) {
    for (int i = 0; i < 20; ++i) {
        series.AppendRealtime(20.0f + static_cast<float>(i), 50.0f - static_cast<float>(i), TimeOf(i));
        chart.Append1(20.0f + static_cast<float>(i));
        chart.Append2(50.0f - static_cast<float>(i));
    }
}

TEST(CurvePageDrawing, RealtimeTemperatureHumidityPageShowsBothChannelsInTheirColours) {
    CurveChart chart;
    SampleSeries series;
    AppendRisingAndFalling(chart, series);
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

// In °F the chart keeps its °C readings and draws the same curve; the page writes the
// temperature's title, cursor value and scale labels in °F, the humidity's as they are.
TEST(CurvePageDrawing, RealtimePageWritesTemperaturesInFahrenheit) {
    CurveChart chart;
    SampleSeries series;
    AppendRisingAndFalling(chart, series);
    const auto texts = DrawRealtimeCurvePage(chart, series, LoggerModel::TemperatureHumidity, nullptr,
                                             nullptr, TemperatureUnit::Fahrenheit);
    EXPECT_EQ(TextOrNone(texts, 5, 5), QStringLiteral("温度°F"));
    EXPECT_EQ(TextOrNone(texts, 550, 5), QStringLiteral("湿度%RH"));
    EXPECT_EQ(TextOrNone(texts, 595, 50), QStringLiteral("68.00   ")) << "20 °C";
    EXPECT_EQ(TextOrNone(texts, 595, 100), QStringLiteral("50.00   "));
    for (int m = 0; m < CurveChart::kLabelCount; ++m) {
        EXPECT_NEAR(TextAt(texts, 5, m * 64 + 24)->text.toDouble(), chart.Labels(1)[m] * 1.8 + 32, 0.1) << m;
        EXPECT_NEAR(TextAt(texts, 552, m * 64 + 24)->text.toDouble(), chart.Labels(2)[m], 0.1) << m;
    }
    EXPECT_EQ(chart.Value1(0), 20.0f) << "the chart holds °C";
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

// The English page names its channels and limits in English, the temperatures in the unit shown.
TEST(CurvePageDrawing, InEnglishTheTitlesAndLimitTitlesAreEnglishAndNameTheUnit) {
    const testing::EnglishForAWhile inEnglish;
    ASSERT_TRUE(inEnglish.Loaded());
    CurveChart chart;
    const HistoryDataSet humidity = Ramp(LoggerModel::TemperatureHumidity, 100, {true, true});
    LoadHistory(chart, humidity);
    auto texts = DrawHistoryCurvePage(chart, humidity, TemperatureUnit::Fahrenheit);
    EXPECT_EQ(TextOrNone(texts, 5, 5), QStringLiteral("Temp. °F"));
    EXPECT_EQ(TextOrNone(texts, 550, 5), QStringLiteral("Humidity %RH"));
    EXPECT_EQ(TextOrNone(texts, 595, 80), QStringLiteral("Humidity %"));
    EXPECT_EQ(TextOrNone(texts, 595, 150), QStringLiteral("Temp. high °F"));
    EXPECT_EQ(TextOrNone(texts, 595, 190), QStringLiteral("Temp. low °F"));
    EXPECT_EQ(TextOrNone(texts, 595, 240), QStringLiteral("Hum. high %"));
    EXPECT_EQ(TextOrNone(texts, 595, 280), QStringLiteral("Hum. low %"));

    CurveChart dualChart;
    const HistoryDataSet dual = Ramp(LoggerModel::DualTemperature, 100, {true, true});
    LoadHistory(dualChart, dual);
    texts = DrawHistoryCurvePage(dualChart, dual);
    EXPECT_EQ(TextOrNone(texts, 5, 5), QStringLiteral("Temp. I °C"));
    EXPECT_EQ(TextOrNone(texts, 550, 5), QStringLiteral("Temp. II °C"));
    EXPECT_EQ(TextOrNone(texts, 595, 240), QStringLiteral("Temp. II high °C"));
    EXPECT_EQ(TextOrNone(texts, 595, 280), QStringLiteral("Temp. II low °C"));
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

// The time axis labels among a page's texts, each with the grid column its text is centred on.
struct TimeLabel {
    int column;
    QString text;
    int left;
    int right;
};

std::vector<TimeLabel> TimeLabels(const std::vector<PageText>& texts) {
    const QFontMetrics metrics(CurvePageFont());
    std::vector<TimeLabel> labels;
    for (const PageText& text : texts) {
        if (text.y == kTimeAxisTop) {
            EXPECT_EQ(text.colour, kTimeAxisTextColour);
            EXPECT_TRUE(text.boxed) << "over the grid lines";
            const int width = metrics.horizontalAdvance(text.text);
            const int left = text.x - kCurvePageChartLeft;
            labels.push_back({left + width / 2, text.text, left, left + width});
        }
    }
    return labels;
}

// Labels stand on grid lines, inside the chart's width, left to right with room between them.
void ExpectReadableLabels(const std::vector<TimeLabel>& labels) {
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i].column % CurveChart::kGridSpacing, 0) << labels[i].text.toStdString();
        EXPECT_GE(labels[i].left, 0);
        EXPECT_LE(labels[i].right, CurveChart::kSize);
        if (i > 0) {
            EXPECT_GE(labels[i].left, labels[i - 1].right + 4)
                << "labels touch: " << labels[i - 1].text.toStdString() << ", "
                << labels[i].text.toStdString();
        }
    }
}

TEST(TimeAxisLabels, HistoryLabelsCarryTheTimeUnderTheirGridLine) {
    // 200 samples a minute apart from 08:00 on 1 March: two pixels per sample, so column c is
    // c / 2 minutes after the start, a span of hours labelled with day and minute.
    CurveChart chart;
    const HistoryDataSet history = Ramp(LoggerModel::SingleTemperature, 200, {true, false});
    LoadHistory(chart, history);
    const std::vector<TimeLabel> labels = TimeLabels(DrawHistoryCurvePage(chart, history));
    ASSERT_GE(labels.size(), 3u);
    ExpectReadableLabels(labels);
    for (const TimeLabel& label : labels) {
        const int minutes = label.column / 2;
        EXPECT_EQ(label.text, QString::asprintf("03-01 %02d:%02d", 8 + minutes / 60, minutes % 60));
        EXPECT_LE(label.column, 398) << "no label past the last drawn sample";
    }
    // Scrolled on by 60 samples the same grid lines carry times an hour later.
    chart.SetFirstIndex(60);
    const std::vector<TimeLabel> later = TimeLabels(DrawHistoryCurvePage(chart, history));
    ASSERT_FALSE(later.empty());
    for (const TimeLabel& label : later) {
        const int minutes = 60 + label.column / 2;
        EXPECT_EQ(label.text, QString::asprintf("03-01 %02d:%02d", 8 + minutes / 60, minutes % 60));
    }
}

TEST(TimeAxisLabels, TheTextFollowsTheSpanShown) {
    // Readings 8 s apart over midnight, eight pixels each: column c is c seconds after 23:59:00,
    // a view of minutes labelled to the second.
    CurveChart chart;
    SampleSeries series;
    const std::time_t start = MakeLocalTime(2024, 3, 1, 23, 59, 0).value();
    for (int i = 0; i < 64; ++i) {
        series.AppendRealtime(20.0f, 0, start + 8 * i);
        chart.Append1(20.0f + static_cast<float>(i % 3));
    }
    const std::vector<TimeLabel> seconds =
        TimeLabels(DrawRealtimeCurvePage(chart, series, LoggerModel::SingleTemperature));
    ASSERT_GE(seconds.size(), 4u);
    ExpectReadableLabels(seconds);
    for (const TimeLabel& label : seconds) {
        const int of = (23 * 3600 + 59 * 60 + label.column) % 86400;
        EXPECT_EQ(label.text, QString::asprintf("%02d:%02d:%02d", of / 3600, of / 60 % 60, of % 60));
    }

    // A daily sample for more than a year: one pixel a day, labelled with dates.
    HistoryDataSet daily = Ramp(LoggerModel::SingleTemperature, 0, {true, false});
    for (int i = 0; i < 512; ++i) {
        daily.samples.SetHistorySample(
            i, static_cast<float>(i % 7), 0,
            MakeLocalTime(2024, 3, 1, 12, 0, 0).value() + 86400 * static_cast<std::time_t>(i));
    }
    LoadHistory(chart, daily);
    const std::vector<TimeLabel> dates = TimeLabels(DrawHistoryCurvePage(chart, daily));
    ASSERT_GE(dates.size(), 3u);
    ExpectReadableLabels(dates);
    for (const TimeLabel& label : dates) {
        EXPECT_EQ(label.text, QDate(2024, 3, 1).addDays(label.column).toString(QStringLiteral("yyyy-MM-dd")));
    }
    // Longer texts stand further apart: fewer of them fit.
    EXPECT_LT(dates.size(), seconds.size());
}

TEST(TimeAxisLabels, OnlyWhereTheCurveReaches) {
    // Five samples spread 102 pixels apart: grid lines up to the last point at column 408 are
    // labelled with times between the samples, none after it.
    CurveChart chart;
    const HistoryDataSet history = Ramp(LoggerModel::SingleTemperature, 5, {true, false});
    LoadHistory(chart, history);
    const std::vector<TimeLabel> labels = TimeLabels(DrawHistoryCurvePage(chart, history));
    ASSERT_FALSE(labels.empty());
    for (const TimeLabel& label : labels) {
        EXPECT_LE(label.column, 408);
        const std::time_t at = TimeOf(0) + static_cast<std::time_t>(std::llround(label.column * 60.0 / 102));
        EXPECT_EQ(label.text, QDateTime::fromSecsSinceEpoch(at).toString(QStringLiteral("HH:mm:ss")));
    }

    // An empty chart, and a view scrolled past the data, have no time axis labels.
    CurveChart empty;
    SampleSeries none;
    EXPECT_TRUE(TimeLabels(DrawRealtimeCurvePage(empty, none, LoggerModel::SingleTemperature)).empty());
    chart.SetFirstIndex(10);
    EXPECT_TRUE(TimeLabels(DrawHistoryCurvePage(chart, history)).empty());
}

}  // namespace
}  // namespace veldrin
