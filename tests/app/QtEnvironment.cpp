// The window tests need one application object. It is made before the first test and destroyed
// after the last, while the rest of Qt is still in place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <memory>

#include "tests/app/QtTempFolder.h"

namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        // A test binary run by hand needs no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application_ = std::make_unique<QApplication>(argc_, argv_);
        // The program's profile is the test run's own, so that neither the user's settings reach
        // the tests nor the tests' choices the user's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileFolder_.path());
    }
    void TearDown() override { application_.reset(); }

  private:
    int argc_ = 1;
    char name_[9] = "test_app";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
    veldrin::test::QtTempFolder profileFolder_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
