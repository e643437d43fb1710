// The measurement tests draw text and run queued calls, so they need a Qt application object.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    // Test discovery may run the binary without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
