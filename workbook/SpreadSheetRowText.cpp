#include "workbook/SpreadSheetRowText.h"

namespace veldrin {

std::string JoinSpreadSheetRow(const std::vector<std::string>& fields, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text.append(separator);
        text.push_back('"');
        for (char c : fields[i]) {
            text.push_back(c);
            if (c == '"')
                text.push_back('"');
        }
        text.push_back('"');
    }
    return text;
}

std::vector<std::string> SplitSpreadSheetRow(std::string_view text, std::string_view separator) {
    std::vector<std::string> fields;
    if (text.empty())
        return fields;
    std::size_t pos = 0;
    while (true) {
        std::string field;
        if (pos < text.size() && text[pos] == '"') {
            ++pos;
            while (pos < text.size()) {
                if (text[pos] == '"') {
                    if (pos + 1 < text.size() && text[pos + 1] == '"') {
                        field.push_back('"');
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                field.push_back(text[pos++]);
            }
        }
        // Up to the separator: the whole of an unquoted field, anything stray after a quoted one.
        const std::size_t next = separator.empty() ? std::string_view::npos : text.find(separator, pos);
        field.append(text.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos));
        fields.push_back(std::move(field));
        if (next == std::string_view::npos)
            break;
        pos = next + separator.size();
    }
    return fields;
}

}  // namespace veldrin
