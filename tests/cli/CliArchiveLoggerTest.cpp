// What reaches the archive from a logger: downloads (the same memory twice is one entry), a download
// whose archive cannot be written (the data file is saved all the same), a replayed trace, and the
// settings written by configure, against a simulated logger on a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

#include "sim/PtyServer.h"
#include "tests/cli/CliArchiveSupport.h"

namespace veldrin::test {
namespace {

class CliArchiveLogger : public CliArchive {
  protected:
    void Serve(LoggerModel model, int records) {
        SimLoggerOptions options;
        options.model = model;
        options.records = records;
        options.recording = false;  // the memory stays as it is between two downloads
        server_ = std::make_unique<PtyServer>(options);
        ASSERT_TRUE(server_->Start()) << server_->Error();
    }
    void TearDown() override {
        if (server_)
            server_->Stop();
    }
    CliRun Download(const std::string& out, const std::string& archive) {
        return RunCommand({"download", "--port", server_->DevicePath(), "--model", "humidity", "-o", out,
                           "--archive", archive});
    }

    std::unique_ptr<PtyServer> server_;
};

TEST_F(CliArchiveLogger, ADownloadIsArchivedOnceAndExportsAsTheFileItSaved) {
    Serve(LoggerModel::TemperatureHumidity, 600);
    const std::string saved = folder_.File("download.Vdr");
    const CliRun first = Download(saved, location_);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.err.find("archived as entry 1"), std::string::npos) << first.err;

    const nlohmann::json list = Json({"list"});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]["source"], "download");
    EXPECT_EQ(list[0]["complete"], true);
    EXPECT_EQ(list[0]["readings"], 600);
    EXPECT_EQ(list[0]["model"], "humidity");
    EXPECT_EQ(list[0]["device"], server_->DevicePath());
    EXPECT_FALSE(list[0]["user"].get<std::string>().empty());

    // The .Vdr of a download is the data file the download saved (enciphered anew); its readings
    // are those of the saved file, reading for reading, in every format.
    ASSERT_EQ(Archive({"export", "1", folder_.File("back.Vdr")}).status, 0);
    const std::string decoded = Decoded(saved);
    EXPECT_NE(decoded.find("\"samples\": 600"), std::string::npos) << decoded;
    EXPECT_EQ(Decoded(folder_.File("back.Vdr")), decoded);
    ASSERT_EQ(Archive({"export", "1", folder_.File("archive.csv")}).status, 0);
    ASSERT_EQ(RunCommand({"export", saved, folder_.File("file.csv"), "--archive", location_}).status, 0);
    EXPECT_EQ(CsvReadings(folder_.File("archive.csv")), CsvReadings(folder_.File("file.csv")));
    EXPECT_NE(CsvReadings(folder_.File("archive.csv")).find("\n599,"), std::string::npos);

    // The same memory again: one entry, seen twice.
    const CliRun second = Download(folder_.File("again.Vdr"), location_);
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.err.find("archived as entry 1 (seen before)"), std::string::npos) << second.err;
    EXPECT_EQ(Json({"list"}).size(), 1u);
    std::vector<std::string> kinds;
    const nlohmann::json shown = Json({"show", "1"});
    for (const auto& event : shown["events"])
        kinds.push_back(event["kind"].get<std::string>());
    EXPECT_EQ(kinds, (std::vector<std::string>{"download-complete", "save", "export", "export", "seen",
                                               "download-complete", "save"}));
    EXPECT_EQ(Archive({"verify"}).status, 0);
}

// The save events of entry `entry` in the trail: (format, path) of each.
std::vector<std::pair<std::string, std::string>> SavesOf(const nlohmann::json& trail, std::int64_t entry) {
    std::vector<std::pair<std::string, std::string>> saves;
    for (const auto& event : trail) {
        if (event["kind"] != "save" || event["entry"].is_null() ||
            event["entry"].get<std::int64_t>() != entry)
            continue;
        const auto detail = nlohmann::json::parse(event["detail"].get<std::string>());
        saves.emplace_back(detail["format"].get<std::string>(), detail["path"].get<std::string>());
    }
    return saves;
}

TEST_F(CliArchiveLogger, EveryFileADownloadWritesIsASaveOfItsEntry) {
    Serve(LoggerModel::TemperatureHumidity, 200);
    const std::string saved = folder_.File("one.Vdr");
    const CliRun one = Download(saved, location_);
    ASSERT_EQ(one.status, 0) << one.err;
    const nlohmann::json first = Json({"audit"});
    EXPECT_EQ(SavesOf(first, 1), (std::vector<std::pair<std::string, std::string>>{{"vdr", saved}}))
        << first.dump();
    EXPECT_EQ(first.back()["logger"], "模拟温湿度记录仪") << "the save names the logger as its download does";
    EXPECT_EQ(first.front()["logger"], first.back()["logger"]);

    // Several loggers at once, two formats each: every file is a save of its own logger's entry.
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 120;
    options.recording = false;
    PtyServer other(options);
    ASSERT_TRUE(other.Start()) << other.Error();
    const CliRun many = RunCommand({"download", "--port", server_->DevicePath(), "--port", other.DevicePath(),
                                    "-o", folder_.Path() + "/{model}-{count}.Vdr", "-o",
                                    folder_.Path() + "/{model}-{count}.csv", "--archive", location_});
    other.Stop();
    ASSERT_EQ(many.status, 0) << many.err;
    const nlohmann::json list = Json({"list"});
    ASSERT_EQ(list.size(), 2u) << "the humidity logger's memory is entry 1 again";
    std::int64_t single = 0;
    for (const auto& entry : list) {
        if (entry["model"] == "single")
            single = entry["id"].get<std::int64_t>();
    }
    ASSERT_EQ(single, 2);
    const nlohmann::json trail = Json({"audit"});
    EXPECT_EQ(SavesOf(trail, 1),
              (std::vector<std::pair<std::string, std::string>>{{"vdr", saved},
                                                                {"vdr", folder_.File("humidity-200.Vdr")},
                                                                {"csv", folder_.File("humidity-200.csv")}}))
        << trail.dump();
    EXPECT_EQ(SavesOf(trail, 2),
              (std::vector<std::pair<std::string, std::string>>{{"vdr", folder_.File("single-120.Vdr")},
                                                                {"csv", folder_.File("single-120.csv")}}))
        << trail.dump();
    EXPECT_EQ(Archive({"verify"}).status, 0);
}

TEST_F(CliArchiveLogger, ADownloadTheArchiveCannotTakeIsStillSavedAndSaysSo) {
    Serve(LoggerModel::TemperatureHumidity, 300);
    const std::string saved = folder_.File("kept.Vdr");
    const std::string blocked = saved + ".d/not-a-folder/archive.sqlite";
    {
        std::ofstream blocker(saved + ".d");
        blocker << "a file where the folder would be";
    }
    const CliRun run = Download(saved, blocked);
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.err.find("download: the download was not archived in " + blocked), std::string::npos)
        << run.err;
    const CliRun info = RunCommand({"info", saved});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(nlohmann::json::parse(info.out)["samples"], 300);
}

TEST_F(CliArchiveLogger, ConfigureRecordsEachChangedSettingAndTheStart) {
    Serve(LoggerModel::DualTemperature, 100);
    const CliRun run =
        RunCommand({"configure", "--port", server_->DevicePath(), "--model", "dual", "--interval", "00:05:00",
                    "--limits", "-20,30,-10,40", "--title", "冷库 B", "--archive", location_});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json trail = Json({"audit", "--logger", "冷库 B"});
    ASSERT_EQ(trail.size(), 2u) << trail.dump();
    EXPECT_EQ(trail[0]["kind"], "settings-write");
    EXPECT_EQ(trail[1]["kind"], "start-recording");
    const auto changes = nlohmann::json::parse(trail[0]["detail"].get<std::string>())["changes"];
    std::map<std::string, std::pair<std::string, std::string>> changed;
    for (const auto& change : changes)
        changed[change["field"].get<std::string>()] = {change["old"].get<std::string>(),
                                                       change["new"].get<std::string>()};
    EXPECT_EQ(changed["interval"].second, "300");
    EXPECT_NE(changed["interval"].first, "300");
    EXPECT_EQ(changed["title"].second, "冷库 B");
    EXPECT_EQ(changed["channel1Lower"].second, "-20");
    EXPECT_EQ(changed["channel2Upper"].second, "40");
    EXPECT_EQ(changed.count("description"), 0u) << "an unchanged field is not listed";

    const CliRun stop = RunCommand(
        {"configure", "--port", server_->DevicePath(), "--model", "dual", "--stop", "--archive", location_});
    ASSERT_EQ(stop.status, 0) << stop.err;
    EXPECT_EQ(Json({"audit"}).back()["kind"], "stop-recording");
}

TEST_F(CliArchive, AReplayedDownloadIsArchivedAsTheFileItSaves) {
    const char* root = std::getenv("VELDRIN_SOURCE_DIR");
    const std::string trace =
        std::string(root != nullptr ? root : ".") + "/tests/logger/traces/dual-streaming-split.trace";
    const std::string saved = folder_.File("replayed.Vdr");
    const CliRun run = RunCommand({"replay", trace, "-o", saved, "--archive", location_});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json list = Json({"list"});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]["source"], "download");
    EXPECT_EQ(list[0]["model"], "dual");
    const nlohmann::json trail = Json({"audit"});
    ASSERT_EQ(trail.size(), 2u);
    EXPECT_EQ(trail[0]["kind"], "download-complete");
    EXPECT_EQ(trail[1]["kind"], "save");
    EXPECT_NE(trail[1]["detail"].get<std::string>().find(saved), std::string::npos);
    ASSERT_EQ(Archive({"export", "1", folder_.File("back.Vdr")}).status, 0);
    EXPECT_EQ(Decoded(folder_.File("back.Vdr")), Decoded(saved));
}

}  // namespace
}  // namespace veldrin::test
