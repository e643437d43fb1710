#include "measure/ValueText.h"

#include <cstdio>

namespace veldrin {

std::string FormatTemperature(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f°C", static_cast<double>(value));
    return text;
}

std::string FormatHumidity(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f%%", static_cast<double>(value));
    return text;
}

std::string FormatChannelValue(float value, bool humidity) {
    return humidity ? FormatHumidity(value) : FormatTemperature(value);
}

}  // namespace veldrin
