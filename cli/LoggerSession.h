#pragma once
// What the logger commands of veldrin-cli share beyond the session itself (fleet/LoggerSession.h):
// the options that name the model and the device trees, and the printed reading.
#include <atomic>
#include <ctime>
#include <string>

#include <CLI/CLI.hpp>

#include "fleet/LoggerSession.h"
#include "serial/SerialDevices.h"

namespace veldrin::cli {

using fleet::ConsoleUi;
using fleet::LoggerSession;
using fleet::PanelOfLogger;
using fleet::PortForArgument;

// The value of --model that lets the logger's identify answer name the model.
inline constexpr const char* kAutoModelArgument = "auto";

// Adds --model to `command`: the models' short names ("single", "humidity", "dual"), and "auto"
// where `withAuto`.
CLI::Option* AddModelOption(CLI::App& command, std::string& model, bool withAuto,
                            const std::string& description = {});
// Adds --sys and --dev to `command`: the sysfs and device trees the serial devices are found in,
// as `ports` lists them (by default the machine's own).
void AddDeviceRootOptions(CLI::App& command, DeviceRoots& roots);
// The model a checked --model value names; "auto" is kModelFromIdentify.
LoggerModel ModelOfArgument(const std::string& argument);

// One realtime reading as monitor and replay print it: the time, then each channel's value.
std::string ReadingLine(LoggerModel model, float value1, float value2, std::time_t time,
                        TemperatureUnit unit = TemperatureUnit::Celsius);

// Sets `flag` on SIGINT and SIGTERM.
void StopOnSignals(std::atomic<bool>& flag);

}  // namespace veldrin::cli
