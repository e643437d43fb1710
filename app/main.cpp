#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Veldrin"));
    window.setWindowTitle(QStringLiteral("Veldrin"));
    window.resize(1000, 720);
    window.show();
    return QApplication::exec();
}
