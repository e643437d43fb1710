#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "serial/PortMap.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

class PortMapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::unsetenv("VELDRIN_COM3");
        ::unsetenv("VELDRIN_COM12");
    }
    void TearDown() override {
        SetUp();
        SetPortProfileLookup({});
    }
};

TEST_F(PortMapTest, DefaultsToUsbAdapterNumberedFromZero) {
    EXPECT_EQ(DevicePathForPort(1), "/dev/ttyUSB0");
    EXPECT_EQ(DevicePathForPort(3), "/dev/ttyUSB2");
    EXPECT_EQ(DevicePathForPort(12), "/dev/ttyUSB11");
}

TEST_F(PortMapTest, EnvironmentBeatsProfileWhichBeatsDefault) {
    SetPortProfileLookup([](int port) -> std::optional<std::string> {
        if (port == 3 || port == 12) {
            return "/dev/profile" + std::to_string(port);
        }
        return std::nullopt;
    });
    EXPECT_EQ(DevicePathForPort(3), "/dev/profile3");
    EXPECT_EQ(DevicePathForPort(4), "/dev/ttyUSB3") << "a port the profile does not name keeps the default";

    ::setenv("VELDRIN_COM3", "/dev/ttyS7", 1);
    EXPECT_EQ(DevicePathForPort(3), "/dev/ttyS7");
    EXPECT_EQ(DevicePathForPort(12), "/dev/profile12") << "only the named port is overridden";
}

TEST_F(PortMapTest, EmptyValuesDoNotCount) {
    SetPortProfileLookup([](int) -> std::optional<std::string> { return std::string(); });
    ::setenv("VELDRIN_COM3", "", 1);
    EXPECT_EQ(DevicePathForPort(3), "/dev/ttyUSB2");
}

TEST_F(PortMapTest, RemovingTheLookupRestoresTheDefault) {
    SetPortProfileLookup([](int) -> std::optional<std::string> { return "/dev/elsewhere"; });
    ASSERT_EQ(DevicePathForPort(3), "/dev/elsewhere");
    SetPortProfileLookup({});
    EXPECT_EQ(DevicePathForPort(3), "/dev/ttyUSB2");
}

TEST_F(PortMapTest, DevicesPickedByPathGetPortsOfTheirOwn) {
    const int first = PortForDevicePath("/dev/serial/by-id/usb-Prolific_PL2303-if00-port0");
    const int second = PortForDevicePath("/dev/ttyACM3");
    EXPECT_GE(first, kFirstNamedPort);
    EXPECT_NE(first, second);
    EXPECT_EQ(PortForDevicePath("/dev/ttyACM3"), second) << "the same path keeps its number";
    EXPECT_EQ(DevicePathForPort(first), "/dev/serial/by-id/usb-Prolific_PL2303-if00-port0");
    EXPECT_EQ(DevicePathForPort(second), "/dev/ttyACM3");
    EXPECT_TRUE(IsNamedPort(second));
    EXPECT_FALSE(IsNamedPort(4));
    EXPECT_FALSE(IsNamedPort(kFirstNamedPort + 999)) << "a number never handed out names nothing";
    EXPECT_EQ(PortsForDevicePaths({"/dev/ttyACM3", "/dev/ttyS0"}),
              (std::vector<int>{second, PortForDevicePath("/dev/ttyS0")}));

    ::setenv("VELDRIN_COM3", "/dev/ttyS7", 1);
    EXPECT_EQ(DevicePathForPort(3), "/dev/ttyS7") << "the com ports keep their map";
}

TEST_F(PortMapTest, DevicesThatAComPortReachesAreLeftOutOfTheSearch) {
    const test::TempFolder temp;
    const std::filesystem::path folder = temp.Path();
    std::filesystem::create_directories(folder / "by-id");
    std::ofstream(folder / "ttyACM0").put('\n');
    std::ofstream(folder / "ttyACM1").put('\n');
    std::filesystem::create_symlink("../ttyACM0", folder / "by-id/usb-Logger-if00");
    ::setenv("VELDRIN_COM3", (folder / "ttyACM0").c_str(), 1);

    const std::vector<std::string> found{(folder / "by-id/usb-Logger-if00").string(),
                                         (folder / "ttyACM1").string(), "/dev/veldrin-gone"};
    EXPECT_EQ(PathsBesideComPorts(found), (std::vector<std::string>{found[1], found[2]}))
        << "com3 already reaches the logger behind the stable name";
}

}  // namespace
}  // namespace veldrin
