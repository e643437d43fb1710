#include "archive/Schema.h"

#include <QStringList>
#include <QVariant>

#include "archive/Chain.h"

namespace veldrin::archive {
namespace {

// Each migration's statements; index 0 makes version 1. Byte columns are written BLOB and become
// BYTEA on PostgreSQL. The bytes and readings of an entry sit in a table of their own so that
// listing and searching entries never reads them.
const std::vector<QStringList>& Migrations() {
    static const std::vector<QStringList> migrations = {
        {
            "CREATE TABLE schema_version (version INTEGER NOT NULL)",
            "INSERT INTO schema_version (version) VALUES (0)",
            "CREATE TABLE chain_head (id INTEGER PRIMARY KEY, seq BIGINT NOT NULL, hash TEXT NOT NULL)",
            "CREATE TABLE entries (id BIGINT PRIMARY KEY, seq BIGINT NOT NULL UNIQUE, "
            "prev_hash TEXT NOT NULL, hash TEXT NOT NULL, sha256 TEXT NOT NULL UNIQUE, "
            "kind INTEGER NOT NULL, complete INTEGER NOT NULL, model INTEGER NOT NULL, "
            "title TEXT NOT NULL, description TEXT NOT NULL, start_time BIGINT NOT NULL, "
            "end_time BIGINT NOT NULL, interval_s INTEGER NOT NULL, readings INTEGER NOT NULL, "
            "limit1_low DOUBLE PRECISION NOT NULL, limit1_high DOUBLE PRECISION NOT NULL, "
            "limit2_low DOUBLE PRECISION NOT NULL, limit2_high DOUBLE PRECISION NOT NULL, "
            "alarm INTEGER NOT NULL, shown1 INTEGER NOT NULL, shown2 INTEGER NOT NULL, "
            "excursions INTEGER NOT NULL, device_path TEXT NOT NULL, by_id TEXT NOT NULL, "
            "host TEXT NOT NULL, os_user TEXT NOT NULL, program_version TEXT NOT NULL, "
            "archived_at BIGINT NOT NULL)",
            "CREATE TABLE entry_data (entry_id BIGINT PRIMARY KEY, raw BLOB NOT NULL, "
            "logger_record BLOB NOT NULL, channel1 BLOB NOT NULL, channel2 BLOB NOT NULL, "
            "times BLOB NOT NULL)",
            "CREATE TABLE events (id BIGINT PRIMARY KEY, seq BIGINT NOT NULL UNIQUE, "
            "prev_hash TEXT NOT NULL, hash TEXT NOT NULL, time_ms BIGINT NOT NULL, "
            "os_user TEXT NOT NULL, host TEXT NOT NULL, program_version TEXT NOT NULL, "
            "kind TEXT NOT NULL, detail TEXT NOT NULL, entry_id BIGINT, logger_title TEXT NOT NULL)",
        },
        {
            // Version 2: the period and audit-trail searches by time, and an entry's events.
            "CREATE INDEX entries_period ON entries (start_time, end_time)",
            "CREATE INDEX events_time ON events (time_ms)",
            "CREATE INDEX events_entry ON events (entry_id)",
        },
    };
    return migrations;
}

std::string NewerMessage(const Database& db, int found) {
    return "the archive " + db.Where().Describe() + " has schema version " + std::to_string(found) +
           ", newer than this program knows (" + std::to_string(kSchemaVersion) +
           "); it was left as it is: use a newer Veldrin to open it";
}

}  // namespace

int ReadSchemaVersion(Database& db) {
    if (!db.HasTable("schema_version"))
        return 0;
    QSqlQuery query = db.Prepare("SELECT version FROM schema_version");
    db.Run(query);
    return query.next() ? query.value(0).toInt() : 0;
}

void Migrate(Database& db, int target) {
    // A first look outside any transaction, so that a newer archive is refused before anything
    // (the write-ahead-log switch included) touches it.
    const int seen = ReadSchemaVersion(db);
    if (seen > kSchemaVersion)
        throw ArchiveError(NewerMessage(db, seen));
    db.UseWriteAheadLog();
    if (seen >= target)
        return;
    WriteTransaction transaction(db);
    // Another program may have migrated it meanwhile.
    const int found = ReadSchemaVersion(db);
    if (found > kSchemaVersion)
        throw ArchiveError(NewerMessage(db, found));
    for (int version = found + 1; version <= target; ++version) {
        for (const QString& statement : Migrations()[static_cast<std::size_t>(version - 1)])
            db.Run(statement);
        if (version == 1) {
            QSqlQuery head = db.Prepare("INSERT INTO chain_head (id, seq, hash) VALUES (1, 0, ?)");
            head.addBindValue(QString::fromStdString(kNoPreviousHash));
            db.Run(head);
        }
        QSqlQuery update = db.Prepare("UPDATE schema_version SET version = ?");
        update.addBindValue(version);
        db.Run(update);
    }
    transaction.Commit();
}

}  // namespace veldrin::archive
