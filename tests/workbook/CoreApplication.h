#pragma once
// The application object the translation needs in the workbook tests, made on first use and
// never destroyed (among the exit handlers it would outlive Qt's own static objects).
#include <QCoreApplication>

namespace veldrin::test {

inline void EnsureCoreApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "test_workbook";
    static char* argv[] = {name, nullptr};
    static const QCoreApplication* application = new QCoreApplication(argc, argv);
    static_cast<void>(application);
}

}  // namespace veldrin::test
