#pragma once
// The archive as veldrin-cli uses it: where it lives (--archive, else VELDRIN_ARCHIVE, else the
// default file), the one call that archives a decoded download and the events the commands add to
// the audit trail, each saying on standard error why when the archive refuses.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "archive/Archive.h"
#include "archive/HistoryArchiving.h"
#include "history/HistoryDataSet.h"

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

// A download as the connection handed it over (the bytes, the logger record, the device).
using DecodedDownload = archive::DecodedDownload;

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

// The listing of `archive list`: one line per entry, or a JSON array.
std::string ListArchive(archive::Archive& archive, const archive::EntryFilter& filter, bool asJson);

}  // namespace veldrin::cli
