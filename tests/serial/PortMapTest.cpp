#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "serial/PortMap.h"

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

}  // namespace
}  // namespace veldrin
