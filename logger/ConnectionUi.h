#pragma once
// The one way the device connection reaches the user: dialogs and message boxes, the progress
// strip and status texts, the realtime panel's fields, and the settings the panel holds. The
// desktop program implements it with widgets, the command-line tool with standard output.
// Every call comes on the user-interface thread, except EventsQueued.
#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"
#include "logger/ProtocolListener.h"

namespace veldrin {

// The port and instrument chosen in the connect dialog.
struct PortChoice {
    int port = 1;  // 1–4, or a named port of a device picked by its path; 5 stands for the auto search
    bool autoSearch = false;
    LoggerModel instrument = LoggerModel::SingleTemperature;
    // The named ports of the devices found on the machine: the auto search tries them after the
    // com ports.
    std::vector<int> devicePorts{};
};
inline constexpr int kAutoSearchPort = 5;

// What the realtime panel's setting controls hold when the settings are applied.
struct PanelSettings {
    // Start date picker (year, month, day) and start time picker (hour, minute, second).
    int startYear = 2008, startMonth = 1, startDay = 1;
    int startHour = 0, startMinute = 0, startSecond = 0;
    // Interval picker as a time of day.
    int intervalHours = 0, intervalMinutes = 0, intervalSeconds = 1;
    int stopMode = 0;  // index in the stop-mode list
    // Limit fields as typed: read as a number and truncated toward zero.
    std::string channel1Lower, channel1Upper, channel2Lower, channel2Upper;
    std::string title;        // UTF-8
    std::string description;  // UTF-8
};

class ConnectionUi {
  public:
    virtual ~ConnectionUi() = default;

    // The connect dialog: nothing when cancelled.
    virtual std::optional<PortChoice> ChoosePort() = 0;
    // A modal message box with one of the connection's texts ("未找到设备" …).
    virtual void ShowMessage(std::string_view text) = 0;
    // "仪器不匹配!  是否重新连接仪器?" — true to reconnect.
    virtual bool AskReconnect() = 0;
    // The history channel choice for `model`; nothing when cancelled.
    virtual std::optional<std::array<bool, 2>> ChooseHistoryChannels(LoggerModel model) = 0;
    // "是否把" <start> "设置为启动时间" — true for "是".
    virtual bool ConfirmStartTime(std::time_t start) = 0;

    // The progress strip: percent −1 erases it.
    virtual void ShowProgress(int percent, std::string_view text) = 0;
    // The link status text ("通信超时", "设备未连接", "设备通讯正常" or blank) for the status bar.
    virtual void SetStatusText(std::string_view text) = 0;

    // The instrument field and the channel tabs for the instrument chosen at connect.
    virtual void ShowInstrumentChoice(LoggerModel model) = 0;
    // A LoggerInfo field group has a new value to show.
    virtual void ShowLoggerField(LoggerField field, const LoggerInfo& info) = 0;
    // The realtime panel's start and stop recording buttons.
    virtual void EnableStartButton(bool enabled) = 0;
    virtual void EnableStopButton(bool enabled) = 0;
    virtual void SetSettingControlsEnabled(bool enabled) = 0;
    // Both start pickers show `time`.
    virtual void ShowStartTime(std::time_t time) = 0;
    virtual PanelSettings ReadPanelSettings() = 0;
    // The history panel replaces the realtime panel.
    virtual void ShowHistoryPanel() = 0;

    // A new connection: the realtime readings and curve start empty.
    virtual void ClearRealtime() = 0;
    // A realtime reading of the connected logger, with the computer's time at arrival.
    virtual void RealtimeReading(float value1, float value2, std::time_t time) = 0;
    // Reader thread: something waits in the connection's queue; have the user-interface thread
    // call DeviceConnection::HandleQueuedEvents soon (each timer call does it too).
    virtual void EventsQueued() {}

    // Hooks of the 200 ms step: the audible-alarm countdown, the caption flash, and the interval
    // picker's rule that 00:00:00 becomes 00:00:01.
    virtual void AlarmTick() {}
    virtual void DrawCaption(bool red) { (void)red; }
    virtual void EnsureIntervalNotZero() {}
};

}  // namespace veldrin
