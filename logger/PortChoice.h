#pragma once
// The port and instrument a connection is made with, as the user chose them. A port is its device
// path; the com number the user chose it by stays beside it, because the messages name the port
// the way the user saw it ("打开com1失败").
#include <string>
#include <vector>

#include "logger/LoggerModel.h"
#include "serial/PortMap.h"

namespace veldrin {

struct ChosenPort {
    std::string devicePath;
    int comNumber = 0;  // the com entry the port was chosen by; 0 for a device picked by its path

    bool operator==(const ChosenPort&) const = default;
};

// The instrument of a connect that takes whichever model the logger names in its answer to
// identify, without the mismatch question (veldrin-cli --model auto, the connect dialog's
// "自动识别").
inline constexpr LoggerModel kModelFromIdentify = LoggerModel::Unknown;

struct PortChoice {
    ChosenPort port;  // the port opened; with the auto search, the one opened when it finds nothing
    bool autoSearch = false;
    LoggerModel instrument = LoggerModel::SingleTemperature;  // or kModelFromIdentify
    // The ports the auto search tries, in order.
    std::vector<ChosenPort> searchOrder{};
};

// The connect dialog's entry after "com1" … "com4", which searches the ports instead of naming one.
inline constexpr int kAutoSearchPort = 5;

// The port of com entry `comNumber`: its device path from `sources`.
ChosenPort ComPort(int comNumber, const PortSources& sources);

// A connect to com entry `comNumber` (the connect dialog's com1 … com4, veldrin-cli's --port N):
// every com number becomes its device path here, from the environment, then the profile, then
// /dev/ttyUSB<N-1>. With `autoSearch` the search tries com8 … com1 and then the devices of
// `devicesFound` that no com port reaches already.
PortChoice ComPortChoice(int comNumber, bool autoSearch, LoggerModel instrument, const PortSources& sources,
                         const std::vector<std::string>& devicesFound = {});

}  // namespace veldrin
