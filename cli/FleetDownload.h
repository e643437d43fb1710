#pragma once
// The fleet downloads as veldrin-cli runs them (fleet/FleetDownload.h): their progress on one
// ProgressBoard shared by the loggers' threads, the archive's refusals said on standard error.
#include <mutex>
#include <string>

#include "cli/ProgressBoard.h"
#include "fleet/FleetDownload.h"
#include "fleet/FleetStation.h"
#include "translations/Translation.h"

namespace veldrin::cli {

using fleet::DescribePort;
using fleet::DownloadLogger;
using fleet::FleetOptions;
using fleet::LoggerAnswers;
using fleet::LoggerDownload;
using fleet::LoggerResult;
using fleet::PrepareTemplateWriters;
using fleet::SavedFiles;
using fleet::SaveDownload;

// The progress board shared by the loggers' threads, of the downloads and of the station.
class SharedBoard final : public fleet::StationProgress {
  public:
    explicit SharedBoard(ProgressBoard& board) : board_(board) {}
    int Add(const std::string& port);
    void Identify(int row, const std::string& model, const std::string& title) override;
    void Progress(int row, std::size_t bytes, std::size_t totalBytes) override;
    void Saved(int row, const std::string& files) override;
    void Restarted(int row) override;
    void Failed(int row, const std::string& message) override { State(row, message); }
    void Waiting(int row) override;
    void Connecting(int row) override;
    void Done(int row, const LoggerDownload& result) override;
    void State(int row, const std::string& text);

  private:
    std::mutex mutex_;
    ProgressBoard& board_;
};

// Archiving into the chosen archive (--archive, VELDRIN_ARCHIVE or the default file), a refusal
// said on standard error in the name of `command`.
fleet::FleetArchiving CliArchiving(const char* command);

// The text the first progress line and the help say (in English).
inline constexpr const char* kStopsRecordingNote =
    QT_TRANSLATE_NOOP("veldrin-cli",
                      "reading a logger's history stops its recording (the protocol ends it before the "
                      "download); --restart starts it again");

// kStopsRecordingNote in the language of the run.
std::string StopsRecordingNote();

}  // namespace veldrin::cli
