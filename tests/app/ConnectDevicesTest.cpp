// The connect dialog's serial devices, driven through the main window's "连接仪器" command: the
// devices below the com entries, an adapter plugged in and out while the dialog is open, the choice
// remembered for the next connect, and the auto search reaching a device found on the machine.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QSettings>
#include <functional>

#include "AppTestSupport.h"
#include "SimWindowFixture.h"
#include "app/CLinkDlg.h"
#include "serial/PortMap.h"
#include "tests/app/QtTempFolder.h"
#include "tests/serial/FakeDeviceTree.h"

namespace veldrin::testing {
namespace {

constexpr const char* kAdapterName = "usb-FTDI_FT232R_USB_UART_A10K3-if00-port0";

class ConnectDevicesTest : public SimWindowFixture {
  protected:
    void SetUp() override {
        tree.AddBuiltInPort("ttyS0", 4);
        workspace.Prompts().SetDeviceRoots({tree.Sys(), tree.Dev()});
        workspace.Prompts().SetProfileOpener([this] {
            return std::make_unique<QSettings>(profileDir.filePath(QStringLiteral("profile.conf")),
                                               QSettings::IniFormat);
        });
    }
    std::string AdapterPath() const { return tree.Dev() + "/serial/by-id/" + kAdapterName; }
    void PlugAdapter() {
        tree.AddUsbTty("ttyUSB0", "1-2", "FTDI", "FT232R USB UART");
        tree.AddById(kAdapterName, "ttyUSB0");
    }
    // Runs the connect command; `script` works the dialog while it is open and returns whether to
    // accept it. The dialog is closed whatever the script did.
    void ConnectThroughTheDialog(const std::function<bool(CLinkDlg&)>& script) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CLinkDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                ADD_FAILURE() << "no connect dialog";
                return;
            }
            seen = true;
            const bool accept = script(*dialog);
            dialog->done(accept ? QDialog::Accepted : QDialog::Rejected);
        });
        frame.Action(Command::Connect)->trigger();
        EXPECT_TRUE(seen);
    }
    static QStringList Entries(const CLinkDlg& dialog) {
        QStringList entries;
        for (int i = 0; i < dialog.PortList()->count(); ++i)
            entries << dialog.PortList()->itemText(i);
        return entries;
    }
    QString Remembered() const {
        return QSettings(profileDir.filePath(QStringLiteral("profile.conf")), QSettings::IniFormat)
            .value(QStringLiteral("connect/port"))
            .toString();
    }

    test::FakeDeviceTree tree;
    test::QtTempFolder profileDir;
};

TEST_F(ConnectDevicesTest, AnAdapterPluggedInWhileTheDialogIsOpenCanBeChosenAndIsRemembered) {
    AttachLogger(AdapterPath(), LoggerOptions(LoggerModel::TemperatureHumidity));

    ConnectThroughTheDialog([&](CLinkDlg& dialog) {
        const QStringList before = Entries(dialog);
        EXPECT_EQ(before.mid(0, 5), QStringList({"com1", "com2", "com3", "com4", "自动搜索"}));
        EXPECT_EQ(before.mid(5), QStringList({QString::fromStdString(tree.Dev() + "/ttyS0  ttyS0")}));
        EXPECT_EQ(dialog.PortList()->currentIndex(), 0) << "nothing remembered yet: the first entry";

        PlugAdapter();
        if (!QTest::qWaitFor([&] { return dialog.PortList()->count() == 7; }, 5000)) {
            ADD_FAILURE() << "the plugged-in adapter did not appear: "
                          << Entries(dialog).join('|').toStdString();
            return false;
        }
        EXPECT_EQ(dialog.PortList()->itemText(5),
                  QString::fromStdString(AdapterPath() + "  FTDI FT232R USB UART (ttyUSB0)"));
        EXPECT_EQ(dialog.PortList()->itemData(5, Qt::ToolTipRole).toString(),
                  QString::fromStdString(AdapterPath()));
        dialog.PortList()->setCurrentIndex(5);
        dialog.InstrumentList()->setCurrentIndex(2);
        return true;
    });
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100));
    EXPECT_TRUE(workspace.Connection().Online());
    EXPECT_EQ(link.DevicePath(), AdapterPath());
    EXPECT_EQ(Remembered(), QString::fromStdString(AdapterPath()));

    frame.Action(Command::Disconnect)->trigger();
    Steps(3);
    ConnectThroughTheDialog([&](CLinkDlg& dialog) {
        EXPECT_EQ(dialog.ChosenDevicePath(), QString::fromStdString(AdapterPath()))
            << "the next connect starts on the device chosen last";
        // Unplugged while the dialog is open: the entry goes and the choice falls back.
        std::filesystem::remove(tree.Dev() + "/ttyUSB0");
        std::filesystem::remove(AdapterPath());
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.PortList()->count() == 6; }, 5000))
            << Entries(dialog).join('|').toStdString();
        EXPECT_EQ(dialog.PortList()->currentIndex(), 0);
        return false;
    });
    EXPECT_FALSE(workspace.Connection().Online()) << "the dialog was cancelled";
}

TEST_F(ConnectDevicesTest, AutoSearchGoesOnToTheDevicesFound) {
    PlugAdapter();
    AttachLogger(AdapterPath(), LoggerOptions(LoggerModel::SingleTemperature));
    auto message = std::make_shared<QString>();
    ConnectThroughTheDialog([&](CLinkDlg& dialog) {
        dialog.PortList()->setCurrentIndex(4);
        AcceptNextDialog(message);
        return true;
    });
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100));
    EXPECT_EQ(*message, QString::fromStdString("自动搜索找到仪器，位于" + AdapterPath()));
    EXPECT_EQ(link.DevicePath(), AdapterPath());
    EXPECT_EQ(Remembered(), "自动搜索");
    const std::vector<std::string> attempts = link.OpenAttempts();
    ASSERT_GE(attempts.size(), 9u);
    EXPECT_EQ(
        std::vector<std::string>(attempts.begin(), attempts.begin() + 8),
        (std::vector<std::string>{test::ComPath(8), test::ComPath(7), test::ComPath(6), test::ComPath(5),
                                  test::ComPath(4), test::ComPath(3), test::ComPath(2), test::ComPath(1)}))
        << "the com ports first";
}

TEST(ConnectDialogStart, StartsOnTheRememberedEntryWhileTheListHoldsIt) {
    test::FakeDeviceTree tree;
    tree.AddBuiltInPort("ttyS0", 4);
    const DeviceRoots roots{tree.Sys(), tree.Dev()};
    EXPECT_EQ(CLinkDlg(roots, QStringLiteral("com3")).Choice().port.comNumber, 3);
    EXPECT_TRUE(CLinkDlg(roots, QStringLiteral("自动搜索")).Choice().autoSearch);
    const CLinkDlg onDevice(roots, QString::fromStdString(tree.Dev() + "/ttyS0"));
    EXPECT_EQ(onDevice.PortList()->currentIndex(), 5);
    EXPECT_EQ(onDevice.Choice().port, (ChosenPort{tree.Dev() + "/ttyS0", 0}));
    EXPECT_EQ(CLinkDlg(roots, QStringLiteral("/dev/veldrin-unplugged")).Choice().port.comNumber, 1)
        << "a device that is gone: the first entry";
}

TEST(ConnectDeviceEntry, ADeviceWithoutPermissionSaysWhichGroupOpensIt) {
    SerialDevice device;
    device.path = "/dev/ttyACM0";
    device.kernelName = "ttyACM0";
    device.maker = "Arduino";
    device.product = "Uno";
    device.group = "dialout";
    device.accessible = true;
    EXPECT_EQ(DeviceEntryText(device), "/dev/ttyACM0  Arduino Uno (ttyACM0)");
    device.accessible = false;
    EXPECT_EQ(DeviceEntryText(device), "/dev/ttyACM0  Arduino Uno (ttyACM0)  （无权限，需加入 dialout 组）");
}

}  // namespace
}  // namespace veldrin::testing
