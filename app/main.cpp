#include <QApplication>
#include <cstdlib>

#include "app/CVeldrinApp.h"
#include "app/CommandLine.h"
#include "app/LanguageMenu.h"
#include "translations/Translator.h"

int main(int argc, char* argv[]) {
    veldrin::WindowOptions options;
    if (const std::optional<int> answered = veldrin::AnswerOptions(argc, argv, options)) {
        return *answered;
    }
    QApplication application(argc, argv);
    const veldrin::Language language =
        veldrin::ChosenLanguage(options.language, veldrin::ProfileLanguage(*veldrin::OpenProfile()),
                                [](const char* name) { return static_cast<const char*>(std::getenv(name)); });
    veldrin::InstallTranslations(application, language);
    veldrin::CVeldrinApp veldrin(QStringList{QApplication::arguments().value(0), options.file});
    if (!veldrin.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
