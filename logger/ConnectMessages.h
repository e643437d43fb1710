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
// its path.
std::string PortLabel(const ChosenPort& port);

// A message about `port` from one of two formats: `numbered` with the com number ("打开com%d失败"),
// or `named` with the device path of a port picked by its path ("打开%s失败").
// The formats are texts of ConnectionTexts.h, shown in the language of the run.
std::string PortMessage(const char* numbered, const char* named, const ChosenPort& port);

// The ports an auto search tried and what it found on each; empty when it tried none.
std::string SearchReport(const std::vector<SearchAttempt>& searched);

}  // namespace veldrin
