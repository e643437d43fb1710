#pragma once
// Replays a byte trace through the protocol engine without a logger: every frame the connection
// wrote is taken as sent again, every burst the logger sent is received again, and the replies
// are judged and decoded as the connection did. What comes out is what the connection decoded:
// the logger's fields, its realtime readings and the history bytes of a download.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "logger/CommandFrames.h"
#include "logger/LoggerInfo.h"
#include "serial/TraceRecord.h"

namespace veldrin {

struct ReplayedReading {
    std::time_t time = 0;
    float value1 = 0;
    float value2 = 0;
};

struct ReplayResult {
    LoggerModel model = LoggerModel::Unknown;
    LoggerInfo info;
    std::vector<CommandId> answered;  // the commands whose replies were accepted, in order
    std::vector<ReplayedReading> readings;
    int foreignFrames = 0;  // realtime frames with another model's markers
    int writes = 0;
    int bursts = 0;
    // The download, if the trace holds one: the history byte store as the connection handed it on
    // (a broken download closed with the FF FF trailer of a whole one).
    bool historyStarted = false;
    bool historyComplete = false;
    int blocksReceived = 0;
    int blockCount = 0;
    Bytes history;
    // History requests the replayed engine would have sent differently (a trace of another program).
    int requestsDiffering = 0;
};

// The model that identified itself in the trace (the identify reply), if any.
std::optional<LoggerModel> IdentifiedModel(const std::vector<TraceRecord>& records);

// Replays `records` for a logger of `model`.
ReplayResult ReplayTrace(const std::vector<TraceRecord>& records, LoggerModel model);

}  // namespace veldrin
