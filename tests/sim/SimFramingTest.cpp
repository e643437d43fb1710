// The computer may write a frame in pieces or several frames at once: the logger must answer the
// same whatever the split, and close frames of open length by a pause.
#include <gtest/gtest.h>

#include <random>

#include "logger/Gbk.h"
#include "sim/SimLogger.h"
#include "tests/sim/SimTestSupport.h"

namespace veldrin {
namespace {

using simtest::Bytes;

SimLoggerOptions ThreeBlockHumidity() {
    SimLoggerOptions options = simtest::Options(LoggerModel::TemperatureHumidity, 600);
    options.recording = false;
    return options;
}

// A session touching every kind of frame: commands of every length, a sync byte before a command,
// wake-up bytes, the description chunks and a whole download.
std::vector<Bytes> Session() {
    std::vector<Bytes> frames{
        {0xFF, 0xEC, 0x01},
        {0x55, 0x55, 0x55},
        {0xFF},
        {0xFF, 0xF2, 0x02},
        {0xFF, 0xEE, 0x02},
        {0xFF, 0xF1, 0x2C, 0x01},
        {0xFF, 0xF3, 0x01},
        {0xFF, 0xF3, 0x02, 0x00},
        {0xFF, 0xF7, 0x00, 0x00, 0x0A, 0x14, 0x05, 0x18, 0x14},
        {0xFF, 0xF4, 0x00, 0x1E, 0x0B, 0x14, 0x05, 0x18, 0x14, 0x01},
        {0xFF, 0xFB, 0x94, 0x32, 0x01},
        {0xFF, 0xEB, 0x0A, 0x5A},
        {0xFF, 0xEA, 0x01},
        {0xFF, 0xFC, 0x01},
        {0xFF, 0xF9, 0x01},
        {0xFF, 0xFA, 0x01},
        {0xFF, 0xF8, 0x01},
        {0xFF, 0xFD},
    };
    std::string text = ToGbk("分段写入的备注");
    text.resize(96, ' ');
    for (std::size_t chunk = 0; chunk < 6; ++chunk) {
        auto from = text.begin() + static_cast<std::ptrdiff_t>(chunk * 16);
        frames.emplace_back(from, from + 16);
    }
    for (Bytes frame : std::vector<Bytes>{{0xFF, 0xFE, 0x01},
                                          {0xFF, 0xE9, 0x01},
                                          {0xFF, 0xF5, 0x01, 0x00},
                                          {0x02, 0x00},
                                          {0x00, 0x00},
                                          {0xFF},
                                          {0xFF, 0xEC, 0x01},
                                          {0xFF}}) {
        frames.push_back(frame);
    }
    return frames;
}

// Feeds the session at one line time in the given pieces and returns everything the logger sent.
Bytes Replay(const std::vector<Bytes>& pieces) {
    SimLogger logger{ThreeBlockHumidity()};
    for (const Bytes& piece : pieces)
        logger.Receive(piece.data(), piece.size(), 1000);
    return simtest::Drain(logger, 5000);
}

Bytes Joined(const std::vector<Bytes>& frames) {
    Bytes all;
    for (const Bytes& frame : frames)
        all.insert(all.end(), frame.begin(), frame.end());
    return all;
}

TEST(SimFramingTest, AnySplitOfTheSessionGetsTheSameReplies) {
    const std::vector<Bytes> frames = Session();
    const Bytes baseline = Replay(frames);
    // Spot checks that the baseline is a real conversation, not silence.
    ASSERT_GT(baseline.size(), 1033u + 1028 + 356 + 129);  // the three blocks and the parameter block
    EXPECT_EQ(simtest::Hex(Bytes(baseline.begin(), baseline.begin() + 8)), "FFEC01A7555555FF");
    EXPECT_EQ(simtest::Hex(Bytes(baseline.end() - 6, baseline.end())), "FFFFEC01A7FF");

    const Bytes all = Joined(frames);
    EXPECT_EQ(Replay({all}), baseline) << "all in one write";
    std::vector<Bytes> single;
    for (std::uint8_t byte : all)
        single.push_back({byte});
    EXPECT_EQ(Replay(single), baseline) << "byte by byte";

    std::mt19937 random(20240520);
    for (int round = 0; round < 20; ++round) {
        std::vector<Bytes> pieces;
        for (std::size_t at = 0; at < all.size();) {
            std::size_t length = std::uniform_int_distribution<std::size_t>(1, 40)(random);
            length = std::min(length, all.size() - at);
            pieces.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(at),
                                all.begin() + static_cast<std::ptrdiff_t>(at + length));
            at += length;
        }
        EXPECT_EQ(Replay(pieces), baseline) << "random split, round " << round;
    }
}

class SimPauseTest : public ::testing::Test {
  protected:
    Bytes Ask(const Bytes& frame, int waitMs = 200) { return simtest::Ask(logger_, frame, now_, waitMs); }

    SimLogger logger_{ThreeBlockHumidity()};
    std::int64_t now_ = 1000;
};

TEST_F(SimPauseTest, OpenLengthFramesAreClosedByAPause) {
    EXPECT_EQ(Ask({0xFF}), Bytes{0xFF});
    EXPECT_EQ(Ask({0xFF, 0xF3, 0x02}), (Bytes{0xFF, 0xF3, 0x02}));
    EXPECT_EQ(logger_.Settings().stopMode, 2);
    EXPECT_EQ(Ask({0xFF, 0xF5}), Bytes{}) << "no block to repeat yet";
    // A lone FF answered only once the pause shows it is complete.
    logger_.Receive(Bytes{0xFF}.data(), 1, now_);
    EXPECT_EQ(simtest::Drain(logger_, now_ + 40), Bytes{});
    EXPECT_EQ(simtest::Drain(logger_, now_ + 100), Bytes{0xFF});
}

TEST_F(SimPauseTest, NoiseAndUnfinishedFramesAreDropped) {
    EXPECT_EQ(Ask({0x12, 0x34, 0x00, 0xFF, 0xEC, 0x01}), (Bytes{0xFF, 0xEC, 0x01, 0xA7}));
    EXPECT_EQ(Ask({0xFF, 0x00, 0xFF, 0xEC, 0x01}), (Bytes{0xFF, 0xFF, 0xEC, 0x01, 0xA7}));
    EXPECT_EQ(Ask({0xFF, 0xF1, 0x2C}), Bytes{});
    EXPECT_EQ(Ask({0xFF, 0xF9, 0x01}), (Bytes{0xFF, 0xF9, 0x01, 0x00, 0x3C})) << "interval unchanged";
}

TEST_F(SimPauseTest, DescriptionWriteCanBeAbandonedOrRestarted) {
    const std::string before = logger_.Settings().description;
    Ask({0xFF, 0xFD});
    Ask(Bytes(20, 'x'), 2000);  // a chunk and a bit, then a long pause
    EXPECT_EQ(Ask({0xFF, 0xEC, 0x01}), (Bytes{0xFF, 0xEC, 0x01, 0xA7}));
    EXPECT_EQ(logger_.Settings().description, before);

    Ask({0xFF, 0xFD});
    Ask(Bytes(16, 'y'));
    EXPECT_EQ(Ask({0xFF, 0xFD}), (Bytes{0xFF, 0xFD})) << "header again at a chunk boundary";
    for (int chunk = 0; chunk < 6; ++chunk)
        Ask(Bytes(16, static_cast<std::uint8_t>('a' + chunk)));
    EXPECT_EQ(logger_.Settings().description.substr(0, 17), std::string(16, 'a') + "b");
}

}  // namespace
}  // namespace veldrin
