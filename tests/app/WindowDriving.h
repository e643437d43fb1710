#pragma once
// Driving the real window the way a user does: answering its dialogs (the connect dialog, the
// file dialogs, message boxes) as they come up, and waiting for what it shows.
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/CLinkDlg.h"

namespace veldrin::testing {

// Runs `answer` on the next modal dialog of type `Dialog` as soon as it is up, and again every
// 20 ms while it returns false (the dialog is not ready for it yet); gives up after `waitMs`. The
// flag it returns is set once the answer went through.
template <typename Dialog>
std::shared_ptr<bool> OnNextDialogUntil(std::function<bool(Dialog*)> answer, int waitMs = 20000) {
    auto answered = std::make_shared<bool>(false);
    auto deadline = std::make_shared<QDeadlineTimer>(waitMs);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer, answered, deadline, poll] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && answer(dialog)) {
            *answered = true;
        } else if (!deadline->hasExpired()) {
            QTimer::singleShot(20, *poll);
            return;
        }
        *poll = nullptr;  // lets the closure go
    };
    QTimer::singleShot(10, *poll);
    return answered;
}

template <typename Dialog>
std::shared_ptr<bool> OnNextDialog(std::function<void(Dialog*)> answer, int waitMs = 20000) {
    return OnNextDialogUntil<Dialog>(
        [answer](Dialog* dialog) {
            answer(dialog);
            return true;
        },
        waitMs);
}

// The connect dialog: picks the port and the instrument by their list texts and presses OK.
inline std::shared_ptr<bool> AnswerConnectDialog(const QString& port, const QString& instrument) {
    return OnNextDialog<CLinkDlg>([port, instrument](CLinkDlg* dialog) {
        dialog->PortList()->setCurrentIndex(dialog->PortList()->findText(port));
        dialog->InstrumentList()->setCurrentIndex(dialog->InstrumentList()->findText(instrument));
        dialog->accept();
    });
}

// A file dialog: picks the filter of `path`'s extension, types `path` as the file name and
// accepts once the dialog has taken it (it loads its folder in the background and may clear the
// name meanwhile).
inline std::shared_ptr<bool> AnswerFileDialog(const QString& path, int waitMs = 20000) {
    return OnNextDialogUntil<QFileDialog>(
        [path](QFileDialog* dialog) {
            // The filter of the name's extension, as a user picks "Text Files" for a .txt name; the
            // whole pattern, so that "*.xls" does not pick "*.xlsx".
            const QRegularExpression suffix(
                QRegularExpression::escape(QStringLiteral("*.") + QFileInfo(path).suffix()) +
                QStringLiteral("[ )]"));
            for (const QString& filter : dialog->nameFilters()) {
                if (filter.contains(suffix) && dialog->selectedNameFilter() != filter) {
                    dialog->selectNameFilter(filter);
                }
            }
            if (dialog->selectedFiles().value(0) != path) {
                // Typed into the name field, as a user does: selectFile() alone does not always
                // take when the file is listed in the folder already shown.
                const QFileInfo file(path);
                if (dialog->directory().absolutePath() != file.absolutePath()) {
                    dialog->setDirectory(file.absolutePath());
                }
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                    name->setText(file.fileName());
                } else {
                    dialog->selectFile(path);
                }
                return false;
            }
            // Through QDialog, where accepting is public; the file dialog's own checks still run.
            static_cast<QDialog*>(dialog)->accept();
            return true;
        },
        waitMs);
}

// The next message box: its text goes to `seen`, then it is closed with OK.
inline std::shared_ptr<bool> ReadNextMessage(std::shared_ptr<QString> seen, int waitMs = 20000) {
    return OnNextDialog<QMessageBox>(
        [seen](QMessageBox* box) {
            *seen = box->text();
            box->accept();
        },
        waitMs);
}

}  // namespace veldrin::testing
