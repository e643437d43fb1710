// Writing histories as data files and reading them back: the byte layout, the three models,
// texts, segments, clamping and the short form.
#include <gtest/gtest.h>

#include "files/CipherFile.h"
#include "files/DataFile.h"
#include "history/HistoryText.h"
#include "logger/Gbk.h"
#include "logger/WireCodec.h"
#include "tests/files/DataFileTestSupport.h"

namespace veldrin {
namespace {

using test::LocalTime;
using test::MakeHistory;

std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// The plain text of the enciphered header of a written file, deciphered with its own seeds.
std::string PlainHeaderOf(const std::string& bytes) {
    std::array<std::uint8_t, 5> seeds{};
    for (int i = 0; i < 5; ++i) {
        std::string group = bytes.substr(static_cast<std::size_t>(i) * 3, 3);
        for (char& c : group)
            c = static_cast<char>(c ^ 0x6B);
        seeds[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::stoi(group));
    }
    CCipherFile cipher("", 0);
    cipher.key = KeyFromSeeds(seeds).value();
    cipher.position = 111;
    return cipher.DecipherText(bytes.data() + 111, 112, CCipherFile::kChainStart);
}

class DataFileRoundTrip : public ::testing::Test {
  protected:
    test::TempFolder folder_;
    std::time_t start_ = LocalTime(2010, 1, 5, 8, 3, 0);
};

TEST_F(DataFileRoundTrip, DualTemperatureFileIsLaidOutFieldByField) {
    HistoryDataSet set =
        MakeHistory(LoggerModel::DualTemperature, {{25.3F, -5.25F}, {26.1F, -6.0F}}, start_, 300);
    std::string path = folder_.File("dual.Vdr");
    ASSERT_TRUE(WriteDataFile(path, set).ok);
    std::string bytes = test::ReadBytes(path);
    ASSERT_EQ(bytes.size(), 223U + 4 * 7);

    std::string masked = bytes.substr(0, 111);
    for (char& c : masked)
        c = static_cast<char>(c ^ 0x6B);
    EXPECT_EQ(masked.substr(15), Padded(ToGbk("冷库一号"), 36) + Padded(ToGbk("测试记录"), 60));

    // The average of channel 2 is −5.625 exactly; printf rounds the tie to even: −5.62.
    EXPECT_EQ(PlainHeaderOf(bytes),
              "15"
              "20100105080300"
              "20100105080800"
              "300  "
              "4     "
              "25.30  26.10  25.70  -6.00  -5.25  -5.62  "
              "1"
              "-10.00 40.00  20.00  80.00  ");
}

TEST_F(DataFileRoundTrip, EveryModelReadsBackWithPaddedTextsStoredStatisticsAndRebuiltTimes) {
    struct Case {
        LoggerModel model;
        int kind;
        const char* instrument;
        const char* name2;
        const char* unit2;
    };
    for (Case c : {Case{LoggerModel::SingleTemperature, 3, "单温度记录仪", " ", " "},
                   Case{LoggerModel::TemperatureHumidity, 4, "温湿度记录仪", "湿度", "%RH"},
                   Case{LoggerModel::DualTemperature, 5, "双温度记录仪", "温度II", "°C"}}) {
        SCOPED_TRACE(c.instrument);
        HistoryDataSet set =
            MakeHistory(c.model, {{25.3F, 60.5F}, {-1.5F, 61.0F}, {0.0F, 59.99F}}, start_, 300);
        std::string path = folder_.File("history.Vdr");
        ASSERT_TRUE(WriteDataFile(path, set).ok);

        DataFileLoad load = LoadDataFile(path);
        ASSERT_TRUE(load.result.ok) << load.result.reason;
        EXPECT_EQ(load.header.kind, c.kind);
        const HistoryDataSet& back = *load.dataSet;
        EXPECT_EQ(back.model, c.model);
        EXPECT_EQ(back.fileKind, c.kind);
        const HistorySummary& s = back.summary;
        const SummaryTexts texts = SummaryTextsOf(back);
        EXPECT_EQ(s.title, Padded("冷库一号", 12 + 28));
        EXPECT_EQ(ToGbk(s.title).size(), 36U);
        EXPECT_EQ(ToGbk(s.description).size(), 60U);
        EXPECT_EQ(s.instrumentName, c.instrument);
        EXPECT_EQ(s.channel2Name, c.name2);
        EXPECT_EQ(s.channel2Unit, c.unit2);
        EXPECT_EQ(texts.channel1Min, "-1.50  ");
        EXPECT_EQ(texts.channel1Max, "25.30  ");
        EXPECT_FLOAT_EQ(s.max1, 25.3F);
        EXPECT_EQ(texts.startTime, "2010- 1- 5  8: 3: 0");
        EXPECT_EQ(texts.stopTime, "2010- 1- 5  8:13: 0");
        EXPECT_EQ(texts.interval, "300s");
        EXPECT_EQ(back.limits.enable1, 1);
        EXPECT_FLOAT_EQ(back.limits.lower1, -10.0F);
        EXPECT_FLOAT_EQ(back.limits.upper1, 40.0F);

        bool two = c.model != LoggerModel::SingleTemperature;
        EXPECT_EQ(texts.dataLength, two ? "6" : "3");
        EXPECT_EQ(texts.enabledChannels, two ? "2" : "1");
        EXPECT_EQ(texts.channel2Min, two ? "59.99  " : "0000000");
        EXPECT_FLOAT_EQ(back.limits.upper2, two ? 80.0F : 0.0F);

        ASSERT_EQ(back.samples.Count(), 3);
        EXPECT_FLOAT_EQ(back.samples.Value1(1), -1.5F);
        EXPECT_FLOAT_EQ(back.samples.Value2(2), two ? 59.99F : 0.0F);
        EXPECT_EQ(back.samples.Time(2), start_ + 600);
        EXPECT_EQ(SampleTimeText(back, 1), "2010- 1- 5  8: 8: 0");
    }
}

TEST_F(DataFileRoundTrip, TitlesKeepChineseAndTheMaskByteAndAreCutOnCharacterBoundaries) {
    HistoryDataSet set = MakeHistory(LoggerModel::SingleTemperature, {{1.0F, 0}}, start_, 60);
    // "k" is 0x6B, which the mask turns into a zero byte.
    set.summary.title = "kk冷库k";
    set.summary.description = "第一行\r\n第二行\r\n第三行k";
    std::string path = folder_.File("k.Vdr");
    ASSERT_TRUE(WriteDataFile(path, set).ok);
    DataFileLoad load = LoadDataFile(path);
    ASSERT_TRUE(load.result.ok) << load.result.reason;
    // 9 UTF-8 bytes, 7 GBK bytes: 29 blanks of padding.
    EXPECT_EQ(load.dataSet->summary.title, Padded("kk冷库k", 9 + 29));
    EXPECT_EQ(load.header.description, Padded(ToGbk("第一行  第二行\r\n第三行k"), 60));

    // 35 ASCII bytes leave one byte: the two-byte character after them is dropped whole.
    set.summary.title = std::string(35, 'a') + "冷";
    set.summary.description = std::string(59, 'b') + "库";
    ASSERT_TRUE(WriteDataFile(path, set).ok);
    load = LoadDataFile(path);
    ASSERT_TRUE(load.result.ok);
    EXPECT_EQ(load.dataSet->summary.title, std::string(35, 'a') + " ");
    EXPECT_EQ(load.dataSet->summary.description, std::string(59, 'b') + " ");
}

TEST_F(DataFileRoundTrip, OpeningAndSavingAgainKeepsTheFileAsItWas) {
    HistoryDataSet set =
        MakeHistory(LoggerModel::TemperatureHumidity, {{20.0F, 50.0F}, {21.25F, 55.5F}}, start_, 30);
    set.summary.description = "库房\r\n二号";
    std::string first = folder_.File("first.Vdr");
    ASSERT_TRUE(WriteDataFile(first, set).ok);
    HistoryDataSet loaded;
    ASSERT_TRUE(LoadDataFileInto(first, loaded).ok);

    std::string second = folder_.File("second.Vdr");
    ASSERT_TRUE(WriteDataFile(second, loaded, std::time(nullptr) + 3600).ok);
    DataFileLoad again = LoadDataFile(second);
    ASSERT_TRUE(again.result.ok);
    EXPECT_EQ(again.dataSet->summary.description, loaded.summary.description);
    EXPECT_EQ(again.dataSet->summary.title, loaded.summary.title);
    EXPECT_EQ(again.dataSet->summary.start, start_);
    // The loaded times are blank padded ("2010 1 5 8 3 0" in the file instead of
    // "20100105080300"); everything after them is the same.
    EXPECT_EQ(PlainHeaderOf(test::ReadBytes(first)).substr(30),
              PlainHeaderOf(test::ReadBytes(second)).substr(30));
}

TEST_F(DataFileRoundTrip, SegmentsOf10000FieldsRestartTheirChainingWhileThePositionRunsOn) {
    for (int count : {10000, 10001}) {
        std::vector<std::pair<float, float>> values;
        for (int i = 0; i < count; ++i)
            values.emplace_back(static_cast<float>(i % 100) / 4.0F, 0.0F);
        values.back().first = 12.75F;
        HistoryDataSet set = MakeHistory(LoggerModel::SingleTemperature, values, start_, 1);
        std::string path = folder_.File("long.Vdr");
        ASSERT_TRUE(WriteDataFile(path, set).ok);
        std::string bytes = test::ReadBytes(path);
        ASSERT_EQ(bytes.size(), 223U + 7U * static_cast<std::size_t>(count));

        DataFileLoad load = LoadDataFile(path);
        ASSERT_TRUE(load.result.ok) << load.result.reason;
        ASSERT_EQ(load.dataSet->samples.Count(), count);
        EXPECT_FLOAT_EQ(load.dataSet->samples.Value1(count - 1), 12.75F);
        EXPECT_FLOAT_EQ(load.dataSet->samples.Value1(9999), count == 10000 ? 12.75F : 24.75F);

        // The last field on its own: at its file offset, chained from 0x2F when it opens a segment.
        CCipherFile cipher("", 0);
        cipher.key = load.header.key;
        std::size_t offset = bytes.size() - 7;
        cipher.position = static_cast<std::uint32_t>(offset);
        std::string alone = cipher.DecipherText(bytes.data() + offset, 7, CCipherFile::kChainStart);
        if (count == 10001) {
            EXPECT_EQ(alone, "12.75  ");
        } else {
            EXPECT_NE(alone, "12.75  ");
        }
    }
}

TEST_F(DataFileRoundTrip, TwoChannelSamplesNeverStraddleASegment) {
    std::vector<std::pair<float, float>> values;
    for (int i = 0; i < 5001; ++i)
        values.emplace_back(static_cast<float>(i % 50), static_cast<float>(-(i % 30)));
    HistoryDataSet set = MakeHistory(LoggerModel::DualTemperature, values, start_, 10);
    std::string path = folder_.File("two.Vdr");
    ASSERT_TRUE(WriteDataFile(path, set).ok);
    DataFileLoad load = LoadDataFile(path);
    ASSERT_TRUE(load.result.ok) << load.result.reason;
    ASSERT_EQ(load.dataSet->samples.Count(), 5001);
    for (int i : {0, 4999, 5000}) {
        EXPECT_FLOAT_EQ(load.dataSet->samples.Value1(i), static_cast<float>(i % 50)) << i;
        EXPECT_FLOAT_EQ(load.dataSet->samples.Value2(i), static_cast<float>(-(i % 30))) << i;
    }
}

TEST_F(DataFileRoundTrip, ValuesAreClampedInTheFileButNotInMemory) {
    HistoryDataSet set = MakeHistory(LoggerModel::DualTemperature,
                                     {{-200.0F, -150.0F}, {300.0F, 130.0F}, {-126.0F, 127.0F}}, start_, 1);
    set.limits = {-300, 300, -1000, 1000, 0};
    std::string path = folder_.File("clamp.Vdr");
    ASSERT_TRUE(WriteDataFile(path, set).ok);
    EXPECT_FLOAT_EQ(set.samples.Value1(0), -200.0F);
    EXPECT_FLOAT_EQ(set.summary.max1, 300.0F);
    EXPECT_FLOAT_EQ(set.limits.lower2, -1000.0F);

    // Dual temperature: channel 2 statistics take the temperature bounds too.
    EXPECT_EQ(PlainHeaderOf(test::ReadBytes(path)).substr(41),
              "-126.00127.00 -8.67  -126.00127.00 35.67  0-126.00127.00 -126.00127.00 ");
    DataFileLoad load = LoadDataFile(path);
    ASSERT_TRUE(load.result.ok);
    EXPECT_FLOAT_EQ(load.dataSet->samples.Value1(0), -126.0F);
    EXPECT_FLOAT_EQ(load.dataSet->samples.Value1(1), 127.0F);
    EXPECT_FLOAT_EQ(load.dataSet->samples.Value2(2), 127.0F);
    EXPECT_EQ(load.dataSet->limits.enable1, 0);

    // Temperature-humidity: humidity statistics above 100 are written as 101, below 0 as −1.
    HistoryDataSet humid =
        MakeHistory(LoggerModel::TemperatureHumidity, {{20.0F, -5.0F}, {21.0F, 120.0F}}, start_, 1);
    ASSERT_TRUE(WriteDataFile(path, humid).ok);
    EXPECT_EQ(PlainHeaderOf(test::ReadBytes(path)).substr(62, 21), "-1.00  101.00 57.50  ");
}

TEST_F(DataFileRoundTrip, AHiddenChannelIsWrittenWithoutValuesAndReadBackAsDisabled) {
    HistoryDataSet set =
        MakeHistory(LoggerModel::TemperatureHumidity, {{20.0F, 50.0F}, {21.0F, 51.0F}}, start_, 1);
    // Temperature only, as a download with humidity unchecked leaves it.
    set.shown = {true, false};
    set.summary.min2 = set.summary.max2 = set.summary.avg2 = 0;
    set.summary.dataLengthValue = 2;
    std::string path = folder_.File("hidden.Vdr");
    ASSERT_TRUE(WriteDataFile(path, set).ok);
    EXPECT_EQ(test::ReadBytes(path).size(), 223U + 14);
    DataFileLoad load = LoadDataFile(path);
    ASSERT_TRUE(load.result.ok) << load.result.reason;
    EXPECT_EQ(load.dataSet->shown, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(SummaryTextsOf(*load.dataSet).enabledChannels, "1");
    ASSERT_EQ(load.dataSet->samples.Count(), 2);
    EXPECT_FLOAT_EQ(load.dataSet->samples.Value1(1), 21.0F);
    EXPECT_FLOAT_EQ(load.dataSet->samples.Value2(1), 0.0F);
}

TEST_F(DataFileRoundTrip, SomeWrittenBytesAre154AndStillReadBack) {
    std::vector<std::pair<float, float>> values;
    for (int i = 0; i < 300; ++i)
        values.emplace_back(static_cast<float>(i) / 7.0F, 50.0F - static_cast<float>(i) / 9.0F);
    HistoryDataSet set = MakeHistory(LoggerModel::TemperatureHumidity, values, start_, 60);
    int filesWith154 = 0;
    for (int hour = 0; hour < 12; ++hour) {
        std::string path = folder_.File("ctrlz.Vdr");
        ASSERT_TRUE(WriteDataFile(path, set, LocalTime(2023, 5, 6, hour, 17, 41)).ok);
        std::string bytes = test::ReadBytes(path);
        if (bytes.find('\x9A', 111) != std::string::npos)
            ++filesWith154;
        DataFileLoad load = LoadDataFile(path);
        ASSERT_TRUE(load.result.ok) << load.result.reason;
        EXPECT_FLOAT_EQ(load.dataSet->samples.Value2(299), 16.78F);
    }
    EXPECT_GT(filesWith154, 0);
}

TEST_F(DataFileRoundTrip, TimeTextsAreBlankPaddedAcrossMonthsLeapDaysAndYears) {
    // Almost a day apart: every hour, minute and second width and five years of month ends.
    std::vector<std::pair<float, float>> values(2000, {1.0F, 0.0F});
    std::time_t start = LocalTime(2011, 12, 31, 23, 59, 58);
    HistoryDataSet set = MakeHistory(LoggerModel::SingleTemperature, values, start, 86399);
    std::string path = folder_.File("times.Vdr");
    ASSERT_TRUE(WriteDataFile(path, set).ok);
    HistoryDataSet loaded;
    ASSERT_TRUE(LoadDataFileInto(path, loaded).ok);
    ASSERT_EQ(loaded.samples.Count(), 2000);
    for (int i = 0; i < 2000; ++i) {
        std::time_t expected = start + static_cast<std::time_t>(i) * 86399;
        ASSERT_EQ(loaded.samples.Time(i), expected) << i;
        ASSERT_EQ(SampleTimeText(loaded, i), FormatTime(expected, TimeStyle::BlankPadded)) << i;
    }
    EXPECT_EQ(SampleTimeText(loaded, 1), "2012- 1- 1 23:59:57");
    EXPECT_EQ(SampleTimeText(loaded, 60), "2012- 2-29 23:58:58");

    // A shorter file loaded over it leaves nothing of the longer one behind.
    HistoryDataSet small = MakeHistory(LoggerModel::DualTemperature, {{5.0F, 6.0F}}, start_, 60);
    ASSERT_TRUE(WriteDataFile(path, small).ok);
    ASSERT_TRUE(LoadDataFileInto(path, loaded).ok);
    EXPECT_EQ(loaded.model, LoggerModel::DualTemperature);
    ASSERT_EQ(loaded.samples.Count(), 1);
    EXPECT_EQ(SampleTimeText(loaded, 0), "2010- 1- 5  8: 3: 0");
    EXPECT_FLOAT_EQ(loaded.samples.Value2(0), 6.0F);
}

TEST_F(DataFileRoundTrip, ShortFormFileLoadsWithTheAlarmOff) {
    // Type code 7 (temperature-humidity), 83-byte header, records from offset 194.
    std::string plain =
        " 7"
        "2009 3 1 9 0 0"
        "2009 3 1 9 2 0"
        "60   "
        "6     "
        "10.00  12.00  11.00  40.00  45.00  42.50  ";
    std::string file = test::BuildDataFile({12, 34, 5, 6, 7}, Padded(ToGbk("旧文件"), 36), Padded("old", 60),
                                           plain, {"10.00  40.00  11.00  45.00  12.00  42.50  "});
    ASSERT_EQ(file.size(), 194U + 42);
    std::string path = folder_.File("short.Vdr");
    test::WriteBytes(path, file);

    DataFileLoad load = LoadDataFile(path);
    ASSERT_TRUE(load.result.ok) << load.result.reason;
    EXPECT_FALSE(load.header.longForm);
    EXPECT_EQ(load.header.kind, 4);
    const HistoryDataSet& set = *load.dataSet;
    EXPECT_EQ(set.limits.enable1, 0);
    EXPECT_EQ(SummaryTextsOf(set).startTime, "2009- 3- 1  9: 0: 0");
    EXPECT_EQ(SummaryTextsOf(set).stopTime, "2009- 3- 1  9: 2: 0");
    EXPECT_EQ(SummaryTextsOf(set).channel2Avg, "42.50  ");
    ASSERT_EQ(set.samples.Count(), 3);
    EXPECT_FLOAT_EQ(set.samples.Value1(2), 12.0F);
    EXPECT_FLOAT_EQ(set.samples.Value2(2), 42.5F);
    EXPECT_EQ(set.samples.Time(2), LocalTime(2009, 3, 1, 9, 2, 0));
}

}  // namespace
}  // namespace veldrin
