// The worksheet driver: connect strings, the driver list, the statements the spreadsheet class and
// the export build, and the driver errors of everything else. Workbooks are checked with FreeXL.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/TempFolder.h"
#include "tests/workbook/FreeXlReader.h"
#include "workbook/WorksheetDriver.h"

namespace veldrin {
namespace {

using test::ReadWithFreeXl;
using test::TempFolder;

std::string ConnectText(const std::string& path) {
    return "DRIVER={" + std::string(kWorksheetDriverName) +
           "};DSN='';FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=\"" + path + "\";DBQ=" + path;
}

void Execute(WorksheetConnection& connection, const std::string& sql) {
    auto status = connection.ExecuteSql(sql);
    ASSERT_TRUE(status.ok) << sql << "\n" << status.reason;
}

std::vector<std::vector<std::string>> SelectAll(WorksheetConnection& connection, const std::string& table) {
    WorksheetRecordSet records;
    auto status = records.Open(connection, "SELECT * FROM [" + table + "$A1:IV65536]");
    EXPECT_TRUE(status.ok) << status.reason;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> names;
    for (std::size_t f = 0; f < records.GetFieldCount(); ++f)
        names.push_back(records.GetFieldName(f));
    rows.push_back(names);
    for (; !records.IsEof(); records.MoveNext()) {
        std::vector<std::string> row;
        for (std::size_t f = 0; f < records.GetFieldCount(); ++f)
            row.push_back(records.GetFieldValue(f));
        rows.push_back(row);
    }
    return rows;
}

TEST(XlsWorksheetDriver, ConnectStringsAndTheInstalledDriverList) {
    WorksheetConnectOptions options;
    ASSERT_TRUE(ParseWorksheetConnectString(ConnectText("/tmp/a b.xls"), options).ok);
    EXPECT_EQ(options.driver, kWorksheetDriverName);
    EXPECT_EQ(options.dsn, "");
    EXPECT_TRUE(options.firstRowHasNames);
    EXPECT_FALSE(options.readOnly);
    EXPECT_EQ(options.createDb, "/tmp/a b.xls");
    EXPECT_EQ(options.dbq, "/tmp/a b.xls");

    // A path with ';' or quotes survives the connect text the program builds.
    const std::string odd = "/tmp/x;y\"z}.xls";
    ASSERT_TRUE(ParseWorksheetConnectString(WorksheetConnectText(kWorksheetDriverName, odd), options).ok);
    EXPECT_EQ(options.createDb, odd);
    EXPECT_EQ(options.dbq, odd);
    EXPECT_FALSE(ParseWorksheetConnectString("DRIVER={x;DBQ=y", options).ok);
    EXPECT_FALSE(ParseWorksheetConnectString("DRIVER={x};garbage;DBQ=y", options).ok);
    ASSERT_TRUE(ParseWorksheetConnectString("dbq=a.xls; readonly=1 ;FirstRowHasNames=0", options).ok);
    EXPECT_TRUE(options.readOnly);
    EXPECT_FALSE(options.firstRowHasNames);

    EXPECT_NE(FindExcelDriver(InstalledDriverList()).find("Excel"), std::string::npos);
    using namespace std::string_literals;
    EXPECT_EQ(FindExcelDriver("SQL Server\0Microsoft Excel Driver (*.xls)\0Excel 2\0\0"s),
              "Microsoft Excel Driver (*.xls)");
    EXPECT_EQ(FindExcelDriver("SQL Server\0Microsoft Access Driver (*.mdb)\0\0"s), "");
    EXPECT_EQ(FindExcelDriver("\0Excel\0\0"s), "") << "the list ends at the first empty name";
    EXPECT_EQ(FindExcelDriver(""), "");
}

TEST(XlsWorksheetDriver, OpenNeedsTheDriverAndAReadableOrCreatableWorkbook) {
    TempFolder dir;
    WorksheetConnection connection;
    auto status = connection.OpenEx("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + dir.File("a.xls"));
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("Data source name not found"), std::string::npos) << status.reason;

    status = connection.OpenEx("DRIVER={" + std::string(kWorksheetDriverName) +
                               "};DBQ=" + dir.File("missing.xls"));
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("Could not find file"), std::string::npos) << status.reason;

    const std::string garbage = dir.File("garbage.xls");
    std::ofstream(garbage) << "not a workbook";
    EXPECT_FALSE(connection.OpenEx(ConnectText(garbage)).ok);
    EXPECT_FALSE(connection.IsOpen());

    // CREATE_DB: a workbook that does not exist yet is created once it holds a table.
    const std::string path = dir.File("new.xls");
    ASSERT_TRUE(connection.OpenEx(ConnectText(path)).ok);
    ASSERT_TRUE(connection.Close().ok);
    EXPECT_FALSE(std::filesystem::exists(path)) << "a workbook without any sheet is not written";
    ASSERT_TRUE(connection.OpenEx(ConnectText(path)).ok);
    Execute(connection, "CREATE TABLE [汇总$A1:IV65536] ([名称] char(255), [值] char(255))");
    ASSERT_TRUE(connection.Close().ok);
    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.openCode, FREEXL_OK);
    EXPECT_EQ(read.Names(), std::vector<std::string>{"汇总"});
    EXPECT_EQ(read.sheets[0].cells, (std::vector<std::vector<std::string>>{{"名称", "值"}}));
}

TEST(XlsWorksheetDriver, StatementsOfTheSpreadsheetClassAndTheExport) {
    TempFolder dir;
    const std::string path = dir.File("book.xls");
    WorksheetConnection connection;
    ASSERT_TRUE(connection.OpenEx(ConnectText(path)).ok);
    // The export's form: bare names, TEXT columns, spaces everywhere.
    Execute(connection, "CREATE TABLE 数据1 (  序号 TEXT,  时间 TEXT,  温度 TEXT ) ");
    Execute(connection,
            "INSERT INTO 数据1 ( 序号 ,  时间 ,  温度 ) VALUES( '1' ,  '2024-05-01 08:00:00' ,  '25.50°C' )");
    // The spreadsheet class's form: bracketed names with the range suffix, char(255).
    Execute(connection, "CREATE TABLE [Sheet A$A1:IV65536] ([Field 1] char(255), [it's]] odd] char(255))");
    Execute(connection, "INSERT INTO [Sheet A$A1:IV1] ([Field 1], [it's]] odd]) VALUES ('a''b', '50%')");
    Execute(connection, "INSERT INTO [Sheet A$A1:IV2] ([it's]] odd]) VALUES ('only second')");
    Execute(connection, "insert into [sheet a] ([FIELD 1], [it's]] odd]) values ('x', NULL)");
    ASSERT_TRUE(connection.Close().ok);

    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"数据1", "Sheet A"}));
    EXPECT_EQ(read.sheets[0].cells, (std::vector<std::vector<std::string>>{
                                        {"序号", "时间", "温度"}, {"1", "2024-05-01 08:00:00", "25.50°C"}}));
    EXPECT_EQ(read.sheets[1].cells,
              (std::vector<std::vector<std::string>>{
                  {"Field 1", "it's] odd"}, {"a'b", "50%"}, {"", "only second"}, {"x", ""}}));

    // Reopened: the record set reads what was written; UPDATE changes the matching rows only.
    ASSERT_TRUE(connection.OpenEx(ConnectText(path)).ok);
    EXPECT_EQ(SelectAll(connection, "Sheet A")[1], (std::vector<std::string>{"a'b", "50%"}));
    Execute(
        connection,
        "UPDATE [Sheet A] SET [it's]] odd]='新', [Field 1]='y' WHERE ([Field 1]='x' AND [it's]] odd]='')");
    Execute(connection, "UPDATE [Sheet A] SET [Field 1]='never' WHERE ([Field 1]='nobody')");
    auto rows = SelectAll(connection, "Sheet A");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3], (std::vector<std::string>{"y", "新"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"a'b", "50%"}));

    // DROP empties the sheet in its place; CREATE fills it again there.
    Execute(connection, "DROP TABLE [数据1$A1:IV65536]");
    WorksheetRecordSet records;
    EXPECT_FALSE(records.Open(connection, "SELECT * FROM [数据1$A1:IV65536]").ok);
    Execute(connection, "CREATE TABLE [数据1$A1:IV65536] ([新] char(255))");
    ASSERT_TRUE(connection.Close().ok);
    read = ReadWithFreeXl(path);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"数据1", "Sheet A"}));
    EXPECT_EQ(read.sheets[0].cells, std::vector<std::vector<std::string>>{{"新"}});
}

TEST(XlsWorksheetDriver, BadStatementsGiveDriverErrorsAndChangeNothing) {
    TempFolder dir;
    const std::string path = dir.File("book.xls");
    WorksheetConnection connection;
    ASSERT_TRUE(connection.OpenEx(ConnectText(path)).ok);
    Execute(connection, "CREATE TABLE [T] ([a] char(3), [b] TEXT)");

    const std::vector<std::pair<std::string, std::string>> bad = {
        {"SELEKT * FROM [T]", "Syntax error"},
        {"CREATE TABLE [T] ([a] char(255))", "already exists"},
        {"create table [t$A1:IV65536] ([x] TEXT)", "already exists"},
        {"CREATE TABLE [U] ([a] TEXT, [A] TEXT)", "defined twice"},
        {"CREATE TABLE [U] ([a] INTEGER)", "not supported"},
        {"CREATE TABLE [U] ([a] char(256))", "1 to 255"},
        {"CREATE TABLE [a:b] ([a] TEXT)", "not a valid sheet name"},
        {"CREATE TABLE [U] ()", "expected a field name"},
        {"DROP TABLE [Nothing]", "does not exist"},
        {"INSERT INTO [Nothing] ([a]) VALUES ('1')", "does not exist"},
        {"INSERT INTO [T] ([a], [b]) VALUES ('1')", "gives 1 values"},
        {"INSERT INTO [T] ([c]) VALUES ('1')", "'c' does not exist"},
        {"INSERT INTO [T] ([a], [A]) VALUES ('1', '2')", "named twice"},
        {"INSERT INTO [T] ([a]) VALUES ('1234')", "too small"},
        {"INSERT INTO [T] ([a]) VALUES ('it's')", "Syntax error"},
        {"INSERT INTO [T] ([a]) VALUES ('open", "no closing quote"},
        {"DROP TABLE [T", "no closing ']'"},
        {"INSERT INTO [T] ([a]) VALUES ('1') extra", "unexpected text"},
        {"UPDATE [T] SET [a]='1' WHERE ([zz]='2')", "'zz' does not exist"},
        {"SELECT * FROM [T]", "needs a record set"},
        {"", "must begin with"},
    };
    for (const auto& [sql, expected] : bad) {
        auto status = connection.ExecuteSql(sql);
        EXPECT_FALSE(status.ok) << sql;
        EXPECT_NE(status.reason.find(expected), std::string::npos) << sql << " → " << status.reason;
        EXPECT_EQ(status.reason.rfind("[Veldrin]", 0), 0u) << status.reason;
    }
    EXPECT_EQ(SelectAll(connection, "T"), (std::vector<std::vector<std::string>>{{"a", "b"}}));

    // A worksheet holds 65536 rows: the header and 65535 records.
    for (int i = 1; i < 65536; ++i)
        ASSERT_TRUE(connection.ExecuteSql("INSERT INTO [T] ([a]) VALUES ('1')").ok) << i;
    auto full = connection.ExecuteSql("INSERT INTO [T] ([a]) VALUES ('1')");
    EXPECT_FALSE(full.ok);
    EXPECT_NE(full.reason.find("65536"), std::string::npos) << full.reason;
    ASSERT_TRUE(connection.Close().ok);
    auto read = ReadWithFreeXl(path);
    ASSERT_EQ(read.sheets.size(), 1u);
    EXPECT_EQ(read.sheets[0].cells.size(), 65536u);
}

TEST(XlsWorksheetDriver, ReadOnlyConnectionsLeaveTheWorkbookAlone) {
    TempFolder dir;
    const std::string path = dir.File("book.xls");
    WorksheetConnection connection;
    ASSERT_TRUE(connection.OpenEx(ConnectText(path)).ok);
    Execute(connection, "CREATE TABLE [T] ([a] TEXT)");
    ASSERT_TRUE(connection.Close().ok);

    ASSERT_TRUE(
        connection.OpenEx("DRIVER={" + std::string(kWorksheetDriverName) + "};READONLY=TRUE;DBQ=" + path).ok);
    auto status = connection.ExecuteSql("INSERT INTO [T] ([a]) VALUES ('1')");
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("read-only"), std::string::npos);
    EXPECT_EQ(SelectAll(connection, "T").size(), 1u);
    ASSERT_TRUE(connection.Close().ok);
    EXPECT_EQ(ReadWithFreeXl(path).sheets[0].cells.size(), 1u);

    // Writing into a folder that does not exist fails at close with the driver's text.
    const std::string lost = dir.File("no-folder/book.xls");
    ASSERT_TRUE(connection.OpenEx(ConnectText(lost)).ok);
    Execute(connection, "CREATE TABLE [T] ([a] TEXT)");
    status = connection.Close();
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("no-folder"), std::string::npos) << status.reason;
}

}  // namespace
}  // namespace veldrin
