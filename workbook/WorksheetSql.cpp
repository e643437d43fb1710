#include "workbook/WorksheetSql.h"

#include <cctype>
#include <charconv>

namespace veldrin {
namespace {

constexpr const char* kSyntaxError = "[Veldrin][Excel Driver] Syntax error";
constexpr std::size_t kMaxTextColumn = 255;

enum class TokenKind { Word, Name, Text, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;  // a word as written; a bracketed name or a quoted text without its quotes
};

bool IsSymbol(char c) {
    return c == '(' || c == ')' || c == ',' || c == '=' || c == '*';
}
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Splits the statement into words, bracketed names, quoted texts and the symbols ( ) , = *.
class Tokenizer {
  public:
    explicit Tokenizer(std::string_view sql) : sql_(sql) {}

    bool Run(std::vector<Token>& tokens, std::string& error) {
        tokens.reserve(sql_.size() / 4 + 4);
        while (true) {
            while (pos_ < sql_.size() && IsSpace(sql_[pos_]))
                ++pos_;
            if (pos_ >= sql_.size())
                break;
            const char c = sql_[pos_];
            if (IsSymbol(c)) {
                tokens.push_back({TokenKind::Symbol, std::string(1, c)});
                ++pos_;
            } else if (c == '[') {
                if (!Quoted(']', TokenKind::Name, tokens))
                    return Fail("a name in brackets has no closing ']'", error);
            } else if (c == '\'') {
                if (!Quoted('\'', TokenKind::Text, tokens))
                    return Fail("a text has no closing quote", error);
            } else {
                const std::size_t start = pos_;
                while (pos_ < sql_.size() && !IsSpace(sql_[pos_]) && !IsSymbol(sql_[pos_]) &&
                       sql_[pos_] != '\'' && sql_[pos_] != '[') {
                    ++pos_;
                }
                tokens.push_back({TokenKind::Word, std::string(sql_.substr(start, pos_ - start))});
            }
        }
        tokens.push_back({});
        return true;
    }

  private:
    bool Quoted(char close, TokenKind kind, std::vector<Token>& tokens) {
        std::string text;
        ++pos_;
        if (!ReadSqlEnclosed(sql_, pos_, close, text))
            return false;
        tokens.push_back({kind, std::move(text)});
        return true;
    }

    static bool Fail(const std::string& why, std::string& error) {
        error = why;
        return false;
    }

    std::string_view sql_;
    std::size_t pos_ = 0;
};

class Parser {
  public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    bool Statement(SqlStatement& statement) {
        if (Keyword("CREATE"))
            return Expect("TABLE") && Create(statement);
        if (Keyword("DROP"))
            return Expect("TABLE") && Drop(statement);
        if (Keyword("INSERT"))
            return Expect("INTO") && Insert(statement);
        if (Keyword("UPDATE"))
            return Update(statement);
        if (Keyword("SELECT"))
            return Select(statement);
        return Fail("the statement must begin with CREATE TABLE, DROP TABLE, INSERT INTO, UPDATE or SELECT");
    }

    const std::string& Error() const { return error_; }

  private:
    const Token& Peek() const { return tokens_[pos_]; }
    bool AtEnd() const { return Peek().kind == TokenKind::End; }

    bool Keyword(std::string_view word) {
        if (Peek().kind != TokenKind::Word || !SameWord(Peek().text, word))
            return false;
        ++pos_;
        return true;
    }
    bool Expect(std::string_view word) {
        return Keyword(word) || Fail("expected " + std::string(word) + Near());
    }
    bool Symbol(char symbol) {
        if (Peek().kind != TokenKind::Symbol || Peek().text[0] != symbol)
            return false;
        ++pos_;
        return true;
    }
    bool ExpectSymbol(char symbol) {
        return Symbol(symbol) || Fail(std::string("expected '") + symbol + "'" + Near());
    }

    std::string Near() const { return AtEnd() ? " at the end" : " before '" + Peek().text + "'"; }

    bool Fail(const std::string& why) {
        if (error_.empty())
            error_ = why;
        return false;
    }

    // A table or field name: a bracketed name or a bare word that is not a keyword of the form.
    bool Name(std::string& name, const char* what) {
        if (Peek().kind != TokenKind::Name && Peek().kind != TokenKind::Word) {
            return Fail(std::string("expected ") + what + Near());
        }
        name = tokens_[pos_++].text;
        if (name.empty())
            return Fail(std::string("an empty ") + what);
        return true;
    }

    bool Value(std::string& value) {
        if (Peek().kind == TokenKind::Text) {
            value = tokens_[pos_++].text;
            return true;
        }
        if (Keyword("NULL")) {
            value.clear();
            return true;
        }
        return Fail("expected a value in single quotes" + Near());
    }

    bool Finished() { return AtEnd() || Fail("unexpected text" + Near()); }

    bool FieldType(SqlField& field) {
        if (Peek().kind != TokenKind::Word)
            return Fail("expected the type of field '" + field.name + "'" + Near());
        const std::string type = tokens_[pos_++].text;
        if (!SameWord(type, "CHAR") && !SameWord(type, "VARCHAR") && !SameWord(type, "TEXT")) {
            return Fail("field type '" + type + "' is not supported; use CHAR(n) or TEXT");
        }
        field.maxChars = kMaxTextColumn;
        if (!Symbol('('))
            return true;
        std::size_t size = 0;
        const std::string& digits = Peek().text;
        auto [end, code] = std::from_chars(digits.data(), digits.data() + digits.size(), size);
        if (Peek().kind != TokenKind::Word || code != std::errc() || end != digits.data() + digits.size() ||
            size == 0 || size > kMaxTextColumn) {
            return Fail("the size of field '" + field.name + "' must be 1 to 255");
        }
        ++pos_;
        field.maxChars = size;
        return ExpectSymbol(')');
    }

    bool Create(SqlStatement& statement) {
        SqlCreateTable create;
        if (!Name(create.table, "a table name") || !ExpectSymbol('('))
            return false;
        do {
            SqlField field;
            if (!Name(field.name, "a field name") || !FieldType(field))
                return false;
            create.fields.push_back(std::move(field));
        } while (Symbol(','));
        if (!ExpectSymbol(')') || !Finished())
            return false;
        statement = std::move(create);
        return true;
    }

    bool Drop(SqlStatement& statement) {
        SqlDropTable drop;
        if (!Name(drop.table, "a table name") || !Finished())
            return false;
        statement = std::move(drop);
        return true;
    }

    bool Insert(SqlStatement& statement) {
        SqlInsert insert;
        if (!Name(insert.table, "a table name") || !ExpectSymbol('('))
            return false;
        do {
            std::string field;
            if (!Name(field, "a field name"))
                return false;
            insert.fields.push_back(std::move(field));
        } while (Symbol(','));
        if (!ExpectSymbol(')') || !Expect("VALUES") || !ExpectSymbol('('))
            return false;
        do {
            std::string value;
            if (!Value(value))
                return false;
            insert.values.push_back(std::move(value));
        } while (Symbol(','));
        if (!ExpectSymbol(')') || !Finished())
            return false;
        if (insert.values.size() != insert.fields.size()) {
            return Fail("INSERT INTO names " + std::to_string(insert.fields.size()) + " fields but gives " +
                        std::to_string(insert.values.size()) + " values");
        }
        statement = std::move(insert);
        return true;
    }

    bool Assignments(SqlAssignments& list, char separator) {
        do {
            std::string field, value;
            if (!Name(field, "a field name") || !ExpectSymbol('=') || !Value(value))
                return false;
            list.emplace_back(std::move(field), std::move(value));
        } while (separator == ',' ? Symbol(',') : Keyword("AND"));
        return true;
    }

    bool Update(SqlStatement& statement) {
        SqlUpdate update;
        if (!Name(update.table, "a table name") || !Expect("SET") || !Assignments(update.set, ','))
            return false;
        if (Keyword("WHERE")) {
            const bool parenthesised = Symbol('(');
            if (!Assignments(update.where, 'A') || (parenthesised && !ExpectSymbol(')')))
                return false;
        }
        if (!Finished())
            return false;
        statement = std::move(update);
        return true;
    }

    bool Select(SqlStatement& statement) {
        SqlSelectAll select;
        if (!ExpectSymbol('*') || !Expect("FROM") || !Name(select.table, "a table name") || !Finished())
            return false;
        statement = std::move(select);
        return true;
    }

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    std::string error_;
};

// "A1", "IV65536": one or two letters, then digits.
bool IsCellAddress(std::string_view text) {
    std::size_t letters = 0;
    while (letters < text.size() && std::isalpha(static_cast<unsigned char>(text[letters])))
        ++letters;
    if (letters == 0 || letters > 2 || letters == text.size())
        return false;
    for (std::size_t i = letters; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

bool IsRange(std::string_view text) {
    if (text.empty())
        return true;
    auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return IsCellAddress(text);
    return IsCellAddress(text.substr(0, colon)) && IsCellAddress(text.substr(colon + 1));
}

}  // namespace

Status ParseWorksheetSql(std::string_view sql, SqlStatement& statement) {
    std::vector<Token> tokens;
    std::string error;
    if (!Tokenizer(sql).Run(tokens, error)) {
        return Status::Failure(std::string(kSyntaxError) + ": " + error + ".");
    }
    Parser parser(std::move(tokens));
    if (!parser.Statement(statement)) {
        return Status::Failure(std::string(kSyntaxError) + ": " + parser.Error() + ".");
    }
    return {};
}

std::string SheetOfTable(std::string_view table) {
    auto dollar = table.rfind('$');
    if (dollar != std::string_view::npos && dollar > 0 && IsRange(table.substr(dollar + 1))) {
        return std::string(table.substr(0, dollar));
    }
    return std::string(table);
}

std::string SqlEnclosed(std::string_view text, char open, char close) {
    std::string out(1, open);
    for (char c : text) {
        out.push_back(c);
        if (c == close)
            out.push_back(c);
    }
    out.push_back(close);
    return out;
}

bool ReadSqlEnclosed(std::string_view text, std::size_t& pos, char close, std::string& value) {
    value.clear();
    while (pos < text.size()) {
        if (text[pos] != close) {
            value.push_back(text[pos++]);
        } else if (pos + 1 < text.size() && text[pos + 1] == close) {
            value.push_back(close);
            pos += 2;
        } else {
            ++pos;
            return true;
        }
    }
    return false;
}

std::string SqlText(std::string_view text) {
    return SqlEnclosed(text, '\'', '\'');
}
std::string SqlName(std::string_view name) {
    return SqlEnclosed(name, '[', ']');
}

}  // namespace veldrin
