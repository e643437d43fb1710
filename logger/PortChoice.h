#pragma once
// The port and instrument a connection is made with, as the user chose them.
#include <vector>

#include "logger/LoggerModel.h"

namespace veldrin {

struct PortChoice {
    int port = 1;  // 1–4, or a named port of a device picked by its path; 5 stands for the auto search
    bool autoSearch = false;
    LoggerModel instrument = LoggerModel::SingleTemperature;
    // The named ports of the devices found on the machine: the auto search tries them after the
    // com ports.
    std::vector<int> devicePorts{};
};
inline constexpr int kAutoSearchPort = 5;

}  // namespace veldrin
