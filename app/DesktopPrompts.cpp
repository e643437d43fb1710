#include "app/DesktopPrompts.h"

#include <QMessageBox>

#include "app/CInsExchangeDialog.h"
#include "app/CLinkDlg.h"
#include "app/CMainFrame.h"
#include "app/CMyDialog.h"
#include "app/CVeldrinView.h"
#include "app/CheckHistory.h"
#include "app/Utf8Text.h"
#include "measure/Measurements.h"
#include "serial/PortMap.h"

namespace veldrin {
namespace {

// The connect dialog lists the instruments as single temperature, dual temperature, temperature
// and humidity.
LoggerModel ModelForInstrumentNumber(int number) {
    switch (number) {
        case 2:
            return LoggerModel::DualTemperature;
        case 3:
            return LoggerModel::TemperatureHumidity;
        default:
            return LoggerModel::SingleTemperature;
    }
}

// The profile entry that remembers the connect dialog's port entry for the next connect.
const QString kConnectChoiceKey = QStringLiteral("connect/port");

}  // namespace

DesktopPrompts::DesktopPrompts(CMainFrame& frame, Measurements& measurements)
    : frame_(frame), measurements_(measurements) {}

std::optional<PortChoice> DesktopPrompts::ChoosePort() {
    const std::unique_ptr<QSettings> profile = openProfile_();
    CLinkDlg dialog(deviceRoots_, profile->value(kConnectChoiceKey).toString(), &frame_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    profile->setValue(kConnectChoiceKey, dialog.ChoiceKey());
    PortChoice choice;
    choice.port = dialog.PortNumber();
    choice.autoSearch = dialog.PortNumber() == CLinkDlg::kAutoSearchPort;
    choice.instrument = ModelForInstrumentNumber(dialog.InstrumentNumber());
    std::vector<std::string> found;
    for (const SerialDevice& device : dialog.Devices()) {
        found.push_back(device.path);
    }
    choice.devicePorts = PortsForDevicePaths(PathsBesideComPorts(found));
    return choice;
}

void DesktopPrompts::ShowMessage(std::string_view text) {
    QMessageBox::information(&frame_, frame_.windowTitle(), FromUtf8(text));
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
