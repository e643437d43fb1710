#include "print/PrintFormat.h"

#include <cstdlib>

#include "logger/TextFormat.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

// Decimal conversion of text[first .. first + length), leading blanks allowed.
int FieldAt(const std::string& text, std::size_t first, std::size_t length) {
    return std::atoi(text.substr(first, length).c_str());
}

}  // namespace

std::time_t ParseSampleTime(const std::string& text, std::time_t fallback) {
    if (text.size() < 19)
        return fallback;
    auto time = MakeLocalTime(FieldAt(text, 0, 4), FieldAt(text, 5, 2), FieldAt(text, 8, 2),
                              FieldAt(text, 11, 2), FieldAt(text, 14, 2), FieldAt(text, 17, 2));
    return time ? *time : fallback;
}

std::string FormatPrintTime(std::time_t time) {
    if (text::IsoTimes())
        return FormatTime(time, TimeStyle::ZeroPadded);
    std::tm fields{};
    localtime_r(&time, &fields);
    return Printf("%d-%d-%d %d:%d:%d", fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                  fields.tm_hour, fields.tm_min, fields.tm_sec);
}

}  // namespace veldrin
