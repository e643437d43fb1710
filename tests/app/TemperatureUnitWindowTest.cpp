// "数据(&V)" → "温度单位": choosing "°F" in the real menu while a history is shown writes the
// history lists, the statistics, the curve page and the limit boxes in °F at once; "°C" brings
// back exactly the texts shown before; the choice is remembered for the next window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CurvePage.h"
#include "app/FileCommands.h"
#include "app/UnitMenu.h"
#include "app/WarnDialog.h"
#include "app/Workspace.h"
#include "files/DataFile.h"
#include "logger/WireCodec.h"
#include "sim/SimLink.h"
#include "sim/VirtualClock.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QtTempFolder.h"
#include "tests/app/WindowDriving.h"

namespace veldrin {
namespace {

// Every cell text of a list, row by row.
QStringList Cells(const QAbstractItemModel& model) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.data(model.index(row, column)).toString();
    }
    return cells;
}

// The action of a menu bar's menu (or its submenu) with the text `text`.
QAction* MenuAction(QMenuBar& bar, const QString& menu, const QString& submenu, const QString& text) {
    for (QAction* top : bar.actions()) {
        if (top->text() != menu || top->menu() == nullptr)
            continue;
        for (QAction* item : top->menu()->actions()) {
            if (item->text() != submenu || item->menu() == nullptr)
                continue;
            for (QAction* choice : item->menu()->actions()) {
                if (choice->text() == text)
                    return choice;
            }
        }
    }
    return nullptr;
}

class TemperatureUnitWindow : public ::testing::Test {
  protected:
    // Twelve temperature-humidity readings five minutes apart, the temperature above 8 °C at
    // readings 3 and 4; saved as a data file and opened through File → Open.
    void SetUp() override {
        files.Install();
        HistoryDataSet set;
        set.model = LoggerModel::TemperatureHumidity;
        set.shown = {true, true};
        const std::time_t start = MakeLocalTime(2024, 5, 1, 8, 0, 0).value();
        for (int i = 0; i < 12; ++i)
            set.samples.SetHistorySample(i, i == 3 || i == 4 ? 9.25f : 5.0f, i == 9 ? 35.5f : 60.0f,
                                         start + 300 * i);
        set.summary.title = "冷库";
        set.summary.source = SummarySource::Download;
        set.summary.start = start;
        set.summary.stop = start + 300 * 11;
        set.summary.intervalSeconds = 300;
        set.summary.dataLengthValue = 24;  // values stored: twelve readings of two channels
        set.summary.min1 = 5;
        set.summary.max1 = 9.25f;
        set.summary.avg1 = 5.7f;
        set.summary.min2 = 35.5f;
        set.summary.max2 = 60;
        set.summary.avg2 = 58;
        set.limits = {2, 8, 40, 80, 1};
        const QString path = folder.filePath(QStringLiteral("run.Vdr"));
        ASSERT_TRUE(WriteDataFile(path.toStdString(), set).ok);
        const auto answered = testing::AnswerFileDialog(path);
        frame.Action(Command::Open)->trigger();
        ASSERT_TRUE(*answered);
        ASSERT_EQ(workspace.Records().History().samples.Count(), 12);
    }

    void Choose(const char* unit) {
        QAction* action = MenuAction(*frame.menuBar(), QStringLiteral("数据(&V)"), QStringLiteral("温度单位"),
                                     QString::fromUtf8(unit));
        ASSERT_NE(action, nullptr) << unit;
        ASSERT_TRUE(action->isCheckable());
        action->trigger();
        EXPECT_TRUE(action->isChecked());
    }

    // What the history pages show now: both lists, the statistics and the excursions.
    QStringList Shown() {
        Measurements& records = workspace.Records();
        return Cells(records.HistoryDataList()) + Cells(records.HistoryAlarmList()) +
               Cells(records.StatisticsList()) + Cells(records.ExcursionList());
    }

    // The texts of the history curve page, as it draws itself.
    QStringList CurveTexts() {
        auto* curve = qobject_cast<CurvePage*>(frame.View()->HistoryPanel()->DataTabs()->widget(0));
        EXPECT_NE(curve, nullptr);
        curve->grab();
        QStringList texts;
        for (const PageText& text : curve->Texts())
            texts << text.text;
        return texts;
    }

    test::QtTempFolder folder;
    test::QtTempFolder profile;
    testing::ProfileFolder profileFolder{profile.path()};
    VirtualClock clock;
    SimLink link{clock};
    LoggerInfo info;
    CMainFrame frame{info};
    Workspace workspace{info, frame, &link, &clock};
    FileCommands files{workspace, frame, nullptr};
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

}  // namespace
}  // namespace veldrin
