#include <gtest/gtest.h>

#include "PrintTestSupport.h"
#include "print/PrintFormat.h"
#include "print/PrintSelection.h"

namespace veldrin {
namespace {

using test::BaseTime;
using test::HistorySpec;
using test::MakeHistory;

// Ten samples a minute apart from BaseTime().
class IndexSearch : public ::testing::Test {
  protected:
    std::unique_ptr<HistoryDataSet> history = MakeHistory(HistorySpec{});
    std::vector<std::time_t> times = ParseHistoryTimes(*history);
    std::time_t At(int seconds) const { return BaseTime() + seconds; }
};

TEST_F(IndexSearch, StartEqualToASampleSelectsThatSampleOneSecondLaterTheNext) {
    EXPECT_EQ(FindStartIndex(times, At(120)), 2);
    EXPECT_EQ(FindStartIndex(times, At(121)), 3);
    EXPECT_EQ(FindStartIndex(times, At(0)), 0);
}

TEST_F(IndexSearch, StopBetweenTwoSamplesSelectsTheEarlierOne) {
    EXPECT_EQ(FindStopIndex(times, At(150)), 2);
    EXPECT_EQ(FindStopIndex(times, At(180)), 3);
    EXPECT_EQ(FindStopIndex(times, At(540)), 9);
}

TEST_F(IndexSearch, TimesOutsideTheHistoryFindNothingOrRunPastTheEnd) {
    EXPECT_EQ(FindStartIndex(times, At(-1)), -1);
    EXPECT_EQ(FindStopIndex(times, At(-1)), -1);
    EXPECT_EQ(FindStartIndex(times, At(541)), 10);
    EXPECT_TRUE(OutsideHistory(times, At(-1)));
    EXPECT_TRUE(OutsideHistory(times, At(541)));
    EXPECT_FALSE(OutsideHistory(times, At(540)));
}

TEST_F(IndexSearch, StartAndStopOneSecondApartBetweenTwoSamplesSelectNothing) {
    const PrintSelection selection = SelectForPrint(*history, times, At(121), At(122));
    EXPECT_TRUE(selection.Empty());
    EXPECT_EQ(selection.firstIndex, -1);
    EXPECT_EQ(TextPageCount(selection.count), 1);
}

TEST_F(IndexSearch, SelectionCopiesTheChosenSamplesWithTheirTimes) {
    const PrintSelection selection = SelectForPrint(*history, times, At(121), At(300));
    ASSERT_EQ(selection.count, 3);
    EXPECT_EQ(selection.firstIndex, 3);
    EXPECT_EQ(selection.lastIndex, 5);
    EXPECT_EQ(selection.values1[0], history->samples.Value1(3));
    EXPECT_EQ(selection.values1[2], history->samples.Value1(5));
    EXPECT_EQ(selection.firstTime, At(180));
    EXPECT_EQ(selection.lastTime, At(300));
}

TEST(SampleTimes, TimeTextsAreReadByPositionWhateverTheirPadding) {
    const std::time_t expected = BaseTime() + 65;  // 2024-03-01 08:01:05
    EXPECT_EQ(ParseSampleTime("2024-03-01 08:01:05", 0), expected);
    EXPECT_EQ(ParseSampleTime("2024- 3- 1  8: 1: 5", 0), expected);
    EXPECT_EQ(ParseSampleTime("2024-3-1 8:1:5", 7), 7) << "too short for fixed positions";
    EXPECT_EQ(ParseSampleTime("2024-13-01 08:01:05", 7), 7) << "no such month";
}

TEST(SampleTimes, HistoryTimesComeFromTheSampleTimes) {
    auto history = MakeHistory(HistorySpec{.count = 2});
    history->samples.MutableTimes()[1] = BaseTime() + 3600;
    const std::vector<std::time_t> times = ParseHistoryTimes(*history);
    EXPECT_EQ(times[0], BaseTime());
    EXPECT_EQ(times[1], BaseTime() + 3600);
}

TEST(PageTimes, PrintedTimesHaveNoZeroPadding) {
    EXPECT_EQ(FormatPrintTime(BaseTime() + 65), "2024-3-1 8:1:5");
}

TEST(Statistics, EnabledChannelsCoverOnlyTheSelectedSamples) {
    HistorySpec spec{.model = LoggerModel::TemperatureHumidity, .count = 10};
    spec.value1 = [](int i) { return i == 0 ? -50.0f : static_cast<float>(i); };
    spec.value2 = [](int i) { return 40.0f + static_cast<float>(i) / 2; };
    auto history = MakeHistory(spec);
    const auto times = ParseHistoryTimes(*history);
    const PrintSelection selection = SelectForPrint(*history, times, times[2], times[5]);
    EXPECT_FLOAT_EQ(selection.min1, 2);
    EXPECT_FLOAT_EQ(selection.max1, 5);
    EXPECT_FLOAT_EQ(selection.avg1, 3.5f);
    EXPECT_FLOAT_EQ(selection.min2, 41);
    EXPECT_FLOAT_EQ(selection.max2, 42.5f);
    EXPECT_FLOAT_EQ(selection.avg2, 41.75f);
}

TEST(Statistics, AChannelNotShownKeepsItsFirstStoredValueAndAZeroAverage) {
    HistorySpec spec{.model = LoggerModel::DualTemperature, .count = 10};
    spec.value2 = [](int i) { return 30.0f - static_cast<float>(i); };
    auto history = MakeHistory(spec);
    history->shown = {true, false};
    const auto times = ParseHistoryTimes(*history);
    const PrintSelection selection = SelectForPrint(*history, times, times[3], times[8]);
    EXPECT_FLOAT_EQ(selection.min2, 27);
    EXPECT_FLOAT_EQ(selection.max2, 27);
    EXPECT_FLOAT_EQ(selection.avg2, 0);
    for (float value : selection.values2)
        EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(selection.summaryLines[3], "数据长度：6");

    history->shown = {false, true};
    const PrintSelection second = SelectForPrint(*history, times, times[3], times[8]);
    EXPECT_FLOAT_EQ(second.min1, history->samples.Value1(3));
    EXPECT_FLOAT_EQ(second.max1, history->samples.Value1(3));
    EXPECT_FLOAT_EQ(second.avg1, 0);
    EXPECT_FLOAT_EQ(second.min2, 22);
    EXPECT_FLOAT_EQ(second.max2, 27);
}

TEST(Statistics, AxisLabelsStepFromMaximumToMinimum) {
    HistorySpec spec{.count = 5};
    spec.value1 = [](int i) { return static_cast<float>(i * 10 - 10); };  // -10 .. 30
    auto history = MakeHistory(spec);
    const auto times = ParseHistoryTimes(*history);
    const PrintSelection selection = SelectForPrint(*history, times, times.front(), times.back());
    EXPECT_FLOAT_EQ(selection.labels1[0], 30);
    EXPECT_FLOAT_EQ(selection.labels1[1], 20);
    EXPECT_FLOAT_EQ(selection.labels1[2], 10);
    EXPECT_FLOAT_EQ(selection.labels1[4], -10);
}

TEST(SummaryLines, CarryHeadingsTimesStatisticsAndChannelTwoUnit) {
    HistorySpec spec{.model = LoggerModel::TemperatureHumidity, .count = 3};
    spec.value1 = [](int i) { return 20.5f + static_cast<float>(i); };
    spec.value2 = [](int i) { return 45.5f + static_cast<float>(i); };
    auto history = MakeHistory(spec);
    const auto times = ParseHistoryTimes(*history);
    const auto lines = SelectForPrint(*history, times, times.front(), times.back()).summaryLines;
    EXPECT_EQ(lines[0], "标题：冷库一号");
    EXPECT_EQ(lines[1], "仪表名称：温湿度记录仪");
    EXPECT_EQ(lines[3], "数据长度：6");
    EXPECT_EQ(lines[4], "开始时间： 2024-3-1 8:0:0");
    EXPECT_EQ(lines[5], "停止时间： 2024-3-1 8:2:0");
    EXPECT_EQ(lines[6], "间隔时间：60s");
    EXPECT_EQ(lines[10], "最小值：20.50°C");
    EXPECT_EQ(lines[11], "最大值：22.50°C");
    EXPECT_EQ(lines[12], "平均值：21.50°C");
    EXPECT_EQ(lines[14], "通道名称：湿度");
    EXPECT_EQ(lines[16], "最小值：45.50%");
    EXPECT_EQ(lines[18], "平均值：46.50%");
    EXPECT_EQ(lines[19], "记录仪描述：测试用");
}

TEST(PageCounts, TextPagesAreTheSummaryPlusOnePerStartedSixtyRows) {
    EXPECT_EQ(TextPageCount(0), 1);
    EXPECT_EQ(TextPageCount(60), 2);
    EXPECT_EQ(TextPageCount(61), 3);
    EXPECT_EQ(TextPageCount(120), 3);
    EXPECT_EQ(TextPageCount(121), 4);
}

TEST(PageCounts, CurvePagesCarryThreeStripsAfterTheSummary) {
    EXPECT_EQ(StripCountFor(2), 3);
    EXPECT_EQ(StripCountFor(5), 12);
    EXPECT_EQ(StripCountFor(10), 27);
    PrintSelection selection;
    selection.count = 500;
    EXPECT_EQ(PageCountFor(PrintMode::Curve, selection, 7), 7);
    EXPECT_EQ(PageCountFor(PrintMode::Text, selection, 7), 10);
}

}  // namespace
}  // namespace veldrin
