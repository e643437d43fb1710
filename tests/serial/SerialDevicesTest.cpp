// Finding the serial devices of a machine on a made-up sysfs and /dev tree.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "serial/SerialDevices.h"
#include "tests/serial/FakeDeviceTree.h"

namespace veldrin {
namespace {

constexpr const char* kFtdiById = "usb-FTDI_FT232R_USB_UART_A10K3-if00-port0";

// Someone who owns none of the test's files and is in no group but the one given.
Credentials Stranger(gid_t group) {
    return Credentials{65534, {group}};
}

class SerialDevicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::geteuid() == 65534)
            GTEST_SKIP() << "the stranger's credentials are this process's own";
        tree.AddUsbTty("ttyUSB0", "1-2", "FTDI", "FT232R USB UART", 0660);
        tree.AddById(kFtdiById, "ttyUSB0");
        tree.AddUsbTty("ttyACM0", "1-3", "Arduino (www.arduino.cc)", "", 0600);
        tree.AddUsbTty("ttyUSB10", "1-4", "", "USB-Serial Controller");
        tree.AddTty("ttyUSB2", tree.Sys() + "/devices/platform/uart-bridge/ttyUSB2");
        tree.AddBuiltInPort("ttyS0", 4);
        tree.AddBuiltInPort("ttyS1", 0);
        tree.AddNode("ttyS2");  // a node without anything behind it
        for (const char* other : {"tty", "tty1", "ttyprintk", "ttyUSBx", "null", "console"})
            tree.AddNode(other);
        tree.AddById("usb-Prolific_PL2303-if00-port0", "ttyUSB5");  // left behind: ttyUSB5 is gone
        struct stat node {};
        ASSERT_EQ(::stat((tree.Dev() + "/ttyUSB0").c_str(), &node), 0);
        nodeGroup = node.st_gid;
    }
    std::vector<SerialDevice> Find() const {
        return FindSerialDevices({tree.Sys(), tree.Dev()}, Stranger(nodeGroup));
    }

    test::FakeDeviceTree tree;
    gid_t nodeGroup = 0;
};

std::vector<std::string> Paths(const std::vector<SerialDevice>& devices) {
    std::vector<std::string> paths;
    for (const SerialDevice& device : devices)
        paths.push_back(device.path);
    return paths;
}

TEST_F(SerialDevicesTest, StableNamesFirstThenKernelNamesInNaturalOrder) {
    const auto devices = Find();
    EXPECT_EQ(Paths(devices), (std::vector<std::string>{
                                  tree.Dev() + "/serial/by-id/" + kFtdiById,
                                  tree.Dev() + "/ttyUSB2",
                                  tree.Dev() + "/ttyUSB10",
                                  tree.Dev() + "/ttyACM0",
                                  tree.Dev() + "/ttyS0",
                              }))
        << "ttyUSB0 is listed under its stable name only; ttyS1 has no UART and ttyS2 no hardware";
}

TEST_F(SerialDevicesTest, AdaptersAreNamedByMakerAndProductFromSysfs) {
    const auto devices = Find();
    ASSERT_EQ(devices.size(), 5u);
    EXPECT_EQ(devices[0].kernelName, "ttyUSB0");
    EXPECT_EQ(devices[0].maker, "FTDI");
    EXPECT_EQ(devices[0].product, "FT232R USB UART");
    EXPECT_EQ(DeviceSummary(devices[0]), "FTDI FT232R USB UART (ttyUSB0)");
    EXPECT_EQ(DeviceSummary(devices[1]), "ttyUSB2") << "not on USB: nothing to name it by";
    EXPECT_EQ(DeviceSummary(devices[2]), "USB-Serial Controller (ttyUSB10)");
    EXPECT_EQ(DeviceSummary(devices[3]), "Arduino (www.arduino.cc) (ttyACM0)");
    EXPECT_EQ(DeviceSummary(devices[4]), "ttyS0");
}

TEST_F(SerialDevicesTest, ADeviceWithoutPermissionIsListedAndMarked) {
    const auto devices = Find();
    ASSERT_EQ(devices.size(), 5u);
    EXPECT_TRUE(devices[0].accessible) << "read and write for the node's group, which the user is in";
    EXPECT_FALSE(devices[3].accessible) << "ttyACM0 is for its owner only";
    EXPECT_FALSE(devices[3].group.empty());
    EXPECT_TRUE(devices[4].accessible);

    const auto asOwner = FindSerialDevices({tree.Sys(), tree.Dev()}, Credentials{::geteuid(), {}});
    ASSERT_EQ(asOwner.size(), 5u);
    EXPECT_TRUE(asOwner[3].accessible) << "the owner may use it";
}

TEST_F(SerialDevicesTest, PluggingAndUnpluggingShowsOnTheNextLook) {
    tree.AddUsbTty("ttyACM1", "1-5", "Microchip", "MCP2200", 0666);
    tree.AddById("usb-Microchip_MCP2200-if00", "ttyACM1");
    auto devices = Find();
    ASSERT_EQ(devices.size(), 6u);
    EXPECT_EQ(devices[1].path, tree.Dev() + "/serial/by-id/usb-Microchip_MCP2200-if00")
        << "stable names in name order, before the kernel names";

    std::filesystem::remove(tree.Dev() + "/ttyACM1");
    devices = Find();
    EXPECT_EQ(devices.size(), 5u) << "the stable name of a removed node leads nowhere";
}

TEST(SerialDevicesMissingTree, NoTreeMeansNoDevices) {
    EXPECT_TRUE(FindSerialDevices({"/nonexistent/sys", "/nonexistent/dev"}).empty());
}

TEST(MayReadWrite, TheFirstMatchingClassDecides) {
    const Credentials user{1000, {1000, 20}};
    EXPECT_TRUE(MayReadWrite(0600, 1000, 0, user));
    EXPECT_FALSE(MayReadWrite(0066, 1000, 20, user)) << "the owner's own bits count, not the group's";
    EXPECT_TRUE(MayReadWrite(0660, 0, 20, user)) << "a supplementary group";
    EXPECT_FALSE(MayReadWrite(0640, 0, 20, user)) << "the group may only read";
    EXPECT_FALSE(MayReadWrite(0606, 0, 20, user)) << "in the group, so the others' bits do not count";
    EXPECT_TRUE(MayReadWrite(0666, 0, 5, user));
    EXPECT_FALSE(MayReadWrite(0664, 0, 5, user));
    EXPECT_TRUE(MayReadWrite(0000, 0, 0, Credentials{0, {0}})) << "the superuser";
}

}  // namespace
}  // namespace veldrin
