#pragma once
// Byte layout of the .Vdr data file.
//
// 0 … 110   masked header, every byte XOR 0x6B: five seeds "%3d", title (36 GBK bytes, blank
//           padded), description (60 GBK bytes, blank padded)
// 111 …     enciphered header, plain text of the numeric set: type code "%2d", start and stop
//           time (14 characters each: year 4, month, day, hour, minute, second 2 each), interval
//           (5), value count (6), six statistics (7 each); the long form (type code above 10)
//           adds the alarm flag (1) and four limits (7 each)
// 223 / 194 record area: value count number fields of 7 characters, enciphered in segments of
//           10000 fields, every segment chaining from 0x2F again while the position runs on
#include <cstddef>
#include <cstdint>
#include <optional>

#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"

namespace veldrin::datafile {

inline constexpr std::uint8_t kMask = 0x6B;
inline constexpr std::size_t kSeedWidth = 3;
// The title and description lengths are the logger's own (logger/LoggerInfo.h).
inline constexpr std::size_t kTitleBytes = kLoggerTitleBytes;
inline constexpr std::size_t kDescriptionBytes = kLoggerDescriptionBytes;
inline constexpr std::size_t kMaskedLength = 5 * kSeedWidth + kTitleBytes + kDescriptionBytes;  // 111

inline constexpr std::size_t kTypeWidth = 2;
inline constexpr std::size_t kTimeWidth = 14;
inline constexpr std::size_t kIntervalWidth = 5;
inline constexpr std::size_t kValueCountWidth = 6;
inline constexpr std::size_t kFieldWidth = 7;
inline constexpr std::size_t kShortCipherLength =
    kTypeWidth + 2 * kTimeWidth + kIntervalWidth + kValueCountWidth + 6 * kFieldWidth;      // 83
inline constexpr std::size_t kLongCipherLength = kShortCipherLength + 1 + 4 * kFieldWidth;  // 112
inline constexpr std::size_t kShortHeaderLength = kMaskedLength + kShortCipherLength;       // 194
inline constexpr std::size_t kLongHeaderLength = kMaskedLength + kLongCipherLength;         // 223

inline constexpr int kFieldsPerSegment = 10000;
inline constexpr int kMaxInterval = 99999;     // what 5 characters hold
inline constexpr int kMaxValueCount = 999999;  // what 6 characters hold
inline constexpr int kMaxSamples = 100000;     // per channel, the history store's capacity

// A type code above this is the long form.
inline constexpr int kLastShortTypeCode = 10;

// Type code the writer stores for a model (15 dual, 16 single, 17 temperature-humidity).
std::optional<int> TypeCodeFor(LoggerModel model);
// Model of a stored type code, long (15, 16, 17) or short (5, 6, 7) form.
std::optional<LoggerModel> ModelFromTypeCode(int typeCode);

}  // namespace veldrin::datafile
