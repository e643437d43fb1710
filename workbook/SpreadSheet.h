#pragma once
// CSpreadSheet: a table of text cells (a header row of field names, then data rows) kept either in
// a worksheet of an Excel workbook, through the worksheet driver, or in a delimited text file.
// Changes stay in memory until Commit. No operation shows a message: each returns false and leaves
// its text in GetLastError().
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "workbook/Workbook.h"
#include "workbook/WorksheetDriver.h"

namespace veldrin {

// What one ExportList did.
enum class ExportListOutcome {
    Written,        // the list's table (or tables) went into the workbook
    Empty,          // the list has no rows: nothing written
    NoExcelDriver,  // no installed driver name contains "Excel"
    Failed,         // the driver refused; `driverText` says why and the workbook was left unchanged
};

struct ExportListResult {
    ExportListOutcome outcome = ExportListOutcome::Written;
    std::string driverText;
};

class CSpreadSheet {
  public:
    using FieldList = std::vector<std::string>;

    // `sheetOrSeparator` is the sheet name when the file name ends in ".xls" (in any case), else
    // the separator of the delimited text. `installedDrivers` is what the installer reports.
    CSpreadSheet(std::string fileName, std::string sheetOrSeparator, bool backup = true,
                 std::string installedDrivers = InstalledDriverList());
    ~CSpreadSheet();
    CSpreadSheet(const CSpreadSheet&) = delete;
    CSpreadSheet& operator=(const CSpreadSheet&) = delete;

    // The header row: a new one, more fields behind the present ones, or (replace) a new one
    // at least as long as the present one.
    bool AddHeaders(const FieldList& fields, bool replace = false);
    // Row numbers count from 1, the header row being row 1. Row 0 appends; without `replace` a
    // row number inside the table inserts before that row.
    bool AddRow(const FieldList& fields, long row = 0, bool replace = false);
    // A cell by field name or column letters ("A" … "IV"), or by column number from 1. Row 0
    // appends a row; row 1 renames a field.
    bool AddCell(const std::string& text, const std::string& column, long row = 0);
    bool AddCell(const std::string& text, short column, long row = 0);
    // Sets the fields of `newValues` in every data row whose fields equal all of `conditions`.
    bool ReplaceRows(const SqlAssignments& newValues, const SqlAssignments& conditions);

    // Row 0 reads the current row; every read moves the current row behind the one read.
    bool ReadRow(FieldList& fields, long row = 0);
    // The data values of a column (the header row not included).
    bool ReadColumn(FieldList& values, const std::string& column);
    bool ReadColumn(FieldList& values, short column);
    bool ReadCell(std::string& text, const std::string& column, long row = 0);
    bool ReadCell(std::string& text, short column, long row = 0);

    bool DeleteSheet();
    bool Commit();
    // Back to the table as it was when this object was made (from the backup).
    bool RollBack();
    // Writes the table in the other format beside the file: "name.csv" with `sheetOrSeparator`
    // as the separator from a worksheet, "name.xls" with it as the sheet name from a text file.
    bool Convert(const std::string& sheetOrSeparator);

    long GetTotalRows() const { return totalRows_; }
    short GetTotalColumns() const { return totalColumns_; }
    long GetCurrentRow() const { return currentRow_; }
    bool GetBackupStatus() const { return backup_; }
    bool GetTransactionStatus() const { return transaction_; }
    bool IsWorksheet() const { return excel_; }
    const std::string& GetLastError() const { return lastError_; }
    // The row as held: quoted fields joined by the separator; "" past the last row.
    std::string GetRowText(long row) const;
    // The first installed driver whose name contains "Excel", or "".
    std::string GetExcelDriver() const;

    // Copies a list (column titles, then its rows as shown) into the workbook at `path`: table
    // `sheet` + "1" with the first 50001 rows, table `sheet` + "2" with the rest.
    ExportListResult ExportList(const WorksheetList& list, const std::string& sheet, const std::string& path);

  private:
    bool Fail(std::string text);
    bool ReadSheet();
    bool ReadTextFile();
    bool CommitSheet();
    bool CommitText();
    void WriteBackup();
    void ClearTable();
    void TakeTable(const FieldList& fields, const std::vector<FieldList>& rows);
    std::vector<FieldList> DataRows() const;
    // Column number from 1 for a field name or column letters; 0 and the error text when neither.
    short ColumnOf(const std::string& column);
    bool HasHeader();
    bool RenameField(const std::string& name, short column);
    bool RunStatements(const std::vector<std::string>& statements);

    bool append_ = false;
    bool backup_ = true;
    bool excel_ = false;
    bool transaction_ = false;
    long currentRow_ = 1;
    long totalRows_ = 0;
    short totalColumns_ = 0;
    std::string sql_;
    std::string savedFileName_;
    std::string savedSheetName_;
    std::string sheetName_;
    std::string fileName_;
    std::string separator_;
    std::string lastError_;
    FieldList fieldNames_;
    std::vector<std::string> rows_;
    std::unique_ptr<WorksheetConnection> database_;
    std::string installedDrivers_;
    std::string driver_;
    std::string connectText_;
};

}  // namespace veldrin
