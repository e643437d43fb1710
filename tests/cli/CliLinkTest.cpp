// veldrin-cli against a logger that falls silent during a download, and the replay of kept traces.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "sim/PtyServer.h"
#include "tests/TempFolder.h"
#include "tests/cli/CliRun.h"

namespace veldrin {
namespace {

// The files of this test program go into one temporary folder, removed when the program ends.
std::string TempPath(const std::string& name) {
    static const test::TempFolder folder;
    return folder.File(name);
}

std::string KeptTrace(const std::string& name) {
    const char* root = std::getenv("VELDRIN_SOURCE_DIR");
    return std::string(root != nullptr ? root : ".") + "/tests/logger/traces/" + name;
}

int SamplesIn(const std::string& dataFile) {
    CliRun info = RunCommand({"info", dataFile});
    EXPECT_EQ(info.status, 0) << info.err;
    return info.status == 0 ? nlohmann::json::parse(info.out)["samples"].get<int>() : -1;
}

TEST(CliSilentLogger, BrokenDownloadSavesWhatArrivedAndEndsWithinThirtySeconds) {
    SimLoggerOptions options;
    options.model = LoggerModel::TemperatureHumidity;
    options.records = 2500;  // ten blocks at 960 bytes a second: about 13 s
    options.recording = false;
    options.clockStart = std::time(nullptr);
    SimFaults faults;
    faults.paced = true;
    faults.silentAfterSeconds = 6;  // the connect takes about four of them
    PtyServer server(options, faults);
    ASSERT_TRUE(server.Start()) << server.Error();
    const std::string out = TempPath("partial.Vdr");
    const std::string raw = TempPath("partial.raw");
    const std::string trace = TempPath("partial.trace");

    const auto begin = std::chrono::steady_clock::now();
    CliRun run = RunCommand({"download", "--port", server.DevicePath(), "--model", "humidity", "-o", out,
                             "--raw", raw, "--trace", trace});
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - begin).count();
    server.Stop();
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_LE(seconds, 6 + 30);
    EXPECT_NE(run.err.find("Communication lost; the history download is unfinished: "), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("The history is incomplete: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("download: the history is incomplete"), std::string::npos) << run.err;

    const int samples = SamplesIn(out);
    EXPECT_GT(samples, 0);
    EXPECT_LT(samples, 2500);
    // The raw bytes are the blocks that arrived, closed as a whole download is.
    const auto rawSize = std::filesystem::file_size(raw);
    EXPECT_EQ((rawSize - 9) % 1024, 0u) << rawSize;
    EXPECT_EQ(static_cast<int>((rawSize - 9) / 4), samples);

    // Its trace replays to the same history.
    const std::string replayed = TempPath("replayed.Vdr");
    CliRun replay = RunCommand({"replay", trace, "-o", replayed});
    EXPECT_EQ(replay.status, 3) << replay.err;
    EXPECT_NE(replay.out.find("incomplete"), std::string::npos) << replay.out;
    EXPECT_EQ(SamplesIn(replayed), samples);
    for (const auto& path : {out, raw, trace, replayed})
        std::filesystem::remove(path);
}

TEST(CliReplay, KeptTracesPrintWhatTheConnectionDecoded) {
    const std::string out = TempPath("kept.Vdr");
    CliRun whole = RunCommand({"replay", KeptTrace("dual-streaming-split.trace"), "-o", out});
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_NE(whole.out.find("model: Dual temperature logger"), std::string::npos) << whole.out;
    EXPECT_NE(whole.out.find("history: 3 of 3 blocks, complete"), std::string::npos) << whole.out;
    EXPECT_NE(whole.out.find("history readings: 600"), std::string::npos) << whole.out;
    EXPECT_EQ(SamplesIn(out), 600);

    CliRun monitor = RunCommand({"replay", KeptTrace("single-monitor-streaming.trace")});
    EXPECT_EQ(monitor.status, 0) << monitor.err;
    EXPECT_NE(monitor.out.find("history: no download in the trace"), std::string::npos) << monitor.out;
    EXPECT_NE(monitor.out.find("°C"), std::string::npos) << monitor.out;

    CliRun missing = RunCommand({"replay", TempPath("no-such.trace")});
    EXPECT_EQ(missing.status, 1);
    std::filesystem::remove(out);
}

}  // namespace
}  // namespace veldrin
