// What the window shows while it connects and when connecting fails, over the serial channel:
// a device the user may not open names itself and says how to get access, an auto search lists
// the ports it tried, and a running attempt shows "正在连接" with its port and can be cancelled.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/Workspace.h"
#include "tests/app/QtTempFolder.h"
#include "tests/app/WindowDriving.h"

namespace veldrin {
namespace {

using testing::AnswerConnectDialog;
using testing::ReadNextMessage;

// The program's effective user while it lives, when the test runs as root: root opens any file
// whatever its mode, a user does not.
class UnprivilegedUser {
  public:
    UnprivilegedUser() : dropped_(::geteuid() == 0 && ::seteuid(65534) == 0) {}
    ~UnprivilegedUser() {
        if (dropped_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    UnprivilegedUser(const UnprivilegedUser&) = delete;
    UnprivilegedUser& operator=(const UnprivilegedUser&) = delete;

  private:
    bool dropped_;
};

class ConnectFeedbackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ::chmod(folder.path().toLocal8Bit().constData(), 0755);
        // Every port the test does not map leads nowhere.
        for (int port = 1; port <= 8; ++port) {
            MapPort(port, folder.filePath(QStringLiteral("missing%1").arg(port)));
        }
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    void TearDown() override {
        for (int port = 1; port <= 8; ++port) {
            ::unsetenv(("VELDRIN_COM" + std::to_string(port)).c_str());
        }
    }
    static void MapPort(int port, const QString& path) {
        ::setenv(("VELDRIN_COM" + std::to_string(port)).c_str(), path.toLocal8Bit().constData(), 1);
    }
    // Chooses `port` and the single-temperature logger in the connect dialog; returns what the
    // message box that ends the attempt said.
    QString ConnectAndReadMessage(const QString& port) {
        auto seen = std::make_shared<QString>();
        AnswerConnectDialog(port, QStringLiteral("单温度记录仪"));
        frame.Action(Command::Connect)->trigger();
        auto answered = ReadNextMessage(seen, 15000);
        EXPECT_TRUE(QTest::qWaitFor([&] { return *answered; }, 15000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !workspace.Connection().ConnectRunning(); }, 5000));
        return *seen;
    }

    test::QtTempFolder folder;
    LoggerInfo info;
    CMainFrame frame{info};
    Workspace workspace{info, frame};
};

TEST_F(ConnectFeedbackTest, DeviceWithoutAccessNamesItselfAndTheDialoutGroup) {
    const QString device = folder.filePath(QStringLiteral("ttyLocked"));
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(::chmod(device.toLocal8Bit().constData(), 0), 0);
    MapPort(2, device);

    QString message;
    {
        UnprivilegedUser user;
        message = ConnectAndReadMessage(QStringLiteral("com2"));
    }
    const QStringList lines = message.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 4) << message.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("打开com2失败"));
    EXPECT_EQ(lines[1], QStringLiteral("设备：") + device);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("原因：没有访问这个设备的权限"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("dialout"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("重新登录"))) << message.toStdString();
    EXPECT_FALSE(workspace.Connection().Online());
    EXPECT_TRUE(frame.Action(Command::Connect)->isEnabled());
}

TEST_F(ConnectFeedbackTest, AutoSearchThatFindsNothingListsThePortsItTried) {
    const QString message = ConnectAndReadMessage(QStringLiteral("自动搜索"));
    EXPECT_TRUE(message.startsWith(QStringLiteral("自动搜索没有找到仪器。试过的串口：")))
        << message.toStdString();
    qsizetype last = -1;
    for (int port = 8; port >= 1; --port) {
        const QString line = QStringLiteral("\ncom%1（%2）：设备不存在")
                                 .arg(port)
                                 .arg(folder.filePath(QStringLiteral("missing%1").arg(port)));
        const qsizetype at = message.indexOf(line);
        EXPECT_GT(at, last) << "port " << port << ": " << message.toStdString();
        last = at;
    }
    EXPECT_TRUE(message.contains(QStringLiteral("\n\n打开com5失败\n"))) << message.toStdString();
}

TEST_F(ConnectFeedbackTest, RunningAttemptShowsItsPortAndDisconnectCancelsIt) {
    // A serial line with nothing on it: the wake-up knocks on for seconds.
    int controller = -1;
    int line = -1;
    char name[128] = {};
    ASSERT_EQ(::openpty(&controller, &line, name, nullptr, nullptr), 0);
    ::close(line);
    MapPort(3, QString::fromLocal8Bit(name));
    CVeldrinView* view = frame.View();
    QLabel* statusPane = frame.StatusPane(2);

    AnswerConnectDialog(QStringLiteral("com3"), QStringLiteral("单温度记录仪"));
    frame.Action(Command::Connect)->trigger();
    DeviceConnection& connection = workspace.Connection();
    ASSERT_TRUE(connection.ConnectRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->ProgressPercent() >= 0; }, 2000));
    EXPECT_TRUE(view->ProgressText().startsWith(QStringLiteral("正在连接")))
        << view->ProgressText().toStdString();
    EXPECT_TRUE(view->ProgressText().contains(QStringLiteral("com3"))) << view->ProgressText().toStdString();
    EXPECT_TRUE(view->ProgressText().contains(QString::fromLocal8Bit(name)));
    EXPECT_EQ(statusPane->text(), QString(24, QLatin1Char(' '))) << "pane 2 stands blank beside the strip";
    EXPECT_FALSE(frame.Action(Command::Connect)->isEnabled()) << "one attempt at a time";
    ASSERT_TRUE(frame.Action(Command::Disconnect)->isEnabled()) << "the attempt can be cancelled";

    QElapsedTimer cancelling;
    cancelling.start();
    frame.Action(Command::Disconnect)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !connection.ConnectRunning(); }, 3000));
    EXPECT_LT(cancelling.elapsed(), 1500);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "a cancelled attempt asks and reports nothing";
    EXPECT_FALSE(connection.Online());
    EXPECT_EQ(view->ProgressPercent(), -1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame.Action(Command::Connect)->isEnabled(); }, 1000));
    EXPECT_FALSE(frame.Action(Command::Disconnect)->isEnabled());
    EXPECT_EQ(statusPane->text(), QStringLiteral("设备未连接"));
    ::close(controller);
}

}  // namespace
}  // namespace veldrin
