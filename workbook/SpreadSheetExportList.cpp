// CSpreadSheet::ExportList: one list of the history pages into the workbook, as the list shows it.
#include <QString>

#include "workbook/SpreadSheet.h"

namespace veldrin {
namespace {

// The first table takes rows 0 to 50000; a list of more than 50000 rows gets a second table with
// the rest (none for exactly 50001 rows, at most 49999 with 100000 samples).
constexpr int kLastRowOfFirstTable = 50000;
constexpr int kMaxTitleChars = 100;

int ColumnCount(const WorksheetList& list) {
    return static_cast<int>(list.titles.size());
}

class TableWriter {
  public:
    TableWriter(WorksheetConnection& connection, const WorksheetList& list)
        : connection_(connection), list_(list) {
        for (int column = 0; column < ColumnCount(list); ++column) {
            // The title is cut after kMaxTitleChars UTF-16 units, as a list header is.
            const QString title = QString::fromStdString(list.titles[static_cast<std::size_t>(column)]);
            const std::string name = SqlName(title.left(kMaxTitleChars).toStdString());
            definitions_ += (column ? ", " : " ") + name + " TEXT";
            names_ += (column ? ", " : " ") + name;
        }
    }

    // Creates `table` and fills it with rows [first, last].
    Status Write(const std::string& table, int first, int last) {
        const std::string name = SqlName(table);
        if (auto status = connection_.ExecuteSql("CREATE TABLE " + name + " (" + definitions_ + " ) ");
            !status) {
            return status;
        }
        const std::string insert = "INSERT INTO " + name + " (" + names_ + " ) VALUES(";
        std::string sql;
        for (int row = first; row <= last; ++row) {
            sql = insert;
            for (int column = 0; column < ColumnCount(list_); ++column) {
                sql += column ? ", " : " ";
                sql += SqlText(list_.cell(row, column));
            }
            sql += " )";
            if (auto status = connection_.ExecuteSql(sql); !status)
                return status;
        }
        return {};
    }

  private:
    WorksheetConnection& connection_;
    const WorksheetList& list_;
    std::string definitions_;
    std::string names_;
};

}  // namespace

ExportListResult CSpreadSheet::ExportList(const WorksheetList& list, const std::string& sheet,
                                          const std::string& path) {
    const int rows = list.rows;
    if (rows <= 0)
        return {ExportListOutcome::Empty, {}};
    const std::string driver = GetExcelDriver();
    if (driver.empty())
        return {ExportListOutcome::NoExcelDriver, {}};

    WorksheetConnection connection;
    Status status = connection.OpenEx(WorksheetConnectText(driver, path));
    if (status) {
        TableWriter writer(connection, list);
        status = writer.Write(sheet + "1", 0, std::min(rows - 1, kLastRowOfFirstTable));
        if (status && rows > kLastRowOfFirstTable)
            status = writer.Write(sheet + "2", kLastRowOfFirstTable + 1, rows - 1);
    }
    if (status)
        status = connection.Close();
    if (!status) {
        connection.Discard();
        return {ExportListOutcome::Failed, status.reason};
    }
    return {};
}

}  // namespace veldrin
