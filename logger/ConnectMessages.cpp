#include "logger/ConnectMessages.h"

#include <cerrno>
#include <cstring>

#include "logger/ConnectionTexts.h"
#include "logger/TextFormat.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

bool AccessRefused(const PortFailure& failure) {
    return failure.errorNumber == EACCES || failure.errorNumber == EPERM;
}

// What the program knows of the case; empty where it knows nothing to add to the system's text.
std::string Explanation(int errorNumber) {
    switch (errorNumber) {
        case EACCES:
        case EPERM:
            return text::translate("veldrin::ConnectMessages", "没有访问这个设备的权限");
        case ENOENT:
            return text::translate("veldrin::ConnectMessages",
                                   "设备不存在（没有插上，或者串口号对应的设备路径不对）");
        case ENODEV:
        case ENXIO:
            return text::translate("veldrin::ConnectMessages", "设备不存在或已被拔出");
        case EBUSY:
            return text::translate("veldrin::ConnectMessages", "设备正被其他程序使用");
        case ENOTTY:
            return text::translate("veldrin::ConnectMessages", "这不是串口设备");
        default:
            return {};
    }
}

// The reason in the program's words where it knows the case, with the system's own text.
std::string Reason(const PortFailure& failure) {
    if (failure.errorNumber == 0)
        return failure.reason;
    const char* system = std::strerror(failure.errorNumber);
    const std::string explanation = Explanation(failure.errorNumber);
    if (explanation.empty())
        return system;
    return Printf(text::translate("veldrin::ConnectMessages", "%s（%s）").c_str(), explanation.c_str(),
                  system);
}

// "port: what happened" in a line of the search report.
std::string PortLine(const std::string& port, const std::string& outcome) {
    return Printf(text::translate("veldrin::ConnectMessages", "%s：%s").c_str(), port.c_str(),
                  outcome.c_str());
}

}  // namespace

std::string PortLabel(const ChosenPort& port) {
    if (port.comNumber == 0)
        return port.devicePath;
    return Printf(text::translate("veldrin::ConnectMessages", "com%d（%s）").c_str(), port.comNumber,
                  port.devicePath.c_str());
}

std::string PortMessage(const char* numbered, const char* named, const ChosenPort& port) {
    if (port.comNumber != 0)
        return Printf(texts::Translated(numbered).c_str(), port.comNumber);
    std::string message = texts::Translated(named);
    message.replace(message.find("%s"), 2, port.devicePath);
    return message;
}

std::string OpenFailedMessage(const std::string& headline, const PortFailure& failure) {
    std::string message = headline;
    message += "\n" + Printf(text::translate("veldrin::ConnectMessages", "设备：%s").c_str(),
                             failure.devicePath.c_str());
    message += "\n" + Printf(text::translate("veldrin::ConnectMessages", "原因：%s").c_str(),
                             Reason(failure).c_str());
    if (AccessRefused(failure))
        message += "\n" + texts::Translated(texts::kSerialAccessHint);
    return message;
}

std::string SearchReport(const std::vector<SearchAttempt>& searched) {
    if (searched.empty())
        return {};
    std::string report = text::translate("veldrin::ConnectMessages", "自动搜索没有找到仪器。试过的串口：");
    bool refused = false;
    for (const SearchAttempt& attempt : searched) {
        if (attempt.openFailure) {
            report += "\n" + PortLine(PortLabel(attempt.port), Reason(*attempt.openFailure));
            refused = refused || AccessRefused(*attempt.openFailure);
        } else {
            report += "\n" + PortLine(PortMessage("com%d", "%s", attempt.port),
                                      text::translate("veldrin::ConnectMessages", "已打开，但没有仪器应答"));
        }
    }
    if (refused)
        report += "\n" + texts::Translated(texts::kSerialAccessHint);
    return report;
}

}  // namespace veldrin
