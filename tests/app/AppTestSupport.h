#pragma once
// What the window tests share: helpers for driving widgets, and the test clock.
// The application object lives in QtEnvironment.cpp.
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <memory>
#include <utility>

#include "tests/ManualClock.h"

namespace veldrin::testing {

// Clicks a check box on its box, where a click always lands whatever the caption's length.
inline void ClickCheckBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Answers the next modal dialog as soon as it is up; gives up when none comes within 10 s. When
// `seen` is given it receives what the dialog said: a message box's text, or else the class name
// of the dialog.
inline void AnswerNextDialog(QDialog::DialogCode answer, std::shared_ptr<QString> seen = nullptr,
                             QDeadlineTimer deadline = QDeadlineTimer(10000)) {
    QTimer::singleShot(0, [answer, seen, deadline] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (!deadline.hasExpired()) {
                AnswerNextDialog(answer, seen, deadline);
            }
            return;
        }
        if (seen != nullptr) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            *seen = box != nullptr ? box->text() : QString::fromLatin1(dialog->metaObject()->className());
        }
        dialog->done(answer);
    });
}
inline void AcceptNextDialog(std::shared_ptr<QString> seen = nullptr) {
    AnswerNextDialog(QDialog::Accepted, std::move(seen));
}

// While it lives, the program's profile is kept in `folder` instead of the user's own.
class ProfileFolder {
  public:
    explicit ProfileFolder(const QString& folder) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    }
    ~ProfileFolder() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    ProfileFolder(const ProfileFolder&) = delete;
    ProfileFolder& operator=(const ProfileFolder&) = delete;
};

}  // namespace veldrin::testing
