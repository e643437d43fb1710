#include <QApplication>

#include "app/CVeldrinApp.h"
#include "app/CommandLine.h"
#include "app/Translations.h"

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = veldrin::AnswerOptions(argc, argv)) {
        return *answered;
    }
    QApplication application(argc, argv);
    veldrin::InstallChineseTranslations(application);
    veldrin::CVeldrinApp veldrin(QApplication::arguments());
    if (!veldrin.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
