#pragma once
// Puts a language into effect for a Qt application: the programs' own English translation (built
// from translations/*.ts and embedded in the programs) and Qt's own texts (message box buttons,
// file dialogs) in the same language.
#include "translations/Language.h"

class QCoreApplication;

namespace veldrin {

// Installs the translations of `language` into `application`. Chinese needs none of the programs'
// own (their texts are Chinese) and Qt's Simplified Chinese translation; English the embedded
// English translation. False when a translation could not be loaded (the texts then stay as
// written).
bool InstallTranslations(QCoreApplication& application, Language language);

// The language chosen for this run, as InstallTranslations last put it into effect.
Language CurrentLanguage();

}  // namespace veldrin
