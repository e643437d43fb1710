#pragma once
// Downloads from several loggers at once, as `download` with several ports and the `watch`
// station run them: every logger has a connection of its own on a thread of its own, so that a
// silent, confused or unplugged logger holds up nobody else. Each download is saved by the name
// templates of -o, the logger started again when asked, and its progress shown on one shared
// ProgressBoard.
#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/ProgressBoard.h"
#include "files/FileNameTemplate.h"
#include "history/HistoryDataSet.h"
#include "logger/LoggerModel.h"

namespace veldrin::cli {

struct FleetOptions {
    LoggerModel model = LoggerModel::Unknown;  // kModelFromIdentify: as each logger names itself
    std::array<bool, 2> channels{true, true};
    std::vector<std::string> templates;  // -o: one file per template and download
    bool restart = false;
    std::optional<std::time_t> restartAt;  // with `restart`; nothing: start now
};

// Makes on the calling (main) thread what the writers of `options.templates` share across the
// loggers' threads: the application the page writer draws with. Called before those threads start.
void PrepareTemplateWriters(const FleetOptions& options);

// How one logger's turn ended, worst last.
enum class LoggerResult { Whole, Broken, Failed };  // Failed: not reached, or its file not written

struct LoggerDownload {
    LoggerResult result = LoggerResult::Failed;
    DownloadOutcome outcome;
    std::string failure;  // the message of what went wrong, empty when nothing did
    // The download or a save of it did not reach the archive (then `failure` says so too).
    bool archiveRefused = false;
};

// The progress board shared by the loggers' threads.
class SharedBoard {
  public:
    explicit SharedBoard(ProgressBoard& board) : board_(board) {}
    int Add(const std::string& port);
    void Identify(int row, const std::string& model, const std::string& title);
    void Progress(int row, std::size_t bytes, std::size_t totalBytes);
    void State(int row, const std::string& text);

  private:
    std::mutex mutex_;
    ProgressBoard& board_;
};

// The files written for one download, or why one could not be.
struct SavedFiles {
    std::vector<std::string> paths;
    std::string error;        // empty when every file was written
    bool unrecorded = false;  // a save could not be recorded in the audit trail (said on standard error)
};

// The one place where a decoded download is handed over for saving: one file per template, named
// from `fields`, in the format its extension names (a name no writer knows is a data file).
// Folders are made; an existing file is replaced only with `replace` (a single plain -o, as it
// always was), else the name gets -1, -2, … before its extension. Every file written is recorded
// in the audit trail as a save of `entry`, the archive entry of the download, when it was archived;
// `unrecorded` says when the trail refused one.
SavedFiles SaveDownload(const HistoryDataSet& history, const NameFields& fields,
                        const std::vector<std::string>& templates, bool replace,
                        std::optional<std::int64_t> entry);

// The name fields of the logger on `port` (a device path): {port} is the kernel device's file
// name, {device} the by-id name when the port is one.
void DescribePort(const std::string& port, NameFields& fields);

// Connects to the logger on `port`, downloads it, saves it and restarts it when asked; its row of
// `board` follows. `stop` (may be null) ends the waits early.
LoggerDownload DownloadLogger(const std::string& port, const FleetOptions& options, SharedBoard& board,
                              int row, const std::atomic<bool>* stop);

// Whether a logger answers the wake-up on `port` now; the port is closed again.
bool LoggerAnswers(const std::string& port, LoggerModel model);

// The text the first progress line and the help say.
inline constexpr const char* kStopsRecordingNote =
    "reading a logger's history stops its recording (the protocol ends it before the download); "
    "--restart starts it again";

}  // namespace veldrin::cli
