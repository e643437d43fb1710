#include <QApplication>
#include <cstdlib>

#include "app/CVeldrinApp.h"
#include "app/CommandLine.h"
#include "app/LanguageMenu.h"
#include "translations/Translator.h"

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = veldrin::AnswerOptions(argc, argv)) {
        return *answered;
    }
    QApplication application(argc, argv);
    const veldrin::Language language = veldrin::StartingLanguage(
        QApplication::arguments(), *veldrin::OpenProfile(),
        [](const char* name) { return static_cast<const char*>(std::getenv(name)); });
    veldrin::InstallTranslations(application, language);
    veldrin::CVeldrinApp veldrin(QApplication::arguments());
    if (!veldrin.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
