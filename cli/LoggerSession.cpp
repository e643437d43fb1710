#include "cli/LoggerSession.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "history/HistoryText.h"
#include "logger/ConnectionTexts.h"
#include "logger/TextFormat.h"
#include "logger/WireCodec.h"

namespace veldrin::cli {

void AddDeviceRootOptions(CLI::App& command, DeviceRoots& roots) {
    command.add_option("--sys", roots.sys, "the sysfs tree to read (default /sys)");
    command.add_option("--dev", roots.dev, "the device tree to read (default /dev)");
}

CLI::Option* AddModelOption(CLI::App& command, std::string& model, bool withAuto,
                            const std::string& description) {
    std::vector<std::string> names;
    for (const ModelTraits& traits : KnownModels())
        names.emplace_back(traits.shortName);
    if (withAuto)
        names.emplace_back(kAutoModelArgument);
    std::string listed;
    for (const std::string& name : names)
        listed += (listed.empty() ? "" : names.back() == name ? " or " : ", ") + name;
    if (withAuto)
        listed += " (auto: as the logger identifies itself)";
    return command.add_option("--model", model, description.empty() ? listed : description)
        ->check(CLI::IsMember(names));
}

LoggerModel ModelOfArgument(const std::string& argument) {
    return ModelFromShortName(argument).value_or(kModelFromIdentify);
}

std::string ReadingLine(LoggerModel model, float value1, float value2, std::time_t time,
                        TemperatureUnit unit) {
    std::string line = FormatTime(time) + " " + FormatTemperature(value1, unit);
    if (Traits(model).channelCount == 2)
        line += " " + FormatChannelValue(value2, Traits(model).channel2IsHumidity, unit);
    return line;
}

namespace {
std::atomic<bool>* signalFlag = nullptr;
extern "C" void OnStopSignal(int) {
    if (signalFlag)
        signalFlag->store(true);
}
}  // namespace

void StopOnSignals(std::atomic<bool>& flag) {
    signalFlag = &flag;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
}

}  // namespace veldrin::cli
