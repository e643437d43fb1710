#pragma once
// What the data file commands of veldrin-cli share: loading a data file, with the refusal
// reported on standard error.
#include <optional>
#include <string>

#include "files/DataFile.h"

namespace veldrin::cli {

// The loaded file, or nothing after printing "文件错误!" and the reason to standard error.
std::optional<DataFileLoad> LoadForCommand(const std::string& path);

// Exit status of a command whose input file was refused or whose output could not be written.
inline constexpr int kFileFailureStatus = 1;

}  // namespace veldrin::cli
