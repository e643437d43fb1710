#include <gtest/gtest.h>

#include "PrintTestSupport.h"
#include "print/CurvePageLayout.h"
#include "print/PrintJob.h"
#include "print/TextPageLayout.h"
#include "tests/translations/EnglishForAWhile.h"

namespace veldrin {
namespace {

using test::Drawing;
using test::DrawnText;
using test::HistorySpec;
using test::MakeHistory;
using test::RecordingDevice;

constexpr int kPixelsPerInch = 96;

// Renders pages of a history in one mode onto recording devices at 96 pixels per inch.
class PageRender : public ::testing::Test {
  protected:
    void SetUp() override { test::EnsureApplication(); }

    void Use(const HistorySpec& spec) { history = MakeHistory(spec); }
    void Select(TemperatureUnit unit = TemperatureUnit::Celsius) {
        times = ParseHistoryTimes(*history);
        selection = SelectForPrint(*history, times, times.front(), times.back(), unit);
    }

    Drawing Render(PrintMode mode, int page, int curvePages = 2) {
        const SurfaceMetrics screen = MetricsFor(kPixelsPerInch, kPixelsPerInch);
        const PrintJob job{*history,
                           selection,
                           mode,
                           PageCountFor(mode, selection, curvePages),
                           screen,
                           ColumnUnitFor(screen),
                           StripCountFor(curvePages)};
        RecordingDevice device(kPixelsPerInch, PageSizeFor(mode, kPixelsPerInch, kPixelsPerInch));
        CurveBuffers buffers(job.columnUnit);
        QPainter painter(&device);
        RenderJobPage(painter, job, page, kPixelsPerInch, kPixelsPerInch, QSize(), buffers);
        painter.end();
        return device.Recorded();
    }

    // Texts starting at `x`, top to bottom.
    static std::vector<QString> Column(const Drawing& drawing, int x) {
        std::vector<QString> texts;
        for (const DrawnText& text : SortedColumn(drawing, x))
            texts.push_back(text.text.trimmed());
        return texts;
    }

    // The text of table row `row` (0 = headings) in the column at `x`; empty when none is drawn.
    QString Cell(const Drawing& drawing, int x, int row) const {
        const std::vector<DrawnText> numbers = SortedColumn(drawing, text.numberX);
        const int y = numbers.at(static_cast<std::size_t>(row)).baseline.y();
        for (const DrawnText& drawn : drawing.texts) {
            if (drawn.baseline == QPoint(x, y))
                return drawn.text;
        }
        return {};
    }

    static std::vector<DrawnText> SortedColumn(const Drawing& drawing, int x) {
        std::vector<DrawnText> column;
        for (const DrawnText& text : drawing.texts) {
            if (text.baseline.x() == x)
                column.push_back(text);
        }
        std::sort(column.begin(), column.end(),
                  [](const DrawnText& a, const DrawnText& b) { return a.baseline.y() < b.baseline.y(); });
        return column;
    }

    std::unique_ptr<HistoryDataSet> history;
    std::vector<std::time_t> times;
    PrintSelection selection;
    TextPageLayout text = ComputeTextPageLayout(kPixelsPerInch, kPixelsPerInch, kRowsPerPage);
};

TEST_F(PageRender, TableRowsAreNumberedAcrossPages) {
    Use({.count = 130});
    Select();
    const auto page2 = Column(Render(PrintMode::Text, 2), text.numberX);
    ASSERT_EQ(page2.size(), 61u);
    EXPECT_EQ(page2[0], "序号");
    EXPECT_EQ(page2[1], "1");
    EXPECT_EQ(page2[60], "60");
    const auto page3 = Column(Render(PrintMode::Text, 3), text.numberX);
    EXPECT_EQ(page3[1], "61");
    EXPECT_EQ(page3[60], "120");
    const auto page4 = Column(Render(PrintMode::Text, 4), text.numberX);
    ASSERT_EQ(page4.size(), 11u) << "the last page holds the ten rows left";
    EXPECT_EQ(page4[10], "130");
    const auto times3 = Column(Render(PrintMode::Text, 3), text.timeX);
    EXPECT_EQ(times3[1], "2024-3-1 9:0:0") << "sample 61 is an hour after the first";
}

TEST_F(PageRender, HumidityCellsAndStrictAlarmCells) {
    HistorySpec spec{.model = LoggerModel::TemperatureHumidity, .count = 4};
    spec.value1 = [](int i) { return i == 2 ? 30.5f : 30.0f; };
    spec.value2 = [](int i) { return i == 0 ? 45.5f : i == 1 ? 50.0f : 95.0f; };
    Use(spec);
    history->limits = HistoryLimits{.lower1 = -5, .upper1 = 30, .lower2 = 50, .upper2 = 90, .enable1 = 1};
    Select();
    const Drawing page = Render(PrintMode::Text, 2);
    EXPECT_EQ(Cell(page, text.value1X, 0), "温度");
    EXPECT_EQ(Cell(page, text.value1X, 1), "30.00°C");
    EXPECT_EQ(Cell(page, text.value2X, 0), "湿度");
    EXPECT_EQ(Cell(page, text.value2X, 1), "45.50%");
    EXPECT_EQ(Cell(page, text.value2X, 2), "50.00%");
    EXPECT_EQ(Cell(page, text.alarm2X, 0), "湿度报警");
    EXPECT_EQ(Cell(page, text.alarm2X, 1), "小于50.00%RH");
    EXPECT_EQ(Cell(page, text.alarm2X, 2), "") << "a value equal to the lower limit is no alarm";
    EXPECT_EQ(Cell(page, text.alarm2X, 3), "大于90.00%RH");
    EXPECT_EQ(Cell(page, text.alarm1X, 1), "") << "a value equal to the upper limit is no alarm";
    EXPECT_EQ(Cell(page, text.alarm1X, 3), "大于30.00°C");
    EXPECT_EQ(Cell(page, text.alarm1X, 4), "");
}

TEST_F(PageRender, WithoutTheAlarmFlagOnlyTheAlarmHeadingsAppear) {
    HistorySpec spec{.model = LoggerModel::DualTemperature, .count = 3};
    spec.value1 = [](int) { return -40.0f; };
    Use(spec);
    history->limits = HistoryLimits{.lower1 = -5, .upper1 = 30, .lower2 = -5, .upper2 = 30, .enable1 = 0};
    Select();
    const Drawing page = Render(PrintMode::Text, 2);
    EXPECT_EQ(Column(page, text.alarm1X), std::vector<QString>{"温度I报警"});
    EXPECT_EQ(Column(page, text.alarm2X), std::vector<QString>{"温度II报警"});
    EXPECT_EQ(Column(page, text.value2X)[0], "温度II");
    EXPECT_EQ(Column(page, text.value2X)[1], "50.00°C") << "dual temperature shows degrees on channel 2";
}

TEST_F(PageRender, SingleTemperatureTablesHaveNoSecondChannelColumns) {
    Use({.count = 3});
    history->limits.enable1 = 1;
    Select();
    const Drawing page = Render(PrintMode::Text, 2);
    EXPECT_TRUE(page.HasText("温度"));
    EXPECT_TRUE(page.HasText("温度报警"));
    EXPECT_TRUE(Column(page, text.value2X).empty());
    EXPECT_TRUE(Column(page, text.alarm2X).empty());
}

TEST_F(PageRender, RowBackgroundsRepeatEveryTenRows) {
    Use({.count = 25});
    Select();
    const Drawing page = Render(PrintMode::Text, 2);
    std::vector<int> greys;
    for (const auto& rect : page.rects) {
        if (rect.rect.x() == text.numberX)
            greys.push_back(rect.fill.red());
    }
    ASSERT_EQ(greys.size(), 25u);
    EXPECT_EQ(greys[0], 246);
    EXPECT_EQ(greys[8], 254);
    EXPECT_EQ(greys[9], 245);
    EXPECT_EQ(greys[10], 246);
    EXPECT_EQ(greys[19], 245);
}

TEST_F(PageRender, LongTitlesAreCutWithoutSplittingACharacter) {
    Use({.count = 3});
    history->summary.title = "A冷库一号温湿度监测记录";  // 1 + 22 GBK bytes
    Select();
    EXPECT_EQ(Column(Render(PrintMode::Text, 2), text.titleX), std::vector<QString>{"A冷库一号温湿度监测"});
    history->summary.title = "冷库一号温湿度监测记录";  // 22 bytes
    EXPECT_EQ(Column(Render(PrintMode::Text, 2), text.titleX), std::vector<QString>{"冷库一号温湿度监测记"});
}

TEST_F(PageRender, SummaryPagesHaveFourteenLinesForOneChannelAndTwentyForTwo) {
    Use({.count = 5});
    Select();
    for (PrintMode mode : {PrintMode::Curve, PrintMode::Text}) {
        const int left = mode == PrintMode::Curve ? 75 : text.summaryLeft;
        const auto lines = Column(Render(mode, 1), left);
        ASSERT_EQ(lines.size(), 14u);
        EXPECT_EQ(lines[12], "平均值：22.00°C");
        EXPECT_EQ(lines[13], "记录仪描述：测试用");
    }
    Use({.model = LoggerModel::TemperatureHumidity, .count = 5});
    Select();
    const Drawing page = Render(PrintMode::Curve, 1);
    const auto lines = Column(page, 75);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[13], "通道号：2");
    EXPECT_EQ(lines[19], "记录仪描述：测试用");
    EXPECT_TRUE(page.HasText("1/2"));
    EXPECT_TRUE(page.lines.empty()) << "page 1 carries nothing but the summary";
}

// In °F the table's temperatures convert (30 °C = 86 °F, 30.5 °C = 86.9 °F, −6 °C = 21.2 °F) and so
// do the limits its alarm cells name (30 °C = 86 °F, −5 °C = 23 °F, for dual temperature channel 2
// too), while a reading equal to a limit still raises no alarm; humidity stays in %.
TEST_F(PageRender, InFahrenheitTheTableConvertsTemperaturesAndTheirLimits) {
    HistorySpec spec{.model = LoggerModel::TemperatureHumidity, .count = 4};
    spec.value1 = [](int i) { return i == 2 ? 30.5f : i == 3 ? -6.0f : 30.0f; };
    spec.value2 = [](int i) { return i == 0 ? 45.5f : 60.0f; };
    Use(spec);
    history->limits = HistoryLimits{.lower1 = -5, .upper1 = 30, .lower2 = 50, .upper2 = 90, .enable1 = 1};
    Select(TemperatureUnit::Fahrenheit);
    Drawing page = Render(PrintMode::Text, 2);
    EXPECT_EQ(Cell(page, text.value1X, 1), "86.00°F");
    EXPECT_EQ(Cell(page, text.alarm1X, 1), "") << "30 °C is the upper limit itself";
    EXPECT_EQ(Cell(page, text.value1X, 3), "86.90°F");
    EXPECT_EQ(Cell(page, text.alarm1X, 3), "大于86.00°F");
    EXPECT_EQ(Cell(page, text.value1X, 4), "21.20°F");
    EXPECT_EQ(Cell(page, text.alarm1X, 4), "小于23.00°F");
    EXPECT_EQ(Cell(page, text.value2X, 1), "45.50%");
    EXPECT_EQ(Cell(page, text.alarm2X, 1), "小于50.00%RH");

    HistorySpec dual{.model = LoggerModel::DualTemperature, .count = 2};
    dual.value2 = [](int i) { return i == 0 ? 50.0f : -10.0f; };
    Use(dual);
    history->limits = HistoryLimits{.lower1 = -5, .upper1 = 30, .lower2 = -5, .upper2 = 30, .enable1 = 1};
    Select(TemperatureUnit::Fahrenheit);
    page = Render(PrintMode::Text, 2);
    EXPECT_EQ(Cell(page, text.value2X, 1), "122.00°F");
    EXPECT_EQ(Cell(page, text.alarm2X, 1), "大于86.00°F");
    EXPECT_EQ(Cell(page, text.value2X, 2), "14.00°F");
    EXPECT_EQ(Cell(page, text.alarm2X, 2), "小于23.00°F");
}

// The summary page in °F: the channel's unit and its figures over the selection (20 … 24 °C,
// mean 22 °C: 68.00, 75.20 and 71.60 °F), on both page kinds.
TEST_F(PageRender, InFahrenheitTheSummaryGivesTheUnitAndConvertedFigures) {
    Use({.count = 5});
    Select(TemperatureUnit::Fahrenheit);
    for (PrintMode mode : {PrintMode::Curve, PrintMode::Text}) {
        const int left = mode == PrintMode::Curve ? 75 : text.summaryLeft;
        const auto lines = Column(Render(mode, 1), left);
        ASSERT_EQ(lines.size(), 14u);
        EXPECT_EQ(lines[9], "通道单位：°F");
        EXPECT_EQ(lines[10], "最小值：68.00°F");
        EXPECT_EQ(lines[11], "最大值：75.20°F");
        EXPECT_EQ(lines[12], "平均值：71.60°F");
    }
    HistorySpec dual{.model = LoggerModel::DualTemperature, .count = 5};
    dual.value2 = [](int i) { return -10.0f - static_cast<float>(i); };  // -10 … -14 °C
    Use(dual);
    Select(TemperatureUnit::Fahrenheit);
    const auto lines = Column(Render(PrintMode::Text, 1), text.summaryLeft);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[15], "通道单位：°F");
    EXPECT_EQ(lines[16], "最小值：6.80°F");
    EXPECT_EQ(lines[17], "最大值：14.00°F");
    EXPECT_EQ(lines[18], "平均值：10.40°F");
}

// In English the table's own texts are English and its times ISO; the summary lines are named in
// English; an empty selection says so in English.
TEST_F(PageRender, InEnglishTheTableAndTheSummarySpeakEnglishWithIsoTimes) {
    testing::EnglishForAWhile english;
    ASSERT_TRUE(english.Loaded());
    HistorySpec spec{.model = LoggerModel::TemperatureHumidity, .count = 4};
    spec.value1 = [](int i) { return i == 2 ? 30.5f : 30.0f; };
    spec.value2 = [](int i) { return i == 0 ? 45.5f : 60.0f; };
    Use(spec);
    history->limits = HistoryLimits{.lower1 = -5, .upper1 = 30, .lower2 = 50, .upper2 = 90, .enable1 = 1};
    Select();
    const Drawing page = Render(PrintMode::Text, 2);
    EXPECT_EQ(
        page.TextsOnRow(SortedColumn(page, text.numberX).front().baseline.y()),
        (std::vector<QString>{"No.", "Time", "Temperature", "Humidity", "Temp. alarm", "Humidity alarm"}));
    EXPECT_EQ(Cell(page, text.timeX, 2).trimmed(), "2024-03-01 08:01:00");
    EXPECT_EQ(Cell(page, text.alarm1X, 3), "Above 30.00°C");
    EXPECT_EQ(Cell(page, text.alarm2X, 1), "Below 50.00%RH");

    const auto lines = Column(Render(PrintMode::Text, 1), text.summaryLeft);
    const std::vector<QString> names{
        "Title: ",        "Instrument: ", "Channels enabled: ", "Data length: ",    "Start time: ",
        "Stop time: ",    "Interval: ",   "Channel number: ",   "Channel name: ",   "Channel unit: ",
        "Minimum: ",      "Maximum: ",    "Average: ",          "Channel number: ", "Channel name: ",
        "Channel unit: ", "Minimum: ",    "Maximum: ",          "Average: ",        "Description: "};
    ASSERT_EQ(lines.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(names[i])) << lines[i].toStdString();
    EXPECT_EQ(lines[4], "Start time: 2024-03-01 08:00:00");
    EXPECT_EQ(lines[5], "Stop time: 2024-03-01 08:03:00");

    times = ParseHistoryTimes(*history);
    selection = SelectForPrint(*history, times, times[2] + 1, times[2] + 2);
    EXPECT_TRUE(Render(PrintMode::Text, 1).HasText("No data"));
}

class CurveRender : public PageRender {
  protected:
    CurvePageLayout Layout() const {
        const SurfaceMetrics screen = MetricsFor(kPixelsPerInch, kPixelsPerInch);
        return ComputeCurvePageLayout(kPixelsPerInch, kPixelsPerInch, screen, 906, 906 * 3, selection);
    }
};

TEST_F(CurveRender, StripsCarryAxesGridLabelsCurvesAndTimeLabels) {
    HistorySpec spec{.model = LoggerModel::TemperatureHumidity, .count = 2718};
    spec.value1 = [](int i) { return static_cast<float>(i % 40) - 10.0f; };  // -10 .. 29
    spec.value2 = [](int i) { return 60.0f + static_cast<float>(i % 41); };  // 60 .. 100
    Use(spec);
    history->summary.channel2Unit = "%RH";
    Select();
    const Drawing page = Render(PrintMode::Curve, 2);
    const CurvePageLayout layout = Layout();

    const auto left = Column(page, layout.leftLabelX);
    ASSERT_EQ(left.size(), 15u);
    EXPECT_EQ(left[0], "29.00°C");
    EXPECT_EQ(left[4], "-10.00°C");
    const auto right = Column(page, layout.rightLabelX);
    ASSERT_EQ(right.size(), 15u);
    EXPECT_EQ(right[0], "100.00%R") << "cut to 8 bytes";
    EXPECT_EQ(right[4], "60.00%RH");

    int curves = 0;
    for (const auto& polyline : page.polylines) {
        EXPECT_EQ(polyline.points.size(), 906);
        ++curves;
    }
    EXPECT_EQ(curves, 6);

    const auto firstTimes = Column(page, layout.timeLabelLeft);
    ASSERT_EQ(firstTimes.size(), 3u);
    EXPECT_EQ(firstTimes[0], "2024-3-1 8:0:0");
    // Strip 1 of 3 starts at sample 906, fifteen hours and six minutes later.
    EXPECT_EQ(firstTimes[1], "2024-3-1 23:6:0");
    int timeLabels = 0;
    for (const auto& drawn : page.texts)
        timeLabels += drawn.text.startsWith("2024-") ? 1 : 0;
    EXPECT_EQ(timeLabels, 24);

    int ticks = 0, grid = 0, axes = 0;
    for (const auto& drawn : page.lines) {
        const QLine& line = drawn.line;
        if (line.dx() == 0 && std::abs(line.dy()) == layout.tickLength) {
            ++ticks;
            EXPECT_EQ(drawn.pen.width(), 1) << "ticks take the channel 2 pen when it drew";
        }
        if (line.dy() == 0 && drawn.pen.color() == QColor(100, 100, 100))
            ++grid;
        if (drawn.pen.width() == 3 && (line.dx() == layout.stripWidth || line.dy() == layout.axisHeight))
            ++axes;
    }
    EXPECT_EQ(ticks, 24);
    EXPECT_EQ(grid, 27);
    EXPECT_EQ(axes, 6);
}

// In °F the temperature labels convert (29 °C = 84.2 °F, 9.5 °C = 49.1 °F, −10 °C = 14 °F) and the
// humidity labels stay, while the curves lie exactly where they lie in °C.
TEST_F(CurveRender, InFahrenheitTheLabelsConvertAndTheCurvesStay) {
    HistorySpec spec{.model = LoggerModel::TemperatureHumidity, .count = 2718};
    spec.value1 = [](int i) { return static_cast<float>(i % 40) - 10.0f; };  // -10 .. 29
    spec.value2 = [](int i) { return 60.0f + static_cast<float>(i % 41); };  // 60 .. 100
    Use(spec);
    history->summary.channel2Unit = "%RH";
    Select();
    const Drawing celsius = Render(PrintMode::Curve, 2);
    Select(TemperatureUnit::Fahrenheit);
    const Drawing fahrenheit = Render(PrintMode::Curve, 2);
    const CurvePageLayout layout = Layout();

    const auto left = Column(fahrenheit, layout.leftLabelX);
    ASSERT_EQ(left.size(), 15u);
    EXPECT_EQ(left[0], "84.20°F");
    EXPECT_EQ(left[2], "49.10°F");
    EXPECT_EQ(left[4], "14.00°F");
    const auto right = Column(fahrenheit, layout.rightLabelX);
    ASSERT_EQ(right.size(), 15u);
    EXPECT_EQ(right[0], "100.00%R");
    EXPECT_EQ(right[4], "60.00%RH");

    ASSERT_EQ(fahrenheit.polylines.size(), celsius.polylines.size());
    for (std::size_t i = 0; i < celsius.polylines.size(); ++i)
        EXPECT_EQ(fahrenheit.polylines[i].points, celsius.polylines[i].points) << "curve " << i;
}

// In English the strips' time labels are ISO times.
TEST_F(CurveRender, InEnglishTheTimeLabelsAreIsoTimes) {
    testing::EnglishForAWhile english;
    ASSERT_TRUE(english.Loaded());
    Use({.model = LoggerModel::TemperatureHumidity, .count = 2718});
    Select();
    const auto firstTimes = Column(Render(PrintMode::Curve, 2), Layout().timeLabelLeft);
    ASSERT_EQ(firstTimes.size(), 3u);
    EXPECT_EQ(firstTimes[0], "2024-03-01 08:00:00");
    EXPECT_EQ(firstTimes[1], "2024-03-01 23:06:00");
}

TEST_F(CurveRender, AChannelNotShownHasNoLabelsLegendOrCurve) {
    Use({.model = LoggerModel::DualTemperature, .count = 100});
    history->shown = {true, false};
    Select();
    const Drawing page = Render(PrintMode::Curve, 3, 3);
    EXPECT_TRUE(Column(page, Layout().rightLabelX).empty());
    ASSERT_EQ(page.polylines.size(), 3u);
    for (const auto& polyline : page.polylines)
        EXPECT_EQ(polyline.pen.width(), 3);
    int legends = 0;
    for (const auto& drawn : page.lines) {
        if (drawn.line.dy() == 0 && drawn.line.dx() == Layout().legendLength)
            ++legends;
        if (drawn.line.dx() == 0 && std::abs(drawn.line.dy()) == Layout().tickLength) {
            EXPECT_EQ(drawn.pen.width(), 3) << "ticks take the channel 1 pen";
        }
    }
    EXPECT_EQ(legends, 3);
    EXPECT_TRUE(page.HasText("3/3"));
}

TEST_F(CurveRender, EqualValuesLieFlatOnTheFirstGridLineWithTheirLabels) {
    HistorySpec spec{.count = 50};
    spec.value1 = [](int) { return 4.0f; };
    Use(spec);
    Select();
    const Drawing page = Render(PrintMode::Curve, 2);
    const CurvePageLayout layout = Layout();
    const auto labels = Column(page, layout.leftLabelX);
    ASSERT_EQ(labels.size(), 15u);
    for (const QString& label : labels)
        EXPECT_EQ(label, "4.00°C");
    ASSERT_EQ(page.polylines.size(), 3u);
    for (int strip = 0; strip < 3; ++strip) {
        const int firstGrid = static_cast<int>(layout.stripTop + layout.gridStep + strip * layout.stripPitch);
        for (const QPoint& point : page.polylines[strip].points)
            ASSERT_EQ(point.y(), firstGrid);
    }
}

TEST_F(CurveRender, LabelsAreCutToTenBytesOnTheLeft) {
    HistorySpec spec{.model = LoggerModel::DualTemperature, .count = 10};
    spec.value1 = [](int i) { return i == 0 ? -1000.0f : 5.0f; };
    spec.value2 = [](int i) { return i == 0 ? -1000.0f : 5.0f; };
    Use(spec);
    Select();
    const Drawing page = Render(PrintMode::Curve, 2);
    EXPECT_EQ(Column(page, Layout().leftLabelX)[4], "-1000.00°") << "the C would be byte 11";
    EXPECT_EQ(Column(page, Layout().rightLabelX)[4], "-1000.00") << "the ° would split at byte 9";
}

TEST_F(CurveRender, PenWidthsAreScaledToTheResolutionOfTheSurface) {
    Use({.model = LoggerModel::DualTemperature, .count = 500});
    Select();
    for (int pixelsPerInch : {96, 300, 1200}) {
        SCOPED_TRACE(pixelsPerInch);
        const SurfaceMetrics screen = ReferenceScreenMetrics();
        const PrintJob job{*history, selection, PrintMode::Curve, 2, screen, ColumnUnitFor(screen), 3};
        RecordingDevice device(pixelsPerInch, PageSizeFor(PrintMode::Curve, pixelsPerInch, pixelsPerInch));
        CurveBuffers buffers(job.columnUnit);
        QPainter painter(&device);
        RenderJobPage(painter, job, 2, pixelsPerInch, pixelsPerInch, QSize(), buffers);
        painter.end();
        const Drawing& page = device.Recorded();
        const double bold = 3.0 * pixelsPerInch / 96;
        const double fine = 1.0 * pixelsPerInch / 96;

        // Channel 1 is drawn with the bold pen, channel 2 with the fine one: their only difference.
        int boldCurves = 0, fineCurves = 0;
        for (const auto& polyline : page.polylines) {
            EXPECT_EQ(polyline.points.size(), 906);
            boldCurves += polyline.pen.widthF() == bold ? 1 : 0;
            fineCurves += polyline.pen.widthF() == fine ? 1 : 0;
        }
        EXPECT_EQ(boldCurves, 3);
        EXPECT_EQ(fineCurves, 3);
        int boldLines = 0, grid = 0, fineBlack = 0;
        for (const auto& drawn : page.lines) {
            if (drawn.pen.color() == QColor(100, 100, 100)) {
                EXPECT_DOUBLE_EQ(drawn.pen.widthF(), fine) << "grid";
                ++grid;
            } else if (drawn.pen.widthF() == bold) {
                ++boldLines;
            } else {
                EXPECT_DOUBLE_EQ(drawn.pen.widthF(), fine);
                ++fineBlack;
            }
        }
        EXPECT_EQ(grid, 27);
        EXPECT_EQ(boldLines, 3 * 2 + 3) << "two axes and the channel 1 legend of each strip";
        EXPECT_EQ(fineBlack, 3 * 8 + 3) << "the ticks and the channel 2 legend of each strip";
    }
}

TEST_F(CurveRender, AnEmptySelectionShowsOnlyThePageNumberAndNoData) {
    Use({.count = 10});
    times = ParseHistoryTimes(*history);
    selection = SelectForPrint(*history, times, times[2] + 1, times[2] + 2);
    ASSERT_TRUE(selection.Empty());
    for (PrintMode mode : {PrintMode::Curve, PrintMode::Text}) {
        for (int page = 1; page <= (mode == PrintMode::Curve ? 2 : 1); ++page) {
            const Drawing drawing = Render(mode, page);
            ASSERT_EQ(drawing.texts.size(), 2u);
            EXPECT_TRUE(drawing.HasText("无数据"));
            EXPECT_TRUE(drawing.lines.empty());
            EXPECT_TRUE(drawing.polylines.empty());
        }
    }
}

}  // namespace
}  // namespace veldrin
