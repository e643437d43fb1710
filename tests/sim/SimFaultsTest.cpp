// The faults a simulated logger can be given, seen from the computer's side of the link.
#include <gtest/gtest.h>

#include "sim/SimBurstAssembler.h"
#include "sim/SimLink.h"
#include "tests/sim/SimTestSupport.h"

namespace veldrin {
namespace {

using simtest::Bytes;
using simtest::Hex;

class SimFaultsTest : public ::testing::Test {
  protected:
    SimFaultsTest() {
        SimLoggerOptions options = simtest::Options(LoggerModel::TemperatureHumidity, 600);
        options.recording = false;
        logger_ = std::make_shared<SimLogger>(options);
        link_.AttachLogger("/dev/ttyUSB0", logger_);
        link_.SetDataCallback([this](const std::uint8_t* bytes, std::size_t count) {
            deliveries_.push_back({clock_.MonotonicMs(), Bytes(bytes, bytes + count)});
        });
        link_.Open("/dev/ttyUSB0");
        clock_.RunUntil(1000);
    }

    // Writes `bytes`, lets `waitMs` pass and returns the bursts delivered meanwhile.
    std::vector<Bytes> Exchange(const Bytes& bytes, int waitMs = 300) {
        deliveries_.clear();
        link_.Write(bytes.data(), bytes.size());
        clock_.SleepMs(waitMs);
        std::vector<Bytes> bursts;
        for (const auto& [at, burst] : deliveries_)
            bursts.push_back(burst);
        return bursts;
    }

    VirtualClock clock_;
    SimLink link_{clock_};
    std::shared_ptr<SimLogger> logger_;
    std::vector<std::pair<std::int64_t, Bytes>> deliveries_;
};

const Bytes kIdentify{0xFF, 0xEC, 0x01};

TEST_F(SimFaultsTest, SilenceAfterSecondsCountsFromTheFirstByte) {
    SimFaults faults;
    faults.silentAfterSeconds = 5;
    logger_->SetFaults(faults);
    clock_.SleepMs(30000);  // time before the first contact does not count
    EXPECT_EQ(Exchange({0xFF, 0xF6, 0x01}).size(), 1u);
    clock_.SleepMs(4000);  // realtime frames meanwhile
    EXPECT_FALSE(deliveries_.empty());
    EXPECT_EQ(Exchange(kIdentify).size(), 1u);  // 4.3 s after the first byte
    clock_.SleepMs(1000);
    EXPECT_TRUE(Exchange(kIdentify).empty());
    clock_.SleepMs(10000);
    EXPECT_TRUE(deliveries_.empty()) << "no more realtime frames either";
}

TEST_F(SimFaultsTest, PulledCableHearsAndSaysNothingUntilPluggedBack) {
    logger_->SetSilent(true);
    EXPECT_TRUE(Exchange({0xFF, 0xF1, 0x2C, 0x01}).empty());
    EXPECT_EQ(logger_->Settings().interval, 60) << "a silent logger does not hear either";
    logger_->SetSilent(false);
    EXPECT_EQ(Exchange(kIdentify), (std::vector<Bytes>{{0xFF, 0xEC, 0x01, 0xA7}}));
}

TEST_F(SimFaultsTest, WrongModelIdentifiesAndMarksFramesAsAnother) {
    SimFaults faults;
    faults.answerAs = OtherModel(LoggerModel::TemperatureHumidity);
    logger_->SetFaults(faults);
    EXPECT_EQ(logger_->Model(), LoggerModel::TemperatureHumidity);
    EXPECT_EQ(logger_->AnswersAs(), LoggerModel::DualTemperature);
    EXPECT_EQ(Exchange(kIdentify), (std::vector<Bytes>{{0xFF, 0xEC, 0x01, 0xA5}}));
    auto block = Exchange({0xFF, 0xE9, 0x01});
    ASSERT_EQ(block.size(), 1u);
    EXPECT_EQ(block[0][3], 0xA5);
    Exchange({0xFF, 0xF6, 0x01}, 2500);
    ASSERT_EQ(deliveries_.size(), 2u);
    EXPECT_EQ(deliveries_[1].second.front(), 0xA5);
    EXPECT_EQ(deliveries_[1].second.back(), 0xA5);
}

TEST_F(SimFaultsTest, CorruptionHitsOneReplyOnly) {
    logger_->CorruptNextReply();
    EXPECT_EQ(Exchange(kIdentify), (std::vector<Bytes>{{0xFF, 0x13, 0x01, 0xA7}}));
    EXPECT_EQ(Exchange(kIdentify), (std::vector<Bytes>{{0xFF, 0xEC, 0x01, 0xA7}}));
    logger_->CorruptNextReply(1000);  // beyond the end: the last byte
    EXPECT_EQ(Exchange(kIdentify), (std::vector<Bytes>{{0xFF, 0xEC, 0x01, 0x58}}));
}

TEST_F(SimFaultsTest, SplitRepliesArriveInSeparateBursts) {
    SimFaults faults;
    faults.splitPieceBytes = 2;
    logger_->SetFaults(faults);
    EXPECT_EQ(Exchange(kIdentify, 600), (std::vector<Bytes>{{0xFF, 0xEC}, {0x01, 0xA7}}));
    // A realtime frame in pieces is no longer a 6-byte delivery.
    Exchange({0xFF, 0xF6, 0x01}, 3000);
    ASSERT_EQ(deliveries_.size(), 2u + 3);  // the echo in two pieces, the frame in three
    EXPECT_EQ(deliveries_[1].second, Bytes{0x01});
    for (std::size_t i = 2; i < deliveries_.size(); ++i)
        EXPECT_EQ(deliveries_[i].second.size(), 2u);
}

TEST_F(SimFaultsTest, PacedRepliesTakeTheByteTimeOf9600Baud) {
    SimFaults faults;
    faults.paced = true;
    logger_->SetFaults(faults);
    deliveries_.clear();
    link_.Write(Bytes{0xFF, 0xF5, 0x01, 0x00}.data(), 4);  // block 1 of 3: 1033 bytes
    clock_.SleepMs(1000);
    EXPECT_TRUE(deliveries_.empty()) << "1033 bytes need more than a second";
    clock_.SleepMs(1000);
    ASSERT_EQ(deliveries_.size(), 1u);
    EXPECT_EQ(deliveries_[0].second.size(), 1033u);
    // Answer after 5 ms, 1033 bytes at 960 a second, then the reader's 100 ms pause.
    EXPECT_EQ(deliveries_[0].first, 1000 + 5 + (1033 * 1000 + 959) / 960 + 100);
}

TEST(SimLineTest, ReaderDeliversAtMost2048BytesAtOnceAndSplitsAtPauses) {
    SimBurstAssembler line;
    Transmission big;
    big.startMs = 10;
    big.bytes.assign(3000, 0x42);
    line.Add(big);
    Transmission late{.startMs = 211, .bytes = {1, 2}, .bytesPerSecond = 0};  // 101 ms after: a new burst
    line.Add(late);
    EXPECT_EQ(line.NextBurstMs(), 10);
    auto bursts = line.TakeDue(110);
    ASSERT_EQ(bursts.size(), 2u);
    EXPECT_EQ(bursts[0].size(), 2048u);
    EXPECT_EQ(bursts[1].size(), 952u);
    EXPECT_EQ(line.NextBurstMs(), 311);
    EXPECT_TRUE(line.TakeDue(310).empty());
    EXPECT_EQ(line.TakeDue(311), (std::vector<Bytes>{{1, 2}}));
}

}  // namespace
}  // namespace veldrin
