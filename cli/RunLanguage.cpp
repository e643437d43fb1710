#include "cli/RunLanguage.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

#include "translations/Translation.h"
#include "translations/Translator.h"

namespace veldrin::cli {
namespace {

// The translation of the run: the programs' English, or veldrin-cli's Chinese; none when it
// could not be loaded (the texts then stay as written).
std::unique_ptr<QTranslator>& RunTranslation() {
    static std::unique_ptr<QTranslator> translation;
    return translation;
}

// Looked up from any thread: the translation is only read while commands run.
std::string TranslateForRun(const char* context, const char* source) {
    const std::unique_ptr<QTranslator>& translation = RunTranslation();
    return translation ? translation->translate(context, source).toStdString() : std::string();
}

// Puts the run's translation into the Qt application, when there is one; called again as soon
// as one is made.
void InstallIntoApplication() {
    QTranslator* translation = RunTranslation().get();
    if (translation == nullptr || QCoreApplication::instance() == nullptr)
        return;
    QCoreApplication::removeTranslator(translation);
    QCoreApplication::installTranslator(translation);
}

void Forget() {
    text::InstallTranslator(nullptr);
    text::ShowIsoTimes(false);
    // A translator leaves the application's list as it is destroyed.
    RunTranslation().reset();
}

}  // namespace

RunLanguage::RunLanguage(const std::function<const char*(const char*)>& environment) {
    Speak(LanguageOfLocale(environment));
}

RunLanguage::~RunLanguage() {
    Forget();
}

void RunLanguage::Speak(Language language) {
    Forget();
    RunTranslation() = language == Language::English ? LoadTranslation(Language::English) : LoadCliChinese();
    text::InstallTranslator(&TranslateForRun);
    text::ShowIsoTimes(language == Language::English);
    // The hook runs in every application made later (and at once when one exists already).
    static const bool hooked = (qAddPreRoutine(&InstallIntoApplication), true);
    static_cast<void>(hooked);
    InstallIntoApplication();
}

void AddLanguageOption(CLI::App& app, RunLanguage& language) {
    const CLI::Validator languageCode(
        [](const std::string& code) {
            return LanguageOfCode(code)
                       ? std::string()
                       : "the language is zh (Chinese) or en (English), not \"" + code + "\"";
        },
        "zh|en");
    app.add_option_function<std::string>(
           "--lang", [&language](const std::string& code) { language.Speak(*LanguageOfCode(code)); },
           "the language of the messages: zh (Chinese) or en (English); default: as the locale says "
           "(LANGUAGE, LC_ALL, LC_MESSAGES, LANG: Chinese for zh_*, C and POSIX, else English)")
        ->check(languageCode)
        ->trigger_on_parse();
}

}  // namespace veldrin::cli
