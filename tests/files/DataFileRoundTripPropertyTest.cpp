// Every history Veldrin writes reads back with the same samples: all three models, each channel
// shown or not, values flat at 0.00, flat elsewhere, varying, tiny and beyond what the file holds.
// A channel that reads 0.00 throughout (a probe that is not plugged in) is written without values.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "files/DataFile.h"
#include "files/DataFileFields.h"
#include "history/HistoryText.h"
#include "logger/WireCodec.h"
#include "tests/files/DataFileTestSupport.h"

namespace veldrin {
namespace {

using test::MakeHistory;

enum class Shape { Zero, Flat, Varying, Tiny, Wide };

const char* Name(Shape shape) {
    switch (shape) {
        case Shape::Zero:
            return "zero";
        case Shape::Flat:
            return "flat";
        case Shape::Varying:
            return "varying";
        case Shape::Tiny:
            return "tiny";
        case Shape::Wide:
            return "wide";
    }
    return "?";
}

// Value i of a channel of the given shape; `humidity` keeps it in 0 … 100.
float ValueOf(Shape shape, int i, bool humidity, std::mt19937& random) {
    std::uniform_real_distribution<float> spread(humidity ? 0.0F : -40.0F, humidity ? 100.0F : 60.0F);
    switch (shape) {
        case Shape::Zero:
            return 0.0F;
        case Shape::Flat:
            return humidity ? 55.5F : -12.25F;
        case Shape::Varying:
            return spread(random);
        case Shape::Tiny:  // rounds to 0.00 and -0.00 in the file
            return i % 2 == 0 ? 0.004F : -0.003F;
        case Shape::Wide:  // clamped to 127 and -126 in the file
            return i % 3 == 0 ? 300.0F : (i % 3 == 1 ? -500.0F : 20.0F);
    }
    return 0;
}

// What a value reads back as: its 7-character field.
float Stored(float value) {
    std::string field;
    AppendNumberField(field, ClampSampleForSave(value));
    return static_cast<float>(ParseDecimalField(field));
}

// A history as a download of `model` with the channels `shown` leaves it: a channel that is not
// shown has values and statistics of 0.
HistoryDataSet History(LoggerModel model, std::array<bool, 2> shown, Shape shape1, Shape shape2, int count,
                       std::mt19937& random) {
    const bool humidity = model == LoggerModel::TemperatureHumidity;
    std::vector<std::pair<float, float>> values;
    for (int i = 0; i < count; ++i) {
        values.emplace_back(shown[0] ? ValueOf(shape1, i, false, random) : 0.0F,
                            shown[1] ? ValueOf(shape2, i, humidity, random) : 0.0F);
    }
    HistoryDataSet set = MakeHistory(model, values, test::LocalTime(2023, 12, 31, 23, 59, 0), 30);
    set.shown = shown;
    const int channels = shown[0] + shown[1];
    set.summary.dataLengthValue = count * channels;
    return set;
}

// What the file must give back for `set`: every sample, each value as its field reads, and 0 for
// a channel that has no values in the file.
struct Expected {
    std::vector<float> values1, values2;
    bool anyValue = false;  // a value that does not read 0.00
};
Expected ExpectedOf(const HistoryDataSet& set) {
    Expected e;
    const bool two = set.model != LoggerModel::SingleTemperature;
    for (int i = 0; i < set.samples.Count(); ++i) {
        e.values1.push_back(!two || set.shown[0] ? Stored(set.samples.Value1(i)) : 0.0F);
        e.values2.push_back(two && set.shown[1] ? Stored(set.samples.Value2(i)) : 0.0F);
        e.anyValue = e.anyValue || e.values1.back() != 0 || e.values2.back() != 0;
    }
    return e;
}

TEST(DataFileRoundTripProperty, EverySavedHistoryReadsBackWithTheSameSamples) {
    test::TempFolder folder;
    std::mt19937 random(20240501);
    const Shape shapes[] = {Shape::Zero, Shape::Flat, Shape::Varying, Shape::Tiny, Shape::Wide};
    const std::array<bool, 2> channelChoices[] = {{true, true}, {true, false}, {false, true}};
    int saved = 0;
    int refused = 0;
    for (LoggerModel model :
         {LoggerModel::SingleTemperature, LoggerModel::DualTemperature, LoggerModel::TemperatureHumidity}) {
        const bool two = model != LoggerModel::SingleTemperature;
        for (std::array<bool, 2> shown : channelChoices) {
            if (!two && shown != std::array<bool, 2>{true, false})
                continue;
            // A channel without values has only the one shape.
            const std::vector<Shape> shapes1 = shown[0]
                                                   ? std::vector<Shape>(std::begin(shapes), std::end(shapes))
                                                   : std::vector<Shape>{Shape::Zero};
            const std::vector<Shape> shapes2 = two && shown[1]
                                                   ? std::vector<Shape>(std::begin(shapes), std::end(shapes))
                                                   : std::vector<Shape>{Shape::Zero};
            for (Shape shape1 : shapes1) {
                for (Shape shape2 : shapes2) {
                    // 600 samples, and one run across a segment boundary of 10000 fields.
                    const int count = shape1 == Shape::Varying && shape2 == Shape::Zero ? 10001 : 600;
                    HistoryDataSet set = History(model, shown, shape1, shape2, count, random);
                    const Expected expected = ExpectedOf(set);
                    SCOPED_TRACE(std::string(Traits(model).displayName) + " shown " +
                                 std::to_string(shown[0]) + std::to_string(shown[1]) + " " + Name(shape1) +
                                 "/" + Name(shape2));
                    const std::string path = folder.File("history.Vdr");
                    std::remove(path.c_str());
                    Status result = WriteDataFile(path, set);
                    if (two && shape1 == Shape::Zero && shape2 == Shape::Zero) {
                        EXPECT_FALSE(result.ok) << "the file would hold no sample at all";
                    }
                    if (!result.ok) {
                        // Only a two-channel history of nothing but 0.00 may be refused.
                        EXPECT_TRUE(two && !expected.anyValue) << result.reason;
                        EXPECT_NE(result.reason.find("0.00"), std::string::npos) << result.reason;
                        EXPECT_FALSE(std::filesystem::exists(path));
                        ++refused;
                        continue;
                    }
                    ++saved;

                    DataFileLoad load = LoadDataFile(path);
                    ASSERT_TRUE(load.result.ok) << load.result.reason;
                    const HistoryDataSet& back = *load.dataSet;
                    ASSERT_EQ(back.samples.Count(), count);
                    EXPECT_EQ(back.samples.Time(0), set.samples.Time(0));
                    EXPECT_EQ(back.samples.Time(count - 1), set.samples.Time(count - 1));
                    int wrong = 0;
                    for (int i = 0; i < count && wrong < 3; ++i) {
                        const auto at = static_cast<std::size_t>(i);
                        if (back.samples.Value1(i) != expected.values1[at] ||
                            back.samples.Value2(i) != expected.values2[at]) {
                            ADD_FAILURE() << "sample " << i << " reads " << back.samples.Value1(i) << ", "
                                          << back.samples.Value2(i) << " instead of " << expected.values1[at]
                                          << ", " << expected.values2[at];
                            ++wrong;
                        }
                    }
                    // Saving what was read writes the same file again, but for the new key.
                    ASSERT_TRUE(WriteDataFile(folder.File("again.Vdr"), back).ok);
                    DataFileLoad again = LoadDataFile(folder.File("again.Vdr"));
                    ASSERT_TRUE(again.result.ok) << again.result.reason;
                    EXPECT_EQ(again.dataSet->samples.Count(), count);
                    EXPECT_EQ(again.dataSet->shown, back.shown);
                }
            }
        }
    }
    EXPECT_GT(saved, 50);
    EXPECT_GT(refused, 0);
}

TEST(DataFileRoundTripProperty, AnUnpluggedSecondProbeIsWrittenAsADisabledChannel) {
    test::TempFolder folder;
    std::mt19937 random(7);
    for (LoggerModel model : {LoggerModel::DualTemperature, LoggerModel::TemperatureHumidity}) {
        HistoryDataSet set = History(model, {true, true}, Shape::Varying, Shape::Zero, 600, random);
        const std::string path = folder.File("unplugged.Vdr");
        ASSERT_TRUE(WriteDataFile(path, set).ok);
        // One field a sample: 600 values after the header, not 1200.
        EXPECT_EQ(test::ReadBytes(path).size(), 223U + 600 * 7);
        DataFileLoad load = LoadDataFile(path);
        ASSERT_TRUE(load.result.ok) << load.result.reason;
        EXPECT_EQ(load.header.valueCount, 600);
        EXPECT_EQ(SummaryTextsOf(*load.dataSet).dataLength, "600");
        EXPECT_EQ(SummaryTextsOf(*load.dataSet).enabledChannels, "1");
        ASSERT_EQ(load.dataSet->samples.Count(), 600);
        EXPECT_EQ(load.dataSet->samples.Time(599), set.samples.Time(599)) << "the times keep their spacing";
        EXPECT_FLOAT_EQ(load.dataSet->samples.Value1(1), Stored(set.samples.Value1(1)));
        EXPECT_FLOAT_EQ(load.dataSet->samples.Value2(1), 0.0F);
        // The in-memory history keeps both channels as they were.
        EXPECT_EQ(set.shown, (std::array<bool, 2>{true, true}));
    }
}

TEST(DataFileRoundTripProperty, ZeroStatisticsOverValuesThatAreNotZeroAreRefused) {
    test::TempFolder folder;
    std::mt19937 random(3);
    HistoryDataSet set =
        History(LoggerModel::DualTemperature, {true, true}, Shape::Varying, Shape::Flat, 20, random);
    // Statistics that do not describe the values: writing the channel without values would lose them.
    set.summary.min2 = set.summary.max2 = set.summary.avg2 = 0;
    const std::string path = folder.File("inconsistent.Vdr");
    Status result = WriteDataFile(path, set);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("channel 2"), std::string::npos) << result.reason;
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(DataFileRoundTripProperty, AHiddenChannelIsWrittenWithStatisticsOfZero) {
    test::TempFolder folder;
    std::mt19937 random(5);
    HistoryDataSet set =
        History(LoggerModel::TemperatureHumidity, {true, true}, Shape::Varying, Shape::Varying, 30, random);
    // Humidity unchecked after its statistics were taken: they must not make a reader look for values.
    set.shown = {true, false};
    set.summary.dataLengthValue = 30;
    const std::string path = folder.File("hidden.Vdr");
    ASSERT_TRUE(WriteDataFile(path, set).ok);
    DataFileLoad load = LoadDataFile(path);
    ASSERT_TRUE(load.result.ok) << load.result.reason;
    EXPECT_EQ(load.dataSet->shown, (std::array<bool, 2>{true, false}));
    ASSERT_EQ(load.dataSet->samples.Count(), 30);
    EXPECT_FLOAT_EQ(load.dataSet->samples.Value1(29), Stored(set.samples.Value1(29)));
}

}  // namespace
}  // namespace veldrin
