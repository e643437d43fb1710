// The simulated logger against the frame of every command, for all three models: the replies
// byte for byte where they are fixed, and the settings each write leaves behind.
#include <gtest/gtest.h>

#include "logger/Gbk.h"
#include "sim/SimLogger.h"
#include "tests/sim/SimTestSupport.h"

namespace veldrin {
namespace {

using simtest::Ask;
using simtest::Bytes;
using simtest::Drain;

struct ModelCase {
    LoggerModel model;
    std::uint8_t id;
    Bytes count100;  // record count of 100 readings
    Bytes channel2Limits;
    std::string name;
};

void PrintTo(const ModelCase& tested, std::ostream* out) {
    *out << tested.name;
}

class SimRepliesTest : public ::testing::TestWithParam<ModelCase> {
  protected:
    SimLogger logger_{simtest::Options(GetParam().model, 100)};
    std::int64_t now_ = 1000;

    Bytes Ask(const Bytes& frame) { return simtest::Ask(logger_, frame, now_); }
};

// 2024-05-20 09:00:00 (Asia/Shanghai) less 99 intervals of 60 s: the first of 100 readings.
const Bytes kFirstReading{0x00, 0x15, 0x07, 0x14, 0x05, 0x18, 0x14};

TEST_P(SimRepliesTest, IdentifyAndWakeUp) {
    EXPECT_EQ(Ask({0xFF, 0xEC, 0x01}), (Bytes{0xFF, 0xEC, 0x01, GetParam().id}));
    EXPECT_EQ(Ask({0x55, 0x55, 0x55}), (Bytes{0x55, 0x55, 0x55}));
    EXPECT_EQ(Ask({0x55, 0x55, 0x55, 0xFF}), (Bytes{0x55, 0x55, 0x55, 0xFF}));
    EXPECT_EQ(Ask({0x01, 0x01, 0x01, 0x01}), Bytes{});
    // The search probe: identify followed by one stray byte.
    EXPECT_EQ(Ask({0xFF, 0xEC, 0x01, 0x3C}), (Bytes{0xFF, 0xEC, 0x01, GetParam().id}));
}

TEST_P(SimRepliesTest, ReadsReportTheFactoryState) {
    EXPECT_EQ(Ask({0xFF}), Bytes{0xFF});
    EXPECT_EQ(Ask({0xFF, 0xF2, 0x02}), (Bytes{0xFF, 0xF2, 0x02, 0x01, 0x00}));
    EXPECT_EQ(Ask({0xFF, 0xEE, 0x02}), simtest::Concat({0xFF, 0xEE, 0x02}, GetParam().count100));
    EXPECT_EQ(Ask({0xFF, 0xF9, 0x01}), (Bytes{0xFF, 0xF9, 0x01, 0x00, 0x3C}));
    EXPECT_EQ(Ask({0xFF, 0xFA, 0x01}), simtest::Concat({0xFF, 0xFA, 0x01, 0x00}, kFirstReading));
    EXPECT_EQ(Ask({0xFF, 0xFC, 0x01}), (Bytes{0xFF, 0xFC, 0x01, 0x05, 0x1E, 0x01}));
    EXPECT_EQ(Ask({0xFF, 0xEA, 0x01}), simtest::Concat({0xFF, 0xEA, 0x01}, GetParam().channel2Limits));
    EXPECT_EQ(Ask({0xFF, 0xF3, 0x02, 0x00}), (Bytes{0xFF, 0xF3, 0x02, 0x00}));
    // Chip clock: the logger's clock at line time 2.6 s.
    EXPECT_EQ(Ask({0xFF, 0xF8, 0x01}), (Bytes{0xFF, 0xF8, 0x01, 0x02, 0x00, 0x09, 0x14, 0x05, 0x18, 0x14}));
    Bytes description = Ask({0xFF, 0xFE, 0x01});
    ASSERT_EQ(description.size(), 99u);
    EXPECT_EQ(FromGbk(std::string(description.begin() + 3, description.begin() + 39)).substr(0, 6), "模拟");

    logger_.SetVoltageState(1);
    EXPECT_EQ(Ask({0xFF, 0xF2, 0x02}), (Bytes{0xFF, 0xF2, 0x02, 0x01, 0x01}));
}

TEST_P(SimRepliesTest, SettingsWritesAreEchoedKeptAndReadBack) {
    // Chip clock 2024-05-20 10:00:00.
    Bytes clock{0xFF, 0xF7, 0x00, 0x00, 0x0A, 0x14, 0x05, 0x18, 0x14};
    EXPECT_EQ(Ask(clock), clock);
    EXPECT_EQ(Ask({0xFF, 0xF8, 0x01}), (Bytes{0xFF, 0xF8, 0x01, 0x00, 0x00, 0x0A, 0x14, 0x05, 0x18, 0x14}));
    // Interval 300 s, sent low byte first, read back high byte first.
    EXPECT_EQ(Ask({0xFF, 0xF1, 0x2C, 0x01}), (Bytes{0xFF, 0xF1, 0x2C, 0x01}));
    EXPECT_EQ(Ask({0xFF, 0xF9, 0x01}), (Bytes{0xFF, 0xF9, 0x01, 0x01, 0x2C}));
    EXPECT_EQ(Ask({0xFF, 0xF3, 0x01}), (Bytes{0xFF, 0xF3, 0x01}));
    EXPECT_EQ(Ask({0xFF, 0xF3, 0x02, 0x00}), (Bytes{0xFF, 0xF3, 0x02, 0x01}));
    EXPECT_EQ(Ask({0xFF, 0xFB, 0x94, 0x32, 0x00}), (Bytes{0xFF, 0xFB, 0x94, 0x32, 0x00}));
    EXPECT_EQ(Ask({0xFF, 0xFC, 0x01}), (Bytes{0xFF, 0xFC, 0x01, 0x94, 0x32, 0x00}));
    EXPECT_EQ(Ask({0xFF, 0xEB, 0x0A, 0x5A}), (Bytes{0xFF, 0xEB, 0x0A, 0x5A}));
    EXPECT_EQ(Ask({0xFF, 0xEA, 0x01}), (Bytes{0xFF, 0xEA, 0x01, 0x0A, 0x5A}));
    // Start time 2024-05-20 10:30:00, starting by itself.
    Bytes start{0xFF, 0xF4, 0x00, 0x1E, 0x0A, 0x14, 0x05, 0x18, 0x14, 0x01};
    EXPECT_EQ(Ask(start), start);
    EXPECT_EQ(Ask({0xFF, 0xFA, 0x01}),
              (Bytes{0xFF, 0xFA, 0x01, 0x01, 0x00, 0x1E, 0x0A, 0x14, 0x05, 0x18, 0x14}));
    EXPECT_EQ(Ask({0xFF, 0xF2, 0x00}), (Bytes{0xFF, 0xF2, 0x00}));
    EXPECT_EQ(Ask({0xFF, 0xF2, 0x02}), (Bytes{0xFF, 0xF2, 0x02, 0x00, 0x00}));

    SimSettings settings = logger_.Settings();
    EXPECT_EQ(settings.interval, 300);
    EXPECT_EQ(settings.stopMode, 1);
    EXPECT_EQ(settings.channel1Lower, 0x94);
    EXPECT_EQ(settings.channel1Upper, 0x32);
    EXPECT_EQ(settings.channel1Enable, 0);
    EXPECT_EQ(settings.channel2Lower, 0x0A);
    EXPECT_EQ(settings.channel2Upper, 0x5A);
    EXPECT_EQ(settings.startFlag, 1);
    EXPECT_EQ(Bytes(settings.startTime.begin(), settings.startTime.end()),
              Bytes(start.begin() + 2, start.end() - 1));
    EXPECT_EQ(settings.recordingState, 0);

    EXPECT_EQ(Ask({0xFF, 0xF2, 0x01}), (Bytes{0xFF, 0xF2, 0x01}));
    EXPECT_EQ(Ask({0xFF, 0xF2, 0x02}), (Bytes{0xFF, 0xF2, 0x02, 0x01, 0x00}));
}

TEST_P(SimRepliesTest, DescriptionWriteEchoesEachPieceAndStoresTheText) {
    std::string text = ToGbk("冷库一号");
    text.resize(36, ' ');
    text += ToGbk("运输途中");
    text.resize(96, ' ');

    EXPECT_EQ(Ask({0xFF, 0xFD}), (Bytes{0xFF, 0xFD}));
    for (std::size_t chunk = 0; chunk < 6; ++chunk) {
        Bytes piece(text.begin() + static_cast<std::ptrdiff_t>(chunk * 16),
                    text.begin() + static_cast<std::ptrdiff_t>(chunk * 16 + 16));
        EXPECT_EQ(Ask(piece), piece) << "chunk " << chunk;
    }
    EXPECT_EQ(logger_.Settings().description, text);
    EXPECT_EQ(Ask({0xFF, 0xFE, 0x01}), simtest::Concat({0xFF, 0xFE, 0x01}, Bytes(text.begin(), text.end())));
    // Back to commands after the sixth chunk.
    EXPECT_EQ(Ask({0xFF, 0xEC, 0x01}), (Bytes{0xFF, 0xEC, 0x01, GetParam().id}));
}

TEST_P(SimRepliesTest, ParameterBlockCarriesEverySettingAtItsOffset) {
    Ask({0xFF, 0xF1, 0x2C, 0x01});
    Ask({0xFF, 0xFB, 0x94, 0x32, 0x01});
    Ask({0xFF, 0xF2, 0x00});
    logger_.SetVoltageState(2);
    Bytes block = Ask({0xFF, 0xE9, 0x01});
    ASSERT_EQ(block.size(), 129u);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 3), (Bytes{0xFF, 0xE9, 0x01}));
    EXPECT_EQ(block[6], 0x00);  // not recording
    EXPECT_EQ(block[7], 0x02);  // voltage state
    EXPECT_EQ(Bytes(block.begin() + 9, block.begin() + 11), (Bytes{0x01, 0x2C}));
    EXPECT_EQ(Bytes(block.begin() + 13, block.begin() + 20), kFirstReading);
    EXPECT_EQ(Bytes(block.begin() + 21, block.begin() + 24), (Bytes{0x94, 0x32, 0x01}));
    std::string description = logger_.Settings().description;
    EXPECT_EQ(std::string(block.begin() + 25, block.begin() + 121), description);
    EXPECT_EQ(Bytes(block.begin() + 122, block.begin() + 125), GetParam().count100);
    EXPECT_EQ(Bytes(block.begin() + 126, block.begin() + 128), GetParam().channel2Limits);
    EXPECT_EQ(block[128], 0xF0);
}

TEST_P(SimRepliesTest, RealtimeFramesComeEveryTwoSecondsUntilEnded) {
    std::int64_t on = now_;
    EXPECT_EQ(Ask({0xFF, 0xF6, 0x01}), (Bytes{0xFF, 0xF6, 0x01}));
    std::vector<Transmission> frames;
    while (auto next = logger_.NextEventMs()) {
        if (*next > on + 10000)
            break;
        logger_.Advance(*next);
        for (auto& piece : logger_.TakeTransmissions())
            frames.push_back(piece);
    }
    ASSERT_EQ(frames.size(), 5u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const Bytes& frame = frames[i].bytes;
        ASSERT_EQ(frame.size(), 6u);
        EXPECT_EQ(frame.front(), GetParam().id);
        EXPECT_EQ(frame.back(), GetParam().id);
        EXPECT_EQ(frames[i].startMs, on + 2000 * static_cast<std::int64_t>(i + 1));
        EXPECT_LT(frame[1] & 0x7F, 50);  // a plausible temperature
        if (GetParam().model == LoggerModel::SingleTemperature) {
            EXPECT_EQ(frame[3], 0);
            EXPECT_EQ(frame[4], 0);
        }
    }
    now_ = on + 10001;
    EXPECT_EQ(Ask({0xFF, 0xF6, 0x00}), (Bytes{0xFF, 0xF6, 0x00}));
    EXPECT_FALSE(logger_.RealtimeOn());
    EXPECT_EQ(Drain(logger_, now_ + 10000), Bytes{});
}

INSTANTIATE_TEST_SUITE_P(
    AllModels, SimRepliesTest,
    ::testing::Values(
        ModelCase{LoggerModel::SingleTemperature, 0xA6, {0x00, 0x00, 0xC8}, {0x00, 0x00}, "Single"},
        ModelCase{LoggerModel::TemperatureHumidity, 0xA7, {0x00, 0x01, 0x90}, {0x14, 0x50}, "Humidity"},
        ModelCase{LoggerModel::DualTemperature, 0xA5, {0x00, 0x01, 0x90}, {0x99, 0x8A}, "Dual"}),
    [](const ::testing::TestParamInfo<ModelCase>& tested) { return tested.param.name; });

}  // namespace
}  // namespace veldrin
