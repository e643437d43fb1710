#pragma once
// The archive tests run against each database the archive serves: a SQLite file in a temporary
// folder, and a fresh PostgreSQL database per test on the server that VELDRIN_TEST_POSTGRESQL
// names (tools/archive-postgresql-test starts one; the PostgreSQL cases are skipped without it).
// Raw() is a second connection that reaches the tables behind the archive's back, as someone
// tampering with the database would.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>

#include "archive/Archive.h"
#include "archive/Database.h"
#include "tests/TempFolder.h"

namespace veldrin::archive::test {

enum class Backend { SQLite, PostgreSQL };

inline std::string BackendName(const testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

class ArchiveTest : public testing::TestWithParam<Backend> {
  protected:
    void SetUp() override {
        if (GetParam() == Backend::SQLite) {
            location_ = folder_.File("archive.sqlite");
            return;
        }
        const char* server = std::getenv("VELDRIN_TEST_POSTGRESQL");
        if (server == nullptr || *server == '\0')
            GTEST_SKIP() << "VELDRIN_TEST_POSTGRESQL names no PostgreSQL server";
        static std::atomic<int> databases{0};
        const std::string name =
            "veldrin_test_" + std::to_string(::getpid()) + "_" + std::to_string(++databases);
        Database admin(ParseLocation(server));
        admin.Run(QString::fromStdString("DROP DATABASE IF EXISTS " + name));
        admin.Run(QString::fromStdString("CREATE DATABASE " + name));
        const std::string base = server;
        location_ = base.substr(0, base.rfind('/') + 1) + name;
        database_ = name;
    }
    void TearDown() override {
        if (database_.empty())
            return;
        Database admin(ParseLocation(std::getenv("VELDRIN_TEST_POSTGRESQL")));
        admin.Run(QString::fromStdString("DROP DATABASE IF EXISTS " + database_ + " WITH (FORCE)"));
    }

    const std::string& Location() const { return location_; }
    std::unique_ptr<Archive> OpenArchive(const OpenOptions& options = {}) {
        return Archive::Open(location_, options);
    }
    // A connection of its own to the archive's database, for statements the library never runs.
    std::unique_ptr<Database> Raw() { return std::make_unique<Database>(ParseLocation(location_)); }
    // Runs `sql` with `values` bound through a raw connection.
    void Tamper(const QString& sql, const QVariantList& values = {}) {
        auto db = Raw();
        QSqlQuery query = db->Prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        db->Run(query);
    }

    veldrin::test::TempFolder folder_;

  private:
    std::string location_;
    std::string database_;
};

// A temperature-humidity download of `count` readings whose bytes begin with `tag`, so that
// different tags make different entries.
inline ArchiveInput MakeDownload(const std::string& tag, int count = 5) {
    ArchiveInput input;
    input.raw.assign(tag.begin(), tag.end());
    input.model = 1;
    input.title = "冷库一号";
    input.description = "cold store, aisle 3";
    input.start = 1714521600;  // 2024-05-01 08:00 in Shanghai
    input.interval = 60;
    input.count = count;
    input.limits = {2.0f, 8.0f, 30.0f, 80.0f};
    input.alarm = true;
    for (int i = 0; i < count; ++i) {
        input.raw.push_back(static_cast<std::uint8_t>(i));
        input.channel1.push_back(4.25f + static_cast<float>(i % 7) * 0.5f);
        input.channel2.push_back(55.5f - static_cast<float>(i % 5));
    }
    input.provenance.devicePath = "/dev/ttyUSB0";
    input.provenance.byIdName = "usb-Prolific_PL2303-if00-port0";
    input.provenance.actor = {"quality", "station-1", "2.106"};
    input.loggerRecord = {'m', 'o', 'd', 'e', 'l', '=', '1'};
    return input;
}

}  // namespace veldrin::archive::test
