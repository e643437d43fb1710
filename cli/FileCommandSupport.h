#pragma once
// What the data file commands of veldrin-cli share: loading a data file, with the refusal
// reported on standard error.
#include <optional>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "files/DataFile.h"
#include "logger/TemperatureUnit.h"
#include "translations/Translation.h"

namespace veldrin::cli {

// The loaded file, or nothing after printing "文件错误!" and the reason to standard error.
std::optional<DataFileLoad> LoadForCommand(const std::string& path);

// Adds --unit C|F to `command`: the unit of the temperatures it shows, reports or exports (°C when
// not given). The data file and the text export stay in °C whatever it says.
void AddUnitOption(CLI::App& command, TemperatureUnit& unit);

// Exit status of a command whose input file was refused or whose output could not be written.
inline constexpr int kFileFailureStatus = 1;

// Writes `text`, the product of `command`, to standard output. A full disk or a closed pipe behind
// it must not end with success: the error is reported on standard error ("<command>: cannot write
// <what> to standard output: <reason>") and the status is kFileFailureStatus; 0 when written.
// `what` is one of veldrin-cli's own texts, marked QT_TRANSLATE_NOOP("veldrin-cli", …).
int PrintProduct(std::string_view text, const char* command, const char* what);

}  // namespace veldrin::cli
