#pragma once
// What the data file commands of veldrin-cli share: loading a data file, with the refusal
// reported on standard error.
#include <optional>
#include <string>
#include <string_view>

#include "files/DataFile.h"

namespace veldrin::cli {

// The loaded file, or nothing after printing "文件错误!" and the reason to standard error.
std::optional<DataFileLoad> LoadForCommand(const std::string& path);

// Exit status of a command whose input file was refused or whose output could not be written.
inline constexpr int kFileFailureStatus = 1;

// Writes `text`, the product of `command`, to standard output. A full disk or a closed pipe behind
// it must not end with success: the error is reported on standard error ("<command>: cannot write
// <what> to standard output: <reason>") and the status is kFileFailureStatus; 0 when written.
int PrintProduct(std::string_view text, const char* command, const char* what);

}  // namespace veldrin::cli
