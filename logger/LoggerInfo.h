#pragma once
// The status and settings record of the connected logger, and its parts.
#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "logger/LoggerModel.h"

namespace veldrin {

// The logger holds the title and the description in 36 and 60 GBK bytes (a Chinese character
// takes two), one after the other in its 96-byte description block.
inline constexpr std::size_t kLoggerTitleBytes = 36;
inline constexpr std::size_t kLoggerDescriptionBytes = 60;

// A calendar time as the logger sends it: second, minute, hour, day, month, year within the
// century, century. `time` holds the local calendar time when the bytes form a valid date.
struct LoggerDateTime {
    std::array<std::uint8_t, 7> raw{};
    std::optional<std::time_t> time;

    int Year() const { return raw[6] * 100 + raw[5]; }
    int Month() const { return raw[4]; }
    int Day() const { return raw[3]; }
    int Hour() const { return raw[2]; }
    int Minute() const { return raw[1]; }
    int Second() const { return raw[0]; }
};

// Limits of one channel as whole numbers in the channel's unit, with the bytes sent on the wire.
struct AlarmLimits {
    float lower = 0;
    float upper = 0;
    std::uint8_t lowerByte = 0;
    std::uint8_t upperByte = 0;
    std::uint8_t enable = 0;  // channel 1 only: 1 = alarm enabled
};

struct LoggerInfo {
    LoggerModel model = LoggerModel::Unknown;
    std::string instrumentName;  // UTF-8 display name of the model
    bool connected = false;
    // The recording-state byte: kRecordingStarted = "已启动记录", anything else stopped.
    static constexpr std::uint8_t kRecordingStopped = 0;
    static constexpr std::uint8_t kRecordingStarted = 1;
    std::uint8_t recordingState = kRecordingStopped;
    std::uint8_t voltageState = 0;  // 0 = "正常"
    std::uint16_t interval = 0;     // seconds
    std::uint8_t startFlag = 0;     // 1 = the logger starts by itself at startTime
    LoggerDateTime startTime;
    std::uint8_t stopMode = 0;  // 0 "记满即停", 1 "循环记录"
    AlarmLimits channel1Alarm;
    AlarmLimits channel2Alarm;
    std::string title;        // UTF-8, at most 36 GBK bytes
    std::string description;  // UTF-8, at most 60 GBK bytes
    std::time_t chipClock = 0;
    std::uint32_t recordBytes = 0;  // record memory count, below 300000
    int blockCount = 0;             // 1024-byte download blocks
    std::string capacity = "100,000";
    std::time_t lastReceived = 0;

    bool Recording() const { return recordingState == kRecordingStarted; }
};

}  // namespace veldrin
