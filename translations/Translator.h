#pragma once
// Puts a language into effect for a Qt application: the programs' own English translation (built
// from translations/*.ts and embedded in the programs) and Qt's own texts (message box buttons,
// file dialogs) in the same language.
#include <QTranslator>
#include <memory>

#include "translations/Language.h"

class QCoreApplication;

namespace veldrin {

// The translation of `language`: for English the programs' own, embedded; for Chinese Qt's own
// Simplified Chinese (the programs' texts are Chinese already). Nothing when it cannot be loaded.
std::unique_ptr<QTranslator> LoadTranslation(Language language);

// The Chinese of veldrin-cli's own messages (written in English), embedded. Nothing when it cannot
// be loaded.
std::unique_ptr<QTranslator> LoadCliChinese();

// Installs the translation of `language` into `application` for the rest of the run. False when
// it could not be loaded (the texts then stay as written). The libraries without Qt translate
// through the application from then on (text::translate).
bool InstallTranslations(QCoreApplication& application, Language language);

// Makes text::translate answer from the application's installed translators.
void TranslateLibrariesThroughApplication();

// The language chosen for this run, as InstallTranslations last put it into effect.
Language CurrentLanguage();

}  // namespace veldrin
