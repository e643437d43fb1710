// Temperatures shown in °F: the statistics against figures worked out by hand, the verdict that
// the unit does not change, the list cells and the alarm texts. Humidity stays in percent.
#include <gtest/gtest.h>

#include "history/AlarmText.h"
#include "history/HistoryListRows.h"
#include "history/HistoryStatistics.h"
#include "history/HistoryText.h"
#include "history/StatisticsText.h"
#include "tests/history/ThreeSampleHistory.h"

namespace veldrin {
namespace {

constexpr TemperatureUnit kF = TemperatureUnit::Fahrenheit;

// The text of the figure row `name` for every channel.
std::vector<std::string> Row(const std::vector<FigureRow>& rows, const std::string& name) {
    for (const FigureRow& row : rows) {
        if (row.name == name)
            return row.texts;
    }
    ADD_FAILURE() << "no row " << name;
    return {};
}

// 20, 30, 25 °C are 68, 86, 77 °F: the mean 77 °F, the standard deviation 5 °C = 9 °F (no
// offset), the MKT 25.8582 °C (from 293.15, 303.15, 298.15 K) = 78.5448 °F.
TEST(FahrenheitTexts, StatisticsMatchFiguresWorkedOutByHand) {
    const HistoryDataSet history = test::ThreeSampleDownload();
    const HistoryStatistics celsius = ComputeStatistics(history);
    const HistoryStatistics fahrenheit = StatisticsInUnit(celsius, kF);
    const ChannelStatistics& t = fahrenheit.channels.at(0);
    EXPECT_FLOAT_EQ(t.minimum.value, 68);
    EXPECT_FLOAT_EQ(t.maximum.value, 86);
    EXPECT_DOUBLE_EQ(t.average, 77);
    EXPECT_NEAR(t.standardDeviation, 9, 1e-9);
    EXPECT_NEAR(*t.meanKineticTemperature, 78.54478, 1e-4);
    EXPECT_FLOAT_EQ(t.above.limit, 77);
    EXPECT_FLOAT_EQ(t.below.limit, 32);
    EXPECT_FLOAT_EQ(t.above.excursions.at(0).extreme, 86);

    const std::vector<FigureRow> rows = FigureRows(fahrenheit);
    EXPECT_EQ(Row(rows, "通道"), (std::vector<std::string>{"温度 (°F)", "湿度 (%)"}));
    EXPECT_EQ(Row(rows, "最小值"), (std::vector<std::string>{"68.00°F", "10.00%"}));
    EXPECT_EQ(Row(rows, "平均值"), (std::vector<std::string>{"77.00°F", "48.42%"}));
    EXPECT_EQ(Row(rows, "标准差"), (std::vector<std::string>{"9.00°F", "37.65%"}));
    EXPECT_EQ(Row(rows, "平均动力学温度(MKT)").at(0), "78.54°F");
    EXPECT_EQ(Row(rows, "上限"), (std::vector<std::string>{"77.00°F", "80.00%"}));
    EXPECT_EQ(Row(FigureRows(celsius), "标准差").at(0), "5.00°C");
    const ExcursionCells cells = ExcursionCellsOf(ExcursionsInTimeOrder(fahrenheit).at(1));
    EXPECT_EQ(cells.limit, "高于上限 77.00°F");
    EXPECT_EQ(cells.extreme, "86.00°F");
}

TEST(FahrenheitTexts, TheVerdictDoesNotDependOnTheUnit) {
    HistoryDataSet history = test::ThreeSampleDownload();
    for (int alarm : {1, 0}) {
        history.limits.enable1 = static_cast<std::uint8_t>(alarm);
        const HistoryStatistics celsius = ComputeStatistics(history);
        const HistoryStatistics fahrenheit = StatisticsInUnit(celsius, kF);
        EXPECT_EQ(VerdictOf(fahrenheit), VerdictOf(celsius));
        EXPECT_EQ(VerdictText(fahrenheit), VerdictText(celsius));
        EXPECT_EQ(fahrenheit.ExcursionCount(), celsius.ExcursionCount());
    }
    history.limits.enable1 = 1;
    EXPECT_EQ(VerdictText(StatisticsInUnit(ComputeStatistics(history), kF)),
              VerdictText(ComputeStatistics(history)));
}

TEST(FahrenheitTexts, ListCellsAndAlarmTextsFollowTheUnit) {
    const HistoryDataSet history = test::ThreeSampleDownload();
    HistoryListRows alarms(ListKind::HistoryAlarm);
    FillHistoryRows(history, history.model, true, alarms, kF);
    ASSERT_EQ(alarms.Rows(), 3);
    EXPECT_EQ(alarms.CellText(1, 2), "86.00°F");
    EXPECT_EQ(alarms.CellText(0, 3), "85.25%");
    EXPECT_EQ(alarms.CellText(1, 4), "温度大于77.00°F");
    EXPECT_EQ(alarms.CellText(2, 5), "湿度小于20.00%");
    FillHistoryRows(history, history.model, true, alarms);
    EXPECT_EQ(alarms.CellText(1, 2), "30.00°C");
    EXPECT_EQ(alarms.CellText(1, 4), "温度大于25.00°C");
    // A dual-temperature logger's second channel is a temperature.
    EXPECT_EQ(AlarmText(AlarmListKind::History, LoggerModel::DualTemperature, 2, -30, -20, 0, kF),
              "温度II小于-4.00°F");
}

TEST(FahrenheitTexts, TheSummaryGivesTemperatureFiguresInTheUnit) {
    HistoryDataSet history = test::ThreeSampleDownload();
    history.summary.min1 = 20;
    history.summary.max1 = 30;
    history.summary.avg1 = 25;
    history.summary.min2 = 10;
    const SummaryTexts download = SummaryTextsOf(history, kF);
    EXPECT_EQ(download.channel1Unit, "°F");
    EXPECT_EQ(download.channel1Min, "68.00°F");
    EXPECT_EQ(download.channel1Avg, "77.00°F");
    EXPECT_EQ(download.channel2Min, "10.00%");
    EXPECT_EQ(SummaryTextsOf(history).channel1Max, "30.00°C");
    history.summary.source = SummarySource::DataFile;
    history.summary.storedStatistics = {"20.00", "30.00", "25.00", "10.00", "85.25", "48.42"};
    EXPECT_EQ(SummaryTextsOf(history, kF).channel1Max, "86.00") << "a file's figures stay bare numbers";
    EXPECT_EQ(SummaryTextsOf(history, kF).channel2Max, "85.25");
    EXPECT_EQ(SummaryTextsOf(history).channel1Max, "30.00");
}

}  // namespace
}  // namespace veldrin
