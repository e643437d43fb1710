#pragma once
// Which language a run of the programs speaks: Chinese (the texts the programs are written in) or
// English (their translation). The choice is made once, before any text is shown.
#include <functional>
#include <optional>
#include <string_view>

namespace veldrin {

enum class Language { Chinese, English };

// The language the user's locale asks for. The first of LANGUAGE (its first entry), LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides: Chinese for "zh…", "C", "POSIX" (and
// when none is set), English for every other locale. `environment` reads a variable (nullptr when
// it is not set).
Language LanguageOfLocale(const std::function<const char*(const char*)>& environment);

// "zh" or "en" (as --lang takes them); nothing for anything else.
std::optional<Language> LanguageOfCode(std::string_view code);

// "zh" or "en".
const char* CodeOfLanguage(Language language);

// The language of this run: --lang when given, else the user's own choice (the window's setting),
// else the locale.
Language ChosenLanguage(std::optional<Language> commandLine, std::optional<Language> setting,
                        const std::function<const char*(const char*)>& environment);

}  // namespace veldrin
