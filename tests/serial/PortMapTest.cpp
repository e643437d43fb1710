#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "serial/PortMap.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

// Sources over an environment of their own, so that the tests touch no process state.
class PortMapTest : public ::testing::Test {
  protected:
    PortSources Sources() {
        PortSources sources;
        sources.environment = [this](const std::string& name) -> std::optional<std::string> {
            auto found = environment.find(name);
            return found == environment.end() ? std::nullopt : std::optional(found->second);
        };
        sources.profile = profile;
        return sources;
    }

    std::map<std::string, std::string> environment;
    PortProfileLookup profile;
};

TEST_F(PortMapTest, DefaultsToUsbAdapterNumberedFromZero) {
    EXPECT_EQ(DevicePathForPort(1, Sources()), "/dev/ttyUSB0");
    EXPECT_EQ(DevicePathForPort(3, Sources()), "/dev/ttyUSB2");
    EXPECT_EQ(DevicePathForPort(12, Sources()), "/dev/ttyUSB11");
    EXPECT_EQ(DevicePathForPort(3, PortSources{}), "/dev/ttyUSB2") << "no sources at all";
}

TEST_F(PortMapTest, EnvironmentBeatsProfileWhichBeatsDefault) {
    profile = [](int port) -> std::optional<std::string> {
        if (port == 3 || port == 12) {
            return "/dev/profile" + std::to_string(port);
        }
        return std::nullopt;
    };
    EXPECT_EQ(DevicePathForPort(3, Sources()), "/dev/profile3");
    EXPECT_EQ(DevicePathForPort(4, Sources()), "/dev/ttyUSB3")
        << "a port the profile does not name keeps the default";

    environment["VELDRIN_COM3"] = "/dev/ttyS7";
    EXPECT_EQ(DevicePathForPort(3, Sources()), "/dev/ttyS7");
    EXPECT_EQ(DevicePathForPort(12, Sources()), "/dev/profile12") << "only the named port is overridden";
}

TEST_F(PortMapTest, EmptyValuesDoNotCount) {
    profile = [](int) -> std::optional<std::string> { return std::string(); };
    environment["VELDRIN_COM3"] = "";
    EXPECT_EQ(DevicePathForPort(3, Sources()), "/dev/ttyUSB2");
}

TEST_F(PortMapTest, WithoutTheProfileTheDefaultHolds) {
    profile = [](int) -> std::optional<std::string> { return "/dev/elsewhere"; };
    ASSERT_EQ(DevicePathForPort(3, Sources()), "/dev/elsewhere");
    profile = {};
    EXPECT_EQ(DevicePathForPort(3, Sources()), "/dev/ttyUSB2");
}

TEST_F(PortMapTest, TwoSourcesInOneProcessMapTheSamePortApart) {
    environment["VELDRIN_COM3"] = "/dev/ttyS7";
    const PortSources first = Sources();
    PortSources second;
    second.profile = [](int) -> std::optional<std::string> { return "/dev/ttyACM3"; };
    EXPECT_EQ(DevicePathForPort(3, first), "/dev/ttyS7");
    EXPECT_EQ(DevicePathForPort(3, second), "/dev/ttyACM3");
}

TEST(PortSourcesTest, TheProcessSourcesReadTheEnvironment) {
    ::setenv("VELDRIN_COM12", "/dev/pts/12", 1);
    const PortSources sources =
        PortSources::OfProcess([](int) -> std::optional<std::string> { return "/dev/p"; });
    EXPECT_EQ(DevicePathForPort(12, sources), "/dev/pts/12");
    ::unsetenv("VELDRIN_COM12");
    EXPECT_EQ(DevicePathForPort(12, sources), "/dev/p");
}

TEST_F(PortMapTest, DevicesThatAComPortReachesAreLeftOutOfTheSearch) {
    const test::TempFolder temp;
    const std::filesystem::path folder = temp.Path();
    std::filesystem::create_directories(folder / "by-id");
    std::ofstream(folder / "ttyACM0").put('\n');
    std::ofstream(folder / "ttyACM1").put('\n');
    std::filesystem::create_symlink("../ttyACM0", folder / "by-id/usb-Logger-if00");
    environment["VELDRIN_COM3"] = (folder / "ttyACM0").string();
    std::vector<std::string> comPaths;
    for (int port = 1; port <= 8; ++port) {
        comPaths.push_back(DevicePathForPort(port, Sources()));
    }

    const std::vector<std::string> found{(folder / "by-id/usb-Logger-if00").string(),
                                         (folder / "ttyACM1").string(), "/dev/veldrin-gone"};
    EXPECT_EQ(PathsBeside(found, comPaths), (std::vector<std::string>{found[1], found[2]}))
        << "com3 already reaches the logger behind the stable name";
}

}  // namespace
}  // namespace veldrin
