#pragma once
// Display texts of measured values: temperatures "%.2f°C", humidity "%.2f%%".
#include <string>

namespace veldrin {

std::string FormatTemperature(float value);
std::string FormatHumidity(float value);
std::string FormatChannelValue(float value, bool humidity);

}  // namespace veldrin
