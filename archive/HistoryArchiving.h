#pragma once
// Histories into the archive and back, the same for every program that archives: a decoded download
// with its logger record, a history's identity and readings, the save events of its files, and an
// entry turned back into the history a window or an exporter holds.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "archive/Archive.h"
#include "history/HistoryDataSet.h"
#include "logger/LoggerInfo.h"

namespace veldrin::archive {

// An archive input of `history` with its bytes `raw`, made by `actor`: identity, limits and
// readings; times only when they do not follow from the start and the interval. Kind, source and
// record are the caller's.
ArchiveInput ArchiveInputOf(const HistoryDataSet& history, std::span<const std::uint8_t> raw,
                            const Actor& actor);

// A download as the connection handed it over: the bytes as received and the logger record they
// were decoded with, from the device at `port`.
struct DecodedDownload {
    std::span<const std::uint8_t> raw;
    const HistoryDataSet& history;
    const LoggerInfo& info;
    LoggerModel model = LoggerModel::Unknown;
    std::array<bool, 2> shown{true, true};
    bool complete = true;
    std::string port;  // device path as given; empty for a replayed trace
};

// Archives a decoded download with a download event (complete or partial); the same logger memory
// downloaded before gets a "seen" event instead of a second entry. Throws ArchiveError.
AddResult ArchiveDownload(Archive& archive, const DecodedDownload& download, const Actor& actor);

// Appends one event made by `actor` to the trail, linked to `entry` when given; returns its number.
// Throws ArchiveError.
std::int64_t RecordEvent(Archive& archive, EventKind kind, const Actor& actor, const std::string& detail,
                         const std::string& loggerTitle, std::optional<std::int64_t> entry = std::nullopt);

// Records in the trail that `history` was saved as the file at `path` in `format` (the name of its
// writer, e.g. "vdr", "csv"), linked to `entry`, the archive entry of the history saved. Throws
// ArchiveError.
void RecordSave(Archive& archive, const HistoryDataSet& history, const std::string& format,
                const std::string& path, std::optional<std::int64_t> entry, const Actor& actor);

// Archives a data file read from `path`: its bytes `raw` as they are, beside `history` read from
// them, with an import event saying whether it was new. A file archived before is the same entry.
// Throws ArchiveError.
AddResult ImportDataFile(Archive& archive, const HistoryDataSet& history, std::span<const std::uint8_t> raw,
                         const std::string& path, const Actor& actor);

// The history an entry holds, as the window would hold it: a download decoded again from its bytes
// and its logger record, an imported data file read from its bytes. Throws ArchiveError.
std::unique_ptr<HistoryDataSet> EntryHistory(Archive& archive, std::int64_t entry);

// "档案 12 · SHA-256 0123456789abcdef": the mark the printed pages of an archived history carry.
std::string ArchiveMark(std::int64_t entry, const std::string& sha256);

// The /dev/serial/by-id name that leads to `devicePath`, or "".
std::string ByIdNameOf(const std::string& devicePath);

// A history's title or description as the archive keeps it: without the padding of the logger's
// fixed-width fields.
std::string TrimmedRight(std::string text);

}  // namespace veldrin::archive
