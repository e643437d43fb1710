#pragma once
// Qt's own texts (message box buttons, file dialogs, context menus) in Simplified Chinese, like
// the program's own.
class QCoreApplication;

namespace veldrin {

// Loads Qt's Simplified Chinese translations into `application`. False when they are not
// installed (the texts then stay English).
bool InstallChineseTranslations(QCoreApplication& application);

}  // namespace veldrin
