#pragma once
// Helpers for talking to a SimLogger directly, without a link: write a frame at a line time, let
// the logger's time run, collect every byte it put on the line.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimLogger.h"

namespace veldrin::simtest {

using Bytes = std::vector<std::uint8_t>;

// Lets the logger's line time run to `untilMs` through every event on the way and returns all
// bytes it sent meanwhile, joined.
inline Bytes Drain(SimLogger& logger, std::int64_t untilMs) {
    while (auto next = logger.NextEventMs()) {
        if (*next > untilMs)
            break;
        logger.Advance(*next);
    }
    logger.Advance(untilMs);
    Bytes sent;
    for (const Transmission& piece : logger.TakeTransmissions()) {
        sent.insert(sent.end(), piece.bytes.begin(), piece.bytes.end());
    }
    return sent;
}

// Writes `frame` at line time `nowMs`, lets `waitMs` pass and returns the reply; `nowMs` moves on.
inline Bytes Ask(SimLogger& logger, const Bytes& frame, std::int64_t& nowMs, int waitMs = 200) {
    logger.Receive(frame.data(), frame.size(), nowMs);
    nowMs += waitMs;
    return Drain(logger, nowMs);
}

inline Bytes Concat(const Bytes& a, const Bytes& b) {
    Bytes joined = a;
    joined.insert(joined.end(), b.begin(), b.end());
    return joined;
}

inline std::string Hex(const Bytes& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

inline SimLoggerOptions Options(LoggerModel model, int records = 100) {
    SimLoggerOptions options;
    options.model = model;
    options.records = records;
    return options;
}

}  // namespace veldrin::simtest
