#pragma once
// A window with the cold-room history (ColdRoomHistory) saved as a data file and opened through
// File → Open, and what its history pages show.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <initializer_list>

#include "app/CDlgHistory.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CurvePage.h"
#include "app/FileCommands.h"
#include "app/Workspace.h"
#include "files/DataFile.h"
#include "sim/SimLink.h"
#include "sim/VirtualClock.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/ColdRoomHistory.h"
#include "tests/app/QtTempFolder.h"
#include "tests/app/WindowDriving.h"

namespace veldrin::testing {

// Every cell text of a list, row by row.
inline QStringList Cells(const QAbstractItemModel& model) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.data(model.index(row, column)).toString();
    }
    return cells;
}

// The action a menu bar reaches through the menus and submenus named by `path`, the last name being
// the action's own; nullptr when there is none.
inline QAction* MenuAction(QMenuBar& bar, std::initializer_list<QString> path) {
    QList<QAction*> actions = bar.actions();
    QAction* found = nullptr;
    for (const QString& name : path) {
        if (found != nullptr) {
            if (found->menu() == nullptr)
                return nullptr;
            actions = found->menu()->actions();
        }
        found = nullptr;
        for (QAction* action : actions) {
            if (action->text() == name)
                found = action;
        }
        if (found == nullptr)
            return nullptr;
    }
    return found;
}

class ColdRoomWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        files.Install();
        const QString path = folder.filePath(QStringLiteral("run.Vdr"));
        ASSERT_TRUE(WriteDataFile(path.toStdString(), test::ColdRoomHistory()).ok);
        const auto answered = AnswerFileDialog(path);
        frame.Action(Command::Open)->trigger();
        ASSERT_TRUE(*answered);
        ASSERT_EQ(workspace.Records().History().samples.Count(), 12);
    }

    // What the history pages show now: both lists, the statistics, the excursions and the summary.
    QStringList Shown() {
        Measurements& records = workspace.Records();
        return Cells(records.HistoryDataList()) + Cells(records.HistoryAlarmList()) +
               Cells(records.StatisticsList()) + Cells(records.ExcursionList()) + Cells(records.Summary());
    }

    // The texts of the history curve page, as it draws itself.
    QStringList CurveTexts() {
        auto* curve = qobject_cast<CurvePage*>(frame.View()->HistoryPanel()->DataTabs()->widget(0));
        EXPECT_NE(curve, nullptr);
        if (curve == nullptr)
            return {};
        curve->grab();
        QStringList texts;
        for (const PageText& text : curve->Texts())
            texts << text.text;
        return texts;
    }

    test::QtTempFolder folder;
    test::QtTempFolder profile;
    ProfileFolder profileFolder{profile.path()};
    VirtualClock clock;
    SimLink link{clock};
    LoggerInfo info;
    CMainFrame frame{info};
    Workspace workspace{info, frame, &link, &clock};
    FileCommands files{workspace, frame, nullptr};
};

}  // namespace veldrin::testing
