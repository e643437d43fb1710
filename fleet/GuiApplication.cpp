#include "fleet/GuiApplication.h"

#include <QGuiApplication>

namespace veldrin::fleet {

void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "veldrin-cli";
    static char* argv[] = {name, nullptr};
    // Never destroyed: among the exit handlers it would outlive Qt's own static objects.
    static const QGuiApplication* application = new QGuiApplication(argc, argv);
    static_cast<void>(application);
}

}  // namespace veldrin::fleet
