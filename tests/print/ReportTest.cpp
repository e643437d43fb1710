// The report of a history: its text as a reader gets it from the PDF (pdftotext), its page count
// with and without the reading pages, embedded fonts, the time range, the failures, and the
// chart's shading of the excursions.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "PrintTestSupport.h"
#include "history/StatisticsText.h"
#include "logger/WireCodec.h"
#include "print/ReportChart.h"
#include "print/ReportPages.h"
#include "print/ReportPdf.h"
#include "tests/translations/EnglishForAWhile.h"

namespace veldrin {
namespace {

using test::MakeHistory;

std::string PdfText(const std::string& path, int page) {
    const std::string number = std::to_string(page);
    return test::RunCommand("pdftotext -layout -f " + number + " -l " + number + " '" + path +
                            "' - 2>/dev/null");
}

// Readings ten minutes apart. Channel 1 (limits 2 … 8) is above for readings 10–12 and below for
// reading 50; channel 2 (limits −25 … −15) is above for readings 70–71.
std::unique_ptr<HistoryDataSet> DualHistory(int count) {
    auto history =
        MakeHistory({.model = LoggerModel::DualTemperature,
                     .count = count,
                     .interval = 600,
                     .value1 = [](int i) { return i >= 10 && i <= 12 ? 9.5f
                                                  : i == 50          ? 1.0f
                                                                     : 5.0f; },
                     .value2 = [](int i) { return i == 70 || i == 71 ? -10.0f : -20.0f; }});
    history->summary.intervalSeconds = 600;
    history->limits = HistoryLimits{2, 8, -25, -15, 1};
    return history;
}

class Report : public ::testing::Test {
  protected:
    void SetUp() override { test::EnsureApplication(); }
    ReportResult Write(const HistoryDataSet& history, ReportOptions options = {}) {
        options.generated = *MakeLocalTime(2024, 4, 2, 9, 30, 0);
        return ExportReportPdf(history, options, path);
    }
    std::string path = test::TemporaryPath("report.pdf");
};

TEST_F(Report, OnePageSaysWhatAnAuditorReadsFirst) {
    const auto history = DualHistory(100);
    const ReportResult result = Write(*history);
    ASSERT_EQ(result.status, ReportStatus::Written) << result.message;
    EXPECT_EQ(result.pages, 1);
    EXPECT_EQ(test::PdfPages(path), 1);
    const std::string text = PdfText(path, 1);
    const auto statistics = ComputeStatistics(*history);
    const std::string mkt =
        FormatFigure(statistics.channels[0], *statistics.channels[0].meanKineticTemperature);
    for (const std::string& expected :
         {std::string("数据记录报告"), std::string("标题：冷库一号"), std::string("仪表名称：双温度记录仪"),
          std::string("记录仪描述：测试用"), std::string("2024-03-01 08:00:00 至 2024-03-02 00:30:00"),
          std::string("记录间隔：600s"), std::string("读数：100条"),
          std::string("结论：超限3次，累计超限1小时0分0秒"), std::string("平均动力学温度(MKT)"), mkt,
          std::string("高于上限 8.00°C"), std::string("低于下限 2.00°C"), std::string("高于上限 -15.00°C"),
          std::string("2024-03-01 09:40:00"), std::string("9.50°C"), std::string("超限记录（3次）"),
          std::string("生成于 2024-04-02 09:30:00"), std::string("1/1")}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    }
    const std::string info = test::RunCommand("pdfinfo '" + path + "'");
    EXPECT_NE(info.find("A4"), std::string::npos) << info;
}

TEST_F(Report, TheArchiveMarkKeepsEveryDigitOfItsHash) {
    const std::string mark = "档案 7 · SHA-256 ffaff1ffbfcffdff";
    ReportOptions options;
    options.archiveMark = mark;
    ASSERT_EQ(Write(*DualHistory(100), options).status, ReportStatus::Written);
    EXPECT_NE(PdfText(path, 1).find(mark), std::string::npos) << PdfText(path, 1);
}

TEST_F(Report, ReadingsWithinTheLimitsGiveTheGoodVerdict) {
    auto history = DualHistory(5);
    ASSERT_EQ(Write(*history).status, ReportStatus::Written);
    const std::string text = PdfText(path, 1);
    EXPECT_NE(text.find("结论：全部读数均在限值内"), std::string::npos) << text;
    EXPECT_NE(text.find("无超限"), std::string::npos) << text;

    history->limits.enable1 = 0;
    ASSERT_EQ(Write(*history).status, ReportStatus::Written);
    EXPECT_NE(PdfText(path, 1).find("报警未启用"), std::string::npos);
}

// In °F the same verdict, every temperature converted (8 °C = 46.40 °F, 9.5 °C = 49.10 °F,
// −15 °C = 5.00 °F), the readings pages too, and the beyond-limit readings still marked.
TEST_F(Report, InFahrenheitTheVerdictStaysAndTheTemperaturesConvert) {
    const auto history = DualHistory(100);
    ReportOptions options;
    options.withReadings = true;
    options.unit = TemperatureUnit::Fahrenheit;
    ASSERT_EQ(Write(*history, options).status, ReportStatus::Written);
    const std::string text = PdfText(path, 1);
    for (const std::string& expected :
         {std::string("结论：超限3次，累计超限1小时0分0秒"), std::string("高于上限 46.40°F"),
          std::string("低于下限 35.60°F"), std::string("高于上限 5.00°F"), std::string("49.10°F"),
          std::string("温度I (°F)")}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    }
    EXPECT_EQ(text.find("°C"), std::string::npos) << text;
    const std::string readings = PdfText(path, 2);
    EXPECT_NE(readings.find("49.10"), std::string::npos) << readings;
    EXPECT_NE(readings.find("-4.00"), std::string::npos) << "−20 °C" << readings;
}

// In English the report's own texts are English, from the heading to the footer and on the
// reading pages, and none of its own Chinese is left (the history's texts come as the history
// gives them).
TEST_F(Report, InEnglishTheReportsOwnTextsAreEnglish) {
    testing::EnglishForAWhile english;
    ASSERT_TRUE(english.Loaded());
    const auto history = DualHistory(100);
    ReportOptions options;
    options.withReadings = true;
    options.from = history->samples.Time(5);
    options.to = history->samples.Time(80);
    ASSERT_EQ(Write(*history, options).status, ReportStatus::Written);
    const std::string first = PdfText(path, 1);
    for (const std::string& expected :
         {std::string("Data logging report"), std::string("Title: 冷库一号"), std::string("Instrument: "),
          std::string("Description: 测试用"),
          std::string("Period: 2024-03-01 08:50:00 to 2024-03-01 21:20:00 (span"),
          std::string("Interval: 600s"), std::string("Readings: 76"), std::string("Recorded: "),
          std::string("Report range: readings 6 to 81 of 100"), std::string("Verdict: "),
          std::string("times ("), std::string("Statistics"), std::string("Excursions (3)"),
          std::string("Limit crossed"), std::string("Duration"), std::string("Extreme"),
          std::string("Beyond limit"), std::string("Generated by Veldrin on 2024-04-02 09:30:00"),
          std::string("a reading equal to a limit is not beyond it")}) {
        EXPECT_NE(first.find(expected), std::string::npos) << expected << " in\n" << first;
    }
    const std::string readings = PdfText(path, 2);
    for (const std::string& expected : {std::string("Readings"), std::string("No."), std::string("Time")})
        EXPECT_NE(readings.find(expected), std::string::npos) << expected << " in\n" << readings;
    for (const char* chinese :
         {"数据记录报告", "标题：", "仪表名称：", "记录仪描述：", "记录时段：", "跨度", "记录间隔：",
          "报告范围：", "结论：", "次（", "超限记录", "序号", "生成于", "不算超限"}) {
        EXPECT_EQ(first.find(chinese), std::string::npos) << chinese << " in\n" << first;
        EXPECT_EQ(readings.find(chinese), std::string::npos) << chinese << " in\n" << readings;
    }

    // An excursion table longer than the page says how many more in English.
    auto crowded = MakeHistory(
        {.count = 300, .interval = 600, .value1 = [](int i) { return i % 2 == 0 ? 9.5f : 5.0f; }});
    crowded->summary.intervalSeconds = 600;
    crowded->limits = HistoryLimits{2, 8, -25, -15, 1};
    ASSERT_EQ(Write(*crowded).status, ReportStatus::Written);
    const std::string cut = PdfText(path, 1);
    EXPECT_NE(cut.find("more excursions not listed"), std::string::npos) << cut;
    EXPECT_EQ(cut.find("另有"), std::string::npos) << cut;
}

// A word of a PDF page and its box, in points, as pdftotext -bbox gives them.
struct PdfWord {
    double left, top, right;
    std::string text;
};

std::vector<PdfWord> PdfWords(const std::string& path, int page) {
    const std::string number = std::to_string(page);
    const std::string boxes =
        test::RunCommand("pdftotext -bbox -f " + number + " -l " + number + " '" + path + "' - 2>/dev/null");
    static const QRegularExpression kWord(QStringLiteral(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    for (const QRegularExpressionMatch& match : kWord.globalMatch(QString::fromStdString(boxes))) {
        words.push_back({match.captured(1).toDouble(), match.captured(2).toDouble(),
                         match.captured(3).toDouble(), match.captured(4).toStdString()});
    }
    return words;
}

// English names are longer than Chinese ones: with all four limits of a temperature-humidity
// logger crossed, the verdict's details and the excursion table still keep within the page's
// margins, and no text of a line runs into the next.
TEST_F(Report, InEnglishLongNamesStayWithinThePageAndApart) {
    testing::EnglishForAWhile english;
    ASSERT_TRUE(english.Loaded());
    auto history =
        MakeHistory({.model = LoggerModel::TemperatureHumidity,
                     .count = 40,
                     .interval = 600,
                     .value1 = [](int i) { return i % 4 == 0   ? 9.5f
                                                  : i % 4 == 2 ? 0.5f
                                                               : 5.0f; },
                     .value2 = [](int i) { return i % 3 == 0   ? 85.0f
                                                  : i % 3 == 1 ? 25.0f
                                                               : 50.0f; }});
    history->summary.intervalSeconds = 600;
    history->limits = HistoryLimits{2, 8, 30, 70, 1};
    ReportOptions inFahrenheit;
    inFahrenheit.unit = TemperatureUnit::Fahrenheit;
    ASSERT_EQ(Write(*history, inFahrenheit).status, ReportStatus::Written);
    const std::string text = PdfText(path, 1);
    ASSERT_NE(text.find("Humidity Above upper limit 70.00%"), std::string::npos) << text;

    constexpr double kRightMargin = 195 / 25.4 * 72;  // points
    const std::vector<PdfWord> words = PdfWords(path, 1);
    ASSERT_GT(words.size(), 200u);
    for (const PdfWord& word : words)
        EXPECT_LE(word.right, kRightMargin + 1) << word.text << " runs past the margin";
    for (std::size_t i = 1; i < words.size(); ++i) {
        const PdfWord& before = words[i - 1];
        const PdfWord& word = words[i];
        if (std::abs(word.top - before.top) < 1 && word.left > before.left) {
            EXPECT_GE(word.left, before.right - 0.5) << before.text << " runs into " << word.text;
        }
    }
}

TEST_F(Report, TheReadingsFollowOnPagesOfOneHundredAndEighty) {
    ReportOptions options;
    options.withReadings = true;
    auto exact = DualHistory(180);
    ASSERT_EQ(Write(*exact, options).pages, 2);
    EXPECT_EQ(test::PdfPages(path), 2);
    const auto history = DualHistory(181);
    const ReportResult result = Write(*history, options);
    ASSERT_EQ(result.status, ReportStatus::Written) << result.message;
    EXPECT_EQ(result.pages, 3);
    EXPECT_EQ(test::PdfPages(path), 3);
    const std::string second = PdfText(path, 2);
    EXPECT_NE(second.find("2/3"), std::string::npos) << second;
    EXPECT_NE(second.find("2024-03-01 09:40:00"), std::string::npos) << second;
    EXPECT_NE(second.find("9.50"), std::string::npos) << second;
    const std::string third = PdfText(path, 3);
    EXPECT_NE(third.find("181"), std::string::npos) << third;
    EXPECT_NE(third.find(FormatTime(history->samples.Time(180))), std::string::npos) << third;
}

TEST_F(Report, EveryFontIsEmbedded) {
    ASSERT_EQ(Write(*DualHistory(20)).status, ReportStatus::Written);
    const std::string fonts = test::RunCommand("pdffonts '" + path + "'");
    // Columns: name type encoding emb sub uni object ID; the first two lines are the heading.
    std::istringstream lines(fonts);
    std::string line;
    int listed = 0;
    for (int n = 0; std::getline(lines, line); ++n) {
        if (n < 2 || line.empty())
            continue;
        ++listed;
        std::istringstream fields(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(fields), {}};
        ASSERT_GE(words.size(), 5u) << line;
        EXPECT_EQ(words[words.size() - 5], "yes") << "not embedded: " << line;
    }
    EXPECT_GT(listed, 0) << fonts;
}

TEST_F(Report, TheRangeChoosesTheReadingsAndSaysSo) {
    const auto history = DualHistory(100);
    ReportOptions options;
    options.from = history->samples.Time(10);
    options.to = history->samples.Time(12);
    ASSERT_EQ(Write(*history, options).status, ReportStatus::Written);
    const std::string text = PdfText(path, 1);
    EXPECT_NE(text.find("报告范围：全部100条读数中的第11至13条"), std::string::npos) << text;
    EXPECT_NE(text.find("结论：超限1次，累计超限30分0秒"), std::string::npos) << text;
}

TEST_F(Report, NothingIsWrittenWithoutReadingsOrWhereTheFolderIsMissing) {
    const auto history = DualHistory(10);
    ReportOptions options;
    options.from = history->samples.Time(3) + 1;
    options.to = history->samples.Time(4) - 1;
    const std::string fresh = test::TemporaryPath("never.pdf");
    EXPECT_EQ(ExportReportPdf(*history, options, fresh).status, ReportStatus::NoReadingsInRange);
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_EQ(ExportReportPdf(HistoryDataSet{}, {}, fresh).status, ReportStatus::EmptyHistory);
    const ReportResult missing = ExportReportPdf(*history, {}, test::TemporaryPath("missing/report.pdf"));
    EXPECT_EQ(missing.status, ReportStatus::CannotWrite);
    EXPECT_FALSE(missing.message.empty());
}

TEST_F(Report, SavedThroughALinkToItsTargetKeepingTheLinkAndTheMode) {
    const auto history = DualHistory(10);
    const std::string target = test::TemporaryPath("kept.pdf");
    const std::string link = test::TemporaryPath("link.pdf");
    { std::ofstream(target) << "old"; }
    std::filesystem::permissions(target,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(target, link);
    ASSERT_EQ(ExportReportPdf(*history, {}, link).status, ReportStatus::Written);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_GT(std::filesystem::file_size(target), 1000u);
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// The first page drawn at 100 pixels per inch.
QImage FirstPage(const HistoryDataSet& history) {
    const HistoryStatistics statistics = ComputeStatistics(history);
    const ReportSource source{history, statistics, WholeHistory(history), false, 0};
    QImage image(827, 1170, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    RenderReportPage(painter, source, 1, 100, 100);
    return image;
}

int PixelsOf(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    }
    return count;
}

TEST_F(Report, TheChartShadesTheExcursionsAndDrawsBothCurves) {
    const QRgb shade = qRgb(255, 210, 210);
    const QImage good = FirstPage(*DualHistory(5));
    EXPECT_LT(PixelsOf(good, shade), 300) << "only the legend's sample box";
    const QImage beyond = FirstPage(*DualHistory(100));
    EXPECT_GT(PixelsOf(beyond, shade), PixelsOf(good, shade) + 200) << "the three excursions are shaded";
    EXPECT_GT(PixelsOf(beyond, qRgb(200, 0, 0)), 100) << "channel 1 in red";
    EXPECT_GT(PixelsOf(beyond, qRgb(0, 0, 200)), 100) << "channel 2 in blue";
    EXPECT_LT(PixelsOf(beyond, qRgb(0, 0, 0)), 827 * 1170 / 2) << "the whole page is painted white";
}

TEST(ReportTimeAxis, LabelStepsAndTheirLocalAlignment) {
    EXPECT_EQ(TimeLabelStep(86400, 7), 21600) << "a day in six-hour steps";
    EXPECT_EQ(TimeLabelStep(300, 7), 60);
    EXPECT_EQ(TimeLabelStep(30 * 86400, 7), 604800);
    const std::time_t morning = *MakeLocalTime(2024, 3, 1, 8, 7, 0);
    EXPECT_EQ(FirstLabelTime(morning, 3600), *MakeLocalTime(2024, 3, 1, 9, 0, 0));
    EXPECT_EQ(FirstLabelTime(morning, 86400), *MakeLocalTime(2024, 3, 2, 0, 0, 0))
        << "days start at local midnight";
    EXPECT_EQ(FirstLabelTime(*MakeLocalTime(2024, 3, 1, 9, 0, 0), 3600), *MakeLocalTime(2024, 3, 1, 9, 0, 0));
}

}  // namespace
}  // namespace veldrin
