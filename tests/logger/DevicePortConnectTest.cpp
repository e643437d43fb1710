// Connecting to serial devices picked by their path, and the auto search over the devices found.
#include <gtest/gtest.h>

#include "logger/ConnectionTexts.h"
#include "tests/logger/ConnectionFixture.h"

namespace veldrin {
namespace {

using test::ComPath;
using test::ConnectionFixture;

constexpr const char* kAdapter = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3-if00-port0";

PortChoice DeviceChoice(const std::string& devicePath, LoggerModel model) {
    return PortChoice{ChosenPort{devicePath, 0}, false, model};
}

TEST_F(ConnectionFixture, ConnectsToADevicePickedByItsPath) {
    Attach(kAdapter, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(DeviceChoice(kAdapter, LoggerModel::TemperatureHumidity));
    EXPECT_TRUE(connection.Online());
    EXPECT_EQ(link.DevicePath(), kAdapter);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ConnectionFixture, ADeviceThatFailsToOpenIsNamedByItsPath) {
    EXPECT_FALSE(connection.Connect(DeviceChoice("/dev/ttyACM7", LoggerModel::SingleTemperature)));
    ASSERT_EQ(ui.messages.size(), 1u);
    // The device's own headline, then the device path and the reason on the lines below.
    EXPECT_EQ(ui.messages[0].rfind("打开/dev/ttyACM7失败\n设备：/dev/ttyACM7\n原因：", 0), 0u)
        << ui.messages[0];
}

TEST_F(ConnectionFixture, AutoSearchTriesTheDevicesFoundAfterTheComPorts) {
    const std::vector<std::string> devices{"/dev/ttyACM0", kAdapter};
    Attach(devices[1], LoggerModel::DualTemperature);
    ASSERT_TRUE(connection.Connect(test::AutoSearch(LoggerModel::DualTemperature, devices)));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{std::string("自动搜索找到仪器，位于") + kAdapter}));
    EXPECT_EQ(link.DevicePath(), devices[1]);
    auto attempts = link.OpenAttempts();
    ASSERT_GE(attempts.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(attempts.begin(), attempts.begin() + 10),
              (std::vector<std::string>{ComPath(8), ComPath(7), ComPath(6), ComPath(5), ComPath(4),
                                        ComPath(3), ComPath(2), ComPath(1), devices[0], devices[1]}));
}

TEST_F(ConnectionFixture, AutoSearchPrefersALoggerOnAComPortToOneOnADevice) {
    Attach(kAdapter, LoggerModel::SingleTemperature);
    Attach(2, LoggerModel::SingleTemperature);
    ASSERT_TRUE(connection.Connect(test::AutoSearch(LoggerModel::SingleTemperature, {kAdapter})));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"自动搜索找到仪器，位于COM2"}));
    auto attempts = link.OpenAttempts();
    EXPECT_EQ(std::count(attempts.begin(), attempts.end(), kAdapter), 0);
}

TEST_F(ConnectionFixture, TwoConnectionsInOneProcessHoldTwoDevices) {
    // A second connection of its own beside the fixture's, on a link of its own.
    SimLink otherLink{clock};
    LoggerInfo otherInfo;
    test::ScriptedUi otherUi;
    DeviceConnection other{otherLink, clock, otherInfo, otherUi, otherUi};
    other.SetBackgroundConnect(false);
    SimLoggerOptions options;
    options.model = LoggerModel::DualTemperature;
    options.clockStart = clock.Now();
    otherLink.AttachLogger("/dev/ttyACM3", std::make_shared<SimLogger>(options));
    Attach(kAdapter, LoggerModel::SingleTemperature);

    ConnectAndPoll(DeviceChoice(kAdapter, LoggerModel::SingleTemperature));
    ASSERT_TRUE(other.Connect(DeviceChoice("/dev/ttyACM3", LoggerModel::DualTemperature)));
    EXPECT_TRUE(TicksUntil([&] {
        other.OnTimer();
        return other.CurrentPhase() == Phase::Polling;
    }));
    EXPECT_EQ(link.DevicePath(), kAdapter);
    EXPECT_EQ(otherLink.DevicePath(), "/dev/ttyACM3");
    EXPECT_TRUE(connection.Online());
    EXPECT_TRUE(other.Online());
    EXPECT_EQ(info.model, LoggerModel::SingleTemperature);
    EXPECT_EQ(otherInfo.model, LoggerModel::DualTemperature);
}

}  // namespace
}  // namespace veldrin
