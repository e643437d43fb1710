// The text export against golden files written by hand from the layout rules (GBK, CR LF).
#include <gtest/gtest.h>

#include "files/LineFile.h"
#include "files/TextExport.h"
#include "logger/Gbk.h"
#include "tests/files/DataFileTestSupport.h"

namespace veldrin {
namespace {

using test::Golden;
using test::LocalTime;

// A single-temperature history as a download leaves it; the last sample's time is one whose
// text is longer than the 15 characters of its column.
HistoryDataSet OneChannelHistory() {
    HistoryDataSet set;
    set.model = LoggerModel::SingleTemperature;
    HistorySummary& s = set.summary;
    s.title = "冷库一号";
    s.instrumentName = "单温度记录仪";
    s.source = SummarySource::Download;
    s.enabledChannelCount = 1;
    s.dataLengthValue = 3;
    s.start = LocalTime(2010, 1, 5, 8, 3, 0);
    s.stop = LocalTime(2012, 10, 25, 14, 30, 5);
    s.intervalSeconds = 300;
    s.min1 = -1.5F;
    s.max1 = 25.3F;
    s.avg1 = 11.9F;
    s.description = "第一行\r\n第二行\r\n第三行";
    set.samples.SetHistorySample(0, 25.3F, 0, LocalTime(2010, 1, 5, 8, 3, 0));
    set.samples.SetHistorySample(1, -1.5F, 0, LocalTime(2010, 1, 5, 8, 8, 0));
    set.samples.SetHistorySample(2, 11.9F, 0, LocalTime(2012, 10, 25, 14, 30, 5));
    return set;
}

// A temperature-humidity history as a data file leaves it: stored 7-character statistics,
// blank-padded time texts, the unit "%RH".
HistoryDataSet TwoChannelHistory() {
    HistoryDataSet set;
    set.model = LoggerModel::TemperatureHumidity;
    set.shown = {true, true};
    HistorySummary& s = set.summary;
    s.title = "仓库A";
    s.instrumentName = "温湿度记录仪";
    s.source = SummarySource::DataFile;
    s.enabledChannelCount = 2;
    s.dataLengthValue = 4;
    s.start = LocalTime(2010, 1, 5, 8, 3, 0);
    s.storedStopFields = {2010, 1, 5, 8, 8, 0};
    s.intervalSeconds = 300;
    s.channel2Unit = "%RH";
    s.storedStatistics = {"-1.50  ", "25.30  ", "11.90  ", "60.50  ", "61.00  ", "60.75  "};
    s.description = "库房";
    set.samples.SetHistorySample(0, 25.3F, 60.5F, LocalTime(2010, 1, 5, 8, 3, 0));
    set.samples.SetHistorySample(1, -1.5F, 61.0F, LocalTime(2010, 1, 5, 8, 8, 0));
    return set;
}

TEST(TextExport, OneChannelLayoutMatchesTheGoldenFile) {
    test::TempFolder folder;
    std::string path = folder.File("one.txt");
    ASSERT_TRUE(WriteTextExport(path, OneChannelHistory()).ok);
    EXPECT_EQ(test::ReadBytes(path), Golden("textexport_one_channel.txt"));
}

TEST(TextExport, TwoChannelLayoutMatchesTheGoldenFile) {
    test::TempFolder folder;
    std::string path = folder.File("two.txt");
    ASSERT_TRUE(WriteTextExport(path, TwoChannelHistory()).ok);
    EXPECT_EQ(test::ReadBytes(path), Golden("textexport_two_channel.txt"));
}

TEST(TextExport, TheLayoutFollowsTheHistorysOwnModel) {
    EXPECT_EQ(TextLayoutFor(LoggerModel::SingleTemperature), TextLayout::OneChannel);
    EXPECT_EQ(TextLayoutFor(LoggerModel::Unknown), TextLayout::OneChannel);
    EXPECT_EQ(TextLayoutFor(LoggerModel::TemperatureHumidity), TextLayout::TwoChannel);
    EXPECT_EQ(TextLayoutFor(LoggerModel::DualTemperature), TextLayout::TwoChannel);

    // A dual-temperature history keeps its second channel with no logger attached.
    HistoryDataSet dual = TwoChannelHistory();
    dual.model = LoggerModel::DualTemperature;
    dual.summary.channel1Name = "温度I";
    dual.summary.channel2Name = "温度II";
    dual.summary.channel2Unit = "°C";
    std::string text = FromGbk(BuildTextExport(dual));
    EXPECT_NE(text.find("通道名称:温度II\r\n"), std::string::npos);
    EXPECT_NE(text.find("序号   时间\t              温度I            温度II\r\n"), std::string::npos);
    EXPECT_NE(text.find("2      2010- 1- 5  8: 8: 0     -1.50°C     61.00°C\r\n"), std::string::npos);
}

TEST(TextExport, AnEmptyHistoryGivesTheHeaderAndTheHeadingOnly) {
    HistoryDataSet one = OneChannelHistory();
    one.samples.Reset();
    std::string text = FromGbk(BuildTextExport(one));
    EXPECT_TRUE(text.ends_with("第三行\r\n序号\t时间\t\t    温度(°C)\r\n")) << text;

    HistoryDataSet two = TwoChannelHistory();
    two.samples.Reset();
    EXPECT_TRUE(FromGbk(BuildTextExport(two)).ends_with("温度            湿度\r\n"));
}

TEST(TextExport, ExportingTwiceReplacesTheFirstFile) {
    test::TempFolder folder;
    std::string path = folder.File("again.txt");
    ASSERT_TRUE(WriteTextExport(path, TwoChannelHistory()).ok);
    ASSERT_TRUE(WriteTextExport(path, OneChannelHistory()).ok);
    EXPECT_EQ(test::ReadBytes(path), Golden("textexport_one_channel.txt"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"again.txt"});
}

TEST(LineFile, WritesEveryLineWithCarriageReturnAndLineFeedToThePathOrFolderAndName) {
    test::TempFolder folder;
    CLineFile lines;
    lines.Add("a");
    lines.Add("");
    lines.Add("b\tc");
    ASSERT_TRUE(lines.WriteLines(folder.Path(), "named.txt", "").ok);
    EXPECT_EQ(test::ReadBytes(folder.File("named.txt")), "a\r\n\r\nb\tc\r\n");
    ASSERT_TRUE(lines.WriteLines("/nonexistent", "ignored.txt", folder.File("full.txt")).ok);
    EXPECT_EQ(test::ReadBytes(folder.File("full.txt")), "a\r\n\r\nb\tc\r\n");
}

}  // namespace
}  // namespace veldrin
