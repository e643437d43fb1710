#pragma once
// What the archive tests of veldrin-cli share: an archive of their own per test (a SQLite file in a
// temporary folder, or a fresh database on the PostgreSQL server VELDRIN_TEST_POSTGRESQL names),
// data files to import, and the archive's commands run with --archive.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "archive/Database.h"
#include "files/DataFile.h"
#include "logger/WireCodec.h"
#include "tests/HistoryFiles.h"
#include "tests/TempFolder.h"
#include "tests/cli/CliRun.h"

namespace veldrin::test {

// What a data file holds as `info` and `dump` print it: its header and every reading. Two saves of
// one history differ only in the key the file is enciphered with, which depends on the second of
// the save.
inline std::string Decoded(const std::string& dataFile) {
    const CliRun info = RunCommand({"info", dataFile});
    const CliRun dump = RunCommand({"dump", dataFile});
    EXPECT_EQ(info.status + dump.status, 0) << info.err << dump.err;
    return info.out + dump.out;
}

// The lines of a CSV export after its header: the readings.
inline std::string CsvReadings(const std::string& path) {
    const std::string text = ReadAll(path);
    const auto header = text.find('\n');
    return header == std::string::npos ? std::string() : text.substr(header + 1);
}

class CliArchive : public testing::Test {
  protected:
    void SetUp() override { location_ = folder_.File("archive.sqlite"); }

    // Runs `archive <args…> --archive <this test's archive>`.
    CliRun Archive(std::vector<std::string> args) {
        args.insert(args.begin(), "archive");
        args.push_back("--archive");
        args.push_back(location_);
        return RunCommand(args);
    }
    nlohmann::json Json(std::vector<std::string> args) {
        args.push_back("--json");
        const CliRun run = Archive(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json();
    }
    // The numbers of the entries `archive list` prints with these filters.
    std::vector<std::int64_t> Listed(std::vector<std::string> filters) {
        filters.insert(filters.begin(), "list");
        std::vector<std::int64_t> ids;
        for (const auto& entry : Json(filters))
            ids.push_back(entry["id"].get<std::int64_t>());
        return ids;
    }
    // Imports a data file; returns its entry number.
    std::int64_t Import(const std::string& path) {
        const CliRun run = Archive({"import", path});
        EXPECT_EQ(run.status, 0) << run.err;
        const auto at = run.out.find(": entry ");
        return at == std::string::npos ? 0 : std::stoll(run.out.substr(at + 8));
    }
    // Runs `sql` with `values` on the archive's database behind the program's back.
    void Tamper(const QString& sql, const QVariantList& values = {}) {
        archive::Database db(archive::ParseLocation(location_));
        QSqlQuery query = db.Prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        db.Run(query);
    }

    TempFolder folder_;
    std::string location_;
};

}  // namespace veldrin::test
