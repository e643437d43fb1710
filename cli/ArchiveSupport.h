#pragma once
// The archive as veldrin-cli uses it: where it lives (--archive, else VELDRIN_ARCHIVE, else the
// default file), the one call that archives a decoded download, the events the commands add to the
// audit trail, and an entry turned back into a history for the exporters.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include <CLI/CLI.hpp>

#include "archive/Archive.h"
#include "history/HistoryDataSet.h"
#include "logger/LoggerInfo.h"

namespace veldrin::cli {

// Exit status of a command whose archive could not be reached or written; what the command made
// otherwise (a saved file, a printed summary) is kept.
inline constexpr int kArchiveFailureStatus = 4;

// Adds --archive LOCATION (a SQLite file or a postgresql:// URL) to `command`; the location chosen
// is what ChosenArchive() gives while the command runs.
void AddArchiveOption(CLI::App& command);
// --archive when given, else $VELDRIN_ARCHIVE, else "" (the default SQLite file).
std::string ChosenArchive();

// Opens the chosen archive, or prints "<command>: archive <where>: <reason>" and returns nothing.
std::unique_ptr<archive::Archive> OpenArchiveFor(const char* command);

// Who runs this program: the operating-system user and host with this program's version.
archive::Actor ThisActor();

// An archive input of `history` with its bytes `raw`: identity, limits and readings; times only
// when they do not follow from the start and the interval. Kind, source and record are the caller's.
archive::ArchiveInput ArchiveInputOf(const HistoryDataSet& history, std::span<const std::uint8_t> raw);

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

// What became of a download handed to the archive.
struct ArchivedDownload {
    int status = 0;                     // 0, or kArchiveFailureStatus
    std::optional<std::int64_t> entry;  // the entry that holds it, when archived
    std::string failure;                // why it was not archived, when it was not
};

// Archives a decoded download at once, with a download event (complete or partial); the same
// logger memory downloaded before gets a "seen" event instead of a second entry. When the archive
// refuses it, says why on standard error ("<command>: the download was not archived in …"); the
// download itself is untouched.
ArchivedDownload ArchiveDownload(const DecodedDownload& download, const char* command);

// Records in the trail that `history` was saved as the file at `path` in `format` (the name of its
// writer, e.g. "vdr", "csv"), linked to `entry`, the archive entry of the history saved. Prints
// why and returns false when it cannot.
bool RecordSave(const HistoryDataSet& history, const std::string& format, const std::string& path,
                std::optional<std::int64_t> entry, const char* command);

// Appends one event to the chosen archive's trail; prints why and returns false when it cannot.
bool RecordEvent(archive::EventKind kind, const std::string& detail, const std::string& loggerTitle,
                 std::optional<std::int64_t> entry, const char* command);

// The history an entry holds, as the window would hold it: a download decoded again from its bytes
// and its logger record, an imported data file read from its bytes. Throws ArchiveError.
std::unique_ptr<HistoryDataSet> EntryHistory(archive::Archive& archive, std::int64_t entry);

// The listing of `archive list`: one line per entry, or a JSON array.
std::string ListArchive(archive::Archive& archive, const archive::EntryFilter& filter, bool asJson);

// "档案 12 · SHA-256 0123456789abcdef": the mark the printed pages of an archived history carry.
std::string ArchiveMark(std::int64_t entry, const std::string& sha256);

// The /dev/serial/by-id name that leads to `devicePath`, or "".
std::string ByIdNameOf(const std::string& devicePath);

}  // namespace veldrin::cli
