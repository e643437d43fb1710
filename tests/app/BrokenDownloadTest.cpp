// The window when the logger falls silent during a download: the user is told how much arrived,
// the blocks that arrived are in the history panel, and they can be saved.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>

#include "app/CDlgHistory.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/SimWindowFixture.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;

class BrokenDownloadTest : public testing::SimWindowFixture {};

TEST_F(BrokenDownloadTest, WhatArrivedIsShownAndCanBeSaved) {
    // 2000 single-temperature readings are 4000 bytes: four blocks of 512 readings.
    auto logger = AttachLogger(1, LoggerOptions(LoggerModel::SingleTemperature, 2000));
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    AcceptNextDialog();  // the channel choice
    frame.Action(Command::ReadHistory)->trigger();
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().Engine().NextBlock() == 3; }, 500));
    logger->SetSilent(true);

    auto said = std::make_shared<QString>();
    AcceptNextDialog(said);
    ASSERT_TRUE(StepUntil([&] { return !workspace.Connection().Online(); }, 200));
    Steps(3);
    EXPECT_TRUE(said->contains(QStringLiteral("通信中断，历史数据未读完")) &&
                said->contains(QStringLiteral("共4块")))
        << said->toStdString();
    EXPECT_TRUE(said->contains(QStringLiteral("历史数据不完整"))) << said->toStdString();
    EXPECT_EQ(frame.StatusPane(2)->text(), QStringLiteral("设备未连接"));

    const int rows = workspace.Records().HistoryDataList().rowCount();
    EXPECT_TRUE(rows == 2 * 512 || rows == 3 * 512) << rows;
    EXPECT_TRUE(said->contains(QStringLiteral("%1条记录，共2000条").arg(rows))) << said->toStdString();
    EXPECT_FALSE(frame.View()->HistoryPanel()->isHidden());
    frame.RefreshCommands();
    EXPECT_TRUE(frame.Action(Command::Save)->isEnabled());
    EXPECT_TRUE(frame.Action(Command::Connect)->isEnabled());
}

}  // namespace
}  // namespace veldrin
