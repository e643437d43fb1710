// The window stays responsive while it talks to a logger: over a real pseudo-terminal, with the
// computer's clock, the background connect and the view's own 200 ms timer, the event loop never
// stands still for a quarter of a second, neither while connecting nor while the history downloads.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/Workspace.h"
#include "tests/app/EventLoopStallMeter.h"
#include "tests/app/PtyLoggerPort.h"

namespace veldrin {
namespace {

using testing::EventLoopStallMeter;

// A generous bound on a shared machine: a dialog shown for the first time may take a tenth of a
// second to build; a stall of the kind this test guards against (a blocking read or wait on the
// user-interface thread) lasts seconds.
constexpr std::int64_t kLongestStallMs = 250;

TEST(StallMeter, SeesABlockedEventLoopButNotABusyMachine) {
    EventLoopStallMeter meter;
    meter.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return meter.Beats() >= 5; }, 5000));
    EXPECT_LT(meter.LongestGapMs(), kLongestStallMs);

    // The thread itself holds the loop up: that counts, whether it sleeps or computes.
    QTimer::singleShot(0, [] { std::this_thread::sleep_for(std::chrono::milliseconds(150)); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return meter.LongestRawGapMs() >= 150; }, 5000));
    meter.Stop();
    EXPECT_GE(meter.LongestGapMs(), 140);
    EXPECT_GE(meter.LongestRawGapMs(), meter.LongestGapMs());
}

// Closes any dialog or message box that comes up and keeps what it said: nothing may ask the user
// anything on the way.
class DialogCatcher : public QObject {
  public:
    DialogCatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                seen_ << box->text();
                box->reject();
            } else {
                seen_ << QString::fromLatin1(dialog->metaObject()->className());
                // The channel choice of the history download is the one expected dialog.
                dialog->accept();
            }
        });
        timer_.start(20);
    }
    const QStringList& Seen() const { return seen_; }

  private:
    QTimer timer_;
    QStringList seen_;
};

TEST(Responsiveness, ConnectAndHistoryDownloadOverAPseudoTerminalNeverStallTheEventLoop) {
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 300;
    options.clockStart = std::time(nullptr);
    test::PtyLoggerPort server(4, options);
    ASSERT_TRUE(server.Started()) << server.Error();
    {
        LoggerInfo info;
        CMainFrame frame(info);
        Workspace workspace(info, frame);  // the serial channel and the computer's clock
        frame.show();
        // The first paint of a new window (fonts, layouts) is not part of talking to the logger.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QTest::qWait(300);
        DeviceConnection& connection = workspace.Connection();
        DialogCatcher dialogs;
        EventLoopStallMeter meter;
        meter.Start();

        connection.Connect(server.Choice(LoggerModel::SingleTemperature));
        EXPECT_TRUE(connection.ConnectRunning()) << "the waits of connect run beside the window";
        ASSERT_TRUE(QTest::qWaitFor([&] { return connection.CurrentPhase() == Phase::Polling; }, 20000))
            << dialogs.Seen().join('|').toStdString();
        const std::int64_t connectStall = meter.LongestGapMs();

        ASSERT_TRUE(QTest::qWaitFor([&] { return frame.Action(Command::ReadHistory)->isEnabled(); }, 5000));
        frame.Action(Command::ReadHistory)->trigger();
        HistoryListModel& history = workspace.Records().HistoryDataList();
        ASSERT_TRUE(QTest::qWaitFor([&] { return history.rowCount() == 300; }, 20000))
            << history.rowCount() << " rows; " << dialogs.Seen().join('|').toStdString();
        meter.Stop();

        std::printf(
            "longest stall: %lld ms while connecting, %lld ms in all, ending %lld ms after the start "
            "(%lld ms before taking off the run-queue wait)\n",
            static_cast<long long>(connectStall), static_cast<long long>(meter.LongestGapMs()),
            static_cast<long long>(meter.LongestGapEndMs()), static_cast<long long>(meter.LongestRawGapMs()));
        EXPECT_EQ(dialogs.Seen(), QStringList({"veldrin::CheckHistory"}));
        EXPECT_GT(meter.Beats(), 100);
        EXPECT_LT(connectStall, kLongestStallMs) << "while connecting";
        EXPECT_LT(meter.LongestGapMs(), kLongestStallMs)
            << "raw " << meter.LongestRawGapMs() << " ms; run-queue wait "
            << (meter.WaitKnown() ? "taken off" : "unknown");
    }
}

TEST(Responsiveness, StopAndStartButtonsOverAPseudoTerminalNeverStallTheEventLoop) {
    SimLoggerOptions options;
    options.model = LoggerModel::TemperatureHumidity;
    options.records = 100;
    options.clockStart = std::time(nullptr);
    test::PtyLoggerPort server(4, options);
    ASSERT_TRUE(server.Started()) << server.Error();
    {
        LoggerInfo info;
        CMainFrame frame(info);
        Workspace workspace(info, frame);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        DeviceConnection& connection = workspace.Connection();
        connection.Connect(server.Choice(LoggerModel::TemperatureHumidity));
        ASSERT_TRUE(QTest::qWaitFor([&] { return connection.CurrentPhase() == Phase::Polling; }, 20000));
        CFormDialog* panel = frame.View()->RealtimePanel();
        // The simulated logger records: only the stop button is offered.
        ASSERT_TRUE(QTest::qWaitFor([&] { return panel->StopButton()->isEnabled(); }, 5000));
        QTest::qWait(300);

        DialogCatcher dialogs;
        EventLoopStallMeter meter;
        meter.Start();
        QTest::mouseClick(panel->StopButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return connection.CurrentPhase() == Phase::Polling; }, 10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return panel->StartButton()->isEnabled(); }, 5000));
        const std::int64_t stopStall = meter.LongestGapMs();

        panel->SetStartTime(std::time(nullptr) - 60);
        QTest::mouseClick(panel->StartButton(), Qt::LeftButton);  // the start question is answered "是"
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return connection.SettingsWriteState() == SettingsWrite::Finished; }, 30000))
            << dialogs.Seen().join('|').toStdString();
        meter.Stop();

        std::printf("longest stall: %lld ms around the stop button, %lld ms in all\n",
                    static_cast<long long>(stopStall), static_cast<long long>(meter.LongestGapMs()));
        EXPECT_EQ(dialogs.Seen(), QStringList({"veldrin::CMyDialog"}));
        EXPECT_EQ(server.Logger().Settings().recordingState, 1);
        EXPECT_LT(stopStall, kLongestStallMs) << "around the stop button";
        EXPECT_LT(meter.LongestGapMs(), kLongestStallMs)
            << "raw " << meter.LongestRawGapMs() << " ms; run-queue wait "
            << (meter.WaitKnown() ? "taken off" : "unknown");
    }
}

}  // namespace
}  // namespace veldrin
