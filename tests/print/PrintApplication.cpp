// The printing tests run on a GUI application without widgets, as veldrin-cli does: nothing that
// draws or writes the pages may need more.
#include <QGuiApplication>

#include "PrintTestSupport.h"

namespace veldrin::test {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "test_print";
    static char* argv[] = {name, nullptr};
    // Never destroyed: among the exit handlers it would outlive Qt's own static objects.
    static const QGuiApplication* application = new QGuiApplication(argc, argv);
    static_cast<void>(application);
}

}  // namespace veldrin::test
