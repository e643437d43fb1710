#include "logger/PortChoice.h"

namespace veldrin {
namespace {

constexpr int kHighestSearchedPort = 8;

}  // namespace

ChosenPort ComPort(int comNumber, const PortSources& sources) {
    return ChosenPort{DevicePathForPort(comNumber, sources), comNumber};
}

PortChoice ComPortChoice(int comNumber, bool autoSearch, LoggerModel instrument, const PortSources& sources,
                         const std::vector<std::string>& devicesFound) {
    PortChoice choice{ComPort(comNumber, sources), autoSearch, instrument};
    if (!autoSearch)
        return choice;
    std::vector<std::string> comPaths;
    for (int port = kHighestSearchedPort; port >= 1; --port) {
        choice.searchOrder.push_back(ComPort(port, sources));
        comPaths.push_back(choice.searchOrder.back().devicePath);
    }
    for (const std::string& path : PathsBeside(devicesFound, comPaths))
        choice.searchOrder.push_back(ChosenPort{path, 0});
    return choice;
}

}  // namespace veldrin
