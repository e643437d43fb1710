// The statistics of a history for an audit: the mean kinetic temperature, the extremes and their
// times, the excursions beyond each limit at the edges of the readings and of a range, and the
// texts the page and the report show them in.
#include "history/HistoryStatistics.h"
#include "history/StatisticsText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr int kInterval = 300;

std::time_t Start() {
    return MakeLocalTime(2024, 5, 1, 8, 0, 0).value();
}

// A history of `model` with the given readings, `kInterval` seconds apart, limits 2 … 8 for
// channel 1 and 40 … 80 for channel 2, alarm on.
std::unique_ptr<HistoryDataSet> History(LoggerModel model, const std::vector<float>& values1,
                                        const std::vector<float>& values2 = {}) {
    auto history = std::make_unique<HistoryDataSet>();
    history->model = model;
    history->shown = {true, HasSecondChannel(model)};
    history->summary.intervalSeconds = kInterval;
    history->summary.channel1Name = "温度";
    history->summary.channel1Unit = "°C";
    history->summary.channel2Name = model == LoggerModel::DualTemperature ? "温度II" : "湿度";
    history->summary.channel2Unit = model == LoggerModel::DualTemperature ? "°C" : "%";
    history->limits = HistoryLimits{2, 8, 40, 80, 1};
    for (std::size_t i = 0; i < values1.size(); ++i) {
        const std::time_t time = Start() + static_cast<std::time_t>(i) * kInterval;
        history->samples.SetHistorySample(static_cast<int>(i), values1[i],
                                          i < values2.size() ? values2[i] : 0, time);
    }
    return history;
}

std::vector<float> Repeated(float value, int count) {
    return std::vector<float>(static_cast<std::size_t>(count), value);
}

TEST(MeanKineticTemperature, MatchesValuesComputedByHand) {
    const std::vector<float> constant = Repeated(25.0f, 10);
    ASSERT_TRUE(MeanKineticTemperature(constant));
    EXPECT_NEAR(*MeanKineticTemperature(constant), 25.0, 1e-9)
        << "a constant series gives its own temperature";

    // (ΔH/R) / −ln((exp(−10000/293.15) + exp(−10000/303.15)) / 2) − 273.15, worked out by hand.
    const std::vector<float> twoValues{20.0f, 30.0f};
    EXPECT_NEAR(*MeanKineticTemperature(twoValues), 26.259887, 1e-6)
        << "the warmer reading weighs more than the arithmetic mean of 25";
    const std::vector<float> skewed{2.0f, 8.0f, 8.0f, 8.0f};
    EXPECT_NEAR(*MeanKineticTemperature(skewed), 6.859252, 1e-6);
    const std::vector<float> order{8.0f, 2.0f, 8.0f, 8.0f};
    EXPECT_DOUBLE_EQ(*MeanKineticTemperature(order), *MeanKineticTemperature(skewed))
        << "order does not matter";
}

TEST(MeanKineticTemperature, NoUnderflowWhereEveryTermIsBelowTheSmallestDouble) {
    // exp(−10000 / 13.15) is about 1e−330: summed plainly every term would be 0.
    const std::vector<float> veryCold = Repeated(-260.0f, 1000);
    ASSERT_TRUE(MeanKineticTemperature(veryCold));
    EXPECT_NEAR(*MeanKineticTemperature(veryCold), -260.0, 1e-6);
}

TEST(MeanKineticTemperature, HundredThousandReadingsAgreeWithAHighPrecisionSum) {
    std::vector<float> values;
    for (int i = 0; i < 100000; ++i)
        values.push_back(-20.0f + static_cast<float>((i * 7919) % 5000) / 100.0f);
    // The reference: every term in extended precision, summed pairwise.
    std::vector<long double> terms;
    for (const float value : values)
        terms.push_back(std::exp(-10000.0L / (static_cast<long double>(value) + 273.15L)));
    for (std::size_t width = 1; width < terms.size(); width *= 2) {
        for (std::size_t i = 0; i + width < terms.size(); i += 2 * width)
            terms[i] += terms[i + width];
    }
    const long double reference = 10000.0L / -std::log(terms[0] / values.size()) - 273.15L;
    ASSERT_TRUE(MeanKineticTemperature(values));
    EXPECT_NEAR(*MeanKineticTemperature(values), static_cast<double>(reference), 1e-9);
}

TEST(MeanKineticTemperature, NothingForNoReadingsOrReadingsBelowAbsoluteZero) {
    EXPECT_FALSE(MeanKineticTemperature({}));
    const std::vector<float> belowAbsoluteZero{20.0f, -280.0f};
    EXPECT_FALSE(MeanKineticTemperature(belowAbsoluteZero));
}

TEST(HistoryStatistics, ExtremesAverageAndDeviationWithTheTimeOfTheFirstOccurrence) {
    const auto history = History(LoggerModel::SingleTemperature, {4, 2, 4, 4, 5, 9, 7, 9, 2});
    const HistoryStatistics statistics = ComputeStatistics(*history);
    ASSERT_EQ(statistics.channels.size(), 1u) << "a single-temperature history has one channel";
    const ChannelStatistics& channel = statistics.channels[0];
    EXPECT_EQ(channel.minimum.value, 2.0f);
    EXPECT_EQ(channel.minimum.index, 1) << "the first of equal minima";
    EXPECT_EQ(channel.minimum.time, Start() + kInterval);
    EXPECT_EQ(channel.maximum.index, 5) << "the first of equal maxima";
    EXPECT_EQ(channel.maximum.time, Start() + 5 * kInterval);
    EXPECT_DOUBLE_EQ(channel.average, 46.0 / 9);
    double squares = 0;
    for (const float v : {4, 2, 4, 4, 5, 9, 7, 9, 2})
        squares += (v - 46.0 / 9) * (v - 46.0 / 9);
    EXPECT_NEAR(channel.standardDeviation, std::sqrt(squares / 8), 1e-12)
        << "the deviation of a sample, n − 1";
    EXPECT_TRUE(channel.meanKineticTemperature);
}

TEST(HistoryStatistics, ExcursionsAtTheEdgesAndOnTheLimit) {
    // Limits 2 … 8: a run above from the first reading, a reading exactly on each limit, a single
    // reading below, a run below that ends at the last reading.
    const auto history = History(LoggerModel::SingleTemperature, {9, 10, 5, 8, 2, 1, 5, 9, 5, 1.5f, 0, -1});
    const HistoryStatistics statistics = ComputeStatistics(*history);
    const ChannelStatistics& channel = statistics.channels.at(0);
    ASSERT_TRUE(channel.alarmOn);

    const LimitStatistics& above = channel.above;
    ASSERT_EQ(above.Count(), 2) << "readings 0–1 and 7; 8.00 itself is not above 8";
    EXPECT_EQ(above.excursions[0].firstIndex, 0);
    EXPECT_EQ(above.excursions[0].lastIndex, 1);
    EXPECT_EQ(above.excursions[0].extreme, 10.0f);
    EXPECT_EQ(above.excursions[1].firstIndex, 7);
    EXPECT_EQ(above.excursions[1].Readings(), 1);
    EXPECT_EQ(above.readingsBeyond, 3);
    EXPECT_EQ(above.secondsBeyond, 3 * kInterval) << "readings beyond × interval";
    EXPECT_EQ(above.Longest()->firstIndex, 0);
    EXPECT_EQ(above.First()->start, Start());

    const LimitStatistics& below = channel.below;
    ASSERT_EQ(below.Count(), 2) << "reading 5, and 9–11 up to the last; 2.00 itself is not below 2";
    EXPECT_EQ(below.excursions[0].firstIndex, 5);
    EXPECT_EQ(below.excursions[0].lastIndex, 5);
    EXPECT_EQ(below.excursions[1].firstIndex, 9);
    EXPECT_EQ(below.excursions[1].lastIndex, 11);
    EXPECT_EQ(below.excursions[1].end, Start() + 11 * kInterval);
    EXPECT_EQ(below.excursions[1].seconds, 3 * kInterval);
    EXPECT_EQ(below.excursions[1].extreme, -1.0f);
    EXPECT_EQ(below.excursions[1].extremeIndex, 11);
    EXPECT_EQ(below.Longest()->firstIndex, 9) << "the run of most readings";
    EXPECT_EQ(below.First()->firstIndex, 5);
    EXPECT_EQ(channel.ExcursionCount(), 4);
    EXPECT_EQ(channel.SecondsBeyond(), 7 * kInterval);
}

TEST(HistoryStatistics, ARangeCutsARunAtItsStart) {
    const auto history = History(LoggerModel::SingleTemperature, {5, 9, 9, 9, 5, 5});
    const SampleRange range = RangeBetween(*history, Start() + 2 * kInterval, Start() + 5 * kInterval);
    EXPECT_EQ(range.first, 2);
    EXPECT_EQ(range.count, 4);
    const HistoryStatistics statistics = ComputeStatistics(*history, range);
    const LimitStatistics& above = statistics.channels.at(0).above;
    ASSERT_EQ(above.Count(), 1);
    EXPECT_EQ(above.excursions[0].firstIndex, 2);
    EXPECT_EQ(above.excursions[0].Readings(), 2);
    EXPECT_EQ(statistics.period.readings, 4);
    EXPECT_EQ(statistics.period.first, Start() + 2 * kInterval);
    EXPECT_EQ(statistics.period.spanSeconds, 3 * kInterval);
    EXPECT_EQ(statistics.period.recordedSeconds, 4 * kInterval);
    EXPECT_EQ(statistics.channels[0].minimum.index, 4);

    EXPECT_TRUE(RangeBetween(*history, Start() + 1, Start() + kInterval - 1).Empty())
        << "a range between two readings holds none";
    EXPECT_TRUE(ComputeStatistics(*history, SampleRange{}).channels.empty());
}

TEST(HistoryStatistics, OnlyChannelsWithValuesAndMktOnlyForTemperatures) {
    auto humidity = History(LoggerModel::TemperatureHumidity, {5, 6}, {50, 90});
    HistoryStatistics statistics = ComputeStatistics(*humidity);
    ASSERT_EQ(statistics.channels.size(), 2u);
    EXPECT_TRUE(statistics.channels[0].meanKineticTemperature);
    EXPECT_FALSE(statistics.channels[1].temperature);
    EXPECT_FALSE(statistics.channels[1].meanKineticTemperature) << "humidity has no kinetic temperature";
    EXPECT_EQ(statistics.channels[1].above.Count(), 1) << "90 is above 80";

    humidity->shown = {false, true};
    statistics = ComputeStatistics(*humidity);
    ASSERT_EQ(statistics.channels.size(), 1u) << "channel 1 is off";
    EXPECT_EQ(statistics.channels[0].channel, 2);

    auto single = History(LoggerModel::SingleTemperature, {5, 6});
    single->shown = {true, true};
    EXPECT_EQ(ComputeStatistics(*single).channels.size(), 1u)
        << "a single-temperature model measures no channel 2";

    auto dual = History(LoggerModel::DualTemperature, {5, 6}, {-20, -30});
    EXPECT_TRUE(ComputeStatistics(*dual).channels.at(1).meanKineticTemperature);
}

TEST(HistoryStatistics, WithTheAlarmOffNothingIsCountedAsAnExcursion) {
    auto history = History(LoggerModel::SingleTemperature, {5, 20, 5});
    history->limits.enable1 = 0;
    const HistoryStatistics statistics = ComputeStatistics(*history);
    EXPECT_EQ(statistics.ExcursionCount(), 0);
    EXPECT_TRUE(ExcursionsInTimeOrder(statistics).empty());
    EXPECT_EQ(VerdictOf(statistics), Verdict::AlarmOff);
    EXPECT_EQ(FigureRows(statistics).back().texts.at(0), "未启用");
}

TEST(HistoryStatistics, ExcursionsOfAllChannelsInTheOrderTheyBegan) {
    auto history = History(LoggerModel::DualTemperature, {5, 5, 9, 1, 5}, {-20, 90, 90, -20, -20});
    history->limits.lower2 = -25;
    history->limits.upper2 = -15;
    const HistoryStatistics statistics = ComputeStatistics(*history);
    const std::vector<ListedExcursion> listed = ExcursionsInTimeOrder(statistics);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].channel->channel, 2);
    EXPECT_EQ(listed[1].excursion->firstIndex, 2);
    EXPECT_EQ(listed[1].limit->side, LimitSide::Above);
    EXPECT_EQ(listed[2].limit->side, LimitSide::Below);
}

TEST(StatisticsText, DurationsVerdictsAndExcursionCells) {
    EXPECT_EQ(FormatDuration(0), "0秒");
    EXPECT_EQ(FormatDuration(90), "1分30秒");
    EXPECT_EQ(FormatDuration(3600), "1小时0分0秒");
    EXPECT_EQ(FormatDuration(2 * 86400 + 5), "2天0小时0分5秒");

    const auto within = History(LoggerModel::SingleTemperature, {5, 8, 2});
    EXPECT_EQ(VerdictText(ComputeStatistics(*within)), "全部读数均在限值内");
    const auto beyond = History(LoggerModel::SingleTemperature, {9, 9, 5, 1});
    const HistoryStatistics statistics = ComputeStatistics(*beyond);
    EXPECT_EQ(VerdictText(statistics), "超限2次，累计超限15分0秒");
    const ExcursionCells cells = ExcursionCellsOf(ExcursionsInTimeOrder(statistics).at(0));
    EXPECT_EQ(cells.limit, "高于上限 8.00°C");
    EXPECT_EQ(cells.start, "2024-05-01 08:00:00");
    EXPECT_EQ(cells.end, "2024-05-01 08:05:00");
    EXPECT_EQ(cells.duration, "10分0秒");
    EXPECT_EQ(cells.extreme, "9.00°C");
    EXPECT_EQ(VerdictText(ComputeStatistics(*beyond, SampleRange{})), "没有读数");
}

}  // namespace
}  // namespace veldrin
