#include "workbook/SpreadSheet.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

#include "files/SafeSave.h"
#include "logger/Gbk.h"
#include "workbook/SpreadSheetRowText.h"

namespace veldrin {
namespace {

constexpr const char* kWorksheetSeparator = ",;.?";
constexpr const char* kBackupSheet = "CSpreadSheetBackup";
constexpr const char* kWholeSheet = "$A1:IV65536";

constexpr const char* kDuplicateField = "Duplicate header row field:%s\n";
constexpr const char* kHeaderProblem = "Problems with adding headers\n";
constexpr const char* kShorterHeader =
    "Number of columns in new header row cannot be less than the number of columns in previous header row";
constexpr const char* kNoHeader = "No header row. Add header row first\n";
constexpr const char* kRowTooLong =
    "Number of columns to be added cannot be greater than the number of fields\n";
constexpr const char* kColumnZero = "Column cannot be zero\n";
constexpr const char* kCellBeyondFields =
    "Cell column to be added cannot be greater than the number of fields\n";
constexpr const char* kRowBeyondTable = "Desired row is greater than total number of rows in spreadsheet\n";
constexpr const char* kReadRowError = "Error reading row\n";
constexpr const char* kDeleteError = "Error deleting sheet\n";
constexpr const char* kRollBackError = "Error in returning to previous state\n";
constexpr const char* kInvalidColumn = "Invalid field name or column alphabet\n";
constexpr const char* kOpenError = "Error in opening file\n";
constexpr const char* kWriteError = "Error writing file\n";

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsWorksheetFile(const std::string& fileName) {
    return fileName.size() >= 4 && Lower(fileName.substr(fileName.size() - 4)) == ".xls";
}

std::string WithDuplicate(const std::string& field) {
    std::string text = kDuplicateField;
    text.replace(text.find("%s"), 2, field);
    return text;
}

// "A" is 1, "Z" 26, "AA" 27 … "IV" 256; anything else 0.
short ColumnLetters(const std::string& letters) {
    if (letters.empty() || letters.size() > 2)
        return 0;
    int number = 0;
    for (char c : letters) {
        const int letter = std::toupper(static_cast<unsigned char>(c));
        if (letter < 'A' || letter > 'Z')
            return 0;
        number = number * 26 + (letter - 64);
    }
    return number <= 256 ? static_cast<short>(number) : 0;
}

const std::string* FindDuplicate(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t k = 0; k < i; ++k) {
            if (names[k] == names[i])
                return &names[i];
        }
    }
    return nullptr;
}

std::string ReplaceExtension(const std::string& fileName, const std::string& extension) {
    const std::size_t slash = fileName.rfind('/');
    const std::size_t dot = fileName.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? fileName.substr(0, dot) : fileName) + extension;
}

}  // namespace

CSpreadSheet::CSpreadSheet(std::string fileName, std::string sheetOrSeparator, bool backup,
                           std::string installedDrivers)
    : backup_(backup), fileName_(std::move(fileName)), installedDrivers_(std::move(installedDrivers)) {
    excel_ = IsWorksheetFile(fileName_);
    if (!excel_) {
        separator_ = std::move(sheetOrSeparator);
        if (ReadTextFile() && backup_ && append_)
            WriteBackup();
        return;
    }
    sheetName_ = std::move(sheetOrSeparator);
    separator_ = kWorksheetSeparator;
    database_ = std::make_unique<WorksheetConnection>();
    driver_ = GetExcelDriver();
    connectText_ = WorksheetConnectText(driver_, fileName_);
    if (ReadSheet() && backup_ && append_)
        WriteBackup();
}

CSpreadSheet::~CSpreadSheet() {
    if (database_)
        database_->Close();
}

bool CSpreadSheet::Fail(std::string text) {
    lastError_ = std::move(text);
    return false;
}

std::string CSpreadSheet::GetExcelDriver() const {
    return FindExcelDriver(installedDrivers_);
}

std::string CSpreadSheet::GetRowText(long row) const {
    if (row < 1 || row > static_cast<long>(rows_.size()))
        return {};
    return rows_[static_cast<std::size_t>(row - 1)];
}

void CSpreadSheet::ClearTable() {
    append_ = false;
    transaction_ = false;
    currentRow_ = 1;
    totalRows_ = 0;
    totalColumns_ = 0;
    fieldNames_.clear();
    rows_.clear();
}

void CSpreadSheet::TakeTable(const FieldList& fields, const std::vector<FieldList>& rows) {
    fieldNames_ = fields;
    rows_.clear();
    rows_.push_back(JoinSpreadSheetRow(fields, separator_));
    std::size_t columns = fields.size();
    for (const auto& row : rows) {
        rows_.push_back(JoinSpreadSheetRow(row, separator_));
        columns = std::max(columns, row.size());
    }
    totalRows_ = static_cast<long>(rows_.size());
    totalColumns_ = static_cast<short>(columns);
    transaction_ = true;
}

std::vector<CSpreadSheet::FieldList> CSpreadSheet::DataRows() const {
    std::vector<FieldList> rows;
    for (std::size_t i = 1; i < rows_.size(); ++i)
        rows.push_back(SplitSpreadSheetRow(rows_[i], separator_));
    return rows;
}

// Written once, right after the table was read, so that RollBack can return to it.
void CSpreadSheet::WriteBackup() {
    if (excel_) {
        savedSheetName_ = sheetName_;
        sheetName_ = kBackupSheet;
        // A backup sheet left by an earlier session is replaced, so it holds this session's table.
        if (database_->OpenEx(connectText_)) {
            database_->ExecuteSql("DROP TABLE " + SqlName(sheetName_ + kWholeSheet));
            database_->Close();
        }
        append_ = false;
        if (!Commit())
            backup_ = false;
        append_ = true;
        sheetName_ = savedSheetName_;
        currentRow_ = 1;
    } else {
        savedFileName_ = fileName_;
        fileName_ += ".bak";
        if (!Commit())
            backup_ = false;
        fileName_ = savedFileName_;
    }
}

// Reading replaces the table only when it succeeds; a failed read leaves the one in memory.
bool CSpreadSheet::ReadSheet() {
    Status status = database_->OpenEx(connectText_);
    WorksheetRecordSet records;
    sql_ = "SELECT * FROM " + SqlName(sheetName_ + kWholeSheet);
    if (status)
        status = records.Open(*database_, sql_);
    if (!status) {
        database_->Close();
        return Fail(status.reason);
    }
    FieldList fields;
    std::vector<FieldList> rows;
    for (std::size_t f = 0; f < records.GetFieldCount(); ++f)
        fields.push_back(records.GetFieldName(f));
    for (; !records.IsEof(); records.MoveNext()) {
        rows.emplace_back(fields.size());
        for (std::size_t f = 0; f < fields.size(); ++f)
            rows.back()[f] = records.GetFieldValue(f);
    }
    records.Close();
    database_->Close();
    ClearTable();
    if (!fields.empty()) {
        TakeTable(fields, rows);
        append_ = true;
        transaction_ = false;
    }
    return true;
}

bool CSpreadSheet::ReadTextFile() {
    std::ifstream file(fileName_, std::ios::binary);
    if (!file)
        return Fail(kOpenError);
    std::vector<std::string> rows;
    std::string line;
    std::size_t columns = 0;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        rows.push_back(FromGbk(line));
        columns = std::max(columns, SplitSpreadSheetRow(rows.back(), separator_).size());
    }
    if (file.bad())
        return Fail(kOpenError);
    ClearTable();
    rows_ = std::move(rows);
    if (!rows_.empty())
        fieldNames_ = SplitSpreadSheetRow(rows_.front(), separator_);
    totalRows_ = static_cast<long>(rows_.size());
    totalColumns_ = static_cast<short>(std::min<std::size_t>(columns, 32767));
    append_ = !fieldNames_.empty();
    return true;
}

bool CSpreadSheet::HasHeader() {
    return !fieldNames_.empty() || Fail(kNoHeader);
}

short CSpreadSheet::ColumnOf(const std::string& column) {
    auto named = std::find(fieldNames_.begin(), fieldNames_.end(), column);
    if (named != fieldNames_.end())
        return static_cast<short>(named - fieldNames_.begin() + 1);
    const short lettered = ColumnLetters(column);
    if (lettered == 0)
        Fail(kInvalidColumn);
    return lettered;
}

bool CSpreadSheet::AddHeaders(const FieldList& fields, bool replace) {
    if (fields.empty())
        return Fail(kHeaderProblem);
    if (const std::string* duplicate = FindDuplicate(fields))
        return Fail(WithDuplicate(*duplicate));
    if (fieldNames_.empty()) {
        fieldNames_ = fields;
        rows_.insert(rows_.begin(), JoinSpreadSheetRow(fieldNames_, separator_));
        ++totalRows_;
    } else if (replace) {
        if (static_cast<long>(fields.size()) < totalColumns_)
            return Fail(kShorterHeader);
        fieldNames_ = fields;
        rows_.front() = JoinSpreadSheetRow(fieldNames_, separator_);
    } else {
        for (const auto& field : fields) {
            if (std::find(fieldNames_.begin(), fieldNames_.end(), field) != fieldNames_.end()) {
                return Fail(WithDuplicate(field));
            }
        }
        fieldNames_.insert(fieldNames_.end(), fields.begin(), fields.end());
        rows_.front() = JoinSpreadSheetRow(fieldNames_, separator_);
    }
    totalColumns_ = std::max<short>(totalColumns_, static_cast<short>(fieldNames_.size()));
    transaction_ = true;
    return true;
}

bool CSpreadSheet::AddRow(const FieldList& fields, long row, bool replace) {
    if (!HasHeader())
        return false;
    if (static_cast<long>(fields.size()) > totalColumns_)
        return Fail(kRowTooLong);
    if (row == 1)
        return AddHeaders(fields, true);
    const std::string text = JoinSpreadSheetRow(fields, separator_);
    if (replace && row > totalRows_)
        return Fail(kRowBeyondTable);
    if (row >= 2 && row <= totalRows_) {
        const auto at = static_cast<std::size_t>(row - 1);
        if (replace) {
            rows_[at] = text;
        } else {
            rows_.insert(rows_.begin() + static_cast<long>(at), text);
            ++totalRows_;
        }
    } else {
        rows_.push_back(text);
        ++totalRows_;
    }
    transaction_ = true;
    return true;
}

bool CSpreadSheet::RenameField(const std::string& name, short column) {
    for (std::size_t i = 0; i < fieldNames_.size(); ++i) {
        if (static_cast<short>(i + 1) != column && fieldNames_[i] == name)
            return Fail(WithDuplicate(name));
    }
    if (fieldNames_.size() < static_cast<std::size_t>(column))
        fieldNames_.resize(static_cast<std::size_t>(column));
    fieldNames_[static_cast<std::size_t>(column - 1)] = name;
    rows_.front() = JoinSpreadSheetRow(fieldNames_, separator_);
    transaction_ = true;
    return true;
}

bool CSpreadSheet::AddCell(const std::string& text, const std::string& column, long row) {
    const short number = ColumnOf(column);
    return number != 0 && AddCell(text, number, row);
}

bool CSpreadSheet::AddCell(const std::string& text, short column, long row) {
    if (column == 0)
        return Fail(kColumnZero);
    if (!HasHeader())
        return false;
    if (column > totalColumns_ || column < 0)
        return Fail(kCellBeyondFields);
    if (row > totalRows_ + 1)
        return Fail(kRowBeyondTable);
    if (row == 1)
        return RenameField(text, column);
    FieldList fields;
    const bool newRow = row <= 0 || row == totalRows_ + 1;
    if (!newRow)
        fields = SplitSpreadSheetRow(rows_[static_cast<std::size_t>(row - 1)], separator_);
    if (fields.size() < static_cast<std::size_t>(column))
        fields.resize(static_cast<std::size_t>(column));
    fields[static_cast<std::size_t>(column - 1)] = text;
    if (newRow) {
        rows_.push_back(JoinSpreadSheetRow(fields, separator_));
        ++totalRows_;
    } else {
        rows_[static_cast<std::size_t>(row - 1)] = JoinSpreadSheetRow(fields, separator_);
    }
    transaction_ = true;
    return true;
}

bool CSpreadSheet::ReplaceRows(const SqlAssignments& newValues, const SqlAssignments& conditions) {
    if (!HasHeader())
        return false;
    std::vector<std::pair<std::size_t, const std::string*>> sets, tests;
    for (const auto& [field, value] : newValues) {
        auto it = std::find(fieldNames_.begin(), fieldNames_.end(), field);
        if (it == fieldNames_.end())
            return Fail(kInvalidColumn);
        sets.emplace_back(static_cast<std::size_t>(it - fieldNames_.begin()), &value);
    }
    for (const auto& [field, value] : conditions) {
        auto it = std::find(fieldNames_.begin(), fieldNames_.end(), field);
        if (it == fieldNames_.end())
            return Fail(kInvalidColumn);
        tests.emplace_back(static_cast<std::size_t>(it - fieldNames_.begin()), &value);
    }
    if (excel_ && append_) {
        sql_ = "UPDATE " + SqlName(sheetName_) + " SET ";
        for (std::size_t i = 0; i < newValues.size(); ++i) {
            sql_ += (i ? ", " : "") + SqlName(newValues[i].first) + "=" + SqlText(newValues[i].second);
        }
        if (!conditions.empty()) {
            sql_ += " WHERE (";
            for (std::size_t i = 0; i < conditions.size(); ++i) {
                sql_ +=
                    (i ? " AND " : "") + SqlName(conditions[i].first) + "=" + SqlText(conditions[i].second);
            }
            sql_ += ")";
        }
        if (!RunStatements({sql_}))
            return false;
    }
    for (std::size_t r = 1; r < rows_.size(); ++r) {
        FieldList fields = SplitSpreadSheetRow(rows_[r], separator_);
        fields.resize(std::max(fields.size(), fieldNames_.size()));
        const bool matches = std::all_of(
            tests.begin(), tests.end(), [&](const auto& test) { return fields[test.first] == *test.second; });
        if (!matches)
            continue;
        for (const auto& [column, value] : sets)
            fields[column] = *value;
        rows_[r] = JoinSpreadSheetRow(fields, separator_);
        if (!excel_ || !append_)
            transaction_ = true;
    }
    return true;
}

bool CSpreadSheet::ReadRow(FieldList& fields, long row) {
    if (row == 0)
        row = currentRow_;
    if (row < 1 || row > totalRows_)
        return Fail(kRowBeyondTable);
    fields = SplitSpreadSheetRow(rows_[static_cast<std::size_t>(row - 1)], separator_);
    currentRow_ = row + 1;
    return true;
}

bool CSpreadSheet::ReadColumn(FieldList& values, const std::string& column) {
    const short number = ColumnOf(column);
    return number != 0 && ReadColumn(values, number);
}

bool CSpreadSheet::ReadColumn(FieldList& values, short column) {
    if (column == 0)
        return Fail(kColumnZero);
    if (column < 0 || column > totalColumns_)
        return Fail(kInvalidColumn);
    if (totalRows_ < 1)
        return Fail(kReadRowError);
    values.clear();
    for (std::size_t r = 1; r < rows_.size(); ++r) {
        FieldList fields = SplitSpreadSheetRow(rows_[r], separator_);
        const auto index = static_cast<std::size_t>(column - 1);
        values.push_back(index < fields.size() ? fields[index] : std::string());
    }
    return true;
}

bool CSpreadSheet::ReadCell(std::string& text, const std::string& column, long row) {
    const short number = ColumnOf(column);
    return number != 0 && ReadCell(text, number, row);
}

bool CSpreadSheet::ReadCell(std::string& text, short column, long row) {
    if (column == 0)
        return Fail(kColumnZero);
    if (column < 0 || column > totalColumns_)
        return Fail(kInvalidColumn);
    if (row == 0)
        row = currentRow_;
    if (row < 1 || row > totalRows_)
        return Fail(kReadRowError);
    FieldList fields = SplitSpreadSheetRow(rows_[static_cast<std::size_t>(row - 1)], separator_);
    const auto index = static_cast<std::size_t>(column - 1);
    text = index < fields.size() ? fields[index] : std::string();
    return true;
}

bool CSpreadSheet::RunStatements(const std::vector<std::string>& statements) {
    Status status = database_->OpenEx(connectText_);
    for (std::size_t i = 0; status && i < statements.size(); ++i)
        status = database_->ExecuteSql(statements[i]);
    if (!status) {
        database_->Discard();
        return Fail(status.reason);
    }
    status = database_->Close();
    return status || Fail(status.reason);
}

bool CSpreadSheet::DeleteSheet() {
    if (excel_) {
        sql_ = "DROP TABLE " + SqlName(sheetName_ + kWholeSheet);
        if (!RunStatements({sql_}))
            return Fail(kDeleteError);
    } else if (std::remove(fileName_.c_str()) != 0) {
        return Fail(kDeleteError);
    }
    ClearTable();
    return true;
}

bool CSpreadSheet::Commit() {
    return excel_ ? CommitSheet() : CommitText();
}

bool CSpreadSheet::CommitSheet() {
    if (fieldNames_.empty())
        return Fail(kNoHeader);
    std::string fieldList, nameList;
    for (std::size_t i = 0; i < fieldNames_.size(); ++i) {
        fieldList += (i ? ", " : "") + SqlName(fieldNames_[i]) + " char(255)";
        nameList += (i ? ", " : "") + SqlName(fieldNames_[i]);
    }
    std::vector<std::string> statements;
    if (append_) {
        statements.push_back("DROP TABLE " + SqlName(sheetName_ + kWholeSheet));
        statements.push_back("CREATE TABLE " + SqlName(sheetName_ + kWholeSheet) + " (" + fieldList + ")");
    } else {
        statements.push_back("CREATE TABLE " + SqlName(sheetName_) + " (" + fieldList + ")");
    }
    for (std::size_t r = 1; r < rows_.size(); ++r) {
        FieldList values = SplitSpreadSheetRow(rows_[r], separator_);
        values.resize(fieldNames_.size());
        std::string valueList;
        for (std::size_t i = 0; i < values.size(); ++i)
            valueList += (i ? ", " : "") + SqlText(values[i]);
        statements.push_back("INSERT INTO " + SqlName(sheetName_ + "$A1:IV" + std::to_string(r + 1)) + " (" +
                             nameList + ") VALUES (" + valueList + ")");
    }
    if (!RunStatements(statements))
        return false;
    sql_ = statements.back();
    totalColumns_ = static_cast<short>(std::max(fieldNames_.size(), static_cast<std::size_t>(totalColumns_)));
    append_ = true;
    transaction_ = false;
    return true;
}

bool CSpreadSheet::CommitText() {
    std::string content;
    for (const auto& row : rows_)
        content += ToGbk(row) + "\r\n";
    if (!SaveFileAtomically(fileName_, content))
        return Fail(kWriteError);
    append_ = append_ || !fieldNames_.empty();
    transaction_ = false;
    return true;
}

bool CSpreadSheet::RollBack() {
    if (!backup_)
        return Fail(kRollBackError);
    bool restored = false;
    if (excel_) {
        savedSheetName_ = sheetName_;
        sheetName_ = kBackupSheet;
        restored = ReadSheet();
        sheetName_ = savedSheetName_;
    } else {
        savedFileName_ = fileName_;
        fileName_ += ".bak";
        restored = ReadTextFile();
        fileName_ = savedFileName_;
    }
    if (!restored)
        return Fail(kRollBackError);
    append_ = true;
    transaction_ = false;
    currentRow_ = 1;
    return true;
}

bool CSpreadSheet::Convert(const std::string& sheetOrSeparator) {
    if (!HasHeader())
        return false;
    const std::string target = ReplaceExtension(fileName_, excel_ ? ".csv" : ".xls");
    CSpreadSheet converted(target, sheetOrSeparator, false, installedDrivers_);
    converted.TakeTable(fieldNames_, DataRows());
    return converted.Commit() || Fail(converted.GetLastError());
}

}  // namespace veldrin
