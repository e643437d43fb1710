#include "app/ShellTime.h"

#include <cstdio>

#include "translations/Translation.h"

namespace veldrin {

std::string FormatShellTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[64];
    const char* format = text::IsoTimes() ? "%d-%02d-%02d %02d:%02d:%02d" : "%d-%d-%d %d:%d:%02d";
    std::snprintf(text, sizeof text, format, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string ClockPaneText(std::time_t time) {
    return "   " + FormatShellTime(time);
}

}  // namespace veldrin
