// The worksheet export of Save: the summary list and the history alarm list into "汇总1",
// "数据1" and "数据2", read back with FreeXL (and with Gnumeric's ssconvert where it is installed).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "tests/TempFolder.h"
#include "tests/history/ThreeSampleHistory.h"
#include "tests/translations/EnglishForAWhile.h"
#include "tests/workbook/CoreApplication.h"
#include "tests/workbook/FreeXlReader.h"
#include "workbook/Workbook.h"

namespace veldrin {
namespace {

using test::ReadWithFreeXl;
using test::TempFolder;
using Rows = std::vector<std::vector<std::string>>;

// A list as the pages show it: column titles, then the cell texts (a missing cell is empty).
std::unique_ptr<WorksheetList> ListOf(const Rows& rows) {
    auto cells = std::make_shared<Rows>(rows);
    return std::make_unique<WorksheetList>(WorksheetList{
        rows.front(), static_cast<int>(rows.size()) - 1, [cells](int row, int column) {
            const auto& line = (*cells)[static_cast<std::size_t>(row) + 1];
            return static_cast<std::size_t>(column) < line.size() ? line[static_cast<std::size_t>(column)]
                                                                  : std::string();
        }});
}

const Rows kSummary = {{"名称", "值"},     {"标题", "数据测试"}, {"仪表名称", "温湿度记录仪"},
                       {"通道单位", "°C"}, {"通道单位", "%"},    {"记录仪描述", "库房 'A' 区"},
                       {"  ", "  "}};

// An alarm list of a temperature-humidity history: `count` rows, every 7th above the limits.
Rows AlarmRows(int count) {
    Rows rows{{"序号", "时间", "温度", "湿度", "温度报警", "湿度报警"}};
    for (int i = 0; i < count; ++i) {
        const bool alarm = i % 7 == 0;
        char time[32];
        std::snprintf(time, sizeof time, "2024-05-%02d %02d:%02d:%02d", 1 + i / 86400, i / 3600 % 24,
                      i / 60 % 60, i % 60);
        rows.push_back({std::to_string(i + 1), time, alarm ? "30.50°C" : "21.25°C", "55.00%",
                        alarm ? "温度大于25.00°C" : "", ""});
    }
    return rows;
}

std::vector<std::string> Leftovers(const TempFolder& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename());
    return names;
}

TEST(XlsWorksheetExport, SummaryAndAlarmListsBecomeTheTwoTables) {
    TempFolder dir;
    const Rows alarms = AlarmRows(20);
    auto result = ExportWorksheet(dir.File("history"), *ListOf(kSummary), *ListOf(alarms));
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.path, dir.File("history.xls"));

    auto read = ReadWithFreeXl(result.path);
    ASSERT_EQ(read.openCode, FREEXL_OK);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1"}));
    EXPECT_EQ(read.sheets[0].cells, kSummary);
    EXPECT_EQ(read.sheets[1].cells, alarms);
    EXPECT_EQ(Leftovers(dir), std::vector<std::string>{"history.xls"}) << "no temporary files stay behind";
}

TEST(XlsWorksheetExport, SixtyThousandRowsSplitAfterRow50001) {
    TempFolder dir;
    const Rows alarms = AlarmRows(60000);
    auto result = ExportWorksheet(dir.File("big.xls"), *ListOf(kSummary), *ListOf(alarms));
    ASSERT_TRUE(result.written);
    auto read = ReadWithFreeXl(dir.File("big.xls"));
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1", "数据2"}));
    const auto& first = read.sheets[1].cells;
    const auto& second = read.sheets[2].cells;
    ASSERT_EQ(first.size(), 1u + 50001u);
    ASSERT_EQ(second.size(), 1u + 9999u);
    EXPECT_EQ(first.front(), alarms.front());
    EXPECT_EQ(second.front(), alarms.front());
    EXPECT_EQ(first.back(), alarms[50001]);
    EXPECT_EQ(second[1], alarms[50002]);
    EXPECT_EQ(second.back(), alarms.back());
    EXPECT_EQ(second.back()[0], "60000");
}

TEST(XlsWorksheetExport, ExactlyFiftyThousandAndOneRowsFillTheFirstTableAndOpenAnEmptySecond) {
    TempFolder dir;
    for (int rows : {50000, 50001, 50002}) {
        SCOPED_TRACE(rows);
        const Rows alarms = AlarmRows(rows);
        const std::string path = dir.File("edge.xls");
        ASSERT_TRUE(ExportWorksheet(path, *ListOf(kSummary), *ListOf(alarms)).written);
        auto read = ReadWithFreeXl(path);
        if (rows == 50000) {
            EXPECT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1"}));
            continue;
        }
        ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1", "数据2"}));
        EXPECT_EQ(read.sheets[1].cells.size(), 1u + 50001u);
        EXPECT_EQ(read.sheets[1].cells.back(), alarms[50001]);
        // The second table has its column titles, and the rows past the 50001st.
        ASSERT_EQ(read.sheets[2].cells.size(), 1u + static_cast<std::size_t>(rows - 50001));
        EXPECT_EQ(read.sheets[2].cells.front(), alarms.front());
    }
}

TEST(XlsWorksheetExport, NoSamplesWritesOnlyTheSummaryAndTwiceGivesTwoTables) {
    TempFolder dir;
    const std::string path = dir.File("h.xls");
    auto emptyAlarms = ListOf({{"序号", "时间", "温度", "报警"}});
    auto result = ExportWorksheet(path, *ListOf(kSummary), *emptyAlarms);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(ReadWithFreeXl(path).Names(), std::vector<std::string>{"汇总1"});

    ASSERT_TRUE(ExportWorksheet(path, *ListOf(kSummary), *ListOf(AlarmRows(3))).written);
    ASSERT_TRUE(ExportWorksheet(path, *ListOf(kSummary), *ListOf(AlarmRows(5))).written);
    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1"}));
    EXPECT_EQ(read.sheets[1].cells.size(), 6u) << "the second export replaced the first";
}

TEST(XlsWorksheetExport, NoExcelDriverShowsTheMessageForEachListWithRows) {
    TempFolder dir;
    const std::string path = dir.File("h.xls");
    const std::string drivers("SQL Server\0\0", 12);
    auto result = ExportWorksheet(path, *ListOf(kSummary), *ListOf(AlarmRows(2)), drivers);
    EXPECT_FALSE(result.written);
    ASSERT_EQ(result.messages.size(), 2u);
    for (const auto& message : result.messages) {
        EXPECT_EQ(message.text, "没有安装Excel!\n请先安装Excel软件才能使用导出功能!");
        EXPECT_FALSE(message.error);
    }
    EXPECT_FALSE(std::filesystem::exists(path));

    auto emptyAlarms = ListOf({{"序号"}});
    EXPECT_EQ(ExportWorksheet(path, *ListOf(kSummary), *emptyAlarms, drivers).messages.size(), 1u);
}

TEST(XlsWorksheetExport, DriverErrorsAreReportedAndKeepTheEarlierWorkbook) {
    TempFolder dir;
    const std::string path = dir.File("h.xls");
    ASSERT_TRUE(ExportWorksheet(path, *ListOf(kSummary), *ListOf(AlarmRows(4))).written);

    // Titles the driver cannot take twice, and a text too long for a TEXT field.
    auto twice = ListOf({{"温度", "温度"}, {"1", "2"}});
    auto result = ExportWorksheet(path, *ListOf(kSummary), *twice);
    EXPECT_FALSE(result.written);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_TRUE(result.messages[0].error);
    EXPECT_EQ(result.messages[0].text.rfind("文件保存出错\n[Veldrin][Excel Driver]", 0), 0u)
        << result.messages[0].text;
    EXPECT_NE(result.messages[0].text.find("defined twice"), std::string::npos);

    auto tooLong = ListOf({{"描述"}, {std::string(300, 'x')}});
    result = ExportWorksheet(path, *tooLong, *ListOf(AlarmRows(2)));
    EXPECT_FALSE(result.written);
    ASSERT_EQ(result.messages.size(), 1u) << "the export stops at the first failure";
    EXPECT_NE(result.messages[0].text.find("too small"), std::string::npos);

    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1"}));
    EXPECT_EQ(read.sheets[1].cells.size(), 5u);
    EXPECT_EQ(Leftovers(dir), std::vector<std::string>{"h.xls"});

    result = ExportWorksheet(dir.File("no-folder/h.xls"), *ListOf(kSummary), *ListOf(AlarmRows(2)));
    EXPECT_FALSE(result.written);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text.rfind("文件保存出错\n", 0), 0u);
}

TEST(XlsWorksheetExport, TitlesAndTextsWithQuotesSpacesAndBrackets) {
    TempFolder dir;
    const Rows odd = {{"温度 I", "it's", "[x]", "a,b"}, {"O'Brien", "''", "]]", "\"q\""}};
    auto result = ExportWorksheet(dir.File("odd.xls"), *ListOf(kSummary), *ListOf(odd));
    ASSERT_TRUE(result.written) << (result.messages.empty() ? "" : result.messages[0].text);
    EXPECT_EQ(ReadWithFreeXl(dir.File("odd.xls")).Sheet("数据1")->cells, odd);
}

TEST(XlsWorksheetExport, WorkbookPathGetsTheExtensionUnlessItIsXls) {
    EXPECT_EQ(WorksheetExportPath("/d/h"), "/d/h.xls");
    EXPECT_EQ(WorksheetExportPath("/d/h.xls"), "/d/h.xls");
    EXPECT_EQ(WorksheetExportPath("/d/h.XLS"), "/d/h.XLS.xls");
    EXPECT_EQ(WorksheetExportPath("/d/h.xlc"), "/d/h.xlc.xls");
    EXPECT_EQ(WorksheetExportPath("/d.xls/h"), "/d.xls/h.xls");
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The CSV that ssconvert writes for plain text cells: fields with a comma, quote or space quoted.
std::string ExpectedCsv(const Rows& rows) {
    std::string csv;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string& field = row[c];
            const bool quote = field.find_first_of(",\" \n") != std::string::npos;
            if (c)
                csv += ',';
            if (!quote) {
                csv += field;
                continue;
            }
            csv += '"';
            for (char ch : field)
                csv += ch == '"' ? std::string("\"\"") : std::string(1, ch);
            csv += '"';
        }
        csv += '\n';
    }
    return csv;
}

TEST(XlsWorksheetExport, GnumericReadsTheSameWorkbook) {
    const char* ssconvert = "/usr/bin/ssconvert";
    if (!std::filesystem::exists(ssconvert))
        GTEST_SKIP() << "ssconvert is not installed";
    TempFolder dir;
    const Rows alarms = AlarmRows(300);
    ASSERT_TRUE(ExportWorksheet(dir.File("g.xls"), *ListOf(kSummary), *ListOf(alarms)).written);
    const std::string command = std::string(ssconvert) + " -S '" + dir.File("g.xls") + "' '" +
                                dir.File("g-%n.csv") + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadText(dir.File("g-0.csv")), ExpectedCsv(kSummary));
    EXPECT_EQ(ReadText(dir.File("g-1.csv")), ExpectedCsv(alarms));
}

TEST(XlsWorksheetExport, TheRecordGivesTheSummaryPageAndTheAlarmListAsListed) {
    TempFolder dir;
    HistoryDataSet history = test::ThreeSampleDownload();
    auto result = ExportWorksheet(dir.File("record.xls"), history, history.model, true);
    ASSERT_TRUE(result.written);
    auto read = ReadWithFreeXl(result.path);
    ASSERT_EQ(read.openCode, FREEXL_OK);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1"}));
    const Rows& summary = read.sheets[0].cells;
    ASSERT_EQ(summary.size(), 21u) << "the title row and the page's twenty rows";
    EXPECT_EQ(summary[0], (std::vector<std::string>{"名称", "值"}));
    EXPECT_EQ(summary[1], (std::vector<std::string>{"标题", "数据测试"}));
    EXPECT_EQ(summary[20], (std::vector<std::string>{"记录仪描述", ""}))
        << "the two-channel layout fills all";
    EXPECT_EQ(read.sheets[1].cells,
              (Rows{{"序号", "时间", "温度", "湿度", "温度报警", "湿度报警"},
                    {"1", "2010-01-05 08:03:00", "20.00°C", "85.25%", "", "湿度大于80.00%"},
                    {"2", "2010-01-05 08:04:00", "30.00°C", "50.00%", "温度大于25.00°C", ""},
                    {"3", "2010-01-05 08:05:00", "25.00°C", "10.00%", "", "湿度小于20.00%"}}));

    // Alarm texts off: the alarm columns stay, blank.
    result = ExportWorksheet(dir.File("quiet.xls"), history, history.model, false);
    ASSERT_TRUE(result.written);
    read = ReadWithFreeXl(result.path);
    ASSERT_EQ(read.sheets.size(), 2u);
    EXPECT_EQ(read.sheets[1].cells[2],
              (std::vector<std::string>{"2", "2010-01-05 08:04:00", "30.00°C", "50.00%", "", ""}));

    // Neither channel shown: the history lists nothing, only the summary goes in.
    history.shown = {false, false};
    result = ExportWorksheet(dir.File("unlisted.xls"), history, history.model, true);
    ASSERT_TRUE(result.written);
    read = ReadWithFreeXl(result.path);
    EXPECT_EQ(read.Names(), std::vector<std::string>{"汇总1"});
}

// In °F the temperatures of both tables convert: the summary's unit and figures (20, 30 and 25 °C:
// 68, 86 and 77 °F), the alarm list's readings and the 25 °C limit its alarm text names (77 °F);
// humidity stays in %.
TEST(XlsWorksheetExport, InFahrenheitEveryTemperatureConverts) {
    TempFolder dir;
    HistoryDataSet history = test::ThreeSampleDownload();
    history.summary.channel1Unit = "°C";
    history.summary.min1 = 20;
    history.summary.max1 = 30;
    history.summary.avg1 = 25;
    auto result = ExportWorksheet(dir.File("fahrenheit.xls"), history, history.model, true,
                                  TemperatureUnit::Fahrenheit);
    ASSERT_TRUE(result.written);
    auto read = ReadWithFreeXl(result.path);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总1", "数据1"}));
    std::vector<std::string> summaryValues;
    for (const auto& row : read.sheets[0].cells)
        summaryValues.push_back(row.at(1));
    for (const char* expected : {"°F", "68.00°F", "86.00°F", "77.00°F"}) {
        EXPECT_NE(std::find(summaryValues.begin(), summaryValues.end(), expected), summaryValues.end())
            << expected;
    }
    for (const std::string& value : summaryValues)
        EXPECT_EQ(value.find("°C"), std::string::npos) << value;
    const Rows& alarms = read.sheets[1].cells;
    ASSERT_EQ(alarms.size(), 4u);
    EXPECT_EQ(alarms[1], (std::vector<std::string>{"1", "2010-01-05 08:03:00", "68.00°F", "85.25%", "",
                                                   "湿度大于80.00%"}));
    EXPECT_EQ(alarms[2], (std::vector<std::string>{"2", "2010-01-05 08:04:00", "86.00°F", "50.00%",
                                                   "温度大于77.00°F", ""}));
    EXPECT_EQ(alarms[3], (std::vector<std::string>{"3", "2010-01-05 08:05:00", "77.00°F", "10.00%", "",
                                                   "湿度小于20.00%"}));
}

// In English the tables are named in English and the messages are English; the cells are the
// lists' texts as given.
TEST(XlsWorksheetExport, InEnglishTheTablesAndMessagesAreEnglish) {
    test::EnsureCoreApplication();
    testing::EnglishForAWhile english;
    ASSERT_TRUE(english.Loaded());
    TempFolder dir;
    const std::string path = dir.File("english.xls");
    const Rows alarms = AlarmRows(60000);
    auto result = ExportWorksheet(path, *ListOf(kSummary), *ListOf(alarms));
    ASSERT_TRUE(result.written);
    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"Summary1", "Data1", "Data2"}));
    EXPECT_EQ(read.sheets[0].cells, kSummary);

    auto twice = ListOf({{"温度", "温度"}, {"1", "2"}});
    result = ExportWorksheet(path, *ListOf(kSummary), *twice);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_TRUE(result.messages[0].error);
    const QString failure = QString::fromStdString(result.messages[0].text);
    EXPECT_TRUE(failure.contains(QStringLiteral("defined twice"))) << failure.toStdString();
    EXPECT_TRUE(testing::WithChineseCharacters({failure.section(QLatin1Char('\n'), 0, 0)}).isEmpty())
        << failure.toStdString();

    const std::string drivers("SQL Server\0\0", 12);
    result = ExportWorksheet(path, *ListOf(kSummary), *ListOf(AlarmRows(2)), drivers);
    ASSERT_EQ(result.messages.size(), 2u);
    for (const auto& message : result.messages) {
        EXPECT_NE(message.text.find("Excel"), std::string::npos) << message.text;
        EXPECT_TRUE(testing::WithChineseCharacters({QString::fromStdString(message.text)}).isEmpty())
            << message.text;
    }
}

}  // namespace
}  // namespace veldrin
