// veldrin-cli ports, and --port taking the names it prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "sim/PtyServer.h"
#include "tests/cli/CliRun.h"
#include "tests/serial/FakeDeviceTree.h"

namespace veldrin {
namespace {

TEST(CliPortsTest, ListsEachDeviceOnALineAndAsJson) {
    test::FakeDeviceTree tree;
    tree.AddUsbTty("ttyUSB0", "1-2", "FTDI", "FT232R USB UART");
    tree.AddById("usb-FTDI_FT232R_USB_UART_A10K3-if00-port0", "ttyUSB0");
    tree.AddBuiltInPort("ttyS0", 4);

    CliRun lines = RunCommand({"ports", "--sys", tree.Sys(), "--dev", tree.Dev()});
    ASSERT_EQ(lines.status, 0) << lines.err;
    EXPECT_EQ(lines.out, tree.Dev() + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3-if00-port0\t" +
                             "FTDI FT232R USB UART (ttyUSB0)\n" + tree.Dev() + "/ttyS0\tttyS0\n");

    CliRun json = RunCommand({"ports", "--json", "--sys", tree.Sys(), "--dev", tree.Dev()});
    ASSERT_EQ(json.status, 0) << json.err;
    auto list = nlohmann::json::parse(json.out);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["kernelName"], "ttyUSB0");
    EXPECT_EQ(list[0]["maker"], "FTDI");
    EXPECT_EQ(list[0]["product"], "FT232R USB UART");
    EXPECT_EQ(list[0]["accessible"], true);
    EXPECT_EQ(list[1]["path"], tree.Dev() + "/ttyS0");
    EXPECT_EQ(list[1]["maker"], "");
}

TEST(CliPortsTest, NoDevicesIsAnEmptyListNotAFailure) {
    test::FakeDeviceTree tree;
    CliRun lines = RunCommand({"ports", "--sys", tree.Sys(), "--dev", tree.Dev()});
    EXPECT_EQ(lines.status, 0);
    EXPECT_EQ(lines.out, "");
    EXPECT_NE(lines.err.find("no serial devices found"), std::string::npos);
    CliRun json = RunCommand({"ports", "--json", "--sys", tree.Sys(), "--dev", tree.Dev()});
    EXPECT_EQ(nlohmann::json::parse(json.out), nlohmann::json::array());
}

TEST(CliPortsTest, PortTakesTheStableNameItPrints) {
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 20;
    PtyServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error();
    // The logger's pseudo-terminal stands in for an adapter's node, reached through a stable name.
    test::FakeDeviceTree tree;
    std::filesystem::create_symlink(server.DevicePath(), tree.Dev() + "/ttyUSB0");
    tree.AddById("usb-Veldrin_Logger-if00-port0", "ttyUSB0");

    CliRun ports = RunCommand({"ports", "--sys", tree.Sys(), "--dev", tree.Dev()});
    ASSERT_EQ(ports.status, 0) << ports.err;
    const std::string name = ports.out.substr(0, ports.out.find('\t'));
    EXPECT_EQ(name, tree.Dev() + "/serial/by-id/usb-Veldrin_Logger-if00-port0");

    CliRun download = RunCommand({"download", "--port", name, "--model", "single"});
    EXPECT_EQ(download.status, 0) << download.err;
    EXPECT_NE(download.out.find("channel 1: 20 samples"), std::string::npos) << download.out;
    server.Stop();
}

TEST(CliPortsTest, VersionNamesTheRelease) {
    CliRun run = RunCommand({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "veldrin-cli " VELDRIN_TEST_VERSION "\n");
}

}  // namespace
}  // namespace veldrin
