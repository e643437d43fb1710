#include "cli/FleetDownload.h"

#include "cli/ArchiveSupport.h"

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

void SharedBoard::State(int row, const std::string& text) {
    std::lock_guard lock(mutex_);
    board_.State(row, text);
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
