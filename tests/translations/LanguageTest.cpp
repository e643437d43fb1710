#include <gtest/gtest.h>

#include <QCoreApplication>
#include <map>
#include <string>

#include "translations/Translator.h"

namespace veldrin {
namespace {

// An environment of the variables given; every other variable is not set.
auto EnvironmentOf(std::map<std::string, std::string> variables) {
    return [variables = std::move(variables)](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    };
}

TEST(LanguageOfLocale, ChineseLocalesCAndPosixAndNothingSetAreChineseEveryOtherLocaleEnglish) {
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({})), Language::Chinese);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANG", "zh_CN.UTF-8"}})), Language::Chinese);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANG", "zh_TW.Big5"}})), Language::Chinese);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANG", "C"}})), Language::Chinese);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANG", "C.UTF-8"}})), Language::Chinese);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANG", "POSIX"}})), Language::Chinese);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANG", "en_US.UTF-8"}})), Language::English);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANG", "de_DE.UTF-8"}})), Language::English);
}

TEST(LanguageOfLocale, TheFirstVariableSetDecidesInTheOrderLanguageLcAllLcMessagesLang) {
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANGUAGE", "en_GB:zh_CN"}, {"LC_ALL", "zh_CN.UTF-8"}})),
              Language::English);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LC_ALL", "zh_CN.UTF-8"}, {"LANG", "en_US.UTF-8"}})),
              Language::Chinese);
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LC_MESSAGES", "de_DE.UTF-8"}, {"LANG", "zh_CN.UTF-8"}})),
              Language::English);
    // Set but empty counts as not set.
    EXPECT_EQ(LanguageOfLocale(EnvironmentOf({{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "fr_FR.UTF-8"}})),
              Language::English);
}

TEST(ChosenLanguage, TheCommandLineOverridesTheSettingWhichOverridesTheLocale) {
    const auto english = EnvironmentOf({{"LANG", "en_US.UTF-8"}});
    EXPECT_EQ(ChosenLanguage(Language::Chinese, Language::English, english), Language::Chinese);
    EXPECT_EQ(ChosenLanguage(std::nullopt, Language::Chinese, english), Language::Chinese);
    EXPECT_EQ(ChosenLanguage(std::nullopt, std::nullopt, english), Language::English);
    EXPECT_EQ(LanguageOfCode("en"), Language::English);
    EXPECT_EQ(LanguageOfCode("zh"), Language::Chinese);
    EXPECT_FALSE(LanguageOfCode("fr").has_value());
    EXPECT_STREQ(CodeOfLanguage(Language::English), "en");
}

TEST(InstallTranslations, TheEmbeddedEnglishTranslationTranslatesTheProgramsTexts) {
    int argc = 1;
    char name[] = "test_translations";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const char* context = "veldrin::LanguageMenu";
    ASSERT_EQ(QCoreApplication::translate(context, "跟随系统设置"), QStringLiteral("跟随系统设置"));
    ASSERT_TRUE(InstallTranslations(application, Language::English));
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_EQ(QCoreApplication::translate(context, "跟随系统设置"), QStringLiteral("As the system"));
}

}  // namespace
}  // namespace veldrin
