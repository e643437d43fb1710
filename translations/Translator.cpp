#include "translations/Translator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <atomic>

// The embedded translation lives in this static library: its resource is registered by name.
static void RegisterEmbeddedTranslations() {
    Q_INIT_RESOURCE(translations);
}

namespace veldrin {
namespace {

// One language per run, read by the code that formats texts for it (dates, for example).
std::atomic<Language> currentLanguage{Language::Chinese};

// Loads `translator` and gives it to `application` to own: a translation is needed for as long as
// the program runs.
bool Install(QCoreApplication& application, QTranslator* translator, bool loaded) {
    if (!loaded) {
        delete translator;
        return false;
    }
    translator->setParent(&application);
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

bool InstallTranslations(QCoreApplication& application, Language language) {
    currentLanguage = language;
    if (language == Language::English) {
        RegisterEmbeddedTranslations();
        auto* own = new QTranslator;
        return Install(application, own, own->load(QStringLiteral(":/i18n/veldrin_en.qm")));
    }
    auto* qt = new QTranslator;
    return Install(application, qt,
                   qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
}

Language CurrentLanguage() {
    return currentLanguage;
}

}  // namespace veldrin
