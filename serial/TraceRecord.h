#pragma once
// One line of a byte trace: what passed over a link and when. A trace is plain text, one record a
// line, so that people read it and the tool replays it:
//
//     # comment
//     0 start 1716166800          the wall clock (seconds since 1970) when the trace began
//     0 open /dev/ttyUSB0         the link opened the port at /dev/ttyUSB0
//     12 > 55 55 55               bytes written to the logger
//     318 < 55 55 55              one burst received from it
//     20410 close
//
// The first number is milliseconds since the trace began.
#include <cstdint>
#include <ctime>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace veldrin {

struct TraceRecord {
    enum class Kind { Start, Open, Close, Written, Received };
    std::int64_t atMs = 0;
    Kind kind = Kind::Written;
    std::int64_t number = 0;  // the wall clock of Start
    std::vector<std::uint8_t> bytes;
    std::string devicePath;  // the port of Open

    bool operator==(const TraceRecord&) const = default;
};

// The record as one line, without the line end.
std::string FormatTraceRecord(const TraceRecord& record);

// Every record of a trace, in order. Nothing, with the line number and what is wrong in `error`,
// when a line is no record; blank lines and # comments are skipped.
std::optional<std::vector<TraceRecord>> ReadTrace(std::istream& in, std::string& error);

// The wall clock of the trace's start record, or nothing when it has none.
std::optional<std::time_t> TraceStartTime(const std::vector<TraceRecord>& records);

}  // namespace veldrin
