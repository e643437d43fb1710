#include "translations/Language.h"

#include <string>

namespace veldrin {

Language LanguageOfLocale(const std::function<const char*(const char*)>& environment) {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = environment(variable);
        if (value == nullptr || *value == '\0')
            continue;
        std::string locale(value);
        // LANGUAGE lists languages in order of preference, separated by colons.
        locale = locale.substr(0, locale.find(':'));
        if (locale.empty())
            continue;
        const bool chinese =
            locale.rfind("zh", 0) == 0 || locale == "C" || locale.rfind("C.", 0) == 0 || locale == "POSIX";
        return chinese ? Language::Chinese : Language::English;
    }
    return Language::Chinese;
}

std::optional<Language> LanguageOfCode(std::string_view code) {
    if (code == "zh")
        return Language::Chinese;
    if (code == "en")
        return Language::English;
    return std::nullopt;
}

const char* CodeOfLanguage(Language language) {
    return language == Language::English ? "en" : "zh";
}

Language ChosenLanguage(std::optional<Language> commandLine, std::optional<Language> setting,
                        const std::function<const char*(const char*)>& environment) {
    if (commandLine)
        return *commandLine;
    if (setting)
        return *setting;
    return LanguageOfLocale(environment);
}

}  // namespace veldrin
