#pragma once
// What the device connection writes into the panel that shows the connected logger, and reads
// back from it: the instrument and the fields of the logger's parameters, which recording
// commands the user may give, the settings the user edits there, the history taking the live
// view's place, and the live readings with their audible alarm. Nothing here waits for a person;
// messages, questions and progress are UserPrompts'. The desktop program implements it with its
// realtime and history panels; veldrin-cli keeps only what it prints (the readings) and the
// settings given on its command line.
// Every call comes on the user-interface thread, except EventsQueued.
#include <ctime>

#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"
#include "logger/PanelSettings.h"
#include "logger/ProtocolListener.h"

namespace veldrin {

class PanelView {
  public:
    virtual ~PanelView() = default;

    // The instrument chosen at connect, before the logger has answered: its name and its
    // channels (one or two).
    virtual void ShowInstrumentChoice(LoggerModel model) = 0;
    // A LoggerInfo field group has a new value to show.
    virtual void ShowLoggerField(LoggerField field, const LoggerInfo& info) = 0;
    // Whether the user may start, or stop, the logger's recording now.
    virtual void AllowStartRecording(bool allowed) = 0;
    virtual void AllowStopRecording(bool allowed) = 0;
    // Whether the user may edit the settings.
    virtual void AllowSettingsEditing(bool allowed) = 0;
    // The start of the recording, as the settings show it, is `time`.
    virtual void ShowStartTime(std::time_t time) = 0;
    // The settings as the user left them.
    virtual PanelSettings ReadPanelSettings() = 0;
    // A history download begins: the history takes the live view's place.
    virtual void ShowHistoryPanel() = 0;

    // A new connection: no live reading of an earlier one stays.
    virtual void ClearRealtime() = 0;
    // A live reading of the connected logger, with the computer's time at arrival.
    virtual void RealtimeReading(float value1, float value2, std::time_t time) = 0;
    // Reader thread: live readings (or a mismatch signal) wait in the connection's queue; have
    // the user-interface thread call DeviceConnection::HandleQueuedEvents soon (each 200 ms step
    // does it too).
    virtual void EventsQueued() = 0;

    // Once each 200 ms step: the audible alarm of the live readings counts down.
    virtual void AlarmTick() = 0;
    // Once each 200 ms step: an interval setting of zero becomes one second, the shortest the
    // logger records at.
    virtual void KeepIntervalAtLeastOneSecond() = 0;
};

}  // namespace veldrin
