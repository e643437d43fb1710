// History blocks: a download driven by the computer's acceptance rules must give back exactly the
// logger's record memory, and the memory must decode into the readings the logger took.
#include <gtest/gtest.h>

#include <optional>

#include "sim/SimCurve.h"
#include "sim/SimLogger.h"
#include "tests/sim/SimTestSupport.h"

namespace veldrin {
namespace {

using simtest::Bytes;
using simtest::Hex;

// The two bytes that request block n of `blocks`, written out from the request rules.
Bytes RequestFor(int n, int blocks) {
    if (n == blocks)
        return {0x00, 0x00};
    auto low = static_cast<std::uint8_t>(n % 256);
    auto high = static_cast<std::uint8_t>((n / 256) % 256);
    if (low == 0xFF)
        return {0x00, static_cast<std::uint8_t>(high | 0x80)};
    return {low, high};
}

bool StartsWith(const std::string& text, const std::string& head) {
    return text.rfind(head, 0) == 0;
}
bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// What an accepted reply adds to the computer's history store, or nothing when it is refused.
std::optional<Bytes> Accept(const Bytes& reply, int n, int blocks) {
    std::string hex = Hex(reply);
    if (!EndsWith(hex, "FFFF"))
        return std::nullopt;
    if (blocks == 1) {
        if (!StartsWith(hex, "FFF50000"))
            return std::nullopt;
        return simtest::Concat({0xFF, 0xF5, 0x01, 0x01, 0x02, 0x03, 0x04},
                               Bytes(reply.begin() + 4, reply.end()));
    }
    if (n == 1) {
        if (!StartsWith(hex, "FFF50100") || reply.size() != 1033)
            return std::nullopt;
        return Bytes(reply.begin(), reply.end() - 2);
    }
    if (n < blocks) {
        if (reply.size() != 1028)
            return std::nullopt;
        return Bytes(reply.begin() + 2, reply.end() - 2);
    }
    if (!StartsWith(hex, "0000"))
        return std::nullopt;
    return Bytes(reply.begin() + 2, reply.end());
}

// The record bytes in a history store: everything after the F5 01 marker and four more bytes,
// without the last two.
Bytes RecordsIn(const Bytes& store) {
    std::string head =
        Hex(Bytes(store.begin(), store.begin() + std::min<std::ptrdiff_t>(200, std::ssize(store))));
    auto found = head.find("F501");
    std::ptrdiff_t marker = found == std::string::npos ? -1 : static_cast<std::ptrdiff_t>(found / 2);
    Bytes records = store;
    if (std::ssize(records) >= marker + 5)
        records.erase(records.begin(), records.begin() + marker + 6);
    records.resize(records.size() >= 2 ? records.size() - 2 : 0);
    return records;
}

int DecodeTemperature(std::uint8_t high, std::uint8_t low) {
    return high < 0x80 ? high * 100 + low : -((high - 0x80) * 100 + low);
}

struct DownloadCase {
    LoggerModel model;
    int readings;
    int blocks;
};

void PrintTo(const DownloadCase& tested, std::ostream* out) {
    *out << static_cast<int>(tested.model) << " with " << tested.readings << " readings";
}

class SimHistoryTest : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(SimHistoryTest, DownloadReassemblesTheRecordMemory) {
    const DownloadCase& tested = GetParam();
    SimLoggerOptions options = simtest::Options(tested.model, tested.readings);
    options.recording = false;
    SimLogger logger{options};
    std::int64_t now = 500;

    Bytes count = simtest::Ask(logger, {0xFF, 0xEE, 0x02}, now);
    ASSERT_EQ(count.size(), 6u);
    std::uint32_t recordBytes = (count[3] << 16) | (count[4] << 8) | count[5];
    ASSERT_EQ(recordBytes, static_cast<std::uint32_t>(tested.readings * BytesPerReading(tested.model)));
    int blocks = static_cast<int>(recordBytes / 1024 + 1);
    ASSERT_EQ(blocks, tested.blocks);

    Bytes store;
    for (int n = 1; n <= blocks; ++n) {
        Bytes request = n == 1 ? simtest::Concat({0xFF, 0xF5}, RequestFor(n, blocks)) : RequestFor(n, blocks);
        Bytes reply = simtest::Ask(logger, request, now);
        auto added = Accept(reply, n, blocks);
        ASSERT_TRUE(added) << "block " << n << " of " << blocks << " refused: " << Hex(reply).substr(0, 16);
        if (n == 255) {
            EXPECT_EQ(Hex(Bytes(reply.begin(), reply.begin() + 2)), "0080");
        }
        store.insert(store.end(), added->begin(), added->end());
    }
    ASSERT_LT(store.size(), 300000u);  // the whole download fits the computer's history store
    Bytes records = RecordsIn(store);
    ASSERT_EQ(records, logger.RecordMemory());

    // The readings come back as the logger took them, one interval apart from the first.
    std::time_t first = kSimDefaultClockStart - static_cast<std::time_t>(tested.readings - 1) * 60;
    std::size_t size = static_cast<std::size_t>(BytesPerReading(tested.model));
    for (std::size_t i : {std::size_t{0}, records.size() / size / 2, records.size() / size - 1}) {
        SimReading expected = CurveReading(tested.model, first + static_cast<std::time_t>(i) * 60);
        const std::uint8_t* at = &records[i * size];
        EXPECT_EQ(DecodeTemperature(at[0], at[1]), expected.channel1Centi) << "reading " << i;
        if (tested.model == LoggerModel::TemperatureHumidity) {
            EXPECT_EQ(at[2] * 100 + at[3], expected.channel2Centi);
        }
        if (tested.model == LoggerModel::DualTemperature) {
            EXPECT_EQ(DecodeTemperature(at[2], at[3]), expected.channel2Centi);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, SimHistoryTest,
                         ::testing::Values(DownloadCase{LoggerModel::SingleTemperature, 100, 1},
                                           DownloadCase{LoggerModel::TemperatureHumidity, 100, 1},
                                           DownloadCase{LoggerModel::SingleTemperature, 600, 2},
                                           DownloadCase{LoggerModel::DualTemperature, 300, 2},
                                           DownloadCase{LoggerModel::TemperatureHumidity, 600, 3},
                                           DownloadCase{LoggerModel::SingleTemperature, 1024,
                                                        3},                                     // last empty
                                           DownloadCase{LoggerModel::DualTemperature, 512, 3},  // last empty
                                           DownloadCase{LoggerModel::TemperatureHumidity, 74800, 293},
                                           DownloadCase{LoggerModel::SingleTemperature, 149600, 293}));

class SimDownloadTest : public ::testing::Test {
  protected:
    SimDownloadTest() {
        SimLoggerOptions options = simtest::Options(LoggerModel::TemperatureHumidity, 600);  // 3 blocks
        options.recording = false;
        logger_ = std::make_unique<SimLogger>(options);
    }
    Bytes Ask(const Bytes& frame, int waitMs = 200) { return simtest::Ask(*logger_, frame, now_, waitMs); }

    std::unique_ptr<SimLogger> logger_;
    std::int64_t now_ = 500;
};

TEST_F(SimDownloadTest, BareHeaderRepeatsTheLastBlock) {
    Ask({0xFF, 0xF5, 0x01, 0x00});
    Bytes second = Ask({0x02, 0x00});
    ASSERT_EQ(second.size(), 1028u);
    EXPECT_EQ(Ask({0xFF, 0xF5}), second);
    EXPECT_EQ(Ask({0xFF, 0xF5}), second);
    // The download goes on after the repeats.
    Bytes last = Ask({0x00, 0x00});
    EXPECT_EQ(last.size(), 2u + 2400 - 2048 + 2);
}

TEST_F(SimDownloadTest, BlocksKeepTheMemoryAsItWasWhenTheDownloadBegan) {
    SimLoggerOptions options = simtest::Options(LoggerModel::SingleTemperature, 600);
    options.interval = 1;  // a reading every second while the blocks go out
    logger_ = std::make_unique<SimLogger>(options);
    Ask({0xFF, 0xF5, 0x01, 0x00});
    now_ += 20000;
    simtest::Drain(*logger_, now_);
    EXPECT_EQ(logger_->RecordMemory().size(), 1200u + 2 * 20);
    Bytes last = Ask({0x00, 0x00});  // still the last of the two blocks the download began with
    ASSERT_EQ(last.size(), 2u + 1200 - 1024 + 2);
}

TEST_F(SimDownloadTest, RealtimeFramesPauseWhileTheMemoryGoesOut) {
    Ask({0xFF, 0xF6, 0x01});
    Ask({0xFF, 0xF5, 0x01, 0x00});
    EXPECT_EQ(Ask({0x02, 0x00}, 5000).size(), 1028u) << "no frame among the blocks";
    EXPECT_EQ(Ask({0x00, 0x00}, 5000).size(), 356u);
    // The next command ends the download and the readings come again at once.
    Bytes resumed = Ask({0xFF, 0xF6, 0x01}, 500);
    ASSERT_EQ(resumed.size(), 3u + 6);
    EXPECT_EQ(simtest::Hex(resumed).substr(0, 8), "FFF601A7");
    EXPECT_EQ(resumed.back(), 0xA7);
}

TEST_F(SimDownloadTest, OtherBytesEndTheDownload) {
    Ask({0xFF, 0xF5, 0x01, 0x00});
    // 55 55 names no block of this memory: it is a wake-up again.
    EXPECT_EQ(Ask({0x55, 0x55, 0x55}), (Bytes{0x55, 0x55, 0x55}));
    EXPECT_EQ(Ask({0x02, 0x00}), Bytes{});
    Ask({0xFF, 0xF5, 0x01, 0x00});
    EXPECT_EQ(Ask({0xFF, 0xEC, 0x01}), (Bytes{0xFF, 0xEC, 0x01, 0xA7}));
    EXPECT_EQ(Ask({0x02, 0x00}), Bytes{});
    // A block beyond the memory is not answered.
    Ask({0xFF, 0xF5, 0x01, 0x00});
    EXPECT_EQ(Ask({0x04, 0x00}), Bytes{});
}

TEST(SimHistoryFrames, EmptyMemoryIsOneBlockWithNoRecords) {
    SimLoggerOptions options = simtest::Options(LoggerModel::DualTemperature, 0);
    options.recording = false;
    SimLogger logger{options};
    std::int64_t now = 0;
    EXPECT_EQ(simtest::Ask(logger, {0xFF, 0xEE, 0x02}, now), (Bytes{0xFF, 0xEE, 0x02, 0x00, 0x00, 0x00}));
    EXPECT_EQ(simtest::Ask(logger, {0xFF, 0xF5, 0x00, 0x00}, now),
              (Bytes{0xFF, 0xF5, 0x00, 0x00, 0xFF, 0xFF}));
}

}  // namespace
}  // namespace veldrin
