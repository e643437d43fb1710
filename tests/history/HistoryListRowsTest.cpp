// The Qt-free rows of the history lists and of the summary list, which the list models of the
// pages and the workbook export both read, and the sample store under them.
#include "history/HistoryListRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/SummaryRows.h"
#include "tests/history/ThreeSampleHistory.h"

namespace veldrin {
namespace {

using Texts = std::vector<std::string>;
using test::ThreeSampleDownload;

Texts Headers(const HistoryListRows& rows) {
    Texts out;
    for (const ListColumn& column : rows.Columns())
        out.push_back(column.header);
    return out;
}

Texts Row(const HistoryListRows& rows, int row) {
    Texts out;
    for (int c = 0; c < static_cast<int>(rows.Columns().size()); ++c)
        out.push_back(rows.CellText(row, c));
    return out;
}

TEST(HistoryListRows, AlarmAndDataListsOfATwoChannelHistory) {
    const HistoryDataSet history = ThreeSampleDownload();
    HistoryListRows alarms(ListKind::HistoryAlarm);
    EXPECT_EQ(Headers(alarms), (Texts{"序号", "时间", "温度"}));
    EXPECT_EQ(alarms.Rows(), 0);

    FillHistoryRows(history, history.model, true, alarms);
    ASSERT_EQ(alarms.Rows(), 3);
    EXPECT_EQ(Headers(alarms), (Texts{"序号", "时间", "温度", "湿度", "温度报警", "湿度报警"}));
    EXPECT_EQ(Row(alarms, 0), (Texts{"1", "2010-01-05 08:03:00", "20.00°C", "85.25%", "", "湿度大于80.00%"}));
    EXPECT_EQ(Row(alarms, 1),
              (Texts{"2", "2010-01-05 08:04:00", "30.00°C", "50.00%", "温度大于25.00°C", ""}));
    EXPECT_EQ(Row(alarms, 2), (Texts{"3", "2010-01-05 08:05:00", "25.00°C", "10.00%", "", "湿度小于20.00%"}));
    // Outside the list every cell is empty.
    EXPECT_EQ(alarms.CellText(3, 0), "");
    EXPECT_EQ(alarms.CellText(-1, 0), "");
    EXPECT_EQ(alarms.CellText(0, 6), "");
    EXPECT_EQ(alarms.CellText(0, -1), "");

    // Without alarm texts the values stay and the alarm columns are blank.
    FillHistoryRows(history, history.model, false, alarms);
    EXPECT_EQ(Row(alarms, 1), (Texts{"2", "2010-01-05 08:04:00", "30.00°C", "50.00%", "", ""}));

    HistoryListRows data(ListKind::HistoryData);
    FillHistoryRows(history, history.model, true, data);
    EXPECT_EQ(Headers(data), (Texts{"序号", "时间", "温度", "湿度"}));
    EXPECT_EQ(Row(data, 2), (Texts{"3", "2010-01-05 08:05:00", "25.00°C", "10.00%"}));
}

TEST(HistoryListRows, ShownChannelsAndModelDecideTheColumns) {
    HistoryDataSet history = ThreeSampleDownload();
    history.shown = {false, true};
    HistoryListRows alarms(ListKind::HistoryAlarm);
    FillHistoryRows(history, history.model, true, alarms);
    EXPECT_EQ(Headers(alarms), (Texts{"序号", "时间", "湿度", "湿度报警"}));
    EXPECT_EQ(Row(alarms, 2), (Texts{"3", "2010-01-05 08:05:00", "10.00%", "湿度小于20.00%"}));

    // Listed as a one-channel model: the temperature and its alarm only.
    FillHistoryRows(history, LoggerModel::SingleTemperature, true, alarms);
    EXPECT_EQ(Headers(alarms), (Texts{"序号", "时间", "温度", "报警"}));
    EXPECT_EQ(Row(alarms, 1), (Texts{"2", "2010-01-05 08:04:00", "30.00°C", "报警：温度大于25.00°C"}));

    // Neither channel of a two-channel model shown: nothing to list, the rows stay as they were.
    history.shown = {false, false};
    EXPECT_FALSE(ListsHistory(history, history.model));
    EXPECT_TRUE(ListsHistory(history, LoggerModel::SingleTemperature));
    FillHistoryRows(history, history.model, true, alarms);
    EXPECT_EQ(Headers(alarms), (Texts{"序号", "时间", "温度", "报警"}));
    EXPECT_EQ(alarms.Rows(), 3);
}

TEST(SummaryListRows, NamedRowsThenBlankRowsUpToTheListLength) {
    // The one-channel layout: 14 named rows, then blank ones.
    HistoryDataSet history = ThreeSampleDownload();
    history.model = LoggerModel::SingleTemperature;
    history.shown = {true, false};
    const std::vector<SummaryRow> named = SummaryRows(history);
    const std::vector<SummaryRow> listed = SummaryListRows(history);
    ASSERT_EQ(listed.size(), static_cast<std::size_t>(kSummaryListRows));
    ASSERT_LT(named.size(), listed.size());
    for (std::size_t r = 0; r < listed.size(); ++r) {
        const std::string name = r < named.size() ? named[r].name : "  ";
        const std::string value = r < named.size() ? named[r].value : "  ";
        EXPECT_EQ(listed[r].name, name) << r;
        EXPECT_EQ(listed[r].value, value) << r;
    }
    ASSERT_EQ(SummaryListColumns().size(), 2u);
    EXPECT_EQ(SummaryListColumns()[0].header, "名称");
    EXPECT_EQ(SummaryListColumns()[1].header, "值");
}

TEST(SampleSeries, NewSlotsReadZeroAndCopiesAreIndependent) {
    SampleSeries series;
    for (int i : {0, 1, SampleSeries::kCapacity - 1}) {
        EXPECT_EQ(series.Value1(i), 0.0f);
        EXPECT_EQ(series.Value2(i), 0.0f);
        EXPECT_EQ(series.Time(i), 0);
    }
    series.SetHistorySample(0, 1.5f, 2.5f, 100);
    series.SetHistorySample(SampleSeries::kCapacity - 1, 3.5f, 4.5f, 200);
    series.currentValue1 = 7;

    SampleSeries copy(series);
    copy.SetHistorySample(0, 9.0f, 9.0f, 900);
    EXPECT_EQ(series.Value1(0), 1.5f);
    EXPECT_EQ(series.Time(0), 100);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.Value2(SampleSeries::kCapacity - 1), 4.5f);
    EXPECT_EQ(copy.currentValue1, 7.0f);

    SampleSeries assigned;
    assigned = series;
    EXPECT_EQ(assigned.Count(), SampleSeries::kCapacity);
    EXPECT_EQ(assigned.Time(SampleSeries::kCapacity - 1), 200);
    assigned.SetHistorySample(1, 5.0f, 5.0f, 500);
    EXPECT_EQ(series.Value1(1), 0.0f);

    // The realtime convention wraps to slot 0 after the last one.
    SampleSeries realtime;
    realtime.SetCount(SampleSeries::kCapacity - 2);
    EXPECT_EQ(realtime.AppendRealtime(1, 2, 3), SampleSeries::kCapacity - 1);
    EXPECT_EQ(realtime.AppendRealtime(4, 5, 6), 0);
    EXPECT_EQ(realtime.Value1(0), 4.0f);
    EXPECT_EQ(realtime.Time(SampleSeries::kCapacity - 1), 3);
}

}  // namespace
}  // namespace veldrin
