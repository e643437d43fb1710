// The preview dialog's tests need the widgets' application object.
#include <QApplication>

#include "tests/print/PrintTestSupport.h"

namespace veldrin::test {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "test_preview";
    static char* argv[] = {name, nullptr};
    // Never destroyed: among the exit handlers it would outlive Qt's own static objects.
    static const QApplication* application = new QApplication(argc, argv);
    static_cast<void>(application);
}

}  // namespace veldrin::test
