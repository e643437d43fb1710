#include "logger/WireCodec.h"

#include <cstdio>

#include "translations/Translation.h"

namespace veldrin {
namespace {

constexpr std::uint8_t kSignBit = 0x80;
constexpr std::uint8_t kMagnitudeBits = 0x7F;

}  // namespace

float DecodeTemperaturePair(std::uint8_t integer, std::uint8_t hundredths) {
    // The division runs in double precision and is rounded once when stored as float.
    double magnitude = (integer & kMagnitudeBits) + hundredths / 100.0;
    // A sign bit on a zero magnitude (0x80 0x00) is plain zero, never "-0.00".
    if (magnitude == 0.0)
        return 0.0f;
    return static_cast<float>((integer & kSignBit) ? -magnitude : magnitude);
}

float DecodeHumidityPair(std::uint8_t integer, std::uint8_t hundredths) {
    return static_cast<float>(integer + hundredths / 100.0);
}

int DecodeLimitByte(std::uint8_t byte, bool humidity) {
    if (humidity)
        return byte;
    int magnitude = byte & kMagnitudeBits;
    return (byte & kSignBit) ? -magnitude : magnitude;
}

std::uint8_t EncodeTemperatureLimit(int value) {
    if (value >= 0)
        return static_cast<std::uint8_t>(value & 0xFF);
    if (value < -127)
        return 0xFF;
    return static_cast<std::uint8_t>(kSignBit + -value);
}

LoggerDateTime DecodeDateTime(const std::uint8_t* seven, int maxYear) {
    LoggerDateTime result;
    for (std::size_t i = 0; i < result.raw.size(); ++i)
        result.raw[i] = seven[i];
    int year = result.Year();
    if (year >= 2000 && year <= maxYear && result.Month() <= 12 && result.Day() <= 31) {
        result.time = MakeLocalTime(year, result.Month(), result.Day(), result.Hour(), result.Minute(),
                                    result.Second());
    }
    return result;
}

std::array<std::uint8_t, 7> EncodeDateTime(std::time_t time) {
    std::tm fields{};
    localtime_r(&time, &fields);
    int year = fields.tm_year + 1900;
    return {static_cast<std::uint8_t>(fields.tm_sec),     static_cast<std::uint8_t>(fields.tm_min),
            static_cast<std::uint8_t>(fields.tm_hour),    static_cast<std::uint8_t>(fields.tm_mday),
            static_cast<std::uint8_t>(fields.tm_mon + 1), static_cast<std::uint8_t>(year % 100),
            static_cast<std::uint8_t>(year / 100)};
}

std::uint16_t DecodeInterval(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint16_t>((high << 8) | low);
}

std::uint16_t IntervalFromClock(int hours, int minutes, int seconds) {
    long total = hours * 3600L + minutes * 60L + seconds;
    if (total > 65535)
        total = 65535;
    if (total < 1)
        total = 1;
    return static_cast<std::uint16_t>(total);
}

std::optional<std::uint32_t> DecodeRecordCount(const std::uint8_t* three) {
    std::uint32_t count =
        (static_cast<std::uint32_t>(three[0]) << 16) | (static_cast<std::uint32_t>(three[1]) << 8) | three[2];
    if (count >= 300000)
        return std::nullopt;
    return count;
}

int BlockCountFor(std::uint32_t recordBytes) {
    return static_cast<int>(recordBytes / 1024 + 1);
}

std::optional<std::time_t> MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    // Fields outside their calendar range do not form a time (mktime would silently roll them over).
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59) {
        return std::nullopt;
    }
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    std::time_t result = std::mktime(&fields);
    if (result == static_cast<std::time_t>(-1))
        return std::nullopt;
    // A day past the month's end (31 February) comes back rolled into the next month.
    if (fields.tm_mday != day || fields.tm_mon != month - 1 || fields.tm_year != year - 1900)
        return std::nullopt;
    return result;
}

TimeStyle ShownTimeStyle(TimeStyle style) {
    return text::IsoTimes() ? TimeStyle::ZeroPadded : style;
}

std::string FormatTime(std::time_t time, TimeStyle style) {
    std::tm f{};
    localtime_r(&time, &f);
    const char* format = "%d-%02d-%02d %02d:%02d:%02d";
    if (style == TimeStyle::BlankPadded)
        format = "%d-%2d-%2d %2d:%2d:%2d";
    if (style == TimeStyle::Realtime)
        format = "%d-%d-%d  %d:%d:%d";
    char text[64];
    std::snprintf(text, sizeof text, format, f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour, f.tm_min,
                  f.tm_sec);
    return text;
}

}  // namespace veldrin
