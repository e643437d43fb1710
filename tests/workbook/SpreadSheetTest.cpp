// CSpreadSheet in both modes: the row-text form, backups, commit and rollback, conversion and
// every error text. Workbooks are read back with FreeXL.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "logger/Gbk.h"
#include "tests/TempFolder.h"
#include "tests/workbook/FreeXlReader.h"
#include "workbook/SpreadSheet.h"

namespace veldrin {
namespace {

using test::ReadWithFreeXl;
using test::TempFolder;
using Rows = std::vector<std::vector<std::string>>;

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(XlsSpreadSheet, ModeComesFromTheLowerCasedLastFourCharacters) {
    TempFolder dir;
    EXPECT_TRUE(CSpreadSheet(dir.File("a.XLS"), "s").IsWorksheet());
    EXPECT_TRUE(CSpreadSheet(dir.File("a.xls"), "s").IsWorksheet());
    EXPECT_FALSE(CSpreadSheet(dir.File("a.xlsx"), ";").IsWorksheet());
    EXPECT_FALSE(CSpreadSheet(dir.File("a.csv"), ";").IsWorksheet());
    EXPECT_FALSE(CSpreadSheet(dir.File("xls"), ";").IsWorksheet());
}

TEST(XlsSpreadSheet, DelimitedTextRowsBackupAndRollBack) {
    TempFolder dir;
    const std::string path = dir.File("table.txt");
    {
        CSpreadSheet sheet(path, ";");
        EXPECT_EQ(sheet.GetLastError(), "Error in opening file\n");
        EXPECT_EQ(sheet.GetTotalRows(), 0);
        EXPECT_FALSE(sheet.AddRow({"1"}));
        EXPECT_EQ(sheet.GetLastError(), "No header row. Add header row first\n");
        ASSERT_TRUE(sheet.AddHeaders({"A", "B"}));
        ASSERT_TRUE(sheet.AddRow({"1", "x;y"}));
        ASSERT_TRUE(sheet.AddRow({"", " "}));
        ASSERT_TRUE(sheet.AddRow({"温度", "say \"hi\""}));
        EXPECT_EQ(sheet.GetRowText(1), "\"A\";\"B\"");
        EXPECT_EQ(sheet.GetRowText(2), "\"1\";\"x;y\"");
        EXPECT_EQ(sheet.GetRowText(3), "\"\";\" \"");
        EXPECT_EQ(sheet.GetRowText(4), "\"温度\";\"say \"\"hi\"\"\"");
        EXPECT_TRUE(sheet.GetTransactionStatus());
        ASSERT_TRUE(sheet.Commit()) << sheet.GetLastError();
        EXPECT_FALSE(sheet.GetTransactionStatus());
        EXPECT_FALSE(std::filesystem::exists(path + ".bak")) << "nothing to back up in a new file";
    }
    const std::string written = FileBytes(path);
    EXPECT_EQ(written,
              ToGbk("\"A\";\"B\"\r\n\"1\";\"x;y\"\r\n\"\";\" \"\r\n\"温度\";\"say \"\"hi\"\"\"\r\n"));

    CSpreadSheet again(path, ";");
    EXPECT_TRUE(again.GetBackupStatus());
    EXPECT_EQ(FileBytes(path + ".bak"), written);
    EXPECT_EQ(again.GetTotalRows(), 4);
    EXPECT_EQ(again.GetTotalColumns(), 2);
    std::string cell;
    ASSERT_TRUE(again.ReadCell(cell, "B", 2));
    EXPECT_EQ(cell, "x;y");
    ASSERT_TRUE(again.ReadCell(cell, std::string("B"), 4));
    EXPECT_EQ(cell, "say \"hi\"");
    CSpreadSheet::FieldList column;
    ASSERT_TRUE(again.ReadColumn(column, "A"));
    EXPECT_EQ(column, (CSpreadSheet::FieldList{"1", "", "温度"}));

    ASSERT_TRUE(again.AddCell("changed", "A", 2));
    ASSERT_TRUE(again.ReplaceRows({{"B", "all"}}, {{"A", "温度"}}));
    ASSERT_TRUE(again.Commit());
    ASSERT_TRUE(again.ReadCell(cell, "B", 4));
    EXPECT_EQ(cell, "all");
    ASSERT_TRUE(again.RollBack()) << again.GetLastError();
    ASSERT_TRUE(again.ReadCell(cell, "A", 2));
    EXPECT_EQ(cell, "1");
    ASSERT_TRUE(again.ReadCell(cell, "B", 4));
    EXPECT_EQ(cell, "say \"hi\"");

    // Sequential reading moves the current row.
    CSpreadSheet::FieldList row;
    ASSERT_TRUE(again.ReadRow(row));
    EXPECT_EQ(row, (CSpreadSheet::FieldList{"A", "B"}));
    ASSERT_TRUE(again.ReadRow(row));
    EXPECT_EQ(row, (CSpreadSheet::FieldList{"1", "x;y"}));
    EXPECT_EQ(again.GetCurrentRow(), 3);

    // A file written by another program: unquoted fields, ragged rows.
    const std::string foreign = dir.File("foreign.csv");
    std::ofstream(foreign, std::ios::binary) << "name,value\r\nplain,1,extra\r\n\"quoted, with comma\",2\r\n";
    CSpreadSheet other(foreign, ",", false);
    EXPECT_EQ(other.GetTotalRows(), 3);
    EXPECT_EQ(other.GetTotalColumns(), 3);
    ASSERT_TRUE(other.ReadCell(cell, "name", 3));
    EXPECT_EQ(cell, "quoted, with comma");
    ASSERT_TRUE(other.ReadCell(cell, short{3}, 2));
    EXPECT_EQ(cell, "extra");
    EXPECT_FALSE(std::filesystem::exists(foreign + ".bak"));
}

TEST(XlsSpreadSheet, EveryErrorText) {
    TempFolder dir;
    CSpreadSheet sheet(dir.File("t.csv"), ",");
    auto fails = [&](bool result, const std::string& text) {
        EXPECT_FALSE(result) << text;
        EXPECT_EQ(sheet.GetLastError(), text);
    };
    fails(sheet.AddCell("x", short{1}, 2), "No header row. Add header row first\n");
    fails(sheet.AddHeaders({}), "Problems with adding headers\n");
    fails(sheet.AddHeaders({"A", "B", "A"}), "Duplicate header row field:A\n");
    ASSERT_TRUE(sheet.AddHeaders({"A", "B"}));
    fails(sheet.AddHeaders({"C", "B"}), "Duplicate header row field:B\n");
    ASSERT_TRUE(sheet.AddHeaders({"C"}));
    EXPECT_EQ(sheet.GetTotalColumns(), 3);
    fails(sheet.AddHeaders({"X", "Y"}, true),
          "Number of columns in new header row cannot be less than the number of columns in previous header "
          "row");
    fails(sheet.AddRow({"1", "2", "3", "4"}),
          "Number of columns to be added cannot be greater than the number of fields\n");
    fails(sheet.AddRow({"1"}, 5, true), "Desired row is greater than total number of rows in spreadsheet\n");
    fails(sheet.AddCell("x", short{0}, 2), "Column cannot be zero\n");
    fails(sheet.AddCell("x", short{4}, 2),
          "Cell column to be added cannot be greater than the number of fields\n");
    fails(sheet.AddCell("B", short{1}, 1), "Duplicate header row field:B\n");
    fails(sheet.AddCell("x", "nosuch", 2), "Invalid field name or column alphabet\n");
    fails(sheet.AddCell("x", "A1", 2), "Invalid field name or column alphabet\n");
    ASSERT_TRUE(sheet.AddRow({"1", "2", "3"}));
    CSpreadSheet::FieldList row;
    fails(sheet.ReadRow(row, 3), "Desired row is greater than total number of rows in spreadsheet\n");
    std::string cell;
    fails(sheet.ReadCell(cell, "A", 3), "Error reading row\n");
    fails(sheet.ReadCell(cell, short{0}, 2), "Column cannot be zero\n");
    fails(sheet.ReadColumn(row, short{0}), "Column cannot be zero\n");
    fails(sheet.DeleteSheet(), "Error deleting sheet\n");
    fails(sheet.RollBack(), "Error in returning to previous state\n");

    CSpreadSheet lost(dir.File("no-folder/t.csv"), ",");
    ASSERT_TRUE(lost.AddHeaders({"A"}));
    EXPECT_FALSE(lost.Commit());
    EXPECT_EQ(lost.GetLastError(), "Error writing file\n");

    // Rows inserted inside the table, replaced in place, header renamed through row 1.
    ASSERT_TRUE(sheet.AddRow({"0"}, 2));
    ASSERT_TRUE(sheet.AddRow({"r", "r", "r"}, 3, true));
    ASSERT_TRUE(sheet.AddCell("Z", "C", 1));
    EXPECT_EQ(sheet.GetRowText(1), "\"A\",\"B\",\"Z\"");
    EXPECT_EQ(sheet.GetRowText(2), "\"0\"");
    EXPECT_EQ(sheet.GetRowText(3), "\"r\",\"r\",\"r\"");
    EXPECT_EQ(sheet.GetTotalRows(), 3);
}

TEST(XlsSpreadSheet, ColumnLettersCountLikeTheSheetColumns) {
    TempFolder dir;
    CSpreadSheet sheet(dir.File("t.csv"), ",");
    CSpreadSheet::FieldList names;
    for (int i = 1; i <= 28; ++i)
        names.push_back("f" + std::to_string(i));
    ASSERT_TRUE(sheet.AddHeaders(names));
    ASSERT_TRUE(sheet.AddCell("first", "A", 2));
    ASSERT_TRUE(sheet.AddCell("twenty-sixth", "Z", 2));
    ASSERT_TRUE(sheet.AddCell("twenty-seventh", "AA", 2));
    ASSERT_TRUE(sheet.AddCell("twenty-eighth", "ab", 2));
    std::string cell;
    for (auto [column, text] : {std::pair<short, const char*>{1, "first"},
                                {26, "twenty-sixth"},
                                {27, "twenty-seventh"},
                                {28, "twenty-eighth"}}) {
        ASSERT_TRUE(sheet.ReadCell(cell, column, 2));
        EXPECT_EQ(cell, text);
    }
    EXPECT_FALSE(sheet.AddCell("x", "AC", 2));
    EXPECT_EQ(sheet.GetLastError(), "Cell column to be added cannot be greater than the number of fields\n");
    EXPECT_FALSE(sheet.AddCell("x", "ABC", 2));
    EXPECT_EQ(sheet.GetLastError(), "Invalid field name or column alphabet\n");
}

TEST(XlsSpreadSheet, WorksheetCommitBackupSheetRollBackAndDelete) {
    TempFolder dir;
    const std::string path = dir.File("book.xls");
    {
        CSpreadSheet sheet(path, "汇总");
        EXPECT_EQ(sheet.GetTotalRows(), 0);
        EXPECT_FALSE(std::filesystem::exists(path)) << "no backup of a sheet that does not exist";
        ASSERT_TRUE(sheet.AddHeaders({"名称", "值"}));
        ASSERT_TRUE(sheet.AddRow({"通道单位", "°C"}));
        ASSERT_TRUE(sheet.AddRow({"标题", "it's 50%"}));
        EXPECT_EQ(sheet.GetRowText(2), "\"通道单位\",;.?\"°C\"");
        ASSERT_TRUE(sheet.Commit()) << sheet.GetLastError();
    }
    const Rows table{{"名称", "值"}, {"通道单位", "°C"}, {"标题", "it's 50%"}};
    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.Names(), std::vector<std::string>{"汇总"});
    EXPECT_EQ(read.sheets[0].cells, table);

    // Opening an existing sheet writes the backup sheet into the same workbook first.
    CSpreadSheet sheet(path, "汇总");
    EXPECT_TRUE(sheet.GetBackupStatus());
    EXPECT_EQ(sheet.GetTotalRows(), 3);
    read = ReadWithFreeXl(path);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总", "CSpreadSheetBackup"}));
    EXPECT_EQ(read.sheets[1].cells, table);

    // Commit drops and recreates the sheet in its place; ReplaceRows updates the workbook at once.
    ASSERT_TRUE(sheet.AddCell("°F", "值", 2));
    ASSERT_TRUE(sheet.Commit()) << sheet.GetLastError();
    ASSERT_TRUE(sheet.ReplaceRows({{"值", "新标题"}}, {{"名称", "标题"}})) << sheet.GetLastError();
    read = ReadWithFreeXl(path);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"汇总", "CSpreadSheetBackup"}));
    EXPECT_EQ(read.sheets[0].cells, (Rows{{"名称", "值"}, {"通道单位", "°F"}, {"标题", "新标题"}}));

    ASSERT_TRUE(sheet.RollBack()) << sheet.GetLastError();
    std::string cell;
    ASSERT_TRUE(sheet.ReadCell(cell, "值", 2));
    EXPECT_EQ(cell, "°C");

    // A second session replaces the old backup sheet instead of losing its backup.
    {
        CSpreadSheet later(path, "汇总");
        EXPECT_TRUE(later.GetBackupStatus());
        EXPECT_EQ(ReadWithFreeXl(path).sheets[1].cells,
                  (Rows{{"名称", "值"}, {"通道单位", "°F"}, {"标题", "新标题"}}));
    }

    ASSERT_TRUE(sheet.DeleteSheet()) << sheet.GetLastError();
    EXPECT_EQ(sheet.GetTotalRows(), 0);
    EXPECT_FALSE(sheet.DeleteSheet());
    EXPECT_EQ(sheet.GetLastError(), "Error deleting sheet\n");
    CSpreadSheet gone(path, "汇总");
    EXPECT_EQ(gone.GetTotalRows(), 0);
}

TEST(XlsSpreadSheet, WorksheetFailuresKeepTheWorkbook) {
    TempFolder dir;
    const std::string path = dir.File("book.xls");
    CSpreadSheet noDriver(path, "s", true, std::string("SQL Server\0\0", 12));
    EXPECT_EQ(noDriver.GetExcelDriver(), "");
    ASSERT_TRUE(noDriver.AddHeaders({"a"}));
    EXPECT_FALSE(noDriver.Commit());
    EXPECT_NE(noDriver.GetLastError().find("Data source name not found"), std::string::npos);

    CSpreadSheet sheet(path, "s");
    ASSERT_TRUE(sheet.AddHeaders({"a"}));
    ASSERT_TRUE(sheet.AddRow({"kept"}));
    ASSERT_TRUE(sheet.Commit());
    // A cell the driver refuses (longer than a char(255) field) fails the commit as a whole.
    ASSERT_TRUE(sheet.AddRow({std::string(300, 'x')}));
    EXPECT_FALSE(sheet.Commit());
    EXPECT_NE(sheet.GetLastError().find("too small"), std::string::npos) << sheet.GetLastError();
    EXPECT_EQ(ReadWithFreeXl(path).Sheet("s")->cells, (Rows{{"a"}, {"kept"}}));
}

TEST(XlsSpreadSheet, ConvertBetweenTheFormats) {
    TempFolder dir;
    CSpreadSheet text(dir.File("data.txt"), "\t");
    ASSERT_TRUE(text.AddHeaders({"序号", "温度"}));
    ASSERT_TRUE(text.AddRow({"1", "25.00°C"}));
    ASSERT_TRUE(text.Convert("表")) << text.GetLastError();
    auto read = ReadWithFreeXl(dir.File("data.xls"));
    ASSERT_EQ(read.Names(), std::vector<std::string>{"表"});
    EXPECT_EQ(read.sheets[0].cells, (Rows{{"序号", "温度"}, {"1", "25.00°C"}}));

    CSpreadSheet book(dir.File("data.xls"), "表", false);
    ASSERT_TRUE(book.AddRow({"2", "a;b"}));
    ASSERT_TRUE(book.Convert(";")) << book.GetLastError();
    EXPECT_EQ(FileBytes(dir.File("data.csv")),
              ToGbk("\"序号\";\"温度\"\r\n\"1\";\"25.00°C\"\r\n\"2\";\"a;b\"\r\n"));
}

}  // namespace
}  // namespace veldrin
