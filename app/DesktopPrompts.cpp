#include "app/DesktopPrompts.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/CInsExchangeDialog.h"
#include "app/CLinkDlg.h"
#include "app/CMainFrame.h"
#include "app/CMyDialog.h"
#include "app/CVeldrinView.h"
#include "app/CheckHistory.h"
#include "app/Utf8Text.h"
#include "logger/ConnectionTexts.h"
#include "measure/Measurements.h"

namespace veldrin {
namespace {

// The profile entry that remembers the connect dialog's port entry for the next connect.
const QString kConnectChoiceKey = QStringLiteral("connect/port");

}  // namespace

DesktopPrompts::DesktopPrompts(CMainFrame& frame, Measurements& measurements)
    : frame_(frame), measurements_(measurements) {}

std::optional<PortChoice> DesktopPrompts::ChoosePort() {
    const std::unique_ptr<QSettings> profile = openProfile_();
    CLinkDlg dialog(deviceRoots_, profile->value(kConnectChoiceKey).toString(), &frame_,
                    PortSources::OfProcess(ProfilePortLookup(openProfile_)));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    profile->setValue(kConnectChoiceKey, dialog.ChoiceKey());
    return dialog.Choice();
}

void DesktopPrompts::ShowMessage(std::string_view text) {
    QMessageBox::information(&frame_, frame_.windowTitle(), FromUtf8(text));
}

bool DesktopPrompts::OfferReconnectAs(LoggerModel chosen, LoggerModel answered) {
    const QString answeredName = FromUtf8(ShownModelText(Traits(answered).displayName));
    QMessageBox box(QMessageBox::Warning, frame_.windowTitle(),
                    FromUtf8(texts::Translated(texts::kInstrumentMismatch)), QMessageBox::Ok, &frame_);
    box.setInformativeText(FromUtf8(texts::Translated(texts::kMismatchModels))
                               .arg(FromUtf8(ShownModelText(Traits(chosen).displayName)), answeredName));
    QPushButton* again = nullptr;
    if (answered != LoggerModel::Unknown) {
        again = box.addButton(FromUtf8(texts::Translated(texts::kReconnectAs)).arg(answeredName),
                              QMessageBox::AcceptRole);
        again->setObjectName(QStringLiteral("reconnectAs"));
    }
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return again != nullptr && box.clickedButton() == again;
}

bool DesktopPrompts::AskReconnect() {
    // Another model answers: its readings are not this logger's, whatever the user chooses.
    measurements_.Realtime().SetMonitoring(false);
    CInsExchangeDialog question(&frame_);
    return question.exec() == QDialog::Accepted;
}

std::optional<std::array<bool, 2>> DesktopPrompts::ChooseHistoryChannels(LoggerModel model) {
    CheckHistory question(CheckHistory::KindForModel(model), &frame_);
    if (question.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return question.ChosenChannels();
}

bool DesktopPrompts::ConfirmStartTime(std::time_t start) {
    CMyDialog question(start, nullptr, &frame_);
    return question.exec() == QDialog::Accepted;
}

void DesktopPrompts::ShowProgress(int percent, std::string_view text) {
    frame_.View()->ShowProgress(percent, FromUtf8(text));
}

void DesktopPrompts::HideProgress() {
    frame_.View()->HideProgress();
}

void DesktopPrompts::SetStatusText(std::string_view text) {
    frame_.SetLinkStatusText(FromUtf8(text));
}

}  // namespace veldrin
