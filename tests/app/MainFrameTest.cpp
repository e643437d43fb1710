#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/UserGuideDialog.h"

namespace veldrin {
namespace {

class MainFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = std::make_unique<CMainFrame>(info);
        frame->show();
    }
    bool Enabled(Command command) const { return frame->Action(command)->isEnabled(); }

    LoggerInfo info;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(MainFrameTest, ShowsTheMenusToolbarAndStatusPanes) {
    EXPECT_EQ(frame->windowTitle(), "Veldrin");
    EXPECT_LE(frame->width(), 1000);
    EXPECT_LE(frame->height(), 720);

    QStringList menus;
    for (QAction* menu : frame->menuBar()->actions()) {
        menus.append(menu->text());
    }
    EXPECT_EQ(menus, QStringList({"文件(&F)", "设备(&E)", "数据(&V)", "帮助(&H)"}));
    EXPECT_EQ(frame->Action(Command::Open)->text(), "打开...\tCtrl+O(&O)");
    EXPECT_EQ(frame->Action(Command::Open)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(frame->Action(Command::Save)->text(), "保存\tCtrl+S(&S)");
    EXPECT_EQ(frame->Action(Command::PrintHistory)->text(), "打印历史数据\t(&P)");
    EXPECT_EQ(frame->AboutAction()->text(), "关于 Veldrin(&A)...");

    const auto* toolBar = frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_NE(toolBar, nullptr);
    const QList<QAction*> buttons = toolBar->actions();
    ASSERT_EQ(buttons.size(), 5);
    EXPECT_EQ(buttons[0], frame->Action(Command::Open));
    EXPECT_EQ(buttons[2], frame->Action(Command::Connect));
    EXPECT_EQ(buttons[4], frame->Action(Command::HistoryView));
    for (QAction* button : buttons) {
        EXPECT_FALSE(button->icon().isNull());
    }

    EXPECT_EQ(frame->StatusPane(0)->text(), "就绪");
    EXPECT_EQ(frame->StatusPane(1)->text(), "   Hello  Veldrin");
    EXPECT_EQ(frame->StatusPane(2)->text(), "   None");
    EXPECT_EQ(frame->StatusPane(3)->text(), "SCRL");
    frame->ClockTick();
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^   \d{4}-\d{1,2}-\d{1,2} \d{1,2}:\d{1,2}:\d\d$)"))
                    .match(frame->StatusPane(1)->text())
                    .hasMatch())
        << frame->StatusPane(1)->text().toStdString();
    frame->SetLinkStatusText(QStringLiteral("设备通讯正常"));
    EXPECT_EQ(frame->StatusPane(2)->text(), "设备通讯正常");
}

TEST_F(MainFrameTest, RightAfterStartUpOnlyConnectAndOpenAreOffered) {
    EXPECT_TRUE(Enabled(Command::Open));
    EXPECT_TRUE(Enabled(Command::Connect));
    EXPECT_FALSE(Enabled(Command::Save));
    EXPECT_FALSE(Enabled(Command::HistoryView));
    EXPECT_FALSE(Enabled(Command::RealtimeView));
    EXPECT_FALSE(Enabled(Command::Disconnect));
    EXPECT_FALSE(Enabled(Command::ReadHistory));
    EXPECT_FALSE(frame->View()->RealtimePanel()->isHidden());
    EXPECT_TRUE(frame->View()->HistoryPanel()->isHidden());
    EXPECT_EQ(frame->View()->Caption(), "即时数据");
}

TEST_F(MainFrameTest, HistoryAndRealtimeViewsSwapThePanelsAndTheCommands) {
    CVeldrinView* view = frame->View();
    view->SetViewMode(ViewMode::FileHistory);
    view->SetLinkMode(LinkMode::HistoryFile);
    ASSERT_TRUE(Enabled(Command::HistoryView));
    EXPECT_FALSE(Enabled(Command::Save)) << "the realtime panel is still up";

    frame->Action(Command::HistoryView)->trigger();
    EXPECT_TRUE(view->RealtimePanel()->isHidden());
    EXPECT_FALSE(view->RealtimePanel()->isEnabled());
    EXPECT_FALSE(view->HistoryPanel()->isHidden());
    EXPECT_EQ(view->Caption(), "历史数据");
    EXPECT_TRUE(Enabled(Command::Save));
    EXPECT_TRUE(Enabled(Command::PrintHistory));

    view->SetViewMode(ViewMode::DownloadedHistory);
    frame->Action(Command::RealtimeView)->trigger();
    EXPECT_FALSE(view->RealtimePanel()->isHidden());
    EXPECT_TRUE(view->RealtimePanel()->isEnabled());
    EXPECT_TRUE(view->HistoryPanel()->isHidden());
}

TEST_F(MainFrameTest, CommandsRunTheirInstalledHandlersOnlyWhenEnabled) {
    int connects = 0;
    int saves = 0;
    frame->SetCommandHandler(Command::Connect, [&] { ++connects; });
    frame->SetCommandHandler(Command::Save, [&] { ++saves; });
    frame->Action(Command::Connect)->trigger();
    frame->Action(Command::Save)->trigger();
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(saves, 0) << "a disabled command does nothing";

    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 0);
}

TEST_F(MainFrameTest, StepsRefreshTheCommandsAsTheLoggerChanges) {
    CVeldrinView* view = frame->View();
    view->SetViewMode(ViewMode::LiveLogger);
    view->SetLinkMode(LinkMode::Logger);
    view->SetOnline(true);
    EXPECT_FALSE(Enabled(Command::Connect));
    EXPECT_TRUE(Enabled(Command::Disconnect));
    info.recordBytes = 0;
    view->SetLinkMode(LinkMode::None);
    EXPECT_FALSE(Enabled(Command::ReadHistory));
    info.recordBytes = 500;
    view->SetLinkMode(LinkMode::Logger);
    EXPECT_TRUE(Enabled(Command::ReadHistory));
    int steps = 0;
    view->SetStepHandler([&] { ++steps; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return steps >= 2; }, 2000)) << "the view steps every 200 ms";
}

TEST_F(MainFrameTest, ProgressStripComesAndGoes) {
    CVeldrinView* view = frame->View();
    view->ShowProgress(40, QStringLiteral("正在连接"));
    EXPECT_EQ(view->ProgressPercent(), 40);
    const QImage shown = view->grab().toImage();
    const QColor bar = shown.pixelColor(420, view->height() - 3);
    EXPECT_EQ(bar, QColor(100, 100, 250));
    view->HideProgress();
    const QImage erased = view->grab().toImage();
    EXPECT_NE(erased.pixelColor(420, view->height() - 3), QColor(100, 100, 250));
}

TEST_F(MainFrameTest, HelpOpensTheUserGuideWithItsSectionsRendered) {
    QMenu* help = frame->menuBar()->actions().last()->menu();
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(help->actions().first(), frame->GuideAction());
    EXPECT_EQ(frame->GuideAction()->text(), "使用说明");
    frame->GuideAction()->trigger();
    auto* guide = frame->findChild<UserGuideDialog*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->windowTitle(), "使用说明");

    // The Markdown is rendered: its headings are headings, not lines starting with "#".
    QStringList headings;
    const QTextDocument* document = guide->Browser()->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) {
            headings.append(block.text());
        }
        EXPECT_FALSE(block.text().startsWith(QLatin1Char('#'))) << block.text().toStdString();
    }
    for (const char* section :
         {"Veldrin 使用说明", "第一次使用", "连接对话框和端口", "保存与打开", "打印和 PDF", "报告", "统计"}) {
        EXPECT_TRUE(headings.contains(QString::fromUtf8(section)))
            << section << " in " << headings.join(", ").toStdString();
    }
    EXPECT_GT(document->toPlainText().size(), 2000) << "the whole guide, not a stand-in";

    // A second trigger brings the same guide up again rather than a second window.
    guide->hide();
    frame->GuideAction()->trigger();
    EXPECT_EQ(frame->findChildren<UserGuideDialog*>().size(), 1);
    EXPECT_TRUE(guide->isVisible());
}

}  // namespace
}  // namespace veldrin
