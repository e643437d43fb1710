#include "cli/FleetDownload.h"

#include "cli/ArchiveSupport.h"
#include "logger/TextFormat.h"
#include "translations/Translation.h"

namespace veldrin::cli {

int SharedBoard::Add(const std::string& port) {
    std::lock_guard lock(mutex_);
    return board_.Add(port);
}

void SharedBoard::Identify(int row, const std::string& model, const std::string& title) {
    std::lock_guard lock(mutex_);
    board_.Identify(row, model, title);
}

void SharedBoard::Progress(int row, std::size_t bytes, std::size_t totalBytes) {
    std::lock_guard lock(mutex_);
    board_.Progress(row, bytes, totalBytes);
}

void SharedBoard::Saved(int row, const std::string& files) {
    State(row, Printf(text::translate("veldrin-cli", "saved %s").c_str(), files.c_str()));
}

void SharedBoard::Restarted(int row) {
    State(row, text::translate("veldrin-cli", "restarted"));
}

void SharedBoard::Waiting(int row) {
    State(row, text::translate("veldrin-cli", "waiting for a logger"));
}

void SharedBoard::Connecting(int row) {
    State(row, text::translate("veldrin-cli", "connecting"));
}

void SharedBoard::Done(int row, const LoggerDownload& result) {
    State(row, result.failure.empty() ? text::translate("veldrin-cli", "done, take it out")
                                      : Printf(text::translate("veldrin-cli", "%s; take it out").c_str(),
                                               result.failure.c_str()));
}

void SharedBoard::State(int row, const std::string& text) {
    std::lock_guard lock(mutex_);
    board_.State(row, text);
}

std::string StopsRecordingNote() {
    return text::translate("veldrin-cli", kStopsRecordingNote);
}

fleet::FleetArchiving CliArchiving(const char* command) {
    fleet::FleetArchiving archiving;
    archiving.download = [command](const archive::DecodedDownload& download) {
        const ArchivedDownload archived = ArchiveDownload(download, command);
        return fleet::ArchiveOutcome{archived.entry, archived.failure};
    };
    archiving.save = [command](const HistoryDataSet& history, const std::string& format,
                               const std::string& path, std::optional<std::int64_t> entry) {
        return RecordSave(history, format, path, entry, command);
    };
    return archiving;
}

}  // namespace veldrin::cli
