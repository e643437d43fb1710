#pragma once
// The archive's schema and its migrations. Version N is reached by running migrations 1 … N in
// order; opening an archive runs the ones it lacks forward inside one transaction, and refuses
// (without writing anything) an archive whose schema is newer than this program knows.
#include "archive/Database.h"

namespace veldrin::archive {

// The schema version this program writes.
constexpr int kSchemaVersion = 2;

// The archive's schema version, 0 for an empty database.
int ReadSchemaVersion(Database& db);

// Brings the schema to `target` (kSchemaVersion outside tests). Throws ArchiveError, leaving the
// database as it was, when the schema is newer than kSchemaVersion or a migration fails.
void Migrate(Database& db, int target = kSchemaVersion);

}  // namespace veldrin::archive
