#pragma once
// The archive as the window uses it: where it lives (chosen at start-up), the entry of the history
// the window shows, and the events the window adds to the audit trail. Each call opens the archive
// afresh, so that a server that comes back or a folder made writable is used again at once; a
// refusal is handed back as a reason for the user and never stops what the window was doing.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "archive/Archive.h"
#include "archive/HistoryArchiving.h"

namespace veldrin {

// The archive entry a shown history came from, with what its printed pages carry.
struct ShownEntry {
    std::int64_t id = 0;
    std::string sha256;
};

class WindowArchive {
  public:
    // "" is the default SQLite file; else a SQLite file or a postgresql:// URL.
    void SetLocation(std::string location) { location_ = std::move(location); }
    const std::string& Location() const { return location_; }
    // Throws archive::ArchiveError.
    std::unique_ptr<archive::Archive> Open() const;

    // The entry `id` as the window shows it, or nothing when the archive cannot say.
    std::optional<ShownEntry> Find(std::int64_t id) const;
    // Archives a decoded download. Returns its entry, or nothing with the reason in `failure`.
    std::optional<ShownEntry> ArchiveDownload(const archive::DecodedDownload& download, QString& failure);
    // Appends an event to the trail; returns the reason when it was not recorded, else "".
    QString Record(archive::EventKind kind, const std::string& detail, const std::string& loggerTitle,
                   std::optional<std::int64_t> entry = std::nullopt);

    // The entry of the history the window shows: set by a download and by an entry opened from the
    // archive, cleared by a data file opened or a download that was not archived.
    const std::optional<ShownEntry>& Shown() const { return shown_; }
    void SetShown(std::optional<ShownEntry> entry) { shown_ = std::move(entry); }
    std::optional<std::int64_t> ShownId() const;
    // "档案 12 · SHA-256 0123456789abcdef" for an archived history, else "".
    std::string ShownMark() const;

  private:
    // The reason an archive refused, for the user: which archive and why.
    QString Refusal(const archive::ArchiveError& error) const;

    std::string location_;
    std::optional<ShownEntry> shown_;
};

// The operating-system user and host with this program's version.
archive::Actor WindowActor();

}  // namespace veldrin
