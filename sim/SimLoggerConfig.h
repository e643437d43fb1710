#pragma once
// What a simulated logger is made with, the faults it can be given, and the settings it holds.
#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "logger/LoggerModel.h"

namespace veldrin {

// 2024-05-20 09:00:00 in Asia/Shanghai: the clock of a logger (and of a VirtualClock) made without
// a time of its own.
constexpr std::time_t kSimDefaultClockStart = 1716166800;

struct SimLoggerOptions {
    LoggerModel model = LoggerModel::TemperatureHumidity;
    int records = 1440;           // readings in memory at line time 0, the last one taken then
    std::uint16_t interval = 60;  // recording interval in seconds
    bool recording = true;        // the logger is recording and goes on taking readings
    std::time_t clockStart = kSimDefaultClockStart;  // the logger's clock at line time 0
    int replyLatencyMs = 5;             // from the last byte of a command to the first of its reply
    int realtimePeriodMs = 2000;        // between realtime frames
    bool secondProbeUnplugged = false;  // channel 2 reads 0.00 throughout, as without its probe
};

struct SimFaults {
    bool paced = false;                     // replies at 960 bytes a second (9600 baud)
    std::optional<int> silentAfterSeconds;  // counted from the first byte the logger receives
    std::optional<LoggerModel> answerAs;    // identifies and marks its frames as this model
    std::size_t splitPieceBytes = 0;        // > 0: every reply goes out in pieces of this size
    int splitGapMs = 150;                   // pause between pieces (above 100 ms: separate bursts)
    // Harsher behaviours of real loggers.
    // Once asked for realtime readings the logger sends them on its own clock, whatever the
    // computer sends (end realtime included), right next to its replies, with no quiet line kept.
    bool streamOnOwnClock = false;
    // Realtime frames keep coming while the record memory goes out.
    bool streamDuringDownload = false;
    // A chatty logger: realtime frames on its own clock from the moment the line is up, before
    // anything asked for them, through every command and the download, right after whatever is on
    // the line; and each reply held back until SimTransmitter::kQuietMs after the latest frame.
    bool chatty = false;
    // Every reply of two bytes or more goes out in two pieces, cut at a random point, splitGapMs
    // apart; `splitSeed` makes the cuts repeatable.
    bool splitAtRandom = false;
    std::uint32_t splitSeed = 1;
};

// The model a --wrong-model logger claims to be: another of the three.
LoggerModel OtherModel(LoggerModel model);

// The logger's settings as its commands change them and its replies report them.
struct SimSettings {
    std::uint16_t interval = 60;
    std::uint8_t startFlag = 0;
    std::array<std::uint8_t, 7> startTime{};  // second, minute, hour, day, month, year, century
    std::uint8_t stopMode = 0;
    std::uint8_t channel1Lower = 0;
    std::uint8_t channel1Upper = 0;
    std::uint8_t channel1Enable = 0;
    std::uint8_t channel2Lower = 0;
    std::uint8_t channel2Upper = 0;
    std::string description;  // 96 GBK bytes: title at 0–35, description at 36–95, blank-padded
    std::uint8_t recordingState = 0;
    std::uint8_t voltageState = 0;
};

}  // namespace veldrin
