#include "files/IsoTime.h"

#include <cstdio>
#include <cstdlib>

namespace veldrin {

std::string FormatIsoTime(std::time_t time) {
    std::tm f{};
    localtime_r(&time, &f);
    // An offset from UTC lies within a day.
    const int minutes = static_cast<int>(std::labs(f.tm_gmtoff) / 60 % 1440);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", f.tm_year + 1900,
                  f.tm_mon + 1, f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec, f.tm_gmtoff < 0 ? '-' : '+',
                  minutes / 60, minutes % 60);
    return text;
}

}  // namespace veldrin
