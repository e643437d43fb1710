// The computed dew point: the Magnus formula against values worked out by hand, the histories
// that have one, its statistics beside the recorded channels and its column in the data list.
#include <gtest/gtest.h>

#include "history/DewPoint.h"
#include "history/HistoryListRows.h"
#include "history/HistoryStatistics.h"
#include "history/StatisticsText.h"
#include "tests/history/ThreeSampleHistory.h"

namespace veldrin {
namespace {

// γ = ln(RH/100) + 17.62·T/(243.12 + T), Td = 243.12·γ/(17.62 − γ), worked out by hand.
TEST(DewPoint, MagnusFormulaAgainstValuesWorkedOutByHand) {
    EXPECT_NEAR(DewPoint(20, 50), 9.2552, 1e-4);
    EXPECT_NEAR(DewPoint(25, 60), 16.6931, 1e-4);
    EXPECT_NEAR(DewPoint(-10, 80), -12.7969, 1e-4);
    EXPECT_NEAR(DewPoint(30, 100), 30.0, 1e-9) << "saturated air is at its dew point";
    EXPECT_NEAR(DewPoint(20, 1), -38.0159, 1e-4);
    EXPECT_DOUBLE_EQ(DewPoint(20, 0), DewPoint(20, 1)) << "a dry sensor's 0 % is taken as 1 %";
    EXPECT_DOUBLE_EQ(DewPoint(20, 104), DewPoint(20, 100));
}

TEST(DewPoint, OnlyTemperatureHumidityHistoriesShowingBothChannelsHaveOne) {
    HistoryDataSet history = test::ThreeSampleDownload();
    EXPECT_TRUE(HasDewPoint(history));
    EXPECT_EQ(DewPoints(history).size(), 3u);
    history.shown = {true, false};
    EXPECT_FALSE(HasDewPoint(history));
    history.shown = {true, true};
    history.model = LoggerModel::DualTemperature;
    EXPECT_FALSE(HasDewPoint(history));
    EXPECT_TRUE(DewPoints(history).empty());
}

// 20 °C 85.25 %, 30 °C 50 %, 25 °C 10 %: dew points 17.4460, 18.4409, −8.7735 °C; mean 9.0378,
// standard deviation 15.4331.
TEST(DewPoint, StatisticsBesideTheRecordedChannelsWithoutLimitsOrMkt) {
    const HistoryDataSet history = test::ThreeSampleDownload();
    const auto dewPoint = DewPointStatistics(history, WholeHistory(history));
    ASSERT_TRUE(dewPoint.has_value());
    EXPECT_EQ(dewPoint->name, "露点(计算)");
    EXPECT_EQ(dewPoint->channel, kDewPointChannel);
    EXPECT_NEAR(dewPoint->minimum.value, -8.7735, 1e-3);
    EXPECT_EQ(dewPoint->minimum.index, 2);
    EXPECT_NEAR(dewPoint->maximum.value, 18.4409, 1e-3);
    EXPECT_NEAR(dewPoint->average, 9.0378, 1e-3);
    EXPECT_NEAR(dewPoint->standardDeviation, 15.4331, 1e-3);
    EXPECT_FALSE(dewPoint->meanKineticTemperature.has_value());
    EXPECT_FALSE(DewPointStatistics(history, SampleRange{}).has_value());

    HistoryStatistics statistics = ComputeStatistics(history);
    const int excursions = statistics.ExcursionCount();
    statistics.channels.push_back(*dewPoint);
    EXPECT_EQ(statistics.ExcursionCount(), excursions) << "the dew point has no limits to cross";
    const HistoryStatistics fahrenheit = StatisticsInUnit(statistics, TemperatureUnit::Fahrenheit);
    for (const FigureRow& row : FigureRows(fahrenheit)) {
        ASSERT_EQ(row.texts.size(), 3u) << row.name;
        if (row.name == "最大值") {
            EXPECT_EQ(row.texts[2], "65.19°F");
        }
        if (row.name == "上限" || row.name == "平均动力学温度(MKT)") {
            EXPECT_EQ(row.texts[2], "—") << row.name;
        }
    }
}

TEST(DewPoint, TheDataListAddsItsColumnWhenAsked) {
    const HistoryDataSet history = test::ThreeSampleDownload();
    HistoryListRows data(ListKind::HistoryData);
    FillHistoryRows(history, history.model, true, data);
    const std::size_t recorded = data.Columns().size();
    FillHistoryRows(history, history.model, true, data, TemperatureUnit::Celsius, true);
    ASSERT_EQ(data.Columns().size(), recorded + 1);
    const int column = static_cast<int>(recorded);
    EXPECT_EQ(data.Columns().back().header, "露点(计算)");
    EXPECT_EQ(data.CellText(1, column), "18.44°C");
    FillHistoryRows(history, history.model, true, data, TemperatureUnit::Fahrenheit, true);
    EXPECT_EQ(data.CellText(1, column), "65.19°F");
    HistoryListRows alarms(ListKind::HistoryAlarm);
    FillHistoryRows(history, history.model, true, alarms, TemperatureUnit::Celsius, true);
    EXPECT_EQ(alarms.Columns(), ColumnsFor(ListKind::HistoryAlarm, history.model, history.shown))
        << "only the data list";
}

}  // namespace
}  // namespace veldrin
