#pragma once
// The alarm texts of the realtime and history alarm lists: the channel's name, "小于" (below) or
// "大于" (above) and the crossed limit with the channel's unit. Both comparisons are strict; the
// lower test runs first and the upper one second, so with inverted limits the upper text wins.
// The texts are in the language of the run.
#include <string>

#include "logger/LoggerModel.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

enum class AlarmListKind { Realtime, History };

// Channel 1 or 2 of `model`; empty (realtime lists of two-channel models: two blanks) when the
// value lies inside its limits. Values and limits are in °C; a temperature limit is shown in `unit`.
std::string AlarmText(AlarmListKind kind, LoggerModel model, int channel, float value, float lower,
                      float upper, TemperatureUnit unit = TemperatureUnit::Celsius);

}  // namespace veldrin
