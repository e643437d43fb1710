// "数据(&V)" → "温度单位": choosing "°F" in the real menu while a history is shown writes the
// history lists, the statistics, the curve page and the limit boxes in °F at once; "°C" brings
// back exactly the texts shown before; the choice is remembered for the next window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <algorithm>

#include "app/CFormDialog.h"
#include "app/UnitMenu.h"
#include "app/WarnDialog.h"
#include "tests/app/ColdRoomWindow.h"

namespace veldrin {
namespace {

using testing::Cells;

class TemperatureUnitWindow : public testing::ColdRoomWindow {
  protected:
    void Choose(const char* unit) {
        QAction* action = testing::MenuAction(
            *frame.menuBar(),
            {QStringLiteral("数据(&V)"), QStringLiteral("温度单位"), QString::fromUtf8(unit)});
        ASSERT_NE(action, nullptr) << unit;
        ASSERT_TRUE(action->isCheckable());
        action->trigger();
        EXPECT_TRUE(action->isChecked());
    }
};

TEST_F(TemperatureUnitWindow, FahrenheitThroughTheMenuAndBackRestoresTheCelsiusTexts) {
    frame.show();
    EXPECT_TRUE(frame.Units()->Action(TemperatureUnit::Celsius)->isChecked()) << "°C until chosen otherwise";
    const QStringList celsius = Shown();
    const QStringList celsiusCurve = CurveTexts();
    ASSERT_TRUE(celsius.contains(QStringLiteral("9.25°C")));
    ASSERT_TRUE(celsiusCurve.contains(QStringLiteral("温度°C")));
    WarnDialog* limits = frame.View()->RealtimePanel()->Channel1Page();
    limits->UpperBox()->setText(QStringLiteral("8"));
    limits->LowerBox()->setText(QStringLiteral("-18"));

    Choose("°F");
    const QStringList fahrenheit = Shown();
    EXPECT_TRUE(fahrenheit.contains(QStringLiteral("48.65°F"))) << "9.25 °C in the lists and the statistics";
    EXPECT_TRUE(fahrenheit.contains(QStringLiteral("温度大于46.40°F")))
        << fahrenheit.join(u'|').toStdString();
    EXPECT_TRUE(fahrenheit.contains(QStringLiteral("高于上限 46.40°F")));
    EXPECT_TRUE(fahrenheit.contains(QStringLiteral("温度 (°F)")));
    EXPECT_TRUE(fahrenheit.contains(QStringLiteral("60.00%"))) << "humidity stays";
    EXPECT_TRUE(fahrenheit.contains(QStringLiteral("°F"))) << "the summary's channel unit";
    EXPECT_FALSE(fahrenheit.join(u'|').contains(QStringLiteral("°C")));
    const QStringList curve = CurveTexts();
    EXPECT_TRUE(curve.contains(QStringLiteral("温度°F"))) << curve.join(u'|').toStdString();
    EXPECT_TRUE(curve.contains(QStringLiteral("46.40"))) << "the upper limit on the curve page";
    EXPECT_EQ(limits->UpperBox()->text(), "46.4");
    EXPECT_EQ(limits->LowerBox()->text(), "-0.4");

    Choose("°C");
    EXPECT_EQ(Shown(), celsius);
    EXPECT_EQ(CurveTexts(), celsiusCurve);
    EXPECT_EQ(limits->UpperBox()->text(), "8");
    EXPECT_EQ(limits->LowerBox()->text(), "-18");
    frame.hide();
}

TEST_F(TemperatureUnitWindow, TheChoiceIsRememberedForTheNextWindow) {
    Choose("°F");
    LoggerInfo otherInfo;
    CMainFrame next{otherInfo};
    EXPECT_EQ(next.Units()->Chosen(), TemperatureUnit::Fahrenheit);
    EXPECT_TRUE(next.Units()->Action(TemperatureUnit::Fahrenheit)->isChecked());
    Workspace nextWorkspace{otherInfo, next, &link, &clock};
    EXPECT_EQ(nextWorkspace.Records().Unit(), TemperatureUnit::Fahrenheit);
    Choose("°C");
    CMainFrame third{otherInfo};
    EXPECT_EQ(third.Units()->Chosen(), TemperatureUnit::Celsius);
}

// "显示露点(计算)" in the same menu: the data list and the statistics get the computed dew point
// (9.25 °C at 60 % → 1.88 °C), in the chosen unit; saving writes only the recorded channels.
TEST_F(TemperatureUnitWindow, TheDewPointIsShownWhenSwitchedOnAndNeverSaved) {
    Measurements& records = workspace.Records();
    QAction* dewPoint =
        testing::MenuAction(*frame.menuBar(), {QStringLiteral("数据(&V)"), QStringLiteral("显示露点(计算)")});
    ASSERT_NE(dewPoint, nullptr);
    EXPECT_FALSE(dewPoint->isChecked()) << "off at the start";
    const int recordedColumns = records.HistoryDataList().columnCount();
    EXPECT_FALSE(Cells(records.StatisticsList()).contains(QStringLiteral("1.88°C")));
    const CurveChart& chart = records.HistoryChart();
    const auto lowestLabel = [&chart] {
        return *std::min_element(chart.Labels(1).begin(), chart.Labels(1).end());
    };
    const float ownLowest = lowestLabel();

    dewPoint->trigger();
    const QStringList curve = CurveTexts();
    EXPECT_TRUE(curve.contains(QStringLiteral("露点(计算)°C"))) << curve.join(u'|').toStdString();
    EXPECT_EQ(chart.OverlayCount(), 12);
    EXPECT_LT(lowestLabel(), -9.04f) << "the scale widens to the lowest dew point (5 °C at 35.5 %)";
    EXPECT_GT(ownLowest, 0) << "the temperature's own scale, about its lowest reading 5 °C";
    QAbstractItemModel& data = records.HistoryDataList();
    ASSERT_EQ(data.columnCount(), recordedColumns + 1);
    EXPECT_EQ(data.headerData(recordedColumns, Qt::Horizontal).toString(), "露点(计算)");
    EXPECT_EQ(data.data(data.index(3, recordedColumns)).toString(), "1.88°C");
    QAbstractItemModel& statistics = records.StatisticsList();
    EXPECT_EQ(statistics.headerData(3, Qt::Horizontal).toString(), "露点(计算)");
    EXPECT_TRUE(Cells(statistics).contains(QStringLiteral("1.88°C"))) << "its maximum";
    Choose("°F");
    EXPECT_EQ(data.data(data.index(3, recordedColumns)).toString(), "35.38°F");
    Choose("°C");

    const QString saved = folder.filePath(QStringLiteral("saved.Vdr"));
    const auto answered = testing::AnswerFileDialog(saved);
    frame.Action(Command::Save)->trigger();
    ASSERT_TRUE(*answered);
    const DataFileLoad load = LoadDataFile(saved.toStdString());
    ASSERT_TRUE(load.result.ok) << load.result.reason;
    EXPECT_EQ(load.header.channelCount, 2);
    EXPECT_EQ(load.dataSet->samples.Count(), 12);
    EXPECT_EQ(load.dataSet->samples.Value2(3), 60.0f) << "the humidity, not the dew point";

    dewPoint->trigger();
    EXPECT_EQ(data.columnCount(), recordedColumns);
    EXPECT_EQ(chart.OverlayCount(), 0);
    EXPECT_FALSE(CurveTexts().join(u'|').contains(QStringLiteral("露点")));
    EXPECT_EQ(lowestLabel(), ownLowest) << "the temperature's own scale again";
    EXPECT_EQ(statistics.columnCount(), 3);
}

}  // namespace
}  // namespace veldrin
