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
#include "tests/TempFolder.h"
#include "tests/cli/CliRun.h"

namespace veldrin::test {

// A history of `count` readings `interval` seconds apart from `start`, with limits 2…8 °C (the
// alarm on) and readings that leave them `excursions` times.
inline HistoryDataSet HistoryFor(LoggerModel model, const std::string& title, std::time_t start, int count,
                                 int excursions, int interval = 60) {
    HistoryDataSet set;
    set.model = model;
    const bool two = Traits(model).channelCount == 2;
    set.shown = {true, two};
    for (int i = 0; i < count; ++i) {
        const float value = i < excursions ? 9.5F : 4.0F + static_cast<float>(i % 5) * 0.25F;
        set.samples.SetHistorySample(i, value, two ? 50.0F + static_cast<float>(i % 3) : 0.0F,
                                     start + static_cast<std::time_t>(i) * interval);
    }
    HistorySummary& s = set.summary;
    s.title = title;
    s.description = "aisle " + std::to_string(count);
    s.source = SummarySource::Download;
    s.start = start;
    s.stop = start + static_cast<std::time_t>(count - 1) * interval;
    s.intervalSeconds = interval;
    s.dataLengthValue = two ? 2 * count : count;
    s.min1 = 4.0F;
    s.max1 = excursions > 0 ? 9.5F : 5.0F;
    s.avg1 = 4.5F;
    if (two) {
        s.min2 = 50.0F;
        s.max2 = 52.0F;
        s.avg2 = 51.0F;
    }
    set.limits = {2, 8, 20, 80, 1};
    return set;
}

// The history HistoryFor makes, saved as a data file.
inline std::string WriteDataFileFor(const std::string& path, LoggerModel model, const std::string& title,
                                    std::time_t start, int count, int excursions, int interval = 60) {
    const HistoryDataSet set = HistoryFor(model, title, start, count, excursions, interval);
    const Status written = WriteDataFile(path, set);
    EXPECT_TRUE(written.ok) << path << ": " << written.reason;
    return path;
}

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
