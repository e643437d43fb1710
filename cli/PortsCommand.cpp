// veldrin-cli ports [--json]: the serial devices on this machine, one per line, with whether this
// user may open them; every path it prints is accepted by --port.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <nlohmann/json.hpp>

#include "cli/CommandRegistry.h"
#include "cli/LoggerSession.h"
#include "logger/TextFormat.h"
#include "serial/SerialDevices.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

struct PortsOptions {
    bool json = false;
    DeviceRoots roots;
};

std::string AsLines(const std::vector<SerialDevice>& devices) {
    std::string text;
    for (const SerialDevice& device : devices) {
        text += device.path + "\t" + DeviceSummary(device);
        if (!device.accessible)
            text += Printf(text::translate("veldrin-cli", "\tno permission (group %s)").c_str(),
                           device.group.c_str());
        text += '\n';
    }
    return text;
}

std::string AsJson(const std::vector<SerialDevice>& devices) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const SerialDevice& device : devices) {
        list.push_back({{"path", device.path},
                        {"kernelName", device.kernelName},
                        {"maker", device.maker},
                        {"product", device.product},
                        {"accessible", device.accessible},
                        {"group", device.group}});
    }
    return list.dump(2) + "\n";
}

int ListPorts(const PortsOptions& options) {
    const std::vector<SerialDevice> devices = FindSerialDevices(options.roots);
    const std::string text = options.json ? AsJson(devices) : AsLines(devices);
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) != 0 || !written) {
        std::fprintf(
            stderr,
            text::translate("veldrin-cli", "ports: cannot write the list to standard output: %s\n").c_str(),
            std::strerror(errno));
        return 1;
    }
    if (devices.empty() && !options.json)
        std::fputs(text::translate("veldrin-cli", "ports: no serial devices found\n").c_str(), stderr);
    return 0;
}

const CommandRegistration kRegistration{
    "ports", [](CLI::App& app, int& status) {
        auto options = std::make_shared<PortsOptions>();
        CLI::App* command = app.add_subcommand(
            "ports", "List the serial devices of this machine and whether you may open them");
        command->add_flag("--json", options->json, "print a JSON array instead of lines");
        AddDeviceRootOptions(*command, options->roots);
        command->callback([options, &status] { status = ListPorts(*options); });
    }};

}  // namespace
}  // namespace veldrin::cli
