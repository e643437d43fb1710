#include <gtest/gtest.h>

#include <QStringList>

#include "history/AlarmText.h"
#include "history/SummaryRows.h"
#include "measure/ExcursionListModel.h"
#include "measure/HistoryListModel.h"
#include "measure/Measurements.h"
#include "measure/RealtimeListModel.h"
#include "measure/StatisticsListModel.h"
#include "measure/SummaryListModel.h"
#include "tests/measure/MeasureTestSupport.h"
#include "tests/translations/EnglishForAWhile.h"

namespace veldrin {
namespace {

// "header width" of every column of `columns`.
QStringList Describe(const std::vector<ListColumn>& columns) {
    QStringList out;
    for (const ListColumn& column : columns)
        out << QString::fromStdString(column.header) + QStringLiteral(" ") + QString::number(column.width);
    return out;
}

QStringList Headers(const TextTableModel& model) {
    QStringList out;
    for (int c = 0; c < model.columnCount(); ++c) {
        out << model.headerData(c, Qt::Horizontal).toString() + QStringLiteral(" ") +
                   model.headerData(c, Qt::Horizontal, TextTableModel::kColumnWidthRole).toString();
    }
    return out;
}

QStringList Row(const TextTableModel& model, int row) {
    QStringList out;
    for (int c = 0; c < model.columnCount(); ++c)
        out << model.data(model.index(row, c)).toString();
    return out;
}

constexpr LoggerModel kSingle = LoggerModel::SingleTemperature;
constexpr LoggerModel kHumidity = LoggerModel::TemperatureHumidity;
constexpr LoggerModel kDual = LoggerModel::DualTemperature;

TEST(ListColumns, InitialColumnsOfEveryList) {
    EXPECT_EQ(Describe(InitialColumns(ListKind::RealtimeData)),
              QStringList({"序号 55", "时间 130", "温度 65"}));
    EXPECT_EQ(Describe(InitialColumns(ListKind::RealtimeAlarm)),
              QStringList({"序号 55", "时间 130", "温度 65"}));
    EXPECT_EQ(Describe(InitialColumns(ListKind::HistoryData)),
              QStringList({"序号 55", "时间 140", "温度 60", "湿度 60"}));
    EXPECT_EQ(Describe(InitialColumns(ListKind::HistoryAlarm)),
              QStringList({"序号 55", "时间 130", "温度 65"}));
    SummaryListModel summary;
    EXPECT_EQ(Headers(summary), QStringList({"名称 140", "值 140"}));
}

// The excursion and statistics lists name their columns in the language of the run, in the
// same widths.
TEST(ListColumns, ExcursionAndStatisticsHeadersAreInTheLanguageOfTheRun) {
    {
        const testing::EnglishForAWhile inEnglish;
        ASSERT_TRUE(inEnglish.Loaded());
        const ExcursionListModel excursions;
        EXPECT_EQ(Headers(excursions), QStringList({"No. 36", "Channel 50", "Excursion 115", "Start 125",
                                                    "End 125", "Duration 75", "Extreme 65"}));
        const StatisticsListModel statistics;
        EXPECT_EQ(Headers(statistics), QStringList({"Item 120", "Value 180"}));
    }
    const ExcursionListModel excursions;
    EXPECT_EQ(Headers(excursions),
              QStringList({"序号 36", "通道 50", "超限 115", "开始 125", "结束 125", "持续 75", "极值 65"}));
    const StatisticsListModel statistics;
    EXPECT_EQ(Headers(statistics), QStringList({"项目 120", "值 180"}));
}

TEST(ListColumns, ValueAndAlarmColumnsPerModel) {
    EXPECT_EQ(Describe(ColumnsFor(ListKind::RealtimeData, kSingle)),
              QStringList({"序号 55", "时间 130", "温度 65"}));
    EXPECT_EQ(Describe(ColumnsFor(ListKind::RealtimeAlarm, kSingle)),
              QStringList({"序号 55", "时间 130", "温度 65", "报警 140", "     0", "     0"}));
    EXPECT_EQ(Describe(ColumnsFor(ListKind::HistoryData, kSingle)),
              QStringList({"序号 55", "时间 140", "温度 65", "     0"}));
    EXPECT_EQ(Describe(ColumnsFor(ListKind::HistoryAlarm, kSingle)),
              QStringList({"序号 55", "时间 130", "温度 140", "报警 140"}));

    EXPECT_EQ(Describe(ColumnsFor(ListKind::RealtimeData, kHumidity)),
              QStringList({"序号 55", "时间 130", "温度 65", "湿度 65"}));
    EXPECT_EQ(Describe(ColumnsFor(ListKind::RealtimeAlarm, kHumidity)),
              QStringList({"序号 55", "时间 130", "温度 65", "湿度 65", "温度报警 140", "湿度报警 140"}));
    EXPECT_EQ(
        Describe(ColumnsFor(ListKind::RealtimeAlarm, kDual)),
        QStringList({"序号 55", "时间 130", "温度I 65", "温度II 65", "温度I报警 140", "温度II报警 140"}));
    EXPECT_EQ(Describe(ColumnsFor(ListKind::HistoryData, kDual)),
              QStringList({"序号 55", "时间 140", "温度I 65", "温度II 65"}));

    // History lists of two-channel models list the shown channels only.
    EXPECT_EQ(Describe(ColumnsFor(ListKind::HistoryData, kHumidity, {false, true})),
              QStringList({"序号 55", "时间 140", "湿度 65"}));
    EXPECT_EQ(Describe(ColumnsFor(ListKind::HistoryAlarm, kHumidity, {false, true})),
              QStringList({"序号 55", "时间 130", "湿度 65", "湿度报警 140"}));
    EXPECT_EQ(Describe(ColumnsFor(ListKind::HistoryAlarm, kDual, {true, false})),
              QStringList({"序号 55", "时间 130", "温度I 65", "温度I报警 140"}));
    EXPECT_EQ(
        Describe(ColumnsFor(ListKind::HistoryAlarm, kDual, {true, true})),
        QStringList({"序号 55", "时间 130", "温度I 65", "温度II 65", "温度I报警 140", "温度II报警 140"}));
    // Realtime lists ignore the history's channel choice.
    EXPECT_EQ(ColumnsFor(ListKind::RealtimeData, kDual, {true, false}).size(), 4u);
}

TEST(AlarmTexts, RealtimeAndHistoryFormats) {
    EXPECT_EQ(AlarmText(AlarmListKind::History, kSingle, 1, 30.0f, 0, 25), "报警：温度大于25.00°C");
    EXPECT_EQ(AlarmText(AlarmListKind::History, kSingle, 1, -1.0f, 0, 25), "报警：温度小于0.00°C");
    EXPECT_EQ(AlarmText(AlarmListKind::History, kSingle, 1, 25.0f, 0, 25), "");
    EXPECT_EQ(AlarmText(AlarmListKind::Realtime, kSingle, 1, 30.0f, 0, 25), "温度大于25.00°C");
    EXPECT_EQ(AlarmText(AlarmListKind::Realtime, kSingle, 1, 20.0f, 0, 25), "");
    EXPECT_EQ(AlarmText(AlarmListKind::History, kHumidity, 1, 30.0f, 0, 25), "温度大于25.00°C");
    EXPECT_EQ(AlarmText(AlarmListKind::History, kHumidity, 2, 10.0f, 20, 80), "湿度小于20.00%");
    EXPECT_EQ(AlarmText(AlarmListKind::Realtime, kHumidity, 2, 90.0f, 20, 80), "湿度大于80.00%");
    EXPECT_EQ(AlarmText(AlarmListKind::Realtime, kHumidity, 2, 50.0f, 20, 80), "  ");
    EXPECT_EQ(AlarmText(AlarmListKind::History, kHumidity, 2, 50.0f, 20, 80), "");
    EXPECT_EQ(AlarmText(AlarmListKind::History, kDual, 1, -30.0f, -20, 0), "温度I小于-20.00°C");
    EXPECT_EQ(AlarmText(AlarmListKind::Realtime, kDual, 2, 1.5f, -20, 0), "温度II大于0.00°C");
}

// A history as the data file reader leaves it: blank-padded time texts and the file's limits.
void FillFileHistory(HistoryDataSet& history, int fileKind, std::uint8_t enable) {
    history.Reset();
    history.fileKind = fileKind;
    history.model = *ModelFromFileKind(fileKind);
    history.shown = {true, fileKind != 3};
    history.limits = {0, 25, 20, 80, enable};
    const std::time_t start = test::LocalTime(2010, 1, 5, 8, 3, 0);
    const float values1[] = {20.0f, 30.0f, 25.0f};
    const float values2[] = {85.25f, 50.0f, 10.0f};
    for (int i = 0; i < 3; ++i) {
        const std::time_t time = start + 60 * i;
        history.samples.SetHistorySample(i, values1[i], values2[i], time);
    }
}

TEST(HistoryLists, FileHistoryListsItsTextsAndAlarmsOnlyWhenEnabled) {
    test::ManualClock clock{0};
    test::CountingSound sound;
    const LoggerInfo info;
    Measurements measurements(info, clock, sound);
    bool shown = false;
    QObject::connect(&measurements, &Measurements::historyShown, [&] { shown = true; });

    FillFileHistory(measurements.History(), 4, 1);
    measurements.ShowLoadedFile();
    EXPECT_TRUE(shown);
    const HistoryListModel& data = measurements.HistoryDataList();
    const HistoryListModel& alarms = measurements.HistoryAlarmList();
    ASSERT_EQ(data.rowCount(), 3);
    EXPECT_EQ(Row(data, 0), QStringList({"1", "2010- 1- 5  8: 3: 0", "20.00°C", "85.25%"}));
    EXPECT_EQ(Row(alarms, 1),
              QStringList({"2", "2010- 1- 5  8: 4: 0", "30.00°C", "50.00%", "温度大于25.00°C", ""}));
    EXPECT_EQ(Row(alarms, 2),
              QStringList({"3", "2010- 1- 5  8: 5: 0", "25.00°C", "10.00%", "", "湿度小于20.00%"}));
    EXPECT_EQ(measurements.HistoryChart().Count2(), 3);
    EXPECT_FLOAT_EQ(measurements.HistoryChart().Max(1), 30.0f);

    FillFileHistory(measurements.History(), 3, 0);
    measurements.ShowLoadedFile();
    EXPECT_EQ(Headers(alarms), QStringList({"序号 55", "时间 130", "温度 140", "报警 140"}));
    EXPECT_EQ(Row(alarms, 1), QStringList({"2", "2010- 1- 5  8: 4: 0", "30.00°C", ""}));
    EXPECT_EQ(Row(data, 1), QStringList({"2", "2010- 1- 5  8: 4: 0", "30.00°C", ""}));
    EXPECT_EQ(measurements.HistoryChart().Count2(), 0);
}

TEST(HistoryLists, DownloadListsTheShownChannelsAgainstTheLoggerLimits) {
    test::ManualClock clock{0};
    test::CountingSound sound;
    LoggerInfo info = test::InfoFor(kHumidity, 0, 25, 20, 80);
    info.channel1Alarm.enable = 0;  // the enable flag plays no part for a download
    info.startTime = DecodeDateTime(std::array<std::uint8_t, 7>{0, 3, 8, 5, 1, 10, 20}.data());
    info.interval = 300;
    Measurements measurements(info, clock, sound);
    const std::vector<std::uint8_t> raw{0xF5, 0x01, 0,    0,    0,    0,    0x14, 0x00,
                                        0x3C, 0x32, 0x1E, 0x00, 0x5A, 0x00, 0x00, 0x00};
    const DownloadIngestResult result = measurements.TakeDownloadedHistory(raw, {false, true});
    ASSERT_EQ(result.sampleCount, 2);
    const HistoryListModel& alarms = measurements.HistoryAlarmList();
    EXPECT_EQ(Headers(alarms), QStringList({"序号 55", "时间 130", "湿度 65", "湿度报警 140"}));
    EXPECT_EQ(Row(alarms, 0), QStringList({"1", "2010-01-05 08:03:00", "60.50%", ""}));
    EXPECT_EQ(Row(alarms, 1), QStringList({"2", "2010-01-05 08:08:00", "90.00%", "湿度大于80.00%"}));
    EXPECT_EQ(Headers(measurements.HistoryDataList()), QStringList({"序号 55", "时间 140", "湿度 65"}));
    EXPECT_EQ(measurements.Summary().CellText(3, 1), QStringLiteral("2"));
    EXPECT_EQ(measurements.HistoryChart().Count1(), 2);

    // A download in which neither channel is shown leaves lists and summary page as they were.
    const DownloadIngestResult unlisted = measurements.TakeDownloadedHistory(raw, {false, false});
    EXPECT_TRUE(unlisted.stored);
    EXPECT_EQ(alarms.columnCount(), 4);
    EXPECT_EQ(measurements.Summary().CellText(3, 1), QStringLiteral("2"));
}

QStringList SummaryColumn(const SummaryListModel& model, int column) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.CellText(r, column);
    return out;
}

const QStringList kOneChannelNames{"标题",     "仪表名称", "启用通道数", "数据长度",  "开始时间",
                                   "停止时间", "间隔时间", "通道号",     "通道名称",  "通道单位",
                                   "最小值",   "最大值",   "平均值",     "记录仪描述"};

TEST(SummaryPage, OneAndTwoChannelLayouts) {
    SummaryListModel summary;
    ASSERT_EQ(summary.rowCount(), 20);
    EXPECT_EQ(SummaryColumn(summary, 0).mid(0, 14), kOneChannelNames);
    EXPECT_EQ(SummaryColumn(summary, 0).mid(14), QStringList(6, "   "));
    EXPECT_EQ(SummaryColumn(summary, 1), QStringList(20, ""));

    HistoryDataSet history;
    history.summary.description = "东墙";
    summary.Refresh(history);  // start values of a single-temperature history
    EXPECT_EQ(SummaryColumn(summary, 0).mid(0, 14), kOneChannelNames);
    EXPECT_EQ(SummaryColumn(summary, 1).mid(0, 14),
              QStringList({"数据测试", "温度记录仪", "1", "0", "2008-01-01 00:00:00", "2008-01-01 00:00:00",
                           "1s", "1", "温度", "°C", "0", "100", "50", "东墙"}));
    EXPECT_EQ(SummaryColumn(summary, 1).mid(14), QStringList(6, "  "));

    history.model = kDual;
    history.summary.channel2Name = "温度II";
    summary.Refresh(history);
    const QStringList twoChannelNames{"标题",     "仪表名称", "启用通道数", "数据长度", "开始时间",
                                      "停止时间", "间隔时间", "通道号",     "通道名称", "通道单位",
                                      "最小值",   "最大值",   "平均值",     "通道号",   "通道名称",
                                      "通道单位", "最小值",   "最大值",     "平均值",   "记录仪描述"};
    EXPECT_EQ(SummaryColumn(summary, 0), twoChannelNames);
    EXPECT_EQ(summary.CellText(13, 1), QStringLiteral("2"));
    EXPECT_EQ(summary.CellText(14, 1), QStringLiteral("温度II"));
    EXPECT_EQ(summary.CellText(19, 1), QStringLiteral("东墙"));

    // A file's kind chooses the layout, whatever model the record names.
    history.fileKind = 3;
    EXPECT_EQ(LayoutFor(history), SummaryLayout::OneChannel);
    history.fileKind = 4;
    history.model = kSingle;
    EXPECT_EQ(LayoutFor(history), SummaryLayout::TwoChannels);
}

TEST(SummaryPage, CommandLineLinesUseTheRowNames) {
    HistoryDataSet history;
    history.summary.title = "冷库";
    const std::string lines = FormatSummaryLines(history);
    EXPECT_EQ(lines.substr(0, lines.find('\n', lines.find('\n') + 1) + 1),
              "标题: 冷库\n仪表名称: 温度记录仪\n");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 14);
    EXPECT_NE(lines.find("\n间隔时间: 1s\n"), std::string::npos);
    EXPECT_TRUE(lines.ends_with("记录仪描述: \n"));
    history.model = kHumidity;
    const std::string twoChannels = FormatSummaryLines(history);
    EXPECT_EQ(std::count(twoChannels.begin(), twoChannels.end(), '\n'), 20);
}

}  // namespace
}  // namespace veldrin
