// The record memory: readings taken per interval while recording, a new recording clearing it, a
// programmed start, a full memory, and readings that look like a measured day.
#include <gtest/gtest.h>

#include <algorithm>

#include "logger/WireCodec.h"
#include "sim/SimCurve.h"
#include "sim/SimLogger.h"
#include "tests/sim/SimTestSupport.h"

namespace veldrin {
namespace {

using simtest::Bytes;

std::size_t MemoryAt(SimLogger& logger, std::int64_t nowMs) {
    logger.Advance(nowMs);
    return logger.RecordMemory().size();
}

Bytes StartTimeOf(SimLogger& logger, std::int64_t& nowMs) {
    Bytes reply = simtest::Ask(logger, {0xFF, 0xFA, 0x01}, nowMs);
    return Bytes(reply.begin() + 4, reply.end());
}

Bytes Wire(std::time_t time) {
    auto bytes = EncodeDateTime(time);
    return Bytes(bytes.begin(), bytes.end());
}

TEST(SimRecordingTest, TakesOneReadingPerIntervalWhileRecording) {
    SimLogger logger{simtest::Options(LoggerModel::TemperatureHumidity, 10)};
    EXPECT_EQ(MemoryAt(logger, 0), 40u);
    EXPECT_EQ(MemoryAt(logger, 59999), 40u);
    EXPECT_EQ(MemoryAt(logger, 60000), 44u);
    EXPECT_EQ(MemoryAt(logger, 600000), 80u);

    std::int64_t now = 600500;
    EXPECT_EQ(simtest::Ask(logger, {0xFF, 0xF2, 0x00}, now), (Bytes{0xFF, 0xF2, 0x00}));
    EXPECT_EQ(MemoryAt(logger, 6000000), 80u) << "ended recordings keep their memory";
}

TEST(SimRecordingTest, StartRecordingClearsTheMemoryAndStartsNow) {
    SimLogger logger{simtest::Options(LoggerModel::SingleTemperature, 500)};
    std::int64_t now = 30500;
    simtest::Ask(logger, {0xFF, 0xF2, 0x01}, now);
    EXPECT_EQ(logger.RecordMemory().size(), 2u) << "the first reading at once";
    EXPECT_EQ(StartTimeOf(logger, now), Wire(kSimDefaultClockStart + 30));
    EXPECT_EQ(MemoryAt(logger, 90499), 2u);
    EXPECT_EQ(MemoryAt(logger, 90500), 4u);
}

TEST(SimRecordingTest, ProgrammedStartBeginsByItselfAtItsTime) {
    SimLogger logger{simtest::Options(LoggerModel::DualTemperature, 500)};
    std::int64_t now = 1000;
    simtest::Ask(logger, {0xFF, 0xF2, 0x00}, now);
    Bytes frame{0xFF, 0xF4};
    Bytes at = Wire(kSimDefaultClockStart + 120);
    frame.insert(frame.end(), at.begin(), at.end());
    frame.push_back(0x01);
    simtest::Ask(logger, frame, now);
    EXPECT_EQ(simtest::Ask(logger, {0xFF, 0xF2, 0x02}, now), (Bytes{0xFF, 0xF2, 0x02, 0x00, 0x00}));
    EXPECT_EQ(logger.NextEventMs(), 120000);

    now = 120000;
    EXPECT_EQ(simtest::Ask(logger, {0xFF, 0xF2, 0x02}, now), (Bytes{0xFF, 0xF2, 0x02, 0x01, 0x00}));
    Bytes memory = logger.RecordMemory();
    ASSERT_EQ(memory.size(), 4u);
    auto expected = EncodeChannels(LoggerModel::DualTemperature,
                                   CurveReading(LoggerModel::DualTemperature, kSimDefaultClockStart + 120));
    EXPECT_EQ(memory, Bytes(expected.begin(), expected.end()));
    EXPECT_EQ(StartTimeOf(logger, now), at);

    // A start time already past starts the recording at once.
    Bytes past = Wire(kSimDefaultClockStart - 3600);
    frame = {0xFF, 0xF4};
    frame.insert(frame.end(), past.begin(), past.end());
    frame.push_back(0x01);
    now = 500000;
    simtest::Ask(logger, frame, now);
    EXPECT_EQ(logger.Settings().recordingState, 1);
    EXPECT_EQ(logger.RecordMemory().size(), 4u);
}

TEST(SimRecordingTest, FullMemoryStopsOrDropsItsOldestReadings) {
    const int capacity = static_cast<int>(kSimMemoryCapacityBytes / 2);
    SimLoggerOptions options = simtest::Options(LoggerModel::SingleTemperature, capacity);
    options.interval = 1;
    SimLogger stops{options};
    EXPECT_EQ(MemoryAt(stops, 5000), kSimMemoryCapacityBytes);
    EXPECT_EQ(stops.Settings().recordingState, 0);

    SimLogger cycles{options};
    std::int64_t now = 500;
    Bytes before = cycles.RecordMemory();
    Bytes startBefore = StartTimeOf(cycles, now);
    simtest::Ask(cycles, {0xFF, 0xF3, 0x01}, now);
    EXPECT_EQ(MemoryAt(cycles, 10500), kSimMemoryCapacityBytes);
    EXPECT_EQ(cycles.Settings().recordingState, 1);
    Bytes after = cycles.RecordMemory();
    EXPECT_TRUE(std::equal(before.begin() + 20, before.end(), after.begin())) << "ten readings dropped";
    now = 10500;
    Bytes startAfter = StartTimeOf(cycles, now);
    EXPECT_EQ(startAfter, Wire(kSimDefaultClockStart - capacity + 1 + 10));
    EXPECT_NE(startAfter, startBefore);
}

struct Range {
    int lowest;
    int highest;
};

Range RangeOf(const std::vector<int>& values) {
    auto [low, high] = std::minmax_element(values.begin(), values.end());
    return {*low, *high};
}

TEST(SimRecordingTest, ReadingsLookLikeAMeasuredDayWithAFewExcursions) {
    std::vector<int> room, humidity, freezer;
    for (int minute = 0; minute < 1440; ++minute) {
        std::time_t when = kSimDefaultClockStart + minute * 60;
        room.push_back(CurveReading(LoggerModel::TemperatureHumidity, when).channel1Centi);
        humidity.push_back(CurveReading(LoggerModel::TemperatureHumidity, when).channel2Centi);
        freezer.push_back(CurveReading(LoggerModel::DualTemperature, when).channel2Centi);
    }
    auto above = [](const std::vector<int>& values, int limit) {
        return std::count_if(values.begin(), values.end(), [limit](int value) { return value > limit; });
    };
    auto below = [](const std::vector<int>& values, int limit) {
        return std::count_if(values.begin(), values.end(), [limit](int value) { return value < limit; });
    };
    // Within the ranges the models measure, and mostly within the factory limits …
    EXPECT_GE(RangeOf(room).lowest, -1000);
    EXPECT_LE(RangeOf(room).highest, 4500);
    EXPECT_GE(RangeOf(humidity).lowest, 100);
    EXPECT_LE(RangeOf(humidity).highest, 9900);
    EXPECT_GE(RangeOf(freezer).lowest, -3500);
    EXPECT_LE(RangeOf(freezer).highest, 0);
    // … but a few excursions beyond them: alarms to show, not a wall of them.
    for (auto count : {above(room, 3000), below(room, 500), above(humidity, 8000), above(freezer, -1000),
                       below(freezer, -2500)}) {
        EXPECT_GT(count, 0);
        EXPECT_LT(count, 1440 / 8);
    }
}

}  // namespace
}  // namespace veldrin
