// The one language of a veldrin-cli run: the locale rule, --lang over it, and the translations put
// behind the libraries' texts and the Qt application's.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRegularExpression>
#include <string>
#include <vector>

#include "cli/RunLanguage.h"
#include "fleet/GuiApplication.h"
#include "sim/PtyServer.h"
#include "tests/TempFolder.h"
#include "tests/cli/CliRun.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

// One of the tool's own messages, refused before anything is reached, in each language.
const std::vector<std::string> kBadChannels{"download", "--port", "1", "--channels", "3"};
constexpr const char* kBadChannelsEnglish = "download: --channels takes 1, 2 or 1,2\n";
constexpr const char* kBadChannelsChinese = "download: --channels 的取值为 1、2 或 1,2\n";

// A port that does not exist: the tool's note on recording comes first, the connection's message
// about the port after it.
const std::vector<std::string> kMissingPort{"download", "--port", "/dev/veldrin-no-such-port", "--model",
                                            "single"};
constexpr const char* kNoteEnglish = "download: reading a logger's history stops its recording";
constexpr const char* kNoteChinese = "download: 读取仪器的历史数据会停止记录";

bool HoldsChinese(const std::string& text) {
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return han.match(QString::fromStdString(text)).hasMatch();
}

// What a run printed after its first line.
std::string AfterFirstLine(const std::string& text) {
    const std::size_t end = text.find('\n');
    return end == std::string::npos ? std::string() : text.substr(end + 1);
}

TEST(CliLanguage, TheLocaleDecidesChineseForZhCAndNoLocaleEnglishForEveryOther) {
    struct Case {
        LocaleVariables locale;
        const char* expected;
    };
    const std::vector<Case> cases{
        {{{"LANG", "en_US.UTF-8"}}, kBadChannelsEnglish},
        {{{"LANG", "de_DE.UTF-8"}}, kBadChannelsEnglish},
        {{{"LANG", "zh_CN.UTF-8"}}, kBadChannelsChinese},
        {{{"LANG", "C"}}, kBadChannelsChinese},
        {{}, kBadChannelsChinese},
        // LANGUAGE comes first, then LC_ALL, LC_MESSAGES and LANG.
        {{{"LANGUAGE", "en_GB:zh_CN"}, {"LC_ALL", "zh_CN.UTF-8"}}, kBadChannelsEnglish},
        {{{"LC_ALL", "zh_CN.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "en_US.UTF-8"}},
         kBadChannelsChinese},
        {{{"LC_MESSAGES", "fr_FR.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, kBadChannelsEnglish},
    };
    for (const Case& c : cases) {
        std::string described;
        for (const auto& [name, value] : c.locale)
            described += name + "=" + value + " ";
        SCOPED_TRACE(described.empty() ? "no locale" : described);
        const CliRun run = RunCommandIn(c.locale, kBadChannels);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, c.expected);
    }
}

TEST(CliLanguage, LangOverridesTheLocaleBeforeOrAfterTheCommand) {
    const LocaleVariables chinese{{"LANG", "zh_CN.UTF-8"}};
    const LocaleVariables english{{"LANG", "en_US.UTF-8"}};
    std::vector<std::string> before = kBadChannels;
    before.insert(before.begin(), {"--lang", "en"});
    EXPECT_EQ(RunCommandIn(chinese, before).err, kBadChannelsEnglish);
    std::vector<std::string> after = kBadChannels;
    after.insert(after.end(), {"--lang", "zh"});
    EXPECT_EQ(RunCommandIn(english, after).err, kBadChannelsChinese);
    std::vector<std::string> joined = kBadChannels;
    joined.insert(joined.begin() + 1, "--lang=zh");
    EXPECT_EQ(RunCommandIn(english, joined).err, kBadChannelsChinese);

    // The help is the tool's reference and stays English whatever the language.
    const CliRun help = RunCommandIn(chinese, {"--lang", "zh", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--lang"), std::string::npos) << help.out;
    EXPECT_FALSE(HoldsChinese(help.out)) << help.out;
}

TEST(CliLanguage, ABadLangIsAUsageErrorThatNamesTheLanguagesAndRunsNothing) {
    const CliRun bad = RunCommandIn({{"LANG", "zh_CN.UTF-8"}}, {"--lang", "fr", "download", "--port", "1"});
    const CliRun badUnit = RunCommand({"dump", "x.Vdr", "--unit", "K"});
    EXPECT_NE(bad.status, 0);
    EXPECT_EQ(bad.status, badUnit.status) << "the status of any other bad value";
    for (const char* named : {"--lang", "zh", "en", "fr"})
        EXPECT_NE(bad.err.find(named), std::string::npos) << named << " in " << bad.err;
    EXPECT_EQ(bad.err.find("download:"), std::string::npos) << "the command never ran: " << bad.err;
    EXPECT_NE(RunCommand({"download", "--port", "1", "--lang"}).status, 0) << "--lang without a value";
}

TEST(CliLanguage, TheConnectionsMessageComesInTheLanguageOfTheRunHoweverItWasChosen) {
    const LocaleVariables chinese{{"LANG", "zh_CN.UTF-8"}};
    const LocaleVariables english{{"LANG", "en_US.UTF-8"}};
    std::vector<std::string> langZh = kMissingPort;
    langZh.insert(langZh.end(), {"--lang", "zh"});
    std::vector<std::string> langEn = kMissingPort;
    langEn.insert(langEn.begin(), {"--lang", "en"});

    const CliRun zhByLocale = RunCommandIn(chinese, kMissingPort);
    const CliRun zhByLang = RunCommandIn(english, langZh);
    const CliRun enByLocale = RunCommandIn(english, kMissingPort);
    const CliRun enByLang = RunCommandIn(chinese, langEn);
    for (const CliRun* run : {&zhByLocale, &zhByLang, &enByLocale, &enByLang}) {
        EXPECT_NE(run->status, 0);
        EXPECT_NE(AfterFirstLine(run->err).find("/dev/veldrin-no-such-port"), std::string::npos) << run->err;
    }
    EXPECT_EQ(zhByLocale.err.rfind(kNoteChinese, 0), 0U) << zhByLocale.err;
    EXPECT_EQ(zhByLang.err.rfind(kNoteChinese, 0), 0U) << zhByLang.err;
    EXPECT_EQ(enByLocale.err.rfind(kNoteEnglish, 0), 0U) << enByLocale.err;
    EXPECT_EQ(enByLang.err.rfind(kNoteEnglish, 0), 0U) << enByLang.err;
    // The connection speaks the same language as the tool, from the locale or from --lang alike.
    EXPECT_TRUE(HoldsChinese(AfterFirstLine(zhByLocale.err))) << zhByLocale.err;
    EXPECT_FALSE(HoldsChinese(AfterFirstLine(enByLocale.err))) << enByLocale.err;
    EXPECT_EQ(AfterFirstLine(zhByLang.err), AfterFirstLine(zhByLocale.err));
    EXPECT_EQ(AfterFirstLine(enByLang.err), AfterFirstLine(enByLocale.err));
}

// Several loggers at once: the table of outcomes is the tool's, the result in each row the fleet's.
TEST(CliLanguage, TheTableOfSeveralDownloadsAndItsResultsSpeakTheLanguageOfTheRun) {
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 30;
    options.recording = false;
    options.clockStart = std::time(nullptr);
    PtyServer server(options, {});
    ASSERT_TRUE(server.Start()) << server.Error();
    const test::TempFolder folder;
    const auto download = [&](const LocaleVariables& locale, const std::string& name) {
        return RunCommandIn(locale, {"download", "--port", server.DevicePath(), "-o",
                                     folder.Path() + "/" + name + "-{count}.Vdr", "--archive",
                                     folder.File("archive.sqlite")});
    };
    const CliRun chinese = download({{"LANG", "zh_CN.UTF-8"}}, "zh");
    ASSERT_EQ(chinese.status, 0) << chinese.err;
    EXPECT_EQ(chinese.out.rfind("端口", 0), 0U) << chinese.out;
    EXPECT_NE(chinese.out.find("完整"), std::string::npos) << chinese.out;
    EXPECT_EQ(chinese.out.find("complete"), std::string::npos) << chinese.out;
    EXPECT_EQ(chinese.err.rfind(kNoteChinese, 0), 0U) << chinese.err;

    const CliRun english = download({{"LC_ALL", "en_US.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, "en");
    ASSERT_EQ(english.status, 0) << english.err;
    EXPECT_EQ(english.out.rfind("PORT", 0), 0U) << english.out;
    EXPECT_NE(english.out.find("complete"), std::string::npos) << english.out;
    EXPECT_EQ(english.out.find("完整"), std::string::npos) << english.out;
}

// The translations behind text::translate and behind the Qt application, without an application
// at first and with one made while the run goes on (as the PDF commands make one).
TEST(CliLanguage, TheRunsTranslationServesTheLibrariesAndTheApplicationMadeLaterAndEndsWithTheRun) {
    // A text of the window's, written in Chinese, and one of the tool's own, written in English.
    const char* libraryContext = "veldrin::LanguageMenu";
    const char* librarySource = "跟随系统设置";
    const char* cliSource = "download: no serial devices found\n";
    {
        cli::RunLanguage language([](const char* name) -> const char* {
            return std::string(name) == "LANG" ? "en_US.UTF-8" : nullptr;
        });
        EXPECT_EQ(text::translate(libraryContext, librarySource), "As the system");
        EXPECT_EQ(text::translate("veldrin-cli", cliSource), cliSource);
        EXPECT_TRUE(text::IsoTimes());

        language.Speak(Language::Chinese);
        EXPECT_EQ(text::translate(libraryContext, librarySource), librarySource);
        EXPECT_EQ(text::translate("veldrin-cli", cliSource), "download: 没有找到串口设备\n");
        EXPECT_FALSE(text::IsoTimes());

        language.Speak(Language::English);
        fleet::EnsureGuiApplication();
        EXPECT_EQ(QCoreApplication::translate(libraryContext, librarySource),
                  QStringLiteral("As the system"));
        language.Speak(Language::Chinese);
        EXPECT_EQ(QCoreApplication::translate(libraryContext, librarySource),
                  QString::fromUtf8(librarySource));
        EXPECT_EQ(QCoreApplication::translate("veldrin-cli", cliSource),
                  QString::fromUtf8("download: 没有找到串口设备\n"));
    }
    EXPECT_EQ(text::translate("veldrin-cli", cliSource), cliSource);
    EXPECT_EQ(QCoreApplication::translate("veldrin-cli", cliSource), QString::fromUtf8(cliSource));
    EXPECT_FALSE(text::IsoTimes());
}

}  // namespace
}  // namespace veldrin
