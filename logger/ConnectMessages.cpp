#include "logger/ConnectMessages.h"

#include <cerrno>
#include <cstring>

#include "logger/ConnectionTexts.h"
#include "logger/TextFormat.h"

namespace veldrin {
namespace {

bool AccessRefused(const PortFailure& failure) {
    return failure.errorNumber == EACCES || failure.errorNumber == EPERM;
}

const char* Explanation(int errorNumber) {
    switch (errorNumber) {
        case EACCES:
        case EPERM:
            return "没有访问这个设备的权限";
        case ENOENT:
            return "设备不存在（没有插上，或者串口号对应的设备路径不对）";
        case ENODEV:
        case ENXIO:
            return "设备不存在或已被拔出";
        case EBUSY:
            return "设备正被其他程序使用";
        case ENOTTY:
            return "这不是串口设备";
        default:
            return nullptr;
    }
}

// The reason in the program's words where it knows the case, with the system's own text.
std::string Reason(const PortFailure& failure) {
    if (failure.errorNumber == 0)
        return failure.reason;
    const char* system = std::strerror(failure.errorNumber);
    const char* explanation = Explanation(failure.errorNumber);
    if (explanation == nullptr)
        return system;
    return Printf("%s（%s）", explanation, system);
}

}  // namespace

std::string PortLabel(const ChosenPort& port) {
    if (port.comNumber == 0)
        return port.devicePath;
    return Printf("com%d（%s）", port.comNumber, port.devicePath.c_str());
}

std::string PortMessage(const char* numbered, const char* named, const ChosenPort& port) {
    if (port.comNumber != 0)
        return Printf(numbered, port.comNumber);
    std::string message = named;
    message.replace(message.find("%s"), 2, port.devicePath);
    return message;
}

std::string OpenFailedMessage(const std::string& headline, const PortFailure& failure) {
    std::string message = headline;
    message += "\n设备：" + failure.devicePath;
    message += "\n原因：" + Reason(failure);
    if (AccessRefused(failure))
        message += std::string("\n") + texts::kSerialAccessHint;
    return message;
}

std::string SearchReport(const std::vector<SearchAttempt>& searched) {
    if (searched.empty())
        return {};
    std::string report = "自动搜索没有找到仪器。试过的串口：";
    bool refused = false;
    for (const SearchAttempt& attempt : searched) {
        if (attempt.openFailure) {
            report += "\n" + PortLabel(attempt.port) + "：" + Reason(*attempt.openFailure);
            refused = refused || AccessRefused(*attempt.openFailure);
        } else {
            report += "\n" + PortMessage("com%d", "%s", attempt.port) + "：已打开，但没有仪器应答";
        }
    }
    if (refused)
        report += std::string("\n") + texts::kSerialAccessHint;
    return report;
}

}  // namespace veldrin
