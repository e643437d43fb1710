#include "workbook/WorksheetDriver.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "workbook/Biff8File.h"
#include "workbook/Biff8Records.h"

namespace veldrin {
namespace {

const std::string kPrefix = "[Veldrin][Excel Driver] ";
const std::string kManagerPrefix = "[Veldrin][Driver Manager] ";

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string Trim(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return std::string(text.substr(begin, end - begin));
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool TruthValue(const std::string& value) {
    const std::string upper = Upper(value);
    return upper == "1" || upper == "TRUE" || upper == "YES";
}

// Excel refuses these characters in sheet names.
bool ValidSheetName(const std::string& name) {
    const std::size_t length = Utf16Length(name);
    if (length == 0 || length > kWorksheetMaxNameChars)
        return false;
    if (name.front() == '\'' || name.back() == '\'')
        return false;
    return name.find_first_of("[]:*?/\\") == std::string::npos;
}

}  // namespace

std::string InstalledDriverList() {
    std::string list = kWorksheetDriverName;
    list.push_back('\0');
    list.push_back('\0');
    return list;
}

std::string FindExcelDriver(std::string_view installedList) {
    while (!installedList.empty()) {
        const std::size_t end = installedList.find('\0');
        const std::string_view name = installedList.substr(0, end);
        if (name.empty())
            break;
        if (name.find("Excel") != std::string_view::npos)
            return std::string(name);
        if (end == std::string_view::npos)
            break;
        installedList.remove_prefix(end + 1);
    }
    return {};
}

Status ParseWorksheetConnectString(std::string_view text, WorksheetConnectOptions& options) {
    options = {};
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t equals = text.find('=', pos);
        const std::size_t semicolon = text.find(';', pos);
        if (equals == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < equals)) {
            const std::string piece =
                Trim(text.substr(pos, semicolon == std::string_view::npos ? text.npos : semicolon - pos));
            if (!piece.empty()) {
                return Status::Failure(kManagerPrefix + "Invalid connection string attribute '" + piece +
                                       "'.");
            }
            pos = semicolon == std::string_view::npos ? text.size() : semicolon + 1;
            continue;
        }
        const std::string key = Upper(Trim(text.substr(pos, equals - pos)));
        pos = equals + 1;
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        std::string value;
        const char open = pos < text.size() ? text[pos] : '\0';
        if (open == '{' || open == '"') {
            // A value in braces or double quotes may hold ';'; the closing character doubled stands for
            // itself.
            const char close = open == '{' ? '}' : '"';
            ++pos;
            const bool closed = ReadSqlEnclosed(text, pos, close, value);
            if (!closed) {
                return Status::Failure(kManagerPrefix + "The value of " + key + " has no closing '" + close +
                                       "'.");
            }
            const std::size_t next = text.find(';', pos);
            if (!Trim(text.substr(pos, next == std::string_view::npos ? text.npos : next - pos)).empty()) {
                return Status::Failure(kManagerPrefix + "Unexpected text after the value of " + key + ".");
            }
            pos = next == std::string_view::npos ? text.size() : next + 1;
        } else {
            const std::size_t next = text.find(';', pos);
            value = Trim(text.substr(pos, next == std::string_view::npos ? text.npos : next - pos));
            pos = next == std::string_view::npos ? text.size() : next + 1;
            if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
                value = value.substr(1, value.size() - 2);
        }
        if (key == "DRIVER")
            options.driver = value;
        else if (key == "DSN")
            options.dsn = value;
        else if (key == "FIRSTROWHASNAMES")
            options.firstRowHasNames = TruthValue(value);
        else if (key == "READONLY")
            options.readOnly = TruthValue(value);
        else if (key == "CREATE_DB")
            options.createDb = value;
        else if (key == "DBQ")
            options.dbq = value;
    }
    return {};
}

std::string WorksheetConnectText(std::string_view driver, std::string_view workbook) {
    // A path with ';', '"' or braces goes in braces, the only form that holds any of them.
    const bool plain = workbook.find_first_of(";\"{}") == std::string_view::npos;
    const std::string braced = SqlEnclosed(workbook, '{', '}');
    const std::string quoted = plain ? "\"" + std::string(workbook) + "\"" : braced;
    const std::string bare = plain ? std::string(workbook) : braced;
    return "DRIVER={" + std::string(driver) +
           "};DSN='';FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=" + quoted + ";DBQ=" + bare;
}

WorksheetConnection::~WorksheetConnection() {
    Close();
}

Status WorksheetConnection::OpenEx(std::string_view connectString) {
    if (open_)
        return Status::Failure(kManagerPrefix + "The connection is already open.");
    WorksheetConnectOptions options;
    if (auto status = ParseWorksheetConnectString(connectString, options); !status)
        return status;
    if (Upper(options.driver) != Upper(kWorksheetDriverName)) {
        return Status::Failure(kManagerPrefix +
                               "Data source name not found and no default driver specified.");
    }
    if (options.dbq.empty())
        return Status::Failure(kPrefix + "No workbook given (DBQ is empty).");
    WorksheetBook book;
    if (FileExists(options.dbq)) {
        if (auto status = ReadBiff8File(options.dbq, book); !status)
            return status;
    } else if (options.createDb.empty() || options.readOnly) {
        return Status::Failure(kPrefix + "Could not find file '" + options.dbq + "'.");
    }
    options_ = std::move(options);
    book_ = std::move(book);
    fieldSizes_.clear();
    changed_ = false;
    open_ = true;
    return {};
}

Status WorksheetConnection::Close() {
    if (!open_)
        return {};
    open_ = false;
    const bool write = changed_ && !book_.sheets.empty();
    changed_ = false;
    WorksheetBook book = std::move(book_);
    book_ = {};
    fieldSizes_.clear();
    if (!write)
        return {};
    return WriteBiff8File(options_.dbq, book);
}

void WorksheetConnection::Discard() {
    changed_ = false;
    Close();
}

Status WorksheetConnection::ExecuteSql(std::string_view sql) {
    if (!open_)
        return Status::Failure(kManagerPrefix + "The connection is not open.");
    SqlStatement statement;
    if (auto status = ParseWorksheetSql(sql, statement); !status)
        return status;
    if (options_.readOnly && !std::holds_alternative<SqlSelectAll>(statement)) {
        return Status::Failure(kPrefix +
                               "Operation must use an updateable query: the workbook is read-only.");
    }
    return std::visit([this](auto& parsed) { return Run(parsed); }, statement);
}

Status WorksheetConnection::Select(std::string_view sql, const WorksheetSheet*& sheet) const {
    if (!open_)
        return Status::Failure(kManagerPrefix + "The connection is not open.");
    SqlStatement statement;
    if (auto status = ParseWorksheetSql(sql, statement); !status)
        return status;
    auto* select = std::get_if<SqlSelectAll>(&statement);
    if (!select)
        return Status::Failure(kPrefix + "A record set needs a SELECT statement.");
    WorksheetSheet* found = nullptr;
    if (auto status = FindTable(select->table, found); !status)
        return status;
    sheet = found;
    return {};
}

Status WorksheetConnection::FindTable(const std::string& table, WorksheetSheet*& sheet) const {
    sheet = const_cast<WorksheetBook&>(book_).Find(SheetOfTable(table));
    if (!sheet || !sheet->HoldsTable()) {
        return Status::Failure(kPrefix + "The table '" + table + "' does not exist in the workbook.");
    }
    return {};
}

Status WorksheetConnection::FindFields(const WorksheetSheet& sheet, const std::vector<std::string>& names,
                                       std::vector<std::size_t>& columns) const {
    const WorksheetRow& header = sheet.rows.front();
    columns.clear();
    for (const auto& name : names) {
        auto it = std::find_if(header.begin(), header.end(),
                               [&](const std::string& field) { return SameWorksheetName(field, name); });
        if (it == header.end())
            return Status::Failure(kPrefix + "The field '" + name + "' does not exist in '" + sheet.name +
                                   "'.");
        const auto column = static_cast<std::size_t>(it - header.begin());
        if (std::find(columns.begin(), columns.end(), column) != columns.end()) {
            return Status::Failure(kPrefix + "The field '" + name + "' is named twice.");
        }
        columns.push_back(column);
    }
    return {};
}

std::size_t WorksheetConnection::SheetIndex(const WorksheetSheet& sheet) const {
    return static_cast<std::size_t>(&sheet - book_.sheets.data());
}

Status WorksheetConnection::CheckFits(const WorksheetSheet& sheet, std::size_t column,
                                      const std::string& value) const {
    std::size_t limit = 255;
    auto sizes = fieldSizes_.find(SheetIndex(sheet));
    if (sizes != fieldSizes_.end() && column < sizes->second.size())
        limit = sizes->second[column];
    if (Utf16Length(value) > limit) {
        return Status::Failure(kPrefix + "The field '" + sheet.rows.front()[column] +
                               "' is too small for a text of " + std::to_string(Utf16Length(value)) +
                               " characters (at most " + std::to_string(limit) + ").");
    }
    return {};
}

Status WorksheetConnection::Run(SqlCreateTable& create) {
    const std::string name = SheetOfTable(create.table);
    WorksheetSheet* sheet = book_.Find(name);
    if (sheet && sheet->HoldsTable())
        return Status::Failure(kPrefix + "The table '" + name + "' already exists.");
    if (!ValidSheetName(name)) {
        return Status::Failure(kPrefix + "'" + name +
                               "' is not a valid sheet name: 1 to 31 characters, none of [ ] : * ? / \\.");
    }
    if (create.fields.size() > kWorksheetMaxColumns) {
        return Status::Failure(kPrefix + "A table has at most 256 fields.");
    }
    WorksheetRow header;
    std::vector<std::size_t> sizes;
    for (const auto& field : create.fields) {
        if (Utf16Length(field.name) > 255)
            return Status::Failure(kPrefix + "The field name '" + field.name + "' is too long.");
        for (const auto& earlier : header) {
            if (SameWorksheetName(earlier, field.name)) {
                return Status::Failure(kPrefix + "The field '" + field.name + "' is defined twice.");
            }
        }
        header.push_back(field.name);
        sizes.push_back(field.maxChars);
    }
    if (!sheet) {
        book_.sheets.push_back({name, {}});
        sheet = &book_.sheets.back();
    }
    sheet->rows = {std::move(header)};
    fieldSizes_[SheetIndex(*sheet)] = std::move(sizes);
    changed_ = true;
    return {};
}

Status WorksheetConnection::Run(SqlDropTable& drop) {
    WorksheetSheet* sheet = nullptr;
    if (auto status = FindTable(drop.table, sheet); !status)
        return status;
    // Like Excel's driver, the sheet stays in its place, emptied.
    sheet->rows.clear();
    fieldSizes_.erase(SheetIndex(*sheet));
    changed_ = true;
    return {};
}

Status WorksheetConnection::Run(SqlInsert& insert) {
    WorksheetSheet* sheet = nullptr;
    std::vector<std::size_t> columns;
    if (auto status = FindTable(insert.table, sheet); !status)
        return status;
    if (auto status = FindFields(*sheet, insert.fields, columns); !status)
        return status;
    if (sheet->rows.size() >= kWorksheetMaxRows) {
        return Status::Failure(kPrefix + "The table '" + sheet->name +
                               "' is full: a worksheet holds at most 65536 rows.");
    }
    WorksheetRow row(sheet->rows.front().size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (auto status = CheckFits(*sheet, columns[i], insert.values[i]); !status)
            return status;
        row[columns[i]] = std::move(insert.values[i]);
    }
    sheet->rows.push_back(std::move(row));
    changed_ = true;
    return {};
}

Status WorksheetConnection::Run(SqlUpdate& update) {
    WorksheetSheet* sheet = nullptr;
    if (auto status = FindTable(update.table, sheet); !status)
        return status;
    std::vector<std::string> setNames, whereNames;
    for (const auto& [field, value] : update.set)
        setNames.push_back(field);
    for (const auto& [field, value] : update.where)
        whereNames.push_back(field);
    std::vector<std::size_t> setColumns, whereColumns;
    if (auto status = FindFields(*sheet, setNames, setColumns); !status)
        return status;
    if (auto status = FindFields(*sheet, whereNames, whereColumns); !status)
        return status;
    for (std::size_t i = 0; i < setColumns.size(); ++i) {
        if (auto status = CheckFits(*sheet, setColumns[i], update.set[i].second); !status)
            return status;
    }
    for (std::size_t r = 1; r < sheet->rows.size(); ++r) {
        WorksheetRow& row = sheet->rows[r];
        row.resize(std::max(row.size(), sheet->rows.front().size()));
        bool matches = true;
        for (std::size_t i = 0; i < whereColumns.size() && matches; ++i)
            matches = row[whereColumns[i]] == update.where[i].second;
        if (!matches)
            continue;
        for (std::size_t i = 0; i < setColumns.size(); ++i)
            row[setColumns[i]] = update.set[i].second;
        changed_ = true;
    }
    return {};
}

Status WorksheetConnection::Run(SqlSelectAll&) {
    return Status::Failure(kPrefix + "A SELECT statement needs a record set.");
}

Status WorksheetRecordSet::Open(const WorksheetConnection& connection, std::string_view sql) {
    Close();
    const WorksheetSheet* sheet = nullptr;
    if (auto status = connection.Select(sql, sheet); !status)
        return status;
    const std::size_t columns = sheet->ColumnCount();
    const bool named = connection.FirstRowHasNames();
    for (std::size_t c = 0; c < columns; ++c) {
        const WorksheetRow& header = sheet->rows.front();
        const bool hasName = named && c < header.size() && !header[c].empty();
        names_.push_back(hasName ? header[c] : "F" + std::to_string(c + 1));
    }
    rows_.assign(sheet->rows.begin() + (named ? 1 : 0), sheet->rows.end());
    open_ = true;
    return {};
}

void WorksheetRecordSet::Close() {
    open_ = false;
    names_.clear();
    rows_.clear();
    next_ = 0;
}

std::string WorksheetRecordSet::GetFieldValue(std::size_t field) const {
    if (IsEof())
        return {};
    const WorksheetRow& row = rows_[next_];
    return field < row.size() ? row[field] : std::string();
}

}  // namespace veldrin
