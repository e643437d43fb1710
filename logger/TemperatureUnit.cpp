#include "logger/TemperatureUnit.h"

#include <cmath>
#include <cstdio>

namespace veldrin {

const char* UnitText(TemperatureUnit unit) {
    return unit == TemperatureUnit::Fahrenheit ? "°F" : "°C";
}

const char* UnitLetter(TemperatureUnit unit) {
    return unit == TemperatureUnit::Fahrenheit ? "F" : "C";
}

std::optional<TemperatureUnit> ParseTemperatureUnit(std::string_view text) {
    if (text == "C" || text == "c")
        return TemperatureUnit::Celsius;
    if (text == "F" || text == "f")
        return TemperatureUnit::Fahrenheit;
    return std::nullopt;
}

double TemperatureInUnit(double celsius, TemperatureUnit unit) {
    return unit == TemperatureUnit::Fahrenheit ? celsius * 9.0 / 5.0 + 32.0 : celsius;
}

double DifferenceInUnit(double celsiusDifference, TemperatureUnit unit) {
    return unit == TemperatureUnit::Fahrenheit ? celsiusDifference * 9.0 / 5.0 : celsiusDifference;
}

double CelsiusOf(double value, TemperatureUnit unit) {
    return unit == TemperatureUnit::Fahrenheit ? (value - 32.0) * 5.0 / 9.0 : value;
}

std::string ChannelUnitText(const std::string& celsiusUnit, TemperatureUnit unit) {
    return celsiusUnit == "°C" ? UnitText(unit) : celsiusUnit;
}

std::string LimitTextInUnit(int celsius, TemperatureUnit unit) {
    if (unit == TemperatureUnit::Celsius)
        return std::to_string(celsius);
    // A whole °C is a whole number of tenths of a °F (°F × 10 = °C × 18 + 320), so the text is exact.
    const int tenths = celsius * 18 + 320;
    char text[32];
    if (tenths % 10 == 0)
        std::snprintf(text, sizeof text, "%d", tenths / 10);
    else
        std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10,
                      std::abs(tenths) % 10);
    return text;
}

}  // namespace veldrin
