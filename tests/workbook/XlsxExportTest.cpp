// The .xlsx workbook read back cell for cell with openpyxl (tests/workbook/xlsx_cells.py): readings
// as numbers and date-times under titles with their units, the summary sheet with the statistics
// and a chart, one readings sheet per row limit, and a failed save that leaves the old file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/TempFolder.h"
#include "tests/history/ThreeSampleHistory.h"
#include "tests/translations/EnglishForAWhile.h"
#include "tests/workbook/CoreApplication.h"
#include "workbook/Workbook.h"

namespace veldrin {
namespace {

using test::TempFolder;

struct Cell {
    std::string kind;  // "number", "datetime", "text"
    std::string value;
};

struct Sheet {
    std::string name;
    int rows = 0;
    int charts = 0;
    std::map<std::pair<int, int>, Cell> cells;  // (row, column) from 1

    // The cell's value; empty for an empty cell.
    std::string At(int row, int column) const {
        const auto found = cells.find({row, column});
        return found == cells.end() ? std::string() : found->second.value;
    }
    std::string KindAt(int row, int column) const {
        const auto found = cells.find({row, column});
        return found == cells.end() ? std::string() : found->second.kind;
    }
};

struct ReadBack {
    bool skipped = false;
    std::string why;
    std::vector<Sheet> sheets;
};

// Runs the reader script on `path` with the system's Python, which has Debian's openpyxl.
ReadBack ReadXlsx(const std::string& path) {
    ReadBack result;
    const char* source = std::getenv("VELDRIN_SOURCE_DIR");
    const std::string script =
        std::string(source != nullptr ? source : ".") + "/tests/workbook/xlsx_cells.py";
    const std::string command = std::string(VELDRIN_PYTHON) + " '" + script + "' '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        result.skipped = true;
        result.why = "cannot run " + command;
        return result;
    }
    std::string output;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    const int status = pclose(pipe);
    // 77: the script found no openpyxl; 127: the shell found no Python.
    if (WIFEXITED(status) && (WEXITSTATUS(status) == 77 || WEXITSTATUS(status) == 127)) {
        result.skipped = true;
        result.why = output;
        return result;
    }
    EXPECT_EQ(status, 0) << output;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t'))
            fields.push_back(field);
        if (fields.size() == 4 && fields[0] == "sheet") {
            result.sheets.push_back({fields[1], std::stoi(fields[2]), std::stoi(fields[3]), {}});
        } else if (fields.size() == 5 && fields[0] == "cell" && !result.sheets.empty()) {
            result.sheets.back().cells[{std::stoi(fields[1]), std::stoi(fields[2])}] = {fields[3], fields[4]};
        } else {
            ADD_FAILURE() << "unexpected reader output: " << line;
        }
    }
    return result;
}

std::string LocalText(std::time_t time) {
    std::tm parts{};
    localtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

// A temperature-humidity history of `count` readings a minute apart with the alarm on, every
// 50th reading too warm.
HistoryDataSet Generated(int count) {
    HistoryDataSet history = test::ThreeSampleDownload();
    history.summary.title = "冷库一号";
    history.summary.channel1Name = "温度";
    history.summary.channel1Unit = "°C";
    history.summary.channel2Name = "湿度";
    history.summary.channel2Unit = "%RH";
    const std::time_t start = 1714521600;  // 2024-05-01 08:00:00 in Asia/Shanghai
    for (int i = 0; i < count; ++i) {
        const float temperature = i % 50 == 0 ? 26.5F : 20.0F + static_cast<float>(i % 7) * 0.25F;
        history.samples.SetHistorySample(i, temperature, 40.0F + static_cast<float>(i % 11) * 0.1F,
                                         start + 60 * i);
    }
    history.samples.SetCount(count);
    return history;
}

#define SKIP_WITHOUT_OPENPYXL(read) \
    if ((read).skipped)             \
    GTEST_SKIP() << "the workbook cannot be read back: " << (read).why

TEST(XlsxExport, ReadingsAreNumbersAndDateTimesUnderTitlesWithUnitsCellForCell) {
    TempFolder dir;
    const HistoryDataSet history = Generated(120);
    const std::string path = dir.File("readings.xlsx");
    const Status written = ExportXlsx(path, history);
    ASSERT_TRUE(written.ok) << written.reason;
    const ReadBack read = ReadXlsx(path);
    SKIP_WITHOUT_OPENPYXL(read);

    ASSERT_EQ(read.sheets.size(), 2U);
    EXPECT_EQ(read.sheets[0].name, "汇总");
    const Sheet& readings = read.sheets[1];
    EXPECT_EQ(readings.name, "读数1");
    EXPECT_EQ(readings.rows, 121);
    const std::vector<std::string> titles{"索引", "时间", "温度 (°C)", "湿度 (%RH)", "温度报警", "湿度报警"};
    for (int column = 1; column <= 6; ++column)
        EXPECT_EQ(readings.At(1, column), titles[static_cast<std::size_t>(column) - 1]) << column;
    for (int i = 0; i < 120; ++i) {
        const int row = i + 2;
        ASSERT_EQ(readings.KindAt(row, 1), "number") << row;
        EXPECT_EQ(std::stod(readings.At(row, 1)), i);
        ASSERT_EQ(readings.KindAt(row, 2), "datetime") << row;
        EXPECT_EQ(readings.At(row, 2), LocalText(history.samples.Time(i))) << row;
        ASSERT_EQ(readings.KindAt(row, 3), "number") << row;
        // The stored number is the figure shown with two decimals, not the float's binary tail.
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.2f", static_cast<double>(history.samples.Value1(i)));
        EXPECT_EQ(std::stod(readings.At(row, 3)), std::stod(expected)) << row;
        std::snprintf(expected, sizeof expected, "%.2f", static_cast<double>(history.samples.Value2(i)));
        EXPECT_EQ(std::stod(readings.At(row, 4)), std::stod(expected)) << row;
        EXPECT_EQ(readings.At(row, 5), i % 50 == 0 ? "高于上限" : "正常") << row;
        EXPECT_EQ(readings.At(row, 6), "正常") << row;
    }
    EXPECT_EQ(readings.At(122, 1), "") << "nothing after the last reading";
}

TEST(XlsxExport, TheSummarySheetHoldsTheSummaryTheStatisticsAndAChart) {
    TempFolder dir;
    const HistoryDataSet history = Generated(120);
    const std::string path = dir.File("summary.xlsx");
    ASSERT_TRUE(ExportXlsx(path, history).ok);
    const ReadBack read = ReadXlsx(path);
    SKIP_WITHOUT_OPENPYXL(read);
    ASSERT_FALSE(read.sheets.empty());
    const Sheet& summary = read.sheets[0];
    EXPECT_EQ(summary.charts, 1);
    EXPECT_EQ(summary.At(1, 1), "名称");
    EXPECT_EQ(summary.At(1, 2), "值");
    // The summary rows come first, the figures per channel from the row "通道" on (their names
    // repeat some of the summary's: "最大值" there is the stored figure, here the readings').
    std::map<std::string, std::string> named;
    std::map<std::string, std::pair<std::string, std::string>> figures;
    bool inFigures = false;
    for (int row = 2; row <= summary.rows; ++row) {
        inFigures = inFigures || summary.At(row, 1) == "通道";
        if (inFigures)
            figures.emplace(summary.At(row, 1), std::make_pair(summary.At(row, 2), summary.At(row, 3)));
        else
            named.emplace(summary.At(row, 1), summary.At(row, 2));
    }
    EXPECT_EQ(named["标题"], "冷库一号");
    EXPECT_EQ(figures["通道"], std::make_pair(std::string("温度 (°C)"), std::string("湿度 (%RH)")));
    EXPECT_EQ(figures["读数"], std::make_pair(std::string("120"), std::string("120")));
    EXPECT_EQ(figures["最大值"].first, "26.50°C");
    // Readings 0, 50 and 100 are too warm, each an excursion of its own.
    EXPECT_EQ(figures["高于上限次数"], std::make_pair(std::string("3次"), std::string("0次")));
    EXPECT_EQ(figures["低于下限次数"], std::make_pair(std::string("0次"), std::string("0次")));
}

// In °F the readings, their title, the summary's unit and the statistics are converted; the
// humidity, the alarm states and the excursion counts stay.
TEST(XlsxExport, TemperaturesInFahrenheit) {
    TempFolder dir;
    const HistoryDataSet history = Generated(120);
    const std::string path = dir.File("fahrenheit.xlsx");
    ASSERT_TRUE(ExportXlsx(path, history, kXlsxRowsPerSheet, TemperatureUnit::Fahrenheit).ok);
    const ReadBack read = ReadXlsx(path);
    SKIP_WITHOUT_OPENPYXL(read);
    ASSERT_EQ(read.sheets.size(), 2U);
    const Sheet& readings = read.sheets[1];
    EXPECT_EQ(readings.At(1, 3), "温度 (°F)");
    EXPECT_EQ(readings.At(1, 4), "湿度 (%RH)");
    for (int i : {0, 1, 50, 119}) {
        const int row = i + 2;
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.2f", history.samples.Value1(i) * 1.8 + 32);
        EXPECT_EQ(std::stod(readings.At(row, 3)), std::stod(expected)) << row;
        std::snprintf(expected, sizeof expected, "%.2f", static_cast<double>(history.samples.Value2(i)));
        EXPECT_EQ(std::stod(readings.At(row, 4)), std::stod(expected)) << row;
        EXPECT_EQ(readings.At(row, 5), i % 50 == 0 ? "高于上限" : "正常") << row;
    }
    const Sheet& summary = read.sheets[0];
    bool fahrenheitFigure = false;
    for (int row = 2; row <= summary.rows; ++row) {
        if (summary.At(row, 1) == "最大值" && summary.At(row, 2) == "79.70°F")
            fahrenheitFigure = true;
        if (summary.At(row, 1) == "高于上限次数") {
            EXPECT_EQ(summary.At(row, 2), "3次");
        }
    }
    EXPECT_TRUE(fahrenheitFigure) << "26.50 °C";
}

TEST(XlsxExport, ReadingsBeyondTheRowLimitGoOnToFurtherSheets) {
    TempFolder dir;
    const HistoryDataSet history = Generated(10);
    const std::string path = dir.File("split.xlsx");
    // Four rows a sheet: the title row and three readings.
    ASSERT_TRUE(ExportXlsx(path, history, 4).ok);
    const ReadBack read = ReadXlsx(path);
    SKIP_WITHOUT_OPENPYXL(read);
    ASSERT_EQ(read.sheets.size(), 5U);
    int next = 0;
    for (std::size_t s = 1; s < read.sheets.size(); ++s) {
        const Sheet& sheet = read.sheets[s];
        EXPECT_EQ(sheet.name, "读数" + std::to_string(s));
        EXPECT_EQ(sheet.At(1, 3), "温度 (°C)") << "every sheet has its title row";
        for (int row = 2; row <= sheet.rows; ++row) {
            EXPECT_EQ(std::stod(sheet.At(row, 1)), next) << sheet.name << " row " << row;
            EXPECT_EQ(sheet.At(row, 2), LocalText(history.samples.Time(next)));
            ++next;
        }
    }
    EXPECT_EQ(next, 10) << "every reading once, in order";
    EXPECT_EQ(read.sheets[4].rows, 2);

    // Exactly full sheets make no empty one after them.
    ASSERT_TRUE(ExportXlsx(path, Generated(9), 4).ok);
    EXPECT_EQ(ReadXlsx(path).sheets.size(), 4U);
}

TEST(XlsxExport, AHistoryWithoutReadingsStillGetsItsTitlesAndAFailedSaveKeepsTheOldFile) {
    TempFolder dir;
    HistoryDataSet empty = Generated(0);
    const std::string path = dir.File("empty.xlsx");
    ASSERT_TRUE(ExportXlsx(path, empty).ok);
    const ReadBack read = ReadXlsx(path);
    SKIP_WITHOUT_OPENPYXL(read);
    ASSERT_EQ(read.sheets.size(), 2U);
    EXPECT_EQ(read.sheets[1].rows, 1);
    EXPECT_EQ(read.sheets[0].charts, 0);

    const std::string missing = dir.File("no/such/folder/out.xlsx");
    const Status refused = ExportXlsx(missing, Generated(5));
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(std::filesystem::exists(missing));
    const auto before = std::filesystem::file_size(path);
    EXPECT_FALSE(ExportXlsx(path, Generated(5), 1).ok) << "a sheet needs room for a reading";
    EXPECT_EQ(std::filesystem::file_size(path), before) << "the refused save left the old workbook";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "nothing else was left beside it";
}

// One member of the workbook's zip archive as text, read with the system's Python.
std::string ZipMember(const std::string& path, const std::string& member) {
    const std::string command =
        std::string(VELDRIN_PYTHON) +
        " -c 'import sys, zipfile; "
        "sys.stdout.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]).decode())' '" +
        path + "' '" + member + "' 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        pclose(pipe);
    }
    return output;
}

// In English the sheets and the workbook's own titles are English, the chart still finds its
// readings on the renamed sheet, and a refused save says why in English.
TEST(XlsxExport, InEnglishTheSheetsAndTitlesAreEnglish) {
    test::EnsureCoreApplication();
    testing::EnglishForAWhile english;
    ASSERT_TRUE(english.Loaded());
    TempFolder dir;
    const std::string path = dir.File("english.xlsx");
    ASSERT_TRUE(ExportXlsx(path, Generated(10), 6).ok);
    const ReadBack read = ReadXlsx(path);
    SKIP_WITHOUT_OPENPYXL(read);
    ASSERT_EQ(read.sheets.size(), 3U);
    EXPECT_EQ(read.sheets[0].name, "Summary");
    EXPECT_EQ(read.sheets[1].name, "Readings 1");
    EXPECT_EQ(read.sheets[2].name, "Readings 2");
    const Sheet& summary = read.sheets[0];
    EXPECT_EQ(summary.At(1, 1), "Name");
    EXPECT_EQ(summary.At(1, 2), "Value");
    bool statistics = false;
    for (int row = 2; row <= summary.rows; ++row)
        statistics = statistics || summary.At(row, 1) == "Statistics";
    EXPECT_TRUE(statistics);
    EXPECT_EQ(summary.charts, 1);
    EXPECT_NE(ZipMember(path, "xl/charts/chart1.xml").find("'Readings 1'!$B$2:$B$6"), std::string::npos)
        << ZipMember(path, "xl/charts/chart1.xml");
    for (std::size_t s = 1; s < read.sheets.size(); ++s) {
        EXPECT_EQ(read.sheets[s].At(1, 1), "Index");
        EXPECT_EQ(read.sheets[s].At(1, 2), "Time");
    }

    const Status refused = ExportXlsx(path, Generated(5), 1);
    ASSERT_FALSE(refused.ok);
    EXPECT_TRUE(testing::WithChineseCharacters({QString::fromStdString(refused.reason)}).isEmpty())
        << refused.reason;
}

}  // namespace
}  // namespace veldrin
