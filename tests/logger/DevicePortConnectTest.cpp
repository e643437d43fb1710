// Connecting to serial devices picked by their path, and the auto search over the devices found.
#include <gtest/gtest.h>

#include "logger/ConnectionTexts.h"
#include "serial/PortMap.h"
#include "tests/logger/ConnectionFixture.h"

namespace veldrin {
namespace {

using test::ConnectionFixture;

constexpr const char* kAdapter = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3-if00-port0";

TEST_F(ConnectionFixture, ConnectsToADevicePickedByItsPath) {
    const int port = PortForDevicePath(kAdapter);
    Attach(port, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(port, LoggerModel::TemperatureHumidity);
    EXPECT_TRUE(connection.Online());
    EXPECT_EQ(link.Port(), port);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ConnectionFixture, ADeviceThatFailsToOpenIsNamedByItsPath) {
    const int port = PortForDevicePath("/dev/ttyACM7");
    EXPECT_FALSE(connection.Connect({port, false, LoggerModel::SingleTemperature}));
    ASSERT_EQ(ui.messages.size(), 1u);
    // The device's own headline, then the device path and the reason on the lines below.
    EXPECT_EQ(ui.messages[0].rfind("打开/dev/ttyACM7失败\n设备：/dev/ttyACM7\n原因：", 0), 0u)
        << ui.messages[0];
}

TEST_F(ConnectionFixture, AutoSearchTriesTheDevicesFoundAfterTheComPorts) {
    const std::vector<int> devices = PortsForDevicePaths({"/dev/ttyACM0", kAdapter});
    Attach(devices[1], LoggerModel::DualTemperature);
    PortChoice choice{kAutoSearchPort, true, LoggerModel::DualTemperature};
    choice.devicePorts = devices;
    ASSERT_TRUE(connection.Connect(choice));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{std::string("自动搜索找到仪器，位于") + kAdapter}));
    EXPECT_EQ(link.Port(), devices[1]);
    auto attempts = link.OpenAttempts();
    ASSERT_GE(attempts.size(), 10u);
    EXPECT_EQ(std::vector<int>(attempts.begin(), attempts.begin() + 10),
              (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1, devices[0], devices[1]}));
}

TEST_F(ConnectionFixture, AutoSearchPrefersALoggerOnAComPortToOneOnADevice) {
    const int device = PortForDevicePath(kAdapter);
    Attach(device, LoggerModel::SingleTemperature);
    Attach(2, LoggerModel::SingleTemperature);
    PortChoice choice{kAutoSearchPort, true, LoggerModel::SingleTemperature};
    choice.devicePorts = {device};
    ASSERT_TRUE(connection.Connect(choice));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"自动搜索找到仪器，位于COM2"}));
    auto attempts = link.OpenAttempts();
    EXPECT_EQ(std::count(attempts.begin(), attempts.end(), device), 0);
}

}  // namespace
}  // namespace veldrin
