#pragma once
// The checks the realtime panel's settings pass before anything is written to the logger: alarm
// limits that are numbers within what the logger can hold, a start time that is a calendar date,
// and a title and description within their GBK byte lengths.
#include <optional>
#include <string>

#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"
#include "logger/PanelSettings.h"

namespace veldrin {

inline constexpr int kTemperatureLimitMagnitude = 127;
inline constexpr int kHumidityLimitLowest = 0;
inline constexpr int kHumidityLimitHighest = 100;

// A limit field's text as a whole number (truncated toward zero); nothing when it is no number.
std::optional<int> LimitNumber(const std::string& text);
// The number at the start of a limit box's `text`, truncated towards zero to a whole number; 0
// when the text does not start with a number. Values beyond the int range are held at its ends.
// For every text LimitNumber takes it gives the same number.
int LimitFromText(const std::string& text);

// A temperature limit field's text typed in `unit` as the whole °C the logger holds: in °C as
// LimitNumber reads it, in °F converted and rounded to the nearest whole °C; nothing when it is
// no number.
std::optional<int> TemperatureLimitNumber(const std::string& text, TemperatureUnit unit);
// LimitFromText for a temperature limit typed in `unit`: the same number in °C, the nearest whole
// °C of the number at the start of the text in °F.
int TemperatureLimitFromText(const std::string& text, TemperatureUnit unit);

// The first problem of `panel` for a logger of `model`, as the message that names the field;
// nothing when the settings may be written. Temperature limits are read in the panel's unit and
// checked as the whole °C the logger would take; a refused one is named by the value typed.
std::optional<std::string> FindSettingsProblem(const PanelSettings& panel, LoggerModel model);

}  // namespace veldrin
