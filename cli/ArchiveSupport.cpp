#include "cli/ArchiveSupport.h"

#include <cstdio>
#include "archive/ArchiveLocation.h"
#include "logger/TextFormat.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

// Set by --archive before the command's callback runs.
std::string& ArchiveOption() {
    static std::string location;
    return location;
}

}  // namespace

void AddArchiveOption(CLI::App& command) {
    ArchiveOption().clear();
    command.add_option_function<std::string>(
        "--archive", [](const std::string& location) { ArchiveOption() = location; },
        "the archive: a SQLite file or a postgresql:// URL (default: $VELDRIN_ARCHIVE, else "
        "$XDG_DATA_HOME/Veldrin/archive.sqlite)");
}

std::string ChosenArchive() {
    return archive::ChooseLocation(ArchiveOption());
}

std::unique_ptr<archive::Archive> OpenArchiveFor(const char* command) {
    const std::string location = ChosenArchive();
    try {
        return archive::Archive::Open(location);
    } catch (const archive::ArchiveError& error) {
        std::fprintf(stderr, text::translate("veldrin-cli", "%s: archive %s: %s\n").c_str(), command,
                     archive::DescribeLocation(ChosenArchive()).c_str(), error.what());
        return nullptr;
    }
}

archive::Actor ThisActor() {
    return archive::CurrentActor(VELDRIN_VERSION);
}

ArchivedDownload ArchiveDownload(const DecodedDownload& download, const char* command) {
    try {
        auto archive = archive::Archive::Open(ChosenArchive());
        const archive::AddResult added = archive::ArchiveDownload(*archive, download, ThisActor());
        const std::string note =
            added.added ? std::string() : text::translate("veldrin-cli", " (seen before)");
        std::fprintf(stderr, text::translate("veldrin-cli", "%s: archived as entry %lld%s\n").c_str(),
                     command, static_cast<long long>(added.entry), note.c_str());
        return {0, added.entry, {}};
    } catch (const archive::ArchiveError& error) {
        ArchivedDownload refused{
            kArchiveFailureStatus, std::nullopt,
            Printf(text::translate("veldrin-cli", "the download was not archived in %s: %s").c_str(),
                   archive::DescribeLocation(ChosenArchive()).c_str(), error.what())};
        std::fprintf(stderr, "%s: %s\n", command, refused.failure.c_str());
        return refused;
    }
}

bool RecordSave(const HistoryDataSet& history, const std::string& format, const std::string& path,
                std::optional<std::int64_t> entry, const char* command) {
    return RecordEvent(archive::EventKind::Save, archive::ExportDetail(format, path),
                       archive::TrimmedRight(history.summary.title), entry, command);
}

bool RecordEvent(archive::EventKind kind, const std::string& detail, const std::string& loggerTitle,
                 std::optional<std::int64_t> entry, const char* command) {
    auto archive = OpenArchiveFor(command);
    if (!archive)
        return false;
    try {
        archive::RecordEvent(*archive, kind, ThisActor(), detail, loggerTitle, entry);
        return true;
    } catch (const archive::ArchiveError& error) {
        std::fprintf(stderr,
                     text::translate("veldrin-cli", "%s: the %s event was not recorded in %s: %s\n").c_str(),
                     command, archive::EventKindName(kind), archive->Describe().c_str(), error.what());
        return false;
    }
}

}  // namespace veldrin::cli
