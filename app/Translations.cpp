#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace veldrin {

bool InstallChineseTranslations(QCoreApplication& application) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    // Owned by the application: the translation is needed for as long as it runs.
    auto* translator = new QTranslator(&application);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace veldrin
