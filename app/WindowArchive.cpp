#include "app/WindowArchive.h"

#include "archive/ArchiveLocation.h"

namespace veldrin {

std::unique_ptr<archive::Archive> WindowArchive::Open() const {
    return archive::Archive::Open(location_);
}

std::optional<ShownEntry> WindowArchive::ArchiveDownload(const archive::DecodedDownload& download,
                                                         QString& failure) {
    try {
        auto archive = Open();
        const archive::AddResult added = archive::ArchiveDownload(*archive, download, WindowActor());
        const std::optional<archive::EntryDetails> details = archive->Show(added.entry);
        return ShownEntry{added.entry, details ? details->summary.sha256 : std::string()};
    } catch (const archive::ArchiveError& error) {
        failure = Refusal(error);
        return std::nullopt;
    }
}

std::optional<ShownEntry> WindowArchive::Find(std::int64_t id) const {
    try {
        const std::optional<archive::EntryDetails> details = Open()->Show(id);
        if (details)
            return ShownEntry{id, details->summary.sha256};
    } catch (const archive::ArchiveError&) {
        // The history is shown all the same, without its entry's mark.
    }
    return std::nullopt;
}

QString WindowArchive::Record(archive::EventKind kind, const std::string& detail,
                              const std::string& loggerTitle, std::optional<std::int64_t> entry) {
    try {
        archive::RecordEvent(*Open(), kind, WindowActor(), detail, loggerTitle, entry);
        return {};
    } catch (const archive::ArchiveError& error) {
        return Refusal(error);
    }
}

std::optional<std::int64_t> WindowArchive::ShownId() const {
    return shown_ ? std::optional<std::int64_t>(shown_->id) : std::nullopt;
}

std::string WindowArchive::ShownMark() const {
    return shown_ ? archive::ArchiveMark(shown_->id, shown_->sha256) : std::string();
}

QString WindowArchive::Refusal(const archive::ArchiveError& error) const {
    return QStringLiteral("%1: %2").arg(QString::fromStdString(archive::DescribeLocation(location_)),
                                        QString::fromUtf8(error.what()));
}

archive::Actor WindowActor() {
    return archive::CurrentActor(VELDRIN_VERSION);
}

}  // namespace veldrin
