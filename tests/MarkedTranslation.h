#pragma once
// Texts of the libraries without Qt in another language, for tests that may not load Qt (the core
// runs its tests under ThreadSanitizer without it): a translator that marks every text it is asked
// for, so that a test can tell the pieces that went through the translation from Chinese glued
// around them, and one that answers from a small table of English texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "translations/Translation.h"

namespace veldrin::test {

// Brackets a translated text: bytes that no text of the program holds.
inline constexpr char kMarkOpen = '\x01';
inline constexpr char kMarkClose = '\x02';

// Every text "translated" to itself between the marks; a printf format keeps its conversions.
inline std::string MarkingTranslator(const char* /*context*/, const char* source) {
    return kMarkOpen + std::string(source) + kMarkClose;
}

// One translation of a text of `context`.
struct TableEntry {
    const char* context;
    const char* source;
    const char* english;
};

// Installs `translator` (and ISO times when `isoTimes`) for as long as it lives; then the source
// texts and the logger's own time forms again.
class TranslatedForAWhile {
  public:
    explicit TranslatedForAWhile(text::Translator translator, bool isoTimes = true) {
        text::InstallTranslator(translator);
        text::ShowIsoTimes(isoTimes);
    }
    ~TranslatedForAWhile() {
        text::InstallTranslator(nullptr);
        text::ShowIsoTimes(false);
    }
    TranslatedForAWhile(const TranslatedForAWhile&) = delete;
    TranslatedForAWhile& operator=(const TranslatedForAWhile&) = delete;
};

// A translator answering from `table` (a static array of TableEntry), nothing for other texts.
template <const auto& table>
std::string TableTranslator(const char* context, const char* source) {
    for (const TableEntry& entry : table) {
        if (std::strcmp(entry.context, context) == 0 && std::strcmp(entry.source, source) == 0)
            return entry.english;
    }
    return {};
}

// `text` without its marked pieces (marks may nest: a translated format holding translated texts).
inline std::string OutsideMarks(std::string_view text) {
    std::string outside;
    int depth = 0;
    for (const char c : text) {
        if (c == kMarkOpen)
            ++depth;
        else if (c == kMarkClose)
            depth = depth > 0 ? depth - 1 : 0;
        else if (depth == 0)
            outside += c;
    }
    return outside;
}

// Whether `text` (UTF-8) holds a Chinese character or Chinese punctuation: CJK ideographs, the
// CJK symbols (、。「」), the full-width forms (，：（）) and the curly quotes (“”).
inline bool HoldsChinese(std::string_view text) {
    for (std::size_t at = 0; at + 2 < text.size(); ++at) {
        const auto lead = static_cast<std::uint8_t>(text[at]);
        if ((lead & 0xF0) != 0xE0)
            continue;
        const unsigned code = (lead & 0x0Fu) << 12 | (static_cast<std::uint8_t>(text[at + 1]) & 0x3Fu) << 6 |
                              (static_cast<std::uint8_t>(text[at + 2]) & 0x3Fu);
        if ((code >= 0x4E00 && code <= 0x9FFF) || (code >= 0x3000 && code <= 0x303F) ||
            (code >= 0xFF00 && code <= 0xFFEF) || code == 0x201C || code == 0x201D)
            return true;
    }
    return false;
}

// Every Chinese text of `text` went through the translation.
inline ::testing::AssertionResult AllChineseTranslated(std::string_view text) {
    const std::string outside = OutsideMarks(text);
    if (HoldsChinese(outside))
        return ::testing::AssertionFailure()
               << "Chinese outside the translated pieces: \"" << outside << "\"";
    return ::testing::AssertionSuccess();
}

}  // namespace veldrin::test
