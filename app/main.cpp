#include <QApplication>

#include "app/CVeldrinApp.h"
#include "app/Translations.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    veldrin::InstallChineseTranslations(application);
    veldrin::CVeldrinApp veldrin(QApplication::arguments());
    if (!veldrin.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
