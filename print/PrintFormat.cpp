#include "print/PrintFormat.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "logger/WireCodec.h"

namespace veldrin {
namespace {

// Decimal conversion of text[first .. first + length), leading blanks allowed.
int FieldAt(const std::string& text, std::size_t first, std::size_t length) {
    return std::atoi(text.substr(first, length).c_str());
}

}  // namespace

std::string Printf(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    va_end(arguments);
    return text;
}

std::time_t ParseSampleTime(const std::string& text, std::time_t fallback) {
    if (text.size() < 19)
        return fallback;
    auto time = MakeLocalTime(FieldAt(text, 0, 4), FieldAt(text, 5, 2), FieldAt(text, 8, 2),
                              FieldAt(text, 11, 2), FieldAt(text, 14, 2), FieldAt(text, 17, 2));
    return time ? *time : fallback;
}

std::string FormatPrintTime(std::time_t time) {
    std::tm fields{};
    localtime_r(&time, &fields);
    return Printf("%d-%d-%d %d:%d:%d", fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                  fields.tm_hour, fields.tm_min, fields.tm_sec);
}

}  // namespace veldrin
