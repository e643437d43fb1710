#include "app/WidgetConnectionUi.h"

#include <QDateTime>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimeEdit>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CInsExchangeDialog.h"
#include "app/CLinkDlg.h"
#include "app/CMainFrame.h"
#include "app/CMyDialog.h"
#include "app/CVeldrinView.h"
#include "app/CheckHistory.h"
#include "app/WarnDialog.h"
#include "logger/ConnectionTexts.h"
#include "measure/Measurements.h"
#include "serial/PortMap.h"

namespace veldrin {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

WidgetConnectionUi::WidgetConnectionUi(CMainFrame& frame, Measurements& measurements, const LoggerInfo& info)
    : frame_(frame), measurements_(measurements), info_(info) {}

std::optional<PortChoice> WidgetConnectionUi::ChoosePort() {
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

void WidgetConnectionUi::ShowMessage(std::string_view text) {
    QMessageBox::information(&frame_, frame_.windowTitle(), FromUtf8(text));
}

bool WidgetConnectionUi::AskReconnect() {
    // Another model answers: its readings are not this logger's, whatever the user chooses.
    measurements_.Realtime().SetMonitoring(false);
    CInsExchangeDialog question(&frame_);
    return question.exec() == QDialog::Accepted;
}

std::optional<std::array<bool, 2>> WidgetConnectionUi::ChooseHistoryChannels(LoggerModel model) {
    CheckHistory question(CheckHistory::KindForModel(model), &frame_);
    if (question.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return question.ChosenChannels();
}

bool WidgetConnectionUi::ConfirmStartTime(std::time_t start) {
    CMyDialog question(start, nullptr, &frame_);
    return question.exec() == QDialog::Accepted;
}

void WidgetConnectionUi::ShowProgress(int percent, std::string_view text) {
    frame_.View()->ShowProgress(percent, FromUtf8(text));
}

void WidgetConnectionUi::SetStatusText(std::string_view text) {
    frame_.SetLinkStatusText(FromUtf8(text));
}

void WidgetConnectionUi::ShowInstrumentChoice(LoggerModel model) {
    const ModelTraits& traits = Traits(model);
    CFormDialog* panel = frame_.View()->RealtimePanel();
    panel->SetInstrumentName(FromUtf8(traits.displayName));
    panel->SetAlarmTabCaptions(FromUtf8(traits.caption1), FromUtf8(traits.caption2), traits.channelCount > 1);
}

void WidgetConnectionUi::ShowLoggerField(LoggerField field, const LoggerInfo& info) {
    CFormDialog* panel = frame_.View()->RealtimePanel();
    switch (field) {
        case LoggerField::Instrument:
            panel->SetInstrumentName(FromUtf8(info.instrumentName));
            break;
        case LoggerField::RecordingState:
            // The connection enables the start and stop buttons itself.
            panel->SetWorkingState(FromUtf8(texts::RecordingText(info.recordingState)));
            break;
        case LoggerField::VoltageState:
            panel->SetVoltageState(FromUtf8(texts::VoltageText(info.voltageState)));
            break;
        case LoggerField::Interval:
            panel->SetIntervalSeconds(info.interval);
            break;
        case LoggerField::StopMode:
            panel->SetStopModeIndex(info.stopMode);
            break;
        case LoggerField::StartTime:
            if (info.startTime.time) {
                panel->SetStartTime(*info.startTime.time);
            }
            break;
        case LoggerField::Channel1Alarm:
            panel->SetLimits(1, static_cast<int>(info.channel1Alarm.upper),
                             static_cast<int>(info.channel1Alarm.lower));
            panel->SetAlarmEnabled(info.channel1Alarm.enable == 1);
            break;
        case LoggerField::Channel2Alarm:
            panel->SetLimits(2, static_cast<int>(info.channel2Alarm.upper),
                             static_cast<int>(info.channel2Alarm.lower));
            break;
        case LoggerField::Description:
            panel->SetTitle(FromUtf8(info.title));
            panel->SetDescription(FromUtf8(info.description));
            break;
        case LoggerField::RecordCount:
            // The memory count is in bytes; a stored value takes two.
            panel->SetRecordedAmount(QString::number(info.recordBytes / 2));
            break;
    }
}

void WidgetConnectionUi::EnableStartButton(bool enabled) {
    frame_.View()->RealtimePanel()->SetStartButtonEnabled(enabled);
}

void WidgetConnectionUi::EnableStopButton(bool enabled) {
    frame_.View()->RealtimePanel()->SetStopButtonEnabled(enabled);
}

void WidgetConnectionUi::SetSettingControlsEnabled(bool enabled) {
    frame_.View()->RealtimePanel()->SetSettingsEnabled(enabled);
}

void WidgetConnectionUi::ShowStartTime(std::time_t time) {
    frame_.View()->RealtimePanel()->SetStartTime(time);
}

PanelSettings WidgetConnectionUi::ReadPanelSettings() {
    const CFormDialog* panel = frame_.View()->RealtimePanel();
    PanelSettings settings;
    const QDateTime start = QDateTime::fromSecsSinceEpoch(panel->StartTime());
    settings.startYear = start.date().year();
    settings.startMonth = start.date().month();
    settings.startDay = start.date().day();
    settings.startHour = start.time().hour();
    settings.startMinute = start.time().minute();
    settings.startSecond = start.time().second();
    const int interval = panel->IntervalSeconds();
    settings.intervalHours = interval / 3600;
    settings.intervalMinutes = interval / 60 % 60;
    settings.intervalSeconds = interval % 60;
    settings.stopMode = panel->StopModeIndex();
    // The limits as typed: the connection checks them before it takes them.
    settings.channel1Lower = panel->Channel1Page()->LowerBox()->text().trimmed().toStdString();
    settings.channel1Upper = panel->Channel1Page()->UpperBox()->text().trimmed().toStdString();
    settings.channel2Lower = panel->Channel2Page()->LowerBox()->text().trimmed().toStdString();
    settings.channel2Upper = panel->Channel2Page()->UpperBox()->text().trimmed().toStdString();
    settings.title = panel->Title().toStdString();
    settings.description = panel->Description().toStdString();
    return settings;
}

void WidgetConnectionUi::ShowHistoryPanel() {
    frame_.View()->ShowHistoryView();
}

void WidgetConnectionUi::ClearRealtime() {
    measurements_.Realtime().RestartRecording();
}

void WidgetConnectionUi::RealtimeReading(float value1, float value2, std::time_t time) {
    measurements_.Realtime().HandleReading(value1, value2, time);
}

void WidgetConnectionUi::EventsQueued() {
    // Reader thread: the handling runs later on the user-interface thread.
    QMetaObject::invokeMethod(
        &queuedContext_,
        [this] {
            if (handleQueued_) {
                handleQueued_();
            }
        },
        Qt::QueuedConnection);
}

void WidgetConnectionUi::AlarmTick() {
    // Monitoring ends with the logger: a disconnect, a lost link or an identify reply of another
    // model all leave it unconnected, and the alarm must not sound on for a logger no longer there.
    if (!info_.connected) {
        measurements_.Realtime().SetMonitoring(false);
    }
    measurements_.Realtime().AlarmTick();
}

void WidgetConnectionUi::EnsureIntervalNotZero() {
    CFormDialog* panel = frame_.View()->RealtimePanel();
    if (panel->IntervalSeconds() == 0) {
        panel->SetIntervalSeconds(1);
    }
}

}  // namespace veldrin
