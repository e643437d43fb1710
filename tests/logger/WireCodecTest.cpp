#include "logger/WireCodec.h"

#include <gtest/gtest.h>

#include <cmath>

#include "logger/CommandFrames.h"
#include "logger/LoggerModel.h"

namespace veldrin {
namespace {

TEST(WireCodec, TemperaturePairsKeepSignAndHundredths) {
    EXPECT_FLOAT_EQ(DecodeTemperaturePair(0x81, 0x32), -1.50f);
    EXPECT_FLOAT_EQ(DecodeTemperaturePair(0x19, 0x05), 25.05f);
    EXPECT_FLOAT_EQ(DecodeTemperaturePair(0x7F, 0x63), 127.99f);
    // The sign bit on a zero magnitude gives plain zero, shown "0.00" and never "-0.00".
    float zero = DecodeTemperaturePair(0x80, 0x00);
    EXPECT_EQ(zero, 0.0f);
    EXPECT_FALSE(std::signbit(zero));
    EXPECT_FLOAT_EQ(DecodeHumidityPair(0x3C, 0x32), 60.50f);
    EXPECT_FLOAT_EQ(DecodeHumidityPair(0x81, 0x00), 129.0f);  // no sign bit for humidity
}

TEST(WireCodec, LimitBytesBothWays) {
    EXPECT_EQ(DecodeLimitByte(0x80, false), 0);
    EXPECT_EQ(DecodeLimitByte(0xFF, false), -127);
    EXPECT_EQ(DecodeLimitByte(0x85, false), -5);
    EXPECT_EQ(DecodeLimitByte(0x1E, false), 30);
    EXPECT_EQ(DecodeLimitByte(0x85, true), 0x85);
    EXPECT_EQ(EncodeTemperatureLimit(-20), 0x94);
    EXPECT_EQ(EncodeTemperatureLimit(50), 0x32);
    EXPECT_EQ(EncodeTemperatureLimit(-127), 0xFF);
    EXPECT_EQ(EncodeTemperatureLimit(-200), 0xFF);
    EXPECT_EQ(EncodeTemperatureLimit(0), 0x00);
    EXPECT_EQ(EncodeTemperatureLimit(300), 300 & 0xFF);
}

TEST(WireCodec, DateTimesValidOnlyInRange) {
    const std::uint8_t good[7] = {5, 4, 3, 2, 1, 24, 20};  // 2024-01-02 03:04:05
    auto decoded = DecodeDateTime(good);
    ASSERT_TRUE(decoded.time.has_value());
    EXPECT_EQ(FormatTime(*decoded.time), "2024-01-02 03:04:05");
    EXPECT_EQ(EncodeDateTime(*decoded.time), (std::array<std::uint8_t, 7>{5, 4, 3, 2, 1, 24, 20}));

    const std::uint8_t month13[7] = {0, 0, 0, 1, 13, 24, 20};
    const std::uint8_t day32[7] = {0, 0, 0, 32, 1, 24, 20};
    const std::uint8_t before2000[7] = {0, 0, 0, 1, 1, 99, 19};
    const std::uint8_t year2050[7] = {0, 0, 0, 1, 1, 50, 20};
    EXPECT_FALSE(DecodeDateTime(month13).time);
    EXPECT_FALSE(DecodeDateTime(day32).time);
    EXPECT_FALSE(DecodeDateTime(before2000).time);
    EXPECT_TRUE(DecodeDateTime(year2050).time);
    EXPECT_FALSE(DecodeDateTime(year2050, 2049).time);
    EXPECT_EQ(DecodeDateTime(month13).raw[4], 13);  // the raw bytes stay
}

TEST(WireCodec, TimeTextStyles) {
    auto time = *MakeLocalTime(2008, 1, 2, 3, 4, 5);
    EXPECT_EQ(FormatTime(time, TimeStyle::ZeroPadded), "2008-01-02 03:04:05");
    EXPECT_EQ(FormatTime(time, TimeStyle::BlankPadded), "2008- 1- 2  3: 4: 5");
    EXPECT_EQ(FormatTime(time, TimeStyle::Realtime), "2008-1-2  3:4:5");
    EXPECT_FALSE(MakeLocalTime(2008, 0, 1, 0, 0, 0));
}

TEST(WireCodec, DaysPastTheMonthsEndAreNoDate) {
    EXPECT_FALSE(MakeLocalTime(2023, 2, 31, 12, 0, 0));
    EXPECT_FALSE(MakeLocalTime(2023, 2, 29, 12, 0, 0));
    EXPECT_FALSE(MakeLocalTime(2024, 4, 31, 0, 0, 0));
    EXPECT_TRUE(MakeLocalTime(2024, 2, 29, 23, 59, 59));
    EXPECT_TRUE(MakeLocalTime(2024, 12, 31, 0, 0, 0));
}

TEST(WireCodec, IntervalAndRecordCount) {
    EXPECT_EQ(DecodeInterval(0x01, 0x2C), 300);
    EXPECT_EQ(IntervalFromClock(18, 12, 15), 65535);
    EXPECT_EQ(IntervalFromClock(23, 59, 59), 65535);
    EXPECT_EQ(IntervalFromClock(0, 0, 0), 1);
    EXPECT_EQ(IntervalFromClock(1, 2, 3), 3723);

    const std::uint8_t c2048[3] = {0x00, 0x08, 0x00};
    EXPECT_EQ(DecodeRecordCount(c2048), 2048u);
    EXPECT_EQ(BlockCountFor(2048), 3);
    EXPECT_EQ(BlockCountFor(0), 1);
    EXPECT_EQ(BlockCountFor(1023), 1);
    const std::uint8_t c299999[3] = {0x04, 0x93, 0xDF};
    const std::uint8_t c300000[3] = {0x04, 0x93, 0xE0};
    EXPECT_EQ(DecodeRecordCount(c299999), 299999u);
    EXPECT_FALSE(DecodeRecordCount(c300000));
    EXPECT_EQ(BlockCountFor(299999), 293);
}

TEST(WireCodec, ModelsFromIdentificationByte) {
    EXPECT_EQ(ModelFromIdentification(0xA5), LoggerModel::DualTemperature);
    EXPECT_EQ(ModelFromIdentification(0xA6), LoggerModel::SingleTemperature);
    EXPECT_EQ(ModelFromIdentification(0xA7), LoggerModel::TemperatureHumidity);
    EXPECT_EQ(ModelFromIdentification(0xA8), LoggerModel::Unknown);
    EXPECT_EQ(Traits(LoggerModel::Unknown).displayName, "  ");
}

TEST(CommandFrames, BlockRequestsAvoidFfAndMarkTheLastBlock) {
    using Pair = std::array<std::uint8_t, 2>;
    EXPECT_EQ(BlockRequestBytes(1, 3), (Pair{0x01, 0x00}));
    EXPECT_EQ(BlockRequestBytes(3, 3), (Pair{0x00, 0x00}));
    EXPECT_EQ(BlockRequestBytes(255, 293), (Pair{0x00, 0x80}));
    EXPECT_EQ(BlockRequestBytes(256, 293), (Pair{0x00, 0x01}));
    EXPECT_EQ(BlockRequestBytes(511, 600), (Pair{0x00, 0x81}));
    EXPECT_EQ(BlockRequestBytes(292, 293), (Pair{0x24, 0x01}));
}

TEST(CommandFrames, FramesCarryTheStagedSettings) {
    LoggerInfo info;
    info.interval = 0x1234;
    info.stopMode = 1;
    info.channel1Alarm = {0, 0, 0x94, 0x32, 1};
    info.channel2Alarm = {0, 0, 0x01, 0x63, 0};
    info.startFlag = 1;
    info.startTime.raw = {1, 2, 3, 4, 5, 26, 20};
    auto now = *MakeLocalTime(2026, 3, 4, 5, 6, 7);
    EXPECT_EQ(BuildFrame(CommandId::SetInterval, info, now), (Bytes{0xFF, 0xF1, 0x34, 0x12}));
    EXPECT_EQ(BuildFrame(CommandId::SetStopMode, info, now), (Bytes{0xFF, 0xF3, 0x01}));
    EXPECT_EQ(BuildFrame(CommandId::SetAlarm, info, now), (Bytes{0xFF, 0xFB, 0x94, 0x32, 0x01}));
    EXPECT_EQ(BuildFrame(CommandId::SetChannel2Alarm, info, now), (Bytes{0xFF, 0xEB, 0x01, 0x63}));
    EXPECT_EQ(BuildFrame(CommandId::SetStartTime, info, now), (Bytes{0xFF, 0xF4, 1, 2, 3, 4, 5, 26, 20, 1}));
    EXPECT_EQ(BuildFrame(CommandId::SetChipClock, info, now), (Bytes{0xFF, 0xF7, 7, 6, 5, 4, 3, 26, 20}));
    EXPECT_EQ(BuildFrame(CommandId::ReadStopMode, info, now), (Bytes{0xFF, 0xF3, 0x02, 0x00}));
    EXPECT_EQ(BuildFrame(CommandId::Sync, info, now), (Bytes{0xFF}));
}

TEST(CommandFrames, DescriptionBlockPadsAndCutsOnCharacterBoundaries) {
    auto block = BuildDescriptionBlock("Title", "0123456789");
    std::string text(block.begin(), block.end());
    EXPECT_EQ(text, "Title" + std::string(31, ' ') + "0123456789" + std::string(50, ' '));

    // 37 GBK bytes of title: the 19th two-byte character would cross byte 36 and is left out.
    std::string longTitle = "a";
    for (int i = 0; i < 18; ++i)
        longTitle += "温";
    block = BuildDescriptionBlock(longTitle, "");
    EXPECT_EQ(block[35], ' ');
    EXPECT_NE(block[34], ' ');
}

}  // namespace
}  // namespace veldrin
