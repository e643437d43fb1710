// The window joined to a simulated logger: connecting fills the realtime list, reading the history
// fills the history lists and the summary, and the commands follow the connection.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/FileCommands.h"
#include "app/Workspace.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/SimWindowFixture.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;

class WorkspaceTest : public testing::SimWindowFixture {
  protected:
    WorkspaceTest() { AttachLogger(1, LoggerOptions(LoggerModel::SingleTemperature)); }

    bool ConnectAndPoll() { return SimWindowFixture::ConnectAndPoll(1, LoggerModel::SingleTemperature); }
};

TEST_F(WorkspaceTest, ConnectShowsTheLoggerAndListsRealtimeReadings) {
    ASSERT_TRUE(ConnectAndPoll());
    CVeldrinView* view = frame.View();
    EXPECT_EQ(view->CurrentViewMode(), ViewMode::LiveLogger);
    EXPECT_EQ(view->CurrentLinkMode(), LinkMode::Logger);
    EXPECT_TRUE(view->CurrentCommandState().online);
    EXPECT_TRUE(StepUntil([&] { return frame.StatusPane(2)->text() == QStringLiteral("设备通讯正常"); }, 50));
    EXPECT_EQ(view->RealtimePanel()->Title().toStdString(), info.title);
    EXPECT_TRUE(frame.Action(Command::Disconnect)->isEnabled());
    EXPECT_FALSE(frame.Action(Command::Connect)->isEnabled());

    workspace.Records().Realtime().SetMonitoring(true);
    auto& dataList = workspace.Records().RealtimeDataList();
    ASSERT_TRUE(StepUntil([&] { return dataList.rowCount() >= 3; }, 200));
    EXPECT_GE(workspace.Records().RealtimeSeries().Count(), 3);
    auto* listPage = qobject_cast<QTableView*>(view->RealtimePanel()->DataTabs()->widget(1));
    ASSERT_NE(listPage, nullptr);
    EXPECT_EQ(listPage->model(), &dataList);

    frame.Action(Command::Disconnect)->trigger();
    StepUntil([&] { return !workspace.Connection().Online(); }, 50);
    EXPECT_FALSE(view->CurrentCommandState().online);
    EXPECT_FALSE(workspace.Records().Realtime().Monitoring());
}

TEST_F(WorkspaceTest, ReadHistoryFillsTheHistoryListsAndShowsTheHistoryPanel) {
    ASSERT_TRUE(ConnectAndPoll());
    AcceptNextDialog();  // the channel choice
    frame.Action(Command::ReadHistory)->trigger();
    ASSERT_TRUE(workspace.Connection().HistoryMode());
    auto& records = workspace.Records();
    ASSERT_TRUE(StepUntil([&] { return records.HistoryDataList().rowCount() > 0; }, 3000));
    EXPECT_EQ(records.HistoryDataList().rowCount(), 600);
    EXPECT_GT(records.Summary().rowCount(), 0);
    EXPECT_EQ(qobject_cast<QTableView*>(frame.View()->HistoryPanel()->SummaryPage())->model(),
              &records.Summary());
    EXPECT_FALSE(frame.View()->HistoryPanel()->isHidden());
    EXPECT_EQ(frame.View()->Caption(), QStringLiteral("历史数据"));
}

TEST_F(WorkspaceTest, SavedHistoryOpensInAnotherWindowAsAFileHistory) {
    ASSERT_TRUE(ConnectAndPoll());
    AcceptNextDialog();
    frame.Action(Command::ReadHistory)->trigger();
    ASSERT_TRUE(StepUntil([&] { return workspace.Records().HistoryDataList().rowCount() > 0; }, 3000));
    QTemporaryDir folder;
    FileCommands files(workspace, frame, nullptr);
    ASSERT_TRUE(files.SavePath(folder.filePath("run"), 1));
    ASSERT_TRUE(QFile::exists(folder.filePath("run.Vdr")));

    // A refused file leaves the other window as it was.
    LoggerInfo otherInfo;
    CMainFrame other(otherInfo);
    Workspace otherWorkspace(otherInfo, other, &link, &clock);
    FileCommands otherFiles(otherWorkspace, other, nullptr);
    QFile garbage(folder.filePath("garbage.Vdr"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a data file at all");
    garbage.close();
    AcceptNextDialog();  // "文件错误!"
    EXPECT_FALSE(otherFiles.OpenPath(garbage.fileName()));
    EXPECT_EQ(other.View()->CurrentViewMode(), ViewMode::Nothing);
    EXPECT_FALSE(other.Action(Command::Save)->isEnabled());

    ASSERT_TRUE(otherFiles.OpenPath(folder.filePath("run.Vdr")));
    other.RefreshCommands();
    EXPECT_EQ(other.View()->CurrentViewMode(), ViewMode::FileHistory);
    EXPECT_EQ(other.View()->CurrentLinkMode(), LinkMode::HistoryFile);
    EXPECT_EQ(otherWorkspace.Records().HistoryDataList().rowCount(), 600);
    EXPECT_EQ(otherWorkspace.Records().History().samples.Count(),
              workspace.Records().History().samples.Count());
    EXPECT_FALSE(other.View()->HistoryPanel()->isHidden());
    EXPECT_TRUE(other.Action(Command::Save)->isEnabled());
    EXPECT_TRUE(other.Action(Command::PrintHistory)->isEnabled());
}

TEST_F(WorkspaceTest, SaveIntoAMissingFolderFailsWithoutWritingAnything) {
    QTemporaryDir folder;
    FileCommands files(workspace, frame, nullptr);
    AcceptNextDialog();  // "文件保存出错"
    EXPECT_FALSE(files.SavePath(folder.filePath("missing/run.txt"), 2));
    EXPECT_FALSE(QFile::exists(folder.filePath("missing/run.txt")));
}

}  // namespace
}  // namespace veldrin
