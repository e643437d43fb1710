// The explanation of a port that cannot be opened and of an auto search that found nothing.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "logger/ConnectMessages.h"
#include "logger/ConnectionTexts.h"

namespace veldrin {
namespace {

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ConnectMessages, RefusedAccessSaysHowToGetIt) {
    const std::string message = OpenFailedMessage(
        "打开com2失败", {"/dev/ttyUSB1", EACCES, "cannot open /dev/ttyUSB1: Permission denied"});
    EXPECT_EQ(message.rfind("打开com2失败\n", 0), 0u) << message;
    EXPECT_TRUE(Has(message, "\n设备：/dev/ttyUSB1\n")) << message;
    EXPECT_TRUE(Has(message, "没有访问这个设备的权限")) << message;
    EXPECT_TRUE(Has(message, std::strerror(EACCES))) << "the system's own reason stays readable";
    EXPECT_TRUE(Has(message, "dialout")) << message;
    EXPECT_TRUE(Has(message, "重新登录")) << message;
}

TEST(ConnectMessages, OtherReasonsGiveNoAccessHint) {
    const std::string missing = OpenFailedMessage("打开com1失败", {"/dev/ttyUSB0", ENOENT, "cannot open"});
    EXPECT_TRUE(Has(missing, "设备不存在")) << missing;
    EXPECT_FALSE(Has(missing, "dialout")) << missing;
    const std::string busy = OpenFailedMessage("打开com1失败", {"/dev/ttyUSB0", EBUSY, "cannot open"});
    EXPECT_TRUE(Has(busy, "其他程序")) << busy;
    // Without a system error number the link's own text is the reason.
    const std::string plain = OpenFailedMessage("打开com4失败", {"/dev/ttyS3", 0, "com4: no cable"});
    EXPECT_TRUE(Has(plain, "\n原因：com4: no cable")) << plain;
}

TEST(ConnectMessages, SearchReportListsEveryPortTried) {
    EXPECT_EQ(SearchReport({}), "");
    std::vector<SearchAttempt> searched;
    searched.push_back({{"/dev/ttyUSB7", 8}, PortFailure{"/dev/ttyUSB7", ENOENT, ""}});
    searched.push_back({{"/dev/ttyUSB6", 7}, std::nullopt});
    searched.push_back({{"/dev/ttyUSB5", 6}, PortFailure{"/dev/ttyUSB5", EACCES, ""}});
    const std::string report = SearchReport(searched);
    EXPECT_TRUE(Has(report, "\ncom8（/dev/ttyUSB7）：设备不存在")) << report;
    EXPECT_TRUE(Has(report, "\ncom7：已打开，但没有仪器应答")) << report;
    EXPECT_TRUE(Has(report, "\ncom6（/dev/ttyUSB5）：没有访问这个设备的权限")) << report;
    EXPECT_TRUE(Has(report, texts::kSerialAccessHint)) << "a refused port says how to get access";
    searched.pop_back();
    EXPECT_FALSE(Has(SearchReport(searched), "dialout"));
}

TEST(ConnectMessages, APortIsNamedAsTheUserChoseIt) {
    const ChosenPort com3{"/dev/ttyUSB2", 3};
    const ChosenPort device{"/dev/serial/by-id/usb-FTDI-if00", 0};
    EXPECT_EQ(PortLabel(com3), "com3（/dev/ttyUSB2）");
    EXPECT_EQ(PortLabel(device), "/dev/serial/by-id/usb-FTDI-if00");
    EXPECT_EQ(PortMessage(texts::kOpenFailed, texts::kOpenDeviceFailed, com3), "打开com3失败");
    EXPECT_EQ(PortMessage(texts::kOpenFailed, texts::kOpenDeviceFailed, device),
              "打开/dev/serial/by-id/usb-FTDI-if00失败");
    EXPECT_EQ(PortMessage(texts::kOpenFailed, texts::kOpenDeviceFailed, ChosenPort{"/dev/pts/3", 1}),
              "打开com1失败")
        << "a path that stands in for com1 keeps the com1 headline";

    std::vector<SearchAttempt> searched{{device, std::nullopt}};
    EXPECT_TRUE(Has(SearchReport(searched), "\n/dev/serial/by-id/usb-FTDI-if00：已打开，但没有仪器应答"));
}

}  // namespace
}  // namespace veldrin
