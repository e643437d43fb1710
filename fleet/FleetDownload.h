#pragma once
// Downloads from several loggers at once, as the command line's `download` and `watch` and the
// window's list of loggers run them: every logger has a connection of its own on a thread of its
// own, so that a silent, confused or unplugged logger holds up nobody else. Each download is
// archived, saved by the name templates, the logger started again when asked, and its progress told
// to a FleetProgress.
#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/HistoryArchiving.h"
#include "files/FileNameTemplate.h"
#include "history/HistoryDataSet.h"
#include "logger/CommandFrames.h"
#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"

namespace veldrin::fleet {

// What became of a download handed to the archive.
struct ArchiveOutcome {
    std::optional<std::int64_t> entry;  // the entry that holds it, when archived
    std::string failure;                // why it was not archived, when it was not
};

// How a program archives its downloads and the saves of them: the command line says on standard
// error why the archive refused, the window in the logger's row.
struct FleetArchiving {
    std::function<ArchiveOutcome(const archive::DecodedDownload&)> download;
    // Records that `history` was saved at `path` in `format`; false when the trail refused it.
    std::function<bool(const HistoryDataSet& history, const std::string& format, const std::string& path,
                       std::optional<std::int64_t> entry)>
        save;
};

// Archiving into the archive at `location` (a SQLite file or a postgresql:// URL; "" the default
// file) as `actor`, each call opening it afresh so that any thread may call; a refusal is returned,
// never printed.
FleetArchiving ArchiveAt(std::string location, archive::Actor actor);

struct FleetOptions {
    LoggerModel model = LoggerModel::Unknown;  // kModelFromIdentify: as each logger names itself
    std::array<bool, 2> channels{true, true};
    std::vector<std::string> templates;  // -o: one file per template and download
    bool restart = false;
    std::optional<std::time_t> restartAt;  // with `restart`; nothing: start now
    FleetArchiving archiving;
};

// Makes on the calling (main) thread what the writers of `options.templates` share across the
// loggers' threads: the application the page writer draws with. Called before those threads start.
void PrepareTemplateWriters(const FleetOptions& options);

// How one logger's turn ended, worst last.
enum class LoggerResult { Whole, Broken, Failed };  // Failed: not reached, or its file not written

// One logger's turn as the summary lists it.
struct DownloadOutcome {
    std::string port;  // device path
    std::string model;
    std::string title;
    int readings = 0;
    std::string file;    // the files written, blank-separated; empty when none
    std::string result;  // "complete", "restarted", the failure message …
};

// The history as the connection handed it over, for a window to show it as its own download.
struct ReceivedHistory {
    Bytes raw;
    LoggerInfo info;  // the logger record at the end of the read
    LoggerModel model = LoggerModel::Unknown;
    std::array<bool, 2> shown{true, true};
    bool complete = false;
    int expectedReadings = 0;           // the readings the logger held, for a partial history
    std::optional<std::int64_t> entry;  // the archive entry that holds it, when archived
};

struct LoggerDownload {
    LoggerResult result = LoggerResult::Failed;
    DownloadOutcome outcome;
    std::vector<std::string> files;           // the files written
    std::optional<ReceivedHistory> received;  // when a history arrived, whole or not
    std::string failure;                      // the message of what went wrong, empty when nothing did
    // The download or a save of it did not reach the archive (then `failure` says so too).
    bool archiveRefused = false;
};

// Where the loggers' threads tell how their downloads go; called from those threads.
class FleetProgress {
  public:
    virtual ~FleetProgress() = default;
    virtual void Identify(int row, const std::string& model, const std::string& title) = 0;
    virtual void Progress(int row, std::size_t bytes, std::size_t totalBytes) = 0;
    // The download's files are written (`files` blank-separated).
    virtual void Saved(int row, const std::string& files) = 0;
    // The logger records again with the settings it had.
    virtual void Restarted(int row) = 0;
    // What went wrong, as the message says it.
    virtual void Failed(int row, const std::string& message) = 0;
};

// The files written for one download, or why one could not be.
struct SavedFiles {
    std::vector<std::string> paths;
    std::string error;        // empty when every file was written
    bool unrecorded = false;  // a save could not be recorded in the audit trail
};

// The one place where a decoded download is handed over for saving: one file per template, named
// from `fields`, in the format its extension names (a name no writer knows is a data file).
// Folders are made; an existing file is replaced only with `replace` (a single plain -o, as it
// always was), else the name gets -1, -2, … before its extension. Every file written is recorded
// through `archiving` as a save of `entry`, the archive entry of the download, when it was
// archived; `unrecorded` says when the trail refused one.
SavedFiles SaveDownload(const HistoryDataSet& history, const NameFields& fields,
                        const std::vector<std::string>& templates, bool replace,
                        std::optional<std::int64_t> entry, const FleetArchiving& archiving);

// The name fields of the logger on `port` (a device path): {port} is the kernel device's file
// name, {device} the by-id name when the port is one.
void DescribePort(const std::string& port, NameFields& fields);

// Connects to the logger on `port`, downloads it, saves it and restarts it when asked; its row of
// `progress` is told. `stop` (may be null) ends the waits early.
LoggerDownload DownloadLogger(const std::string& port, const FleetOptions& options, FleetProgress& progress,
                              int row, const std::atomic<bool>* stop);

// Whether a logger answers the wake-up on `port` now; the port is closed again.
bool LoggerAnswers(const std::string& port, LoggerModel model);

}  // namespace veldrin::fleet
