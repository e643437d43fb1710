#pragma once
// The messages that explain a failed connect attempt: which device could not be opened and why,
// what to do when the user lacks access to it, and which ports an auto search tried.
#include <string>
#include <vector>

#include "logger/ConnectTask.h"

namespace veldrin {

// "打开com%d失败", then the device path, the reason, and, when access was refused, how to get it.
std::string OpenFailedMessage(int port, const PortFailure& failure);

// The ports an auto search tried and what it found on each; empty when it tried none.
std::string SearchReport(const std::vector<SearchAttempt>& searched);

}  // namespace veldrin
