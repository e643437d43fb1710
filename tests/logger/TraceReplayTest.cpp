// Byte traces: the format, the tracing link, and replays that decode what the connection decoded,
// from live runs against the simulated logger in its harsher modes and from traces kept here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "logger/DeviceConnection.h"
#include "logger/TraceReplay.h"
#include "serial/TraceLink.h"
#include "sim/SimLink.h"
#include "tests/TempFolder.h"
#include "tests/logger/ComPorts.h"
#include "tests/logger/ScriptedUi.h"

namespace veldrin {
namespace {

std::vector<TraceRecord> Read(const std::string& path) {
    std::ifstream in(path);
    std::string error;
    auto records = ReadTrace(in, error);
    EXPECT_TRUE(records) << path << ": " << error;
    return records.value_or(std::vector<TraceRecord>{});
}

TEST(TraceFormat, RecordsReadBackAsWrittenAndBadLinesAreNamed) {
    const std::vector<TraceRecord> records{
        {0, TraceRecord::Kind::Start, 1716166800, {}, ""},
        {0, TraceRecord::Kind::Open, 0, {}, "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"},
        {12, TraceRecord::Kind::Written, 0, {0x55, 0x55, 0x55}, ""},
        {318, TraceRecord::Kind::Received, 0, {0xFF, 0xEC, 0x01, 0xA7}, ""},
        {20410, TraceRecord::Kind::Close, 0, {}, ""},
    };
    std::string text = "# a comment\n\n";
    for (const TraceRecord& record : records)
        text += FormatTraceRecord(record) + "\n";
    EXPECT_NE(text.find("318 < FF EC 01 A7\n"), std::string::npos) << text;
    std::istringstream in(text);
    std::string error;
    auto read = ReadTrace(in, error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(*read, records);
    EXPECT_EQ(TraceStartTime(*read), std::time_t{1716166800});

    std::istringstream numbered("0 start 1\n0 open 1\n");
    read = ReadTrace(numbered, error);
    ASSERT_TRUE(read) << "a trace that named its port by number still reads: " << error;
    EXPECT_EQ(read->back().devicePath, "1");

    for (const char* bad : {"12 > 5X\n", "x > 55\n", "12 ? 55\n", "12 >\n", "12 close 55\n", "12 open\n"}) {
        std::istringstream line(std::string("0 start 1\n") + bad);
        EXPECT_FALSE(ReadTrace(line, error)) << bad;
        EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
    }
}

// A live run against a simulated logger behind a tracing link, then the replay of its trace.
class TracedRun : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = folder_.File("run.trace");
        trace_ = std::make_unique<TraceLink>(
            link_, path_, [this] { return clock_.MonotonicMs(); }, clock_.Now());
        ASSERT_TRUE(trace_->Ok()) << trace_->Error();
        connection_ = std::make_unique<DeviceConnection>(*trace_, clock_, info_, ui_, ui_);
        connection_->SetBackgroundConnect(false);
        connection_->SetHistorySink([this](const HistoryHandover& history) {
            handed_ = history.bytes;
            handovers_.push_back(history.complete);
        });
    }
    void TearDown() override {
        connection_.reset();
        trace_.reset();
    }
    std::shared_ptr<SimLogger> Attach(LoggerModel model, int records, const SimFaults& faults) {
        SimLoggerOptions options;
        options.model = model;
        options.records = records;
        options.recording = false;
        options.realtimePeriodMs = 1000;
        options.clockStart = clock_.Now();
        auto logger = std::make_shared<SimLogger>(options);
        logger->SetFaults(faults);
        link_.AttachLogger(test::ComPath(1), logger);
        return logger;
    }
    template <typename Done>
    bool TicksUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done(); ++i) {
            connection_->OnTimer();
            clock_.Advance(DeviceConnection::kTimerMs);
        }
        return done();
    }
    // Connects, polls a while, downloads (the logger falls silent after `blocksBeforeSilence`
    // blocks when given), and returns the replay of the trace.
    ReplayResult RunAndReplay(LoggerModel model, SimLogger& logger,
                              std::optional<int> blocksBeforeSilence = {}) {
        EXPECT_TRUE(connection_->Connect(test::ComChoice(1, model)));
        EXPECT_TRUE(TicksUntil([&] { return connection_->CurrentPhase() == Phase::Polling; }, 200));
        TicksUntil([] { return false; }, 100);
        connection_->ReadHistory();
        EXPECT_TRUE(TicksUntil(
            [&] {
                if (blocksBeforeSilence && connection_->Engine().NextBlock() > *blocksBeforeSilence)
                    logger.SetSilent(true);
                return !handovers_.empty();
            },
            3000));
        TicksUntil([] { return false; }, 50);
        return ReplayTrace(Read(path_), model);
    }
    void ExpectTheSameDecoding(const ReplayResult& replay) {
        EXPECT_EQ(replay.history, handed_);
        EXPECT_EQ(replay.historyComplete, handovers_ == std::vector<bool>{true});
        EXPECT_EQ(replay.info.recordBytes, info_.recordBytes);
        EXPECT_EQ(replay.info.interval, info_.interval);
        EXPECT_EQ(replay.info.title, info_.title);
        EXPECT_EQ(replay.info.channel1Alarm.upperByte, info_.channel1Alarm.upperByte);
        EXPECT_EQ(replay.requestsDiffering, 0);
        ASSERT_EQ(replay.readings.size(), ui_.readings.size());
        for (std::size_t i = 0; i < ui_.readings.size(); ++i) {
            EXPECT_FLOAT_EQ(replay.readings[i].value1, ui_.readings[i].first);
            EXPECT_FLOAT_EQ(replay.readings[i].value2, ui_.readings[i].second);
        }
    }

    VirtualClock clock_;
    SimLink link_{clock_};
    test::TempFolder folder_;
    std::string path_;
    std::unique_ptr<TraceLink> trace_;
    LoggerInfo info_;
    test::ScriptedUi ui_;
    std::unique_ptr<DeviceConnection> connection_;
    Bytes handed_;
    std::vector<bool> handovers_;
};

TEST_F(TracedRun, ReplayOfAStreamingLoggerWithSplitRepliesDecodesTheSame) {
    SimFaults faults;
    faults.streamOnOwnClock = true;
    faults.streamDuringDownload = true;
    faults.splitAtRandom = true;
    faults.splitSeed = 3;
    auto logger = Attach(LoggerModel::TemperatureHumidity, 700, faults);
    const ReplayResult replay = RunAndReplay(LoggerModel::TemperatureHumidity, *logger);
    ASSERT_TRUE(replay.historyComplete);
    EXPECT_EQ(replay.blocksReceived, 3);
    EXPECT_GT(replay.readings.size(), 20u);
    ExpectTheSameDecoding(replay);
}

TEST_F(TracedRun, ReplayOfABrokenDownloadKeepsTheBlocksThatArrived) {
    auto logger = Attach(LoggerModel::SingleTemperature, 2000, {});
    const ReplayResult replay = RunAndReplay(LoggerModel::SingleTemperature, *logger, 2);
    EXPECT_FALSE(replay.historyComplete);
    EXPECT_GE(replay.blocksReceived, 2);  // a block asked for before the silence may still come
    EXPECT_LT(replay.blocksReceived, 4);
    EXPECT_EQ(replay.blockCount, 4);
    ExpectTheSameDecoding(replay);
}

// Traces kept in the repository, recorded with veldrin-cli against veldrin-cli simulate.
std::string KeptTrace(const std::string& name) {
    const char* root = std::getenv("VELDRIN_SOURCE_DIR");
    return std::string(root != nullptr ? root : ".") + "/tests/logger/traces/" + name;
}

TEST(KeptTraces, StreamingDualLoggerWithSplitRepliesDownloadsWhole) {
    const auto records = Read(KeptTrace("dual-streaming-split.trace"));
    ASSERT_EQ(IdentifiedModel(records), LoggerModel::DualTemperature);
    const ReplayResult replay = ReplayTrace(records, LoggerModel::DualTemperature);
    EXPECT_TRUE(replay.historyComplete);
    EXPECT_EQ(replay.blocksReceived, replay.blockCount);
    EXPECT_EQ(replay.info.recordBytes, 2400u);  // 600 readings of two channels
    EXPECT_EQ(replay.history.size(), 2400u + 9);
    EXPECT_EQ(replay.requestsDiffering, 0);
    // The logger streamed through the connect and the download, its frames glued to replies.
    int glued = 0;
    for (const TraceRecord& record : records) {
        const Bytes& bytes = record.bytes;
        glued += record.kind == TraceRecord::Kind::Received && bytes.size() > 6 && bytes.back() == 0xA5 &&
                 bytes[bytes.size() - 6] == 0xA5;
    }
    EXPECT_GE(glued, 3);
}

TEST(KeptTraces, HumidityLoggerSilentDuringTheDownload) {
    const auto records = Read(KeptTrace("humidity-silent-download.trace"));
    ASSERT_EQ(IdentifiedModel(records), LoggerModel::TemperatureHumidity);
    const ReplayResult replay = ReplayTrace(records, LoggerModel::TemperatureHumidity);
    EXPECT_TRUE(replay.historyStarted);
    EXPECT_FALSE(replay.historyComplete);
    EXPECT_GT(replay.blocksReceived, 0);
    EXPECT_LT(replay.blocksReceived, replay.blockCount);
    EXPECT_EQ(replay.history.size(), 7 + 1024u * static_cast<std::size_t>(replay.blocksReceived) + 2);
}

TEST(KeptTraces, SingleLoggerMonitoredOnItsOwnClock) {
    const auto records = Read(KeptTrace("single-monitor-streaming.trace"));
    ASSERT_EQ(IdentifiedModel(records), LoggerModel::SingleTemperature);
    const ReplayResult replay = ReplayTrace(records, LoggerModel::SingleTemperature);
    EXPECT_FALSE(replay.historyStarted);
    int frames = 0;
    for (const TraceRecord& record : records) {
        const Bytes& bytes = record.bytes;
        for (std::size_t i = 0; record.kind == TraceRecord::Kind::Received && i + 6 <= bytes.size(); ++i)
            frames += bytes[i] == 0xA6 && bytes[i + 5] == 0xA6 ? 1 : 0;
    }
    ASSERT_GT(frames, 10);
    EXPECT_GE(static_cast<int>(replay.readings.size()) * 100, frames * 95);
    EXPECT_EQ(replay.foreignFrames, 0);
}

}  // namespace
}  // namespace veldrin
