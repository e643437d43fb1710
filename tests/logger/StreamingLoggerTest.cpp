// Against a logger that streams realtime readings on its own clock, right next to its replies and
// through a download: the readings reach the lists and the download stays whole and quick.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/logger/SimLoggerRig.h"

namespace veldrin {
namespace {

// One connection with one simulated logger on com1, polling until the first realtime reading.
struct Rig : test::SimLoggerRig {
    Rig(const SimLoggerOptions& options, const SimFaults& faults) : SimLoggerRig(options, faults) {}
    bool ConnectAndPoll(LoggerModel model) {
        return SimLoggerRig::ConnectAndPoll(model) && TickUntil([&] { return !ui.readings.empty(); }, 200);
    }
};

SimFaults Streaming() {
    SimFaults faults;
    faults.streamOnOwnClock = true;
    faults.streamDuringDownload = true;
    return faults;
}

class StreamingLoggerTest : public ::testing::TestWithParam<LoggerModel> {};

TEST_P(StreamingLoggerTest, AtLeast95PercentOfTheStreamedReadingsReachTheLists) {
    SimLoggerOptions options;
    options.model = GetParam();
    options.realtimePeriodMs = 1000;
    Rig rig(options, Streaming());
    ASSERT_TRUE(rig.ConnectAndPoll(options.model));
    const int sentBefore = rig.logger->RealtimeFramesSent();
    const std::size_t shownBefore = rig.ui.readings.size();
    // Five minutes of polling: realtime asked for again 60 times, the record count twice.
    for (int i = 0; i < 1500; ++i)
        rig.Tick();
    const int sent = rig.logger->RealtimeFramesSent() - sentBefore;
    const auto shown = static_cast<int>(rig.ui.readings.size() - shownBefore);
    ASSERT_GE(sent, 290);
    EXPECT_GE(shown * 100, sent * 95) << shown << " of " << sent << " readings shown";
    EXPECT_LE(shown, sent + 1);
}

INSTANTIATE_TEST_SUITE_P(AllModels, StreamingLoggerTest,
                         ::testing::Values(LoggerModel::SingleTemperature, LoggerModel::TemperatureHumidity,
                                           LoggerModel::DualTemperature));

TEST(StreamingDownload, StaysWholeAndTakesAtMost30PercentLongerThanOnAQuietLine) {
    SimLoggerOptions options;
    options.model = LoggerModel::TemperatureHumidity;
    options.records = 2500;  // 10000 bytes: ten blocks
    options.recording = false;
    options.realtimePeriodMs = 1000;
    SimFaults quietFaults;
    quietFaults.paced = true;
    SimFaults streamingFaults = Streaming();
    streamingFaults.paced = true;

    Rig quiet(options, quietFaults);
    ASSERT_TRUE(quiet.ConnectAndPoll(options.model));
    const std::int64_t quietMs = quiet.TimedDownload();
    Rig streaming(options, streamingFaults);
    ASSERT_TRUE(streaming.ConnectAndPoll(options.model));
    const int framesBefore = streaming.logger->RealtimeFramesSent();
    const std::size_t readingsBefore = streaming.ui.readings.size();
    const std::int64_t streamingMs = streaming.TimedDownload();
    ASSERT_GT(quietMs, 0);
    ASSERT_GT(streamingMs, 0) << "the download did not finish while frames streamed";
    // Frames really came during the download.
    EXPECT_GE(streaming.logger->RealtimeFramesSent() - framesBefore, streamingMs / 1000 - 1);

    const Bytes memory = streaming.logger->RecordMemory();
    ASSERT_EQ(streaming.handed.size(), memory.size() + 9);
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), streaming.handed.begin() + 7));
    EXPECT_TRUE(streaming.complete);
    EXPECT_EQ(streaming.handed, quiet.handed);
    EXPECT_LE(streamingMs * 10, quietMs * 13)
        << "quiet " << quietMs << " ms, streaming " << streamingMs << " ms";
    // The readings that came meanwhile were shown too.
    EXPECT_GE(streaming.ui.readings.size() - readingsBefore,
              static_cast<std::size_t>(streamingMs / 1000 - 2));
}

TEST(StreamingDownload, RepliesSplitAtRandomPointsStillGiveTheWholeMemory) {
    SimLoggerOptions options;
    options.model = LoggerModel::DualTemperature;
    options.records = 1300;  // 5200 bytes: six blocks
    options.recording = false;
    SimFaults faults = Streaming();
    faults.splitAtRandom = true;
    faults.splitSeed = 7;
    Rig rig(options, faults);
    ASSERT_TRUE(rig.ConnectAndPoll(options.model));
    ASSERT_GT(rig.TimedDownload(), 0);
    const Bytes memory = rig.logger->RecordMemory();
    ASSERT_EQ(rig.handed.size(), memory.size() + 9);
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), rig.handed.begin() + 7));
}

}  // namespace
}  // namespace veldrin
