// The configuration commands of the connection: apply the panel's settings and start recording,
// stop recording, and read the history.
#include <algorithm>

#include "logger/ConnectionTexts.h"
#include "logger/DeviceConnection.h"
#include "logger/Gbk.h"
#include "logger/SettingsCheck.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

void SetLimits(AlarmLimits& limits, int lower, int upper) {
    limits.lower = static_cast<float>(lower);
    limits.upper = static_cast<float>(upper);
}

void SetTemperatureBytes(AlarmLimits& limits, int lower, int upper) {
    limits.lowerByte = EncodeTemperatureLimit(lower);
    limits.upperByte = EncodeTemperatureLimit(upper);
}

// The panel's alarm limits into `info`, as far as the model takes them. The fields were checked
// before (FindSettingsProblem), so each one the model uses holds a number.
void TakePanelLimits(const PanelSettings& panel, LoggerInfo& info) {
    // Channel 1 takes the fields only in the right order; otherwise the limits read last stay.
    const TemperatureUnit unit = panel.temperatureUnit;
    int lower1 = TemperatureLimitFromText(panel.channel1Lower, unit);
    int upper1 = TemperatureLimitFromText(panel.channel1Upper, unit);
    if (lower1 < upper1) {
        SetTemperatureBytes(info.channel1Alarm, lower1, upper1);
        SetLimits(info.channel1Alarm, lower1, upper1);
    }
    const ModelTraits& model = Traits(info.model);
    const TemperatureUnit unit2 = model.channel2IsHumidity ? TemperatureUnit::Celsius : unit;
    int lower2 = TemperatureLimitFromText(panel.channel2Lower, unit2);
    int upper2 = TemperatureLimitFromText(panel.channel2Upper, unit2);
    if (model.channel2IsHumidity) {
        lower2 = std::max(lower2, 1);
        upper2 = std::min(upper2, 99);
        SetLimits(info.channel2Alarm, lower2, upper2);
        info.channel2Alarm.lowerByte = static_cast<std::uint8_t>(lower2 & 0xFF);
        info.channel2Alarm.upperByte = static_cast<std::uint8_t>(upper2 & 0xFF);
    } else if (model.channelCount == 2) {
        SetLimits(info.channel2Alarm, lower2, upper2);
        if (lower2 < upper2)
            SetTemperatureBytes(info.channel2Alarm, lower2, upper2);
    }
}

}  // namespace

RequestResult DeviceConnection::ApplySettings() {
    PanelSettings panel = panel_.ReadPanelSettings();
    // Nothing is staged or sent while a field holds what the logger cannot take.
    if (auto problem = FindSettingsProblem(panel, info_.model)) {
        prompts_.ShowMessage(*problem);
        return RequestResult::Declined;
    }
    const std::time_t chosen = *MakeLocalTime(panel.startYear, panel.startMonth, panel.startDay,
                                              panel.startHour, panel.startMinute, panel.startSecond);
    chosenStart_ = chosen;
    if (!prompts_.ConfirmStartTime(chosen))
        return RequestResult::Declined;
    // The start is decided by the time the user confirmed it, however long the question stood.
    const std::time_t now = clock_.Now();

    info_.interval = IntervalFromClock(panel.intervalHours, panel.intervalMinutes, panel.intervalSeconds);

    TakePanelLimits(panel, info_);

    // A start time still ahead is left to the logger; one in the past becomes a start now.
    if (chosen >= now) {
        info_.startTime = DecodeDateTime(EncodeDateTime(chosen).data());
        info_.startFlag = 1;
        engine_.MarkDone(CommandId::StartRecording);
        panel_.ShowStartTime(chosen);
    } else {
        info_.startTime = DecodeDateTime(EncodeDateTime(now).data());
        info_.startFlag = 0;
        panel_.ShowStartTime(now);
    }
    info_.stopMode = static_cast<std::uint8_t>(panel.stopMode);
    info_.title = CutUtf8ToGbkBytes(panel.title, kLoggerTitleBytes);
    info_.description = CutUtf8ToGbkBytes(panel.description, kLoggerDescriptionBytes);

    if (session_.online && link_.IsOpen())
        BeginSettingsWrite();
    return RequestResult::Taken;
}

void DeviceConnection::BeginSettingsWrite() {
    settingsWrite_ = SettingsWrite::Running;
    engine_.BeginDescriptionWrite(BuildDescriptionBlock(info_.title, info_.description));
    session_.Begin(Phase::SettingUp, PhaseStep::Begun, 0);
    // Replies still on their way get one timer period to arrive before the sequence starts;
    // the settings sequence waits for it without holding up the window.
    settingsStartAtMs_ = clock_.MonotonicMs() + kTimerMs;
    linkMode_ = LinkMode::Logger;
}

void DeviceConnection::QueueSettingsWrite() {
    settingsStartAtMs_.reset();
    engine_.ClearCurrent();
    for (CommandId id : {CommandId::EndRealtime, CommandId::SetChipClock, CommandId::SetStartTime,
                         CommandId::SetAlarm, CommandId::SetInterval, CommandId::WriteDescription,
                         CommandId::SetStopMode, CommandId::ReadRecordState}) {
        engine_.MarkPending(id);
    }
    if (Traits(info_.model).channelCount == 2)
        engine_.MarkPending(CommandId::SetChannel2Alarm);
    if (info_.startFlag == 0)
        engine_.MarkPending(CommandId::StartRecording);
    engine_.SetState(CommandId::ReadRealtime, CommandStatus::NotWanted);
}

RequestResult DeviceConnection::StopRecording() {
    if (session_.online && link_.IsOpen()) {
        engine_.MarkPending(CommandId::EndRecording);
        session_.phase = Phase::StoppingRecording;
        panel_.AllowSettingsEditing(true);
    }
    return RequestResult::Taken;
}

void DeviceConnection::ReadHistory() {
    auto choice = prompts_.ChooseHistoryChannels(info_.model);
    if (!choice)
        return;
    historyChannels_ = *choice;
    if (!historyChannels_[0] && !historyChannels_[1])
        return;
    panel_.ShowHistoryPanel();
    historyMode_ = true;
    if (!session_.online || !link_.IsOpen())
        return;
    session_.Begin(Phase::ReadingHistory, PhaseStep::Begun, 5);
    for (CommandId id : {CommandId::EndRecording, CommandId::ReadStartTime, CommandId::ReadInterval,
                         CommandId::ReadRecordCount}) {
        engine_.MarkPending(id);
    }
    engine_.SetHistoryStage(HistoryState::Starting);
    historyRequestMs_ = clock_.MonotonicMs();
    engine_.ClearHistoryStore();
    DrawProgress(5, texts::Translated(texts::kReadingHistory));
}

}  // namespace veldrin
