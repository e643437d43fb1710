#pragma once
// The logger's command set: one fixed id per command, its name, and the bytes of its frame.
// Frames carry no length and no checksum; the logger echoes them and appends its data.
#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logger/LoggerInfo.h"

namespace veldrin {

using Bytes = std::vector<std::uint8_t>;

enum class CommandId : int {
    SetInterval = 0,
    StartRecording = 1,
    EndRecording = 2,
    SetStopMode = 3,
    SetStartTime = 4,
    ReadHistory = 5,
    ReadRealtime = 6,
    EndRealtime = 7,
    SetChipClock = 8,
    ReadChipClock = 9,
    ReadInterval = 10,
    ReadStopMode = 11,
    SetAlarm = 12,
    ReadAlarm = 13,
    WriteDescription = 14,
    ReadDescription = 15,
    ReadStartTime = 16,
    ReadRecordState = 17,
    ReadRecordCount = 18,
    Sync = 19,
    Identify = 20,
    SetChannel2Alarm = 21,
    ReadChannel2Alarm = 22,
    ReadAllParameters = 23,
};

inline constexpr int kCommandCount = 24;

constexpr int Index(CommandId id) {
    return static_cast<int>(id);
}
constexpr CommandId CommandFromIndex(int index) {
    return static_cast<CommandId>(index);
}

// The command-name table ("设置时间间隔" …) in the language of the run; ids 18–23 carry
// descriptive names.
std::string CommandName(CommandId id);

// The frame of every command whose bytes follow from LoggerInfo alone: all ids except the history
// block requests (5) and the description write (14), which carry download and write state.
// Set chip clock carries `now`.
Bytes BuildFrame(CommandId id, const LoggerInfo& info, std::time_t now);

// The command a frame written to the logger belongs to: the inverse of BuildFrame (parameter bytes
// of the set commands may be anything), FF F5 with or without a block request for the history, FF FD
// for the description write. Nothing for other bytes (wake-up, probes, description text, block
// requests without their header).
std::optional<CommandId> CommandOfFrame(const Bytes& frame);

// The two request bytes lo hi for history block `block` (1-based) of `blockCount`: the last block
// is asked for as 00 00, and a lo of FF goes out as 00 with bit 7 of hi set.
std::array<std::uint8_t, 2> BlockRequestBytes(int block, int blockCount);

// The three-byte request whose first occurrence in a reply precedes the payload of ids 10, 11,
// 13, 15 and 16; empty for every other id.
Bytes PayloadRequest(CommandId id);

// The description text as the logger stores it: 96 blanks, the title (GBK, at most 36 bytes) at
// 0–35, the description (GBK, at most 60 bytes) at 36–95; neither splits a character.
std::array<std::uint8_t, 96> BuildDescriptionBlock(std::string_view titleUtf8,
                                                   std::string_view descriptionUtf8);

}  // namespace veldrin
