#pragma once
// The tests' com ports: com N at its default device path /dev/ttyUSB<N-1>, mapped without the
// process's environment or a profile, so that no test depends on how the machine is set up.
#include <string>
#include <vector>

#include "logger/PortChoice.h"

namespace veldrin::test {

inline ChosenPort Com(int number) {
    return ComPort(number, PortSources{});
}
inline std::string ComPath(int number) {
    return Com(number).devicePath;
}
// A connect to com N.
inline PortChoice ComChoice(int number, LoggerModel model) {
    return ComPortChoice(number, false, model, PortSources{});
}
// The auto search over com8 … com1 and then `devices`.
inline PortChoice AutoSearch(LoggerModel model, const std::vector<std::string>& devices = {}) {
    return ComPortChoice(kAutoSearchPort, true, model, PortSources{}, devices);
}

}  // namespace veldrin::test
