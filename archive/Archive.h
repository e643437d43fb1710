#pragma once
// The archive: every download and imported data file as one entry (the same bytes twice are one
// entry and a "seen" event), and an append-only audit trail of events, chained with the entries
// (Chain.h). The library only ever inserts entries and events; it never updates or deletes them.
// Several programs may write to one archive at once: each write takes the archive's writer lock
// (Database::BeginWrite), so that no entry is lost or doubled and the chain stays one line.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveTypes.h"

namespace veldrin::archive {

class Database;

struct OpenOptions {
    // The schema version to migrate to; only tests ask for an older one.
    int schemaVersion = 0;  // 0: the newest this program knows
};

class Archive {
  public:
    // `location`: empty for the default SQLite file (its folder is made on first use), a
    // postgresql:// URL, or the path of a SQLite file. Throws ArchiveError.
    static std::unique_ptr<Archive> Open(const std::string& location, const OpenOptions& options = {});
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // For messages: the file, or the URL without its password.
    std::string Describe() const;
    int SchemaVersion();

    // Archives one history, or records a "seen" event on the entry that already holds these
    // bytes. Input that does not hold together (readings that do not match the count, no bytes)
    // throws ArchiveError and writes nothing.
    AddResult Add(const ArchiveInput& input);
    // Appends an event to the audit trail; returns its number.
    std::int64_t Record(const EventInput& event);

    std::vector<EntrySummary> List(const EntryFilter& filter = {});
    std::optional<EntryDetails> Show(std::int64_t entry);
    // Throw ArchiveError when there is no such entry.
    Readings ReadReadings(std::int64_t entry);
    std::vector<std::uint8_t> ReadRaw(std::int64_t entry);
    std::vector<Event> Audit(const AuditFilter& filter = {});

    // Recomputes every hash and the chain; names the first record changed, removed or reordered.
    VerifyReport Verify();

  private:
    explicit Archive(std::unique_ptr<Database> db);
    struct ChainHead;
    ChainHead ReadHead();
    void AdvanceHead(std::int64_t seq, const std::string& hash);
    std::int64_t NextId(const char* table);
    std::int64_t AppendEvent(const EventInput& event);

    std::unique_ptr<Database> db_;
};

// Readings of an input beyond its limits while its alarm is on (a reading counts once whichever
// channels are beyond); 0 while the alarm is off.
int CountExcursions(const ArchiveInput& input);

}  // namespace veldrin::archive
