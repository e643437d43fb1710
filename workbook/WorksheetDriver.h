#pragma once
// The worksheet driver: what stands in for the database driver manager and its Excel driver. A
// connection opens a workbook named by a connect string, runs the statements of WorksheetSql.h on
// it in memory and writes it back as an Excel 97–2003 file when it is closed.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "logger/Status.h"
#include "workbook/WorksheetBook.h"
#include "workbook/WorksheetSql.h"

namespace veldrin {

// The name this driver is installed under.
inline constexpr const char* kWorksheetDriverName = "Veldrin Excel Driver (*.xls)";

// What the installer reports as the installed drivers: each name NUL-terminated, an empty name last.
std::string InstalledDriverList();
// The first name in such a list that contains "Excel"; "" when there is none.
std::string FindExcelDriver(std::string_view installedList);

// The keys of a connect string the driver looks at.
struct WorksheetConnectOptions {
    std::string driver;
    std::string dsn;
    bool firstRowHasNames = true;
    bool readOnly = false;
    std::string createDb;  // create this workbook when it does not exist
    std::string dbq;       // the workbook
};

// Parses "KEY=value;KEY={value};KEY=\"value\"..." (keys in any case, unknown keys ignored).
Status ParseWorksheetConnectString(std::string_view text, WorksheetConnectOptions& options);
// The connect string for a workbook: driver, no data source name, names in the first row,
// writable, created when missing.
std::string WorksheetConnectText(std::string_view driver, std::string_view workbook);

class WorksheetConnection {
  public:
    WorksheetConnection() = default;
    ~WorksheetConnection();  // closes; call Close() to learn whether the workbook was written
    WorksheetConnection(const WorksheetConnection&) = delete;
    WorksheetConnection& operator=(const WorksheetConnection&) = delete;

    Status OpenEx(std::string_view connectString);
    bool IsOpen() const { return open_; }
    // Runs CREATE TABLE, DROP TABLE, INSERT INTO or UPDATE.
    Status ExecuteSql(std::string_view sql);
    // Writes the workbook if a statement changed it, then closes. Closing a closed connection is
    // a no-op.
    Status Close();
    // Closes without writing anything: every change since the open is dropped.
    void Discard();

    // The sheet a SELECT reads, or a failure text (used by WorksheetRecordSet).
    Status Select(std::string_view sql, const WorksheetSheet*& sheet) const;
    bool FirstRowHasNames() const { return options_.firstRowHasNames; }

  private:
    struct Table {
        WorksheetSheet* sheet = nullptr;
        std::vector<std::size_t> fieldIndex;  // column of each field the statement names
    };

    Status Run(SqlCreateTable& create);
    Status Run(SqlDropTable& drop);
    Status Run(SqlInsert& insert);
    Status Run(SqlUpdate& update);
    Status Run(SqlSelectAll& select);
    Status FindTable(const std::string& table, WorksheetSheet*& sheet) const;
    Status FindFields(const WorksheetSheet& sheet, const std::vector<std::string>& names,
                      std::vector<std::size_t>& columns) const;
    std::size_t SheetIndex(const WorksheetSheet& sheet) const;
    Status CheckFits(const WorksheetSheet& sheet, std::size_t column, const std::string& value) const;

    bool open_ = false;
    bool changed_ = false;
    WorksheetConnectOptions options_;
    WorksheetBook book_;
    // Longest text each column of a sheet takes, by the sheet's place in the book (sheets are
    // emptied but never removed while the connection is open).
    std::unordered_map<std::size_t, std::vector<std::size_t>> fieldSizes_;
};

// A read-only, forward-only view of the rows a SELECT * FROM returns: the field names of the
// header row, then the records below it.
class WorksheetRecordSet {
  public:
    Status Open(const WorksheetConnection& connection, std::string_view sql);
    void Close();
    bool IsOpen() const { return open_; }

    std::size_t GetFieldCount() const { return names_.size(); }
    const std::string& GetFieldName(std::size_t field) const { return names_[field]; }
    bool IsEof() const { return next_ >= rows_.size(); }
    // The value of a field in the current record ("" for an empty cell).
    std::string GetFieldValue(std::size_t field) const;
    void MoveNext() { ++next_; }

  private:
    bool open_ = false;
    std::vector<std::string> names_;
    std::vector<WorksheetRow> rows_;
    std::size_t next_ = 0;
};

}  // namespace veldrin
