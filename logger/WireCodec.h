#pragma once
// Pure decoders and encoders of the values the logger sends and receives.
#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "logger/LoggerInfo.h"

namespace veldrin {

// Temperature pair: integer byte in sign-magnitude (bit 7 sign), then hundredths.
// 0x81 0x32 → −1.50; 0x19 0x05 → 25.05; 0x80 0x00 → −0.00 (equal to 0).
float DecodeTemperaturePair(std::uint8_t integer, std::uint8_t hundredths);
// Humidity pair: unsigned integer percent, then hundredths. 0x3C 0x32 → 60.50.
float DecodeHumidityPair(std::uint8_t integer, std::uint8_t hundredths);
// Limit byte → whole number: sign-magnitude for temperature, unsigned for humidity.
int DecodeLimitByte(std::uint8_t byte, bool humidity);
// Whole number → temperature limit byte: 0…127 as themselves, −1…−127 as 0x80 + magnitude,
// below −127 as 0xFF; above 127 the low 8 bits.
std::uint8_t EncodeTemperatureLimit(int value);

// Seven bytes (second, minute, hour, day, month, year in century, century) → LoggerDateTime.
// The calendar time is set only when year ≥ 2000, month ≤ 12, day ≤ 31 and year ≤ maxYear.
LoggerDateTime DecodeDateTime(const std::uint8_t* seven, int maxYear = 9999);
// A local calendar time → the seven wire bytes.
std::array<std::uint8_t, 7> EncodeDateTime(std::time_t time);

// Interval as replies carry it: high byte first.
std::uint16_t DecodeInterval(std::uint8_t high, std::uint8_t low);
// Interval picker (hours, minutes, seconds) → seconds, capped at 65535; 0 becomes 1.
std::uint16_t IntervalFromClock(int hours, int minutes, int seconds);

// 24-bit record memory count, high byte first; nothing when 300000 or more.
std::optional<std::uint32_t> DecodeRecordCount(const std::uint8_t* three);
// Download blocks for a record memory count: count / 1024 + 1.
int BlockCountFor(std::uint32_t recordBytes);

// Local calendar time from its fields (mktime); nothing when the fields do not form a time.
std::optional<std::time_t> MakeLocalTime(int year, int month, int day, int hour, int minute, int second);

// Time texts of the program.
enum class TimeStyle {
    ZeroPadded,   // "%d-%02d-%02d %02d:%02d:%02d": realtime readings and downloads
    BlankPadded,  // "%d-%2d-%2d %2d:%2d:%2d": histories read from data files
    Realtime,     // "%d-%d-%d  %d:%d:%d": time texts stored with realtime readings
};
std::string FormatTime(std::time_t time, TimeStyle style = TimeStyle::ZeroPadded);
// The style a time kept in `style` is shown to the user in: as it is in the Chinese interface,
// zero-padded (ISO) where the run shows ISO times (text::IsoTimes). Files and the wire keep `style`.
TimeStyle ShownTimeStyle(TimeStyle style);

}  // namespace veldrin
