// The user's main job, end to end in the real window over a pseudo-terminal: connect to the
// simulated logger on com1, read its history, save it while connected (toolbar button) and again
// after disconnecting (Ctrl+S), then open both files in a second window and find every reading.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <cstdlib>
#include <ctime>

#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CheckHistory.h"
#include "app/FileCommands.h"
#include "app/Workspace.h"
#include "tests/app/PtyLoggerPort.h"
#include "tests/app/QtTempFolder.h"
#include "tests/app/WindowDriving.h"

namespace veldrin {
namespace {

using testing::AnswerConnectDialog;
using testing::AnswerFileDialog;
using testing::OnNextDialog;

constexpr int kRecords = 300;

// One window as the program makes it: frame, workspace over the serial channel, file commands.
struct Window {
    Window() {
        files.Install();
        frame.show();
    }
    bool Enabled(Command command) {
        frame.RefreshCommands();
        return frame.Action(command)->isEnabled();
    }
    LoggerInfo info;
    CMainFrame frame{info};
    Workspace workspace{info, frame};
    FileCommands files{workspace, frame, nullptr};
};

void ExpectSameReadings(const HistoryDataSet& opened, const HistoryDataSet& downloaded) {
    ASSERT_EQ(opened.samples.Count(), downloaded.samples.Count());
    for (int i = 0; i < downloaded.samples.Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(opened.samples.Value1(i), downloaded.samples.Value1(i));
        EXPECT_FLOAT_EQ(opened.samples.Value2(i), downloaded.samples.Value2(i));
        EXPECT_EQ(opened.samples.Time(i), downloaded.samples.Time(i));
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
}

TEST(DownloadSaveEndToEnd, DownloadedHistoryIsSavedWhileConnectedAndAfterDisconnecting) {
    SimLoggerOptions options;
    options.model = LoggerModel::TemperatureHumidity;
    options.records = kRecords;
    options.recording = false;
    options.clockStart = std::time(nullptr);
    test::PtyLoggerPort server(1, options);
    ASSERT_TRUE(server.Started()) << server.Error();
    test::QtTempFolder folder;
    ASSERT_TRUE(folder.isValid());
    const QString whileConnected = folder.filePath(QStringLiteral("connected.Vdr"));
    const QString afterDisconnect = folder.filePath(QStringLiteral("offline.Vdr"));
    {
        Window first;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first.frame));
        DeviceConnection& connection = first.workspace.Connection();
        EXPECT_FALSE(first.Enabled(Command::Save)) << "nothing to save yet";

        AnswerConnectDialog(QStringLiteral("com1"), QStringLiteral("温湿度记录仪"));
        first.frame.Action(Command::Connect)->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return connection.CurrentPhase() == Phase::Polling; }, 20000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return first.Enabled(Command::ReadHistory); }, 5000));

        OnNextDialog<CheckHistory>([](CheckHistory* question) { question->accept(); });
        first.frame.Action(Command::ReadHistory)->trigger();
        const HistoryDataSet& history = first.workspace.Records().History();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return history.samples.Count() == kRecords && connection.CurrentPhase() == Phase::Polling;
            },
            20000));
        EXPECT_EQ(first.frame.findChild<QLineEdit*>(QStringLiteral("edit1013"))->text(),
                  QString::number(kRecords * 2))
            << "the realtime panel's recorded amount: two values per reading";

        // Connected: Save, print history and the history view are there; the realtime view too.
        for (Command command : {Command::Save, Command::PrintHistory, Command::HistoryView,
                                Command::RealtimeView, Command::Disconnect}) {
            EXPECT_TRUE(first.Enabled(command)) << static_cast<int>(command);
        }
        EXPECT_FALSE(first.Enabled(Command::Connect));
        // Going to the realtime view and back keeps the history reachable.
        first.frame.Action(Command::RealtimeView)->trigger();
        EXPECT_TRUE(first.Enabled(Command::HistoryView));
        EXPECT_TRUE(first.Enabled(Command::Save));
        first.frame.Action(Command::HistoryView)->trigger();

        // Saved with the toolbar's button while connected.
        auto* toolBar = first.frame.findChild<QToolBar*>(QStringLiteral("toolBar"));
        ASSERT_NE(toolBar, nullptr);
        QWidget* saveButton = toolBar->widgetForAction(first.frame.Action(Command::Save));
        ASSERT_NE(saveButton, nullptr);
        auto answered = AnswerFileDialog(whileConnected, 5000);
        QTest::mouseClick(saveButton, Qt::LeftButton);
        ASSERT_TRUE(*answered) << "the toolbar's Save asks for a file name";
        EXPECT_TRUE(QFileInfo(whileConnected).size() > 0);

        first.frame.Action(Command::Disconnect)->trigger();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !connection.Online() && first.Enabled(Command::Connect); }, 5000));
        EXPECT_FALSE(first.Enabled(Command::Disconnect));
        EXPECT_EQ(first.frame.View()->ProgressPercent(), -1) << "no progress strip after a disconnect";
        for (Command command : {Command::Save, Command::PrintHistory, Command::HistoryView}) {
            EXPECT_TRUE(first.Enabled(command)) << static_cast<int>(command);
        }

        // Saved with Ctrl+S after the disconnect.
        first.frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&first.frame));
        answered = AnswerFileDialog(afterDisconnect, 5000);
        QTest::keyClick(first.frame.View(), Qt::Key_S, Qt::ControlModifier);
        ASSERT_TRUE(*answered) << "Ctrl+S asks for a file name";
        EXPECT_TRUE(QFileInfo(afterDisconnect).size() > 0);
        // The same history as a text export and as a workbook.
        for (const char* name : {"offline.txt", "offline.xls"}) {
            const QString exported = folder.filePath(QString::fromLatin1(name));
            answered = AnswerFileDialog(exported, 5000);
            first.frame.Action(Command::Save)->trigger();
            ASSERT_TRUE(*answered) << name;
            EXPECT_GT(QFileInfo(exported).size(), 1000) << name;
        }
        QFile text(folder.filePath(QStringLiteral("offline.txt")));
        ASSERT_TRUE(text.open(QIODevice::ReadOnly));
        EXPECT_GE(text.readAll().count("\r\n"), kRecords) << "a line per reading at least";

        Window second;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&second.frame));
        for (const QString& path : {whileConnected, afterDisconnect}) {
            SCOPED_TRACE(path.toStdString());
            answered = AnswerFileDialog(path, 5000);
            second.frame.Action(Command::Open)->trigger();
            ASSERT_TRUE(*answered);
            ExpectSameReadings(second.workspace.Records().History(), history);
            EXPECT_EQ(second.workspace.Records().HistoryDataList().rowCount(), kRecords);
        }
        // A file replaces the downloaded history: the first window's own rules are back.
        answered = AnswerFileDialog(whileConnected, 5000);
        first.frame.Action(Command::Open)->trigger();
        ASSERT_TRUE(*answered);
        EXPECT_TRUE(first.Enabled(Command::Save));
        EXPECT_TRUE(first.Enabled(Command::Connect));
    }
}

}  // namespace
}  // namespace veldrin
