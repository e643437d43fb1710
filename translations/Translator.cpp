#include "translations/Translator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <atomic>

#include "translations/Translation.h"

// The embedded translation lives in this static library: its resource is registered by name.
static void RegisterEmbeddedTranslations() {
    Q_INIT_RESOURCE(translations);
}

namespace veldrin {
namespace {

// One language per run, read by the code that formats texts for it (dates, for example).
std::atomic<Language> currentLanguage{Language::Chinese};

std::string TranslateThroughApplication(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

}  // namespace

std::unique_ptr<QTranslator> LoadTranslation(Language language) {
    auto translator = std::make_unique<QTranslator>();
    bool loaded = false;
    if (language == Language::English) {
        RegisterEmbeddedTranslations();
        loaded = translator->load(QStringLiteral(":/i18n/veldrin_en.qm"));
    } else {
        loaded = translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                                  QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    return loaded ? std::move(translator) : nullptr;
}

std::unique_ptr<QTranslator> LoadCliChinese() {
    RegisterEmbeddedTranslations();
    auto translator = std::make_unique<QTranslator>();
    return translator->load(QStringLiteral(":/i18n/veldrin-cli_zh.qm")) ? std::move(translator) : nullptr;
}

bool InstallTranslations(QCoreApplication& application, Language language) {
    currentLanguage = language;
    text::ShowIsoTimes(language == Language::English);
    std::unique_ptr<QTranslator> translator = LoadTranslation(language);
    if (!translator)
        return false;
    // Owned by the application: a translation is needed for as long as the program runs.
    translator->setParent(&application);
    if (!QCoreApplication::installTranslator(translator.release()))
        return false;
    TranslateLibrariesThroughApplication();
    return true;
}

void TranslateLibrariesThroughApplication() {
    text::InstallTranslator(&TranslateThroughApplication);
}

Language CurrentLanguage() {
    return currentLanguage;
}

}  // namespace veldrin
