#include "app/DesktopPanelView.h"

#include <QDateTime>
#include <QLineEdit>
#include <vector>

#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/Utf8Text.h"
#include "app/WarnDialog.h"
#include "logger/ConnectionTexts.h"
#include "logger/SettingsCheck.h"
#include "measure/Measurements.h"

namespace veldrin {
namespace {

// Whether the limits of channel 2 of `model` are temperatures, typed in the chosen unit.
bool SecondChannelIsTemperature(LoggerModel model) {
    return HasSecondChannel(model) && !Traits(model).channel2IsHumidity;
}

// The logger's whole limits in the boxes of `page`, in `unit`.
void ShowLimits(WarnDialog& page, const AlarmLimits& limits, TemperatureUnit unit) {
    page.UpperBox()->setText(QString::fromStdString(LimitTextInUnit(static_cast<int>(limits.upper), unit)));
    page.LowerBox()->setText(QString::fromStdString(LimitTextInUnit(static_cast<int>(limits.lower), unit)));
}

}  // namespace

DesktopPanelView::DesktopPanelView(CMainFrame& frame, Measurements& measurements, const LoggerInfo& info)
    : frame_(frame), measurements_(measurements), info_(info) {}

void DesktopPanelView::ShowInstrumentChoice(LoggerModel model) {
    const ModelTraits& traits = Traits(model);
    CFormDialog* panel = frame_.View()->RealtimePanel();
    panel->SetInstrumentName(FromUtf8(ShownModelText(traits.displayName)));
    panel->SetAlarmTabCaptions(FromUtf8(ShownModelText(traits.caption1)),
                               FromUtf8(ShownModelText(traits.caption2)), traits.channelCount > 1);
}

void DesktopPanelView::ShowLoggerField(LoggerField field, const LoggerInfo& info) {
    CFormDialog* panel = frame_.View()->RealtimePanel();
    switch (field) {
        case LoggerField::Instrument:
            panel->SetInstrumentName(FromUtf8(ShownModelText(info.instrumentName)));
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
            ShowLimits(*panel->Channel1Page(), info.channel1Alarm, measurements_.Unit());
            panel->SetAlarmEnabled(info.channel1Alarm.enable == 1);
            break;
        case LoggerField::Channel2Alarm:
            ShowLimits(
                *panel->Channel2Page(), info.channel2Alarm,
                SecondChannelIsTemperature(info.model) ? measurements_.Unit() : TemperatureUnit::Celsius);
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

void DesktopPanelView::AllowStartRecording(bool allowed) {
    frame_.View()->RealtimePanel()->SetStartButtonEnabled(allowed);
}

void DesktopPanelView::AllowStopRecording(bool allowed) {
    frame_.View()->RealtimePanel()->SetStopButtonEnabled(allowed);
}

void DesktopPanelView::AllowSettingsEditing(bool allowed) {
    frame_.View()->RealtimePanel()->SetSettingsEnabled(allowed);
}

void DesktopPanelView::ShowStartTime(std::time_t time) {
    frame_.View()->RealtimePanel()->SetStartTime(time);
}

void DesktopPanelView::ShowLimitsInUnit(TemperatureUnit before, TemperatureUnit after) {
    const CFormDialog* panel = frame_.View()->RealtimePanel();
    std::vector<WarnDialog*> pages{panel->Channel1Page()};
    if (SecondChannelIsTemperature(info_.model))
        pages.push_back(panel->Channel2Page());
    for (WarnDialog* page : pages) {
        for (QLineEdit* box : {page->UpperBox(), page->LowerBox()}) {
            if (const auto celsius = TemperatureLimitNumber(box->text().toStdString(), before))
                box->setText(QString::fromStdString(LimitTextInUnit(*celsius, after)));
        }
    }
}

PanelSettings DesktopPanelView::ReadPanelSettings() {
    const CFormDialog* panel = frame_.View()->RealtimePanel();
    PanelSettings settings;
    SetStartTime(settings, panel->StartTime());
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
    settings.temperatureUnit = measurements_.Unit();
    settings.title = panel->Title().toStdString();
    settings.description = panel->Description().toStdString();
    return settings;
}

void DesktopPanelView::ShowHistoryPanel() {
    frame_.View()->ShowHistoryView();
}

void DesktopPanelView::ClearRealtime() {
    measurements_.Realtime().RestartRecording();
}

void DesktopPanelView::RealtimeReading(float value1, float value2, std::time_t time) {
    measurements_.Realtime().HandleReading(value1, value2, time);
}

void DesktopPanelView::EventsQueued() {
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

void DesktopPanelView::AlarmTick() {
    // Monitoring ends with the logger: a disconnect, a lost link or an identify reply of another
    // model all leave it unconnected, and the alarm must not sound on for a logger no longer there.
    if (!info_.connected) {
        measurements_.Realtime().SetMonitoring(false);
    }
    measurements_.Realtime().AlarmTick();
}

void DesktopPanelView::KeepIntervalAtLeastOneSecond() {
    CFormDialog* panel = frame_.View()->RealtimePanel();
    if (panel->IntervalSeconds() == 0) {
        panel->SetIntervalSeconds(1);
    }
}

}  // namespace veldrin
