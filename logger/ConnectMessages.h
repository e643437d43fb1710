#pragma once
// The messages that explain a failed connect attempt: which device could not be opened and why,
// what to do when the user lacks access to it, and which ports an auto search tried.
#include <string>
#include <vector>

#include "logger/ConnectTask.h"

namespace veldrin {

// `headline` ("打开com%d失败" with its port), then the device path, the reason, and, when access
// was refused, how to get it.
std::string OpenFailedMessage(const std::string& headline, const PortFailure& failure);

// How a port is named to the user: "com3（/dev/ttyUSB2）", or the device path of a port picked by
// its name.
std::string PortLabel(int port, const std::string& devicePath);

// The ports an auto search tried and what it found on each; empty when it tried none.
std::string SearchReport(const std::vector<SearchAttempt>& searched);

}  // namespace veldrin
