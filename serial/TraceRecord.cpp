#include "serial/TraceRecord.h"

#include <cstdio>
#include <sstream>

namespace veldrin {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

const char* KindWord(TraceRecord::Kind kind) {
    switch (kind) {
        case TraceRecord::Kind::Start:
            return "start";
        case TraceRecord::Kind::Open:
            return "open";
        case TraceRecord::Kind::Close:
            return "close";
        case TraceRecord::Kind::Written:
            return ">";
        case TraceRecord::Kind::Received:
            return "<";
    }
    return "?";
}

std::optional<TraceRecord::Kind> KindOf(const std::string& word) {
    for (auto kind : {TraceRecord::Kind::Start, TraceRecord::Kind::Open, TraceRecord::Kind::Close,
                      TraceRecord::Kind::Written, TraceRecord::Kind::Received}) {
        if (word == KindWord(kind))
            return kind;
    }
    return std::nullopt;
}

std::optional<std::uint8_t> HexByte(const std::string& text) {
    if (text.size() != 2)
        return std::nullopt;
    unsigned value = 0;
    for (char digit : text) {
        value *= 16;
        if (digit >= '0' && digit <= '9') {
            value += static_cast<unsigned>(digit - '0');
        } else if (digit >= 'A' && digit <= 'F') {
            value += static_cast<unsigned>(digit - 'A' + 10);
        } else if (digit >= 'a' && digit <= 'f') {
            value += static_cast<unsigned>(digit - 'a' + 10);
        } else {
            return std::nullopt;
        }
    }
    return static_cast<std::uint8_t>(value);
}

// One line as a record; nothing with the reason in `error`.
std::optional<TraceRecord> ParseLine(const std::string& line, std::string& error) {
    std::istringstream words(line);
    TraceRecord record;
    std::string kindWord;
    if (!(words >> record.atMs) || record.atMs < 0) {
        error = "no time in milliseconds at the start";
        return std::nullopt;
    }
    if (!(words >> kindWord) || !KindOf(kindWord)) {
        error = "no start, open, close, > or < after the time";
        return std::nullopt;
    }
    record.kind = *KindOf(kindWord);
    const bool carriesBytes =
        record.kind == TraceRecord::Kind::Written || record.kind == TraceRecord::Kind::Received;
    if (record.kind == TraceRecord::Kind::Start && !(words >> record.number)) {
        error = "no number after start";
        return std::nullopt;
    }
    // Traces written before ports were named by their device paths carry the port number here.
    if (record.kind == TraceRecord::Kind::Open && !(words >> record.devicePath)) {
        error = "no device after open";
        return std::nullopt;
    }
    for (std::string text; words >> text;) {
        auto byte = HexByte(text);
        if (!carriesBytes || !byte) {
            error = "\"" + text + "\" is not a byte in two hex digits";
            return std::nullopt;
        }
        record.bytes.push_back(*byte);
    }
    if (carriesBytes && record.bytes.empty()) {
        error = "no bytes";
        return std::nullopt;
    }
    return record;
}

}  // namespace

std::string FormatTraceRecord(const TraceRecord& record) {
    std::string line = std::to_string(record.atMs);
    line += ' ';
    line += KindWord(record.kind);
    if (record.kind == TraceRecord::Kind::Start) {
        line += ' ';
        line += std::to_string(record.number);
    }
    if (record.kind == TraceRecord::Kind::Open) {
        line += ' ';
        line += record.devicePath;
    }
    for (std::uint8_t byte : record.bytes) {
        line += ' ';
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
    }
    return line;
}

std::optional<std::vector<TraceRecord>> ReadTrace(std::istream& in, std::string& error) {
    std::vector<TraceRecord> records;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        std::string reason;
        auto record = ParseLine(line, reason);
        if (!record) {
            error = "line " + std::to_string(number) + ": " + reason;
            return std::nullopt;
        }
        records.push_back(std::move(*record));
    }
    return records;
}

std::optional<std::time_t> TraceStartTime(const std::vector<TraceRecord>& records) {
    for (const TraceRecord& record : records) {
        if (record.kind == TraceRecord::Kind::Start)
            return static_cast<std::time_t>(record.number);
    }
    return std::nullopt;
}

}  // namespace veldrin
