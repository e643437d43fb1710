// Files the reader refuses and histories the writer refuses. A refused file changes nothing in
// the current history; a refused save leaves no file behind.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>

#include "files/DataFile.h"
#include "files/DataFileFields.h"
#include "history/HistoryText.h"
#include "logger/Gbk.h"
#include "tests/PipeUnblocker.h"
#include "tests/files/DataFileTestSupport.h"

namespace veldrin {
namespace {

using test::BuildDataFile;
using test::PlainLongHeader;

const std::string kTitle = std::string(36, ' ');
const std::string kDescription = std::string(60, ' ');
const std::array<std::string, 6> kBothChannels = {"20.00  ", "21.00  ", "20.50  ",
                                                  "-5.00  ", "-4.00  ", "-4.50  "};
const std::array<std::string, 4> kLimits = {"-10.00 ", "40.00  ", "-20.00 ", "10.00  "};

// A dual-temperature file of two samples, with fields to spoil one at a time.
struct FileParts {
    std::array<std::uint8_t, 5> seeds{31, 7, 3, 2, 9};
    std::string type = "15";
    std::string start = "2011 2 3 4 5 6";
    std::string stop = "2011 2 3 4 5 6";
    std::string interval = "60   ";
    std::string count = "4     ";
    std::array<std::string, 6> statistics = kBothChannels;
    std::vector<std::string> segments = {"20.00  -5.00  21.00  -4.00  "};

    std::string Build() const {
        return BuildDataFile(seeds, kTitle, kDescription,
                             PlainLongHeader(type, start, stop, interval, count, statistics, '1', kLimits),
                             segments);
    }
};

class DataFileRefusal : public ::testing::Test {
  protected:
    void SetUp() override {
        current_ = test::MakeHistory(LoggerModel::SingleTemperature, {{1.5F, 0}, {2.5F, 0}}, 1000000000, 60);
        current_.summary.title = "当前历史";
    }

    // Loads `bytes` as a file over the current history and expects a refusal that left it alone.
    void ExpectRefused(const std::string& bytes, const std::string& reasonPart) {
        std::string path = folder_.File("refused.Vdr");
        test::WriteBytes(path, bytes);
        Status result = LoadDataFileInto(path, current_);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.reason.find(reasonPart), std::string::npos) << result.reason;
        EXPECT_EQ(current_.summary.title, "当前历史");
        EXPECT_EQ(current_.model, LoggerModel::SingleTemperature);
        EXPECT_EQ(current_.samples.Count(), 2);
        EXPECT_FLOAT_EQ(current_.samples.Value1(1), 2.5F);
        EXPECT_EQ(SummaryTextsOf(current_).interval, "60s");
        EXPECT_FLOAT_EQ(current_.limits.upper1, 40.0F);
    }

    test::TempFolder folder_;
    HistoryDataSet current_;
};

TEST_F(DataFileRefusal, TheUnspoiltFileLoads) {
    std::string path = folder_.File("good.Vdr");
    test::WriteBytes(path, FileParts{}.Build());
    ASSERT_TRUE(LoadDataFileInto(path, current_).ok);
    EXPECT_EQ(current_.model, LoggerModel::DualTemperature);
    EXPECT_EQ(current_.samples.Count(), 2);
    EXPECT_FLOAT_EQ(current_.samples.Value2(1), -4.0F);
}

TEST_F(DataFileRefusal, LengthsThatDoNotMatchTheHeader) {
    std::string good = FileParts{}.Build();
    ExpectRefused(good.substr(0, 193), "文件不完整：只有 193 字节，少于最短的 194 字节文件头");
    ExpectRefused(good + " ", "文件已损坏：文件头说有 4 个数值（28 字节），其后却有 29 字节");
    ExpectRefused(good.substr(0, good.size() - 7),
                  "文件不完整：文件头说有 4 个数值（28 字节），其后却有 21 字节");
    // A long-form type code in a file too short for the long header.
    ExpectRefused(good.substr(0, 200), "文件不完整：只有 200 字节，少于它的 223 字节文件头");
    ExpectRefused("", "文件不完整：只有 0 字节");
}

TEST_F(DataFileRefusal, TypeCodesOutsideTheSixKnownOnes) {
    FileParts shortUnknown;
    shortUnknown.type = " 8";
    // As a short form the record area starts at 194: the 29 bytes of the long-form fields
    // count as values, which would not even match; make the length right for the short form.
    std::string bytes = shortUnknown.Build();
    ExpectRefused(bytes.substr(0, 194 + 28), "不是 Veldrin 数据文件：未知的仪器类型代码 8");
    FileParts longUnknown;
    longUnknown.type = "25";
    ExpectRefused(longUnknown.Build(), "不是 Veldrin 数据文件：未知的仪器类型代码 25");
}

TEST_F(DataFileRefusal, AThirdSeedOfZeroLeavesNoKey) {
    FileParts parts;
    parts.seeds = {31, 7, 0, 2, 9};
    ExpectRefused(parts.Build(), "不是 Veldrin 数据文件：开头的密钥种子不成立（第三个种子为 0）");
}

TEST_F(DataFileRefusal, CharactersOutsideTheNumericSet) {
    FileParts header;
    header.interval = "6a   ";
    ExpectRefused(header.Build(), "不是 Veldrin 数据文件：文件头解密后不是数字");
    FileParts records;
    records.segments = {"20.00  -5.00  21.a0  -4.00  "};
    ExpectRefused(records.Build(), "文件已损坏：从第 0 个数值起的记录段");
    // A stored byte changed after writing garbles the rest of its segment.
    std::string bytes = FileParts{}.Build();
    bytes[223 + 3] = static_cast<char>(bytes[223 + 3] ^ 0x40);
    ExpectRefused(bytes, "记录段含有不是数字的字符");
}

TEST_F(DataFileRefusal, ChannelAndSampleCountsThatCannotBeRead) {
    FileParts noChannel;
    noChannel.statistics = {"0.00   ", "0.00   ", "0.00   ", "0000000", "0000000", "-0.00  "};
    ExpectRefused(noChannel.Build(), "文件已损坏：两个通道都未启用");

    FileParts odd;
    odd.count = "3     ";
    odd.segments = {"20.00  -5.00  21.00  "};
    ExpectRefused(odd.Build(), "数值的个数却是奇数");

    FileParts tooMany;
    tooMany.type = "16";
    tooMany.count = "100001";
    tooMany.statistics = {"1.00   ", "1.00   ", "1.00   ", "0000000", "0000000", "0000000"};
    std::string segment;
    for (int i = 0; i < 10000; ++i)
        segment += "1.00   ";
    tooMany.segments.assign(10, segment);
    tooMany.segments.push_back("1.00   ");
    ExpectRefused(tooMany.Build(), "100001 条读数");
}

TEST_F(DataFileRefusal, AStartTimeThatIsNoCalendarTime) {
    FileParts parts;
    parts.start = "20111303 4 5 6";
    ExpectRefused(parts.Build(), "开始时间不是有效的日期时间");
}

TEST_F(DataFileRefusal, HeadersAHistoryCouldNotBeSavedWithAgain) {
    // A year before 1000, 30 February, a time that is no number, none at all.
    for (const std::string time : {" 999 2 3 4 5 6", "2011 230 4 5 6", "----  -- -- --", "              "}) {
        FileParts start;
        start.start = time;
        ExpectRefused(start.Build(), "开始时间不是有效的日期时间");
        FileParts stop;
        stop.stop = time;
        ExpectRefused(stop.Build(), "结束时间不是有效的日期时间");
    }

    FileParts backwards;
    backwards.interval = "-60  ";
    ExpectRefused(backwards.Build(), "记录间隔 -60 秒是负数");

    // Statistics that are not 0 but are written as 0.00 would drop the channel's values.
    FileParts tiny;
    tiny.statistics = {"0.004  ", "0.001  ", "0.002  ", "-5.00  ", "-4.00  ", "-4.50  "};
    ExpectRefused(tiny.Build(), "四舍五入为 0.00");
}

TEST_F(DataFileRefusal, APipeADeviceOrAFolderIsRefusedAtOnce) {
    const std::string fifo = folder_.File("waiting.Vdr");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto begun = std::chrono::steady_clock::now();
    Status result;
    {
        test::PipeUnblocker unblocker(fifo);
        result = LoadDataFileInto(fifo, current_);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(3));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("不是普通文件（是管道或设备）"), std::string::npos) << result.reason;
    EXPECT_EQ(current_.samples.Count(), 2);

    DataFileLoad device = LoadDataFile("/dev/zero");
    EXPECT_FALSE(device.result.ok);
    EXPECT_NE(device.result.reason.find("不是普通文件（是管道或设备）"), std::string::npos)
        << device.result.reason;
    DataFileLoad folder = LoadDataFile(folder_.Path());
    EXPECT_FALSE(folder.result.ok);
    EXPECT_NE(folder.result.reason.find("这是一个文件夹"), std::string::npos) << folder.result.reason;
}

// Files put together from fields picked at random out of good and bad ones: whatever loads can be
// saved again, and the saved file loads with the same samples.
TEST_F(DataFileRefusal, EveryFileThatLoadsCanBeSavedAgain) {
    const std::vector<std::string> types = {"15", "16", "17"};
    const std::vector<std::string> times = {"2011 2 3 4 5 6", "20241231235959", "1000 1 1 0 0 0",
                                            " 999 1 1 0 0 0", "2011 230 4 5 6", "----  -- -- --",
                                            "              ", "99991231 0 0 0", "2011 2 324 0 0"};
    const std::vector<std::string> intervals = {"60   ", "0    ", "99999", "-5   ", "   1 ", "--   "};
    const std::vector<std::string> statistics = {"20.00  ", "0.00   ", "-0.00  ", "0.004  ", "127.00 ",
                                                 "-126.00", "0000000", "101.00 ", " -1.00 ", "500.00 "};
    const std::vector<std::string> limits = {"-10.00 ", "40.00  ", "0.00   ", "900.00 ", "-.5    "};
    std::mt19937 random(1234);
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    int loaded = 0;
    for (int round = 0; round < 600; ++round) {
        const std::string type = pick(types);
        std::array<std::string, 6> stats;
        for (std::string& s : stats)
            s = pick(statistics);
        std::array<std::string, 4> limitFields;
        for (std::string& l : limitFields)
            l = pick(limits);
        // The values a reader looks for: one field per sample and channel whose statistics are
        // not all 0 (every field for the single-temperature model).
        auto enabled = [&](int channel) {
            for (int i = 0; i < 3; ++i) {
                if (ParseDecimalField(stats[static_cast<std::size_t>(3 * channel + i)]) != 0)
                    return true;
            }
            return false;
        };
        const int fieldsPerSample = type == "16" ? 1 : enabled(0) + enabled(1);
        const int samples = std::uniform_int_distribution<int>(0, 4)(random);
        std::string segment;
        for (int i = 0; i < samples * fieldsPerSample; ++i)
            segment += pick(statistics);
        char count[7];
        std::snprintf(count, sizeof count, "%-6d", samples * fieldsPerSample);
        const std::string bytes =
            BuildDataFile({31, 7, 3, 2, 9}, kTitle, kDescription,
                          PlainLongHeader(type, pick(times), pick(times), pick(intervals), count, stats,
                                          random() % 2 ? '1' : '0', limitFields),
                          {segment});
        const std::string path = folder_.File("random.Vdr");
        test::WriteBytes(path, bytes);
        DataFileLoad load = LoadDataFile(path);
        if (!load.result.ok)
            continue;
        ++loaded;
        Status saved = WriteDataFile(folder_.File("saved.Vdr"), *load.dataSet);
        ASSERT_TRUE(saved.ok) << "round " << round << ": " << saved.reason;
        DataFileLoad again = LoadDataFile(folder_.File("saved.Vdr"));
        ASSERT_TRUE(again.result.ok) << "round " << round << ": " << again.result.reason;
        ASSERT_EQ(again.dataSet->samples.Count(), load.dataSet->samples.Count()) << "round " << round;
        // Each value as its field reads: clamped and with two decimals.
        auto stored = [](float value) {
            std::string field;
            AppendNumberField(field, ClampSampleForSave(value));
            return static_cast<float>(ParseDecimalField(field));
        };
        for (int i = 0; i < again.dataSet->samples.Count(); ++i) {
            EXPECT_FLOAT_EQ(again.dataSet->samples.Value1(i), stored(load.dataSet->samples.Value1(i)));
            EXPECT_FLOAT_EQ(again.dataSet->samples.Value2(i), stored(load.dataSet->samples.Value2(i)));
        }
        EXPECT_EQ(SummaryTextsOf(*again.dataSet).stopTime, SummaryTextsOf(*load.dataSet).stopTime)
            << "round " << round;
    }
    EXPECT_GT(loaded, 20);
}

TEST_F(DataFileRefusal, MissingFileAndHeaderReaderOnAClosedStream) {
    Status result = LoadDataFileInto(folder_.File("none.Vdr"), current_);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("none.Vdr"), std::string::npos);
    EXPECT_EQ(current_.samples.Count(), 2);

    CCipherFile closed("", 0);
    DataFileHeader header;
    EXPECT_FALSE(ReadDataFileHeader(closed, header).ok);
    EXPECT_EQ(header.kind, 6);
}

class DataFileWriterRefusal : public ::testing::Test {
  protected:
    HistoryDataSet history_ =
        test::MakeHistory(LoggerModel::DualTemperature, {{1, 2}, {3, 4}, {5, 6}}, 1000000000, 60);
    test::TempFolder folder_;

    void ExpectNotWritten(const HistoryDataSet& set, const std::string& reasonPart) {
        Status result = WriteDataFile(folder_.File("out.Vdr"), set);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.reason.find(reasonPart), std::string::npos) << result.reason;
        EXPECT_TRUE(folder_.Entries().empty());
    }
};

TEST_F(DataFileWriterRefusal, NumbersThatDoNotFitTheirFields) {
    HistoryDataSet set = test::MakeHistory(LoggerModel::DualTemperature, {{1, 2}}, 1000000000, 100000);
    ExpectNotWritten(set, "interval of 100000 s");
    set.summary.intervalSeconds = 99999;
    set.summary.dataLengthValue = 1000000;
    ExpectNotWritten(set, "value count");
    set.summary.dataLengthValue = -2;
    ExpectNotWritten(set, "value count");
}

TEST_F(DataFileWriterRefusal, CountsThatTheSamplesCannotFill) {
    HistoryDataSet& set = history_;
    set.shown = {false, false};
    ExpectNotWritten(set, "neither channel");
    set.shown = {true, true};
    set.summary.dataLengthValue = 8;
    ExpectNotWritten(set, "needs more samples");
    set.summary.dataLengthValue = 5;
    ExpectNotWritten(set, "whole samples");
    set.model = LoggerModel::Unknown;
    ExpectNotWritten(set, "no logger model");
}

TEST_F(DataFileWriterRefusal, ASampleThatIsNotANumberStopsTheSave) {
    history_.samples.MutableValues2()[2] = std::nanf("");
    ExpectNotWritten(history_, "sample 2");
    history_.samples.MutableValues2()[2] = 6;
    // A stop time whose text is not a full date and time (a year before 1000).
    history_.summary.stop = MakeLocalTime(999, 9, 9, 0, 0, 0).value();
    ExpectNotWritten(history_, "stop time");
}

}  // namespace
}  // namespace veldrin
