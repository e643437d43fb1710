#pragma once
// The statements the worksheet driver understands, parsed from their SQL text, and the quoting
// that statement builders use so that any field name or text survives the trip.
//
//   CREATE TABLE table (field type, ...)        type: CHAR(n), VARCHAR(n), TEXT, TEXT(n), CHAR
//   DROP TABLE table
//   INSERT INTO table (field, ...) VALUES (value, ...)
//   UPDATE table SET field = value, ... [WHERE [(] field = value [AND field = value ...] [)]]
//   SELECT * FROM table
//
// A table is a bare name or a bracketed one ([name], "]]" inside stands for "]"); a range suffix
// such as "$A1:IV65536" names the whole sheet. A field is a bare word or a bracketed name. A value
// is a single-quoted text ('' inside stands for ') or NULL (an empty cell).
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "logger/Status.h"

namespace veldrin {

using SqlAssignments = std::vector<std::pair<std::string, std::string>>;  // field, value

struct SqlField {
    std::string name;
    std::size_t maxChars = 255;  // longest text the column takes
};

struct SqlCreateTable {
    std::string table;
    std::vector<SqlField> fields;
};
struct SqlDropTable {
    std::string table;
};
struct SqlInsert {
    std::string table;
    std::vector<std::string> fields;
    std::vector<std::string> values;
};
struct SqlUpdate {
    std::string table;
    SqlAssignments set;
    SqlAssignments where;  // all must match
};
struct SqlSelectAll {
    std::string table;
};

using SqlStatement = std::variant<SqlCreateTable, SqlDropTable, SqlInsert, SqlUpdate, SqlSelectAll>;

// Parses one statement; a statement outside the forms above gives a syntax error text.
Status ParseWorksheetSql(std::string_view sql, SqlStatement& statement);

// The sheet a table name refers to: the name without a range suffix ("s$A1:IV65536" → "s").
std::string SheetOfTable(std::string_view table);

// `text` between `open` and `close`, every `close` inside written twice.
std::string SqlEnclosed(std::string_view text, char open, char close);
// Reads an enclosed text whose opening character is just before `pos`, up to the closing
// character (written twice it stands for itself); `pos` ends behind the closing character.
// False when the text ends first.
bool ReadSqlEnclosed(std::string_view text, std::size_t& pos, char close, std::string& value);

// 'text' with every ' doubled.
std::string SqlText(std::string_view text);
// [name] with every ] doubled.
std::string SqlName(std::string_view name);

}  // namespace veldrin
