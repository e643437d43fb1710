// The harsher behaviours of real loggers the simulated logger can be given: readings on its own
// clock whatever the computer sends, readings through a download, replies cut at random points.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "tests/sim/SimTestSupport.h"

namespace veldrin {
namespace {

using simtest::Bytes;

// Every transmission put on the line until `untilMs`, with its start.
std::vector<Transmission> RunLine(SimLogger& logger, std::int64_t untilMs) {
    while (auto next = logger.NextEventMs()) {
        if (*next > untilMs)
            break;
        logger.Advance(*next);
    }
    logger.Advance(untilMs);
    return logger.TakeTransmissions();
}

bool IsFrame(const Transmission& sent) {
    return sent.bytes.size() == 6 && sent.bytes[0] == 0xA6 && sent.bytes[5] == 0xA6;
}

std::vector<std::int64_t> FrameTimes(const std::vector<Transmission>& sent) {
    std::vector<std::int64_t> times;
    for (const Transmission& piece : sent) {
        if (IsFrame(piece))
            times.push_back(piece.startMs);
    }
    return times;
}

std::unique_ptr<SimLogger> Streaming(SimFaults faults) {
    SimLoggerOptions options = simtest::Options(LoggerModel::SingleTemperature, 1500);
    options.recording = false;
    options.realtimePeriodMs = 1000;
    auto logger = std::make_unique<SimLogger>(options);
    logger->SetFaults(faults);
    return logger;
}

void Write(SimLogger& logger, const Bytes& frame, std::int64_t atMs) {
    logger.Receive(frame.data(), frame.size(), atMs);
}

TEST(SimHarshModes, OnItsOwnClockReadingsKeepTheirRhythmWhateverTheComputerSends) {
    SimFaults faults;
    faults.streamOnOwnClock = true;
    auto owned = Streaming(faults);
    SimLogger& logger = *owned;
    Write(logger, {0xFF, 0xF6, 0x01}, 0);
    RunLine(logger, 2500);
    // End realtime, a reply right when a reading is due, and a second realtime request.
    Write(logger, {0xFF, 0xF6, 0x00}, 2600);
    Write(logger, {0xFF, 0xEE, 0x02}, 2998);
    auto sent = RunLine(logger, 3400);
    Write(logger, {0xFF, 0xF6, 0x01}, 3500);
    for (Transmission& later : RunLine(logger, 10500))
        sent.push_back(std::move(later));
    EXPECT_EQ(FrameTimes(sent), (std::vector<std::int64_t>{3003, 4000, 5000, 6000, 7000, 8000, 9000, 10000}));
    EXPECT_EQ(logger.RealtimeFramesSent(), 10);
    // The frame due at 3000 s goes out the moment the record count reply is done: no quiet line.
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[1].bytes[1], 0xEE);
    EXPECT_EQ(sent[1].EndMs(), sent[2].startMs);
}

TEST(SimHarshModes, ByDefaultReadingsEndWithEndRealtimeAndPauseForADownload) {
    auto owned = Streaming({});
    SimLogger& logger = *owned;
    Write(logger, {0xFF, 0xF6, 0x01}, 0);
    EXPECT_EQ(FrameTimes(RunLine(logger, 1400)), (std::vector<std::int64_t>{1000}));
    Write(logger, {0xFF, 0xF5, 0x01, 0x00}, 1500);
    EXPECT_TRUE(FrameTimes(RunLine(logger, 5000)).empty());
    Write(logger, {0xFF, 0xF6, 0x00}, 5000);
    EXPECT_TRUE(FrameTimes(RunLine(logger, 9000)).empty());
}

TEST(SimHarshModes, ReadingsCanKeepComingThroughADownload) {
    SimFaults faults;
    faults.streamDuringDownload = true;
    auto owned = Streaming(faults);
    SimLogger& logger = *owned;
    Write(logger, {0xFF, 0xF6, 0x01}, 0);
    auto sent = RunLine(logger, 1400);
    Write(logger, {0xFF, 0xF5, 0x01, 0x00}, 1500);
    for (Transmission& later : RunLine(logger, 2400))
        sent.push_back(std::move(later));
    Write(logger, {0x02, 0x00}, 2500);
    for (Transmission& later : RunLine(logger, 5000))
        sent.push_back(std::move(later));
    EXPECT_EQ(FrameTimes(sent).size(), 5u);
    int blocks = 0;
    for (const Transmission& piece : sent)
        blocks += piece.bytes.size() > 1000 ? 1 : 0;
    EXPECT_EQ(blocks, 2);
}

TEST(SimHarshModes, RepliesAreCutInTwoAtRandomPointsTheSameWayForOneSeed) {
    auto cuts = [](std::uint32_t seed) {
        SimFaults faults;
        faults.splitAtRandom = true;
        faults.splitSeed = seed;
        auto owned = Streaming(faults);
        SimLogger& logger = *owned;
        std::vector<std::size_t> firstPieces;
        Bytes whole;
        std::int64_t now = 0;
        for (int i = 0; i < 8; ++i) {
            Write(logger, {0xFF, 0xE9, 0x01}, now);
            now += 1000;
            const auto sent = RunLine(logger, now);
            EXPECT_EQ(sent.size(), 2u);
            if (sent.size() != 2)
                return firstPieces;
            EXPECT_GE(sent[1].startMs - sent[0].EndMs(), 150);
            EXPECT_EQ(sent[0].bytes.size() + sent[1].bytes.size(), 129u);
            firstPieces.push_back(sent[0].bytes.size());
        }
        return firstPieces;
    };
    const auto first = cuts(11);
    EXPECT_EQ(first, cuts(11));
    EXPECT_NE(first, cuts(12));
    EXPECT_GT(std::set<std::size_t>(first.begin(), first.end()).size(), 3u);
}

}  // namespace
}  // namespace veldrin
