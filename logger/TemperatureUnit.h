#pragma once
// The unit temperatures are shown, typed, printed and exported in. Every temperature is held in
// °C (the history record, the data file, the logger's wire); the unit is a choice of presentation
// that each formatter at the edge takes as a parameter. Humidity has no unit choice.
#include <optional>
#include <string>
#include <string_view>

namespace veldrin {

enum class TemperatureUnit { Celsius, Fahrenheit };

// "°C" or "°F".
const char* UnitText(TemperatureUnit unit);
// "C" or "F", as the command line and the profile spell the unit.
const char* UnitLetter(TemperatureUnit unit);
// The unit of "C" / "F" (either case); nothing for any other text.
std::optional<TemperatureUnit> ParseTemperatureUnit(std::string_view text);

// A temperature in °C in the unit: °F = °C × 9/5 + 32.
double TemperatureInUnit(double celsius, TemperatureUnit unit);
// A difference of temperatures (a standard deviation, a tolerance) in the unit: × 9/5, no offset.
double DifferenceInUnit(double celsiusDifference, TemperatureUnit unit);
// A temperature given in the unit, in °C.
double CelsiusOf(double value, TemperatureUnit unit);

// A channel's unit text as shown in `unit`: "°C" becomes the unit's text, any other (humidity's
// "%", "%RH") stays as it is.
std::string ChannelUnitText(const std::string& celsiusUnit, TemperatureUnit unit);

// A whole-°C alarm limit as the limit boxes show it in the unit: "25" in °C; in °F the exact
// value with at most one decimal ("77", "37.4"), which typed back gives the same whole °C.
std::string LimitTextInUnit(int celsius, TemperatureUnit unit);

}  // namespace veldrin
