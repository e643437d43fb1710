#pragma once
// What the protocol engine reports to its owner (the device connection), as typed events: a reply
// accepted with the LoggerInfo fields it filled, the progress a reply stands for, a stored history
// block, the steps of the description write, an instrument mismatch, and realtime readings. The
// engine changes no phase, phase step or progress itself; the owner applies the events to its
// session (SessionState::Apply) and to the user interface.
// RealtimeReading and RealtimeMismatch arrive on the link's reader thread; every other event on
// the thread that calls Send and ProcessReply, at the moment it happens.
#include <cstddef>
#include <variant>
#include <vector>

#include "logger/CommandFrames.h"
#include "logger/LoggerModel.h"
#include "logger/ProtocolStates.h"

namespace veldrin {

// The LoggerInfo fields a reply has just filled, one per panel field group.
enum class LoggerField {
    Instrument,      // model, instrumentName
    RecordingState,  // recordingState: the panel text and the start/stop buttons follow it
    VoltageState,
    Interval,
    StopMode,
    StartTime,      // startFlag, startTime (shown in the pickers only when it has a calendar time)
    Channel1Alarm,  // limits and enable flag
    Channel2Alarm,
    Description,  // title and description
    RecordCount,  // recordBytes, blockCount
};

// The reply to `id` was accepted and decoded into LoggerInfo; `fields` lists what it filled, in
// the order it was filled. Progress events of the reply come before it.
struct ReplyAccepted {
    CommandId id;
    std::vector<LoggerField> fields;
};
// A reply stands for `percent` of `phase`: the progress takes it only in that phase.
struct ProgressReached {
    Phase phase;
    int percent;
};
// History block `block` of `blockCount` was stored; `state` is where the download stands now.
struct BlockStored {
    int block;
    int blockCount;
    HistoryState state;
    std::size_t storedBytes;
};
// The description write sent its header: nothing else may be sent until it is complete.
struct DescriptionHeaderSent {};
// Chunk `chunk` (1–6) of the description write was echoed; the write stands at `percent`.
struct DescriptionChunkEchoed {
    int chunk;
    int percent;
};
// The identify reply named another instrument than the one chosen.
struct IdentifyMismatch {
    LoggerModel chosen;
    LoggerModel reported;
};
// Reader thread: a realtime frame with this logger's markers.
struct RealtimeReading {
    float value1;
    float value2;
};
// Reader thread: a realtime frame with another model's markers.
struct RealtimeMismatch {
    LoggerModel marked;
};

// Reader thread: while a history block is awaited, a delivery left the reply buffer ending the way
// a block ends (FF FF); the connection may take the block at once instead of at its next step.
struct BlockDelivered {};

using EngineEvent =
    std::variant<ReplyAccepted, ProgressReached, BlockStored, DescriptionHeaderSent, DescriptionChunkEchoed,
                 IdentifyMismatch, RealtimeReading, RealtimeMismatch, BlockDelivered>;

class ProtocolListener {
  public:
    virtual ~ProtocolListener() = default;
    virtual void OnEvent(const EngineEvent& event) = 0;
};

}  // namespace veldrin
