#pragma once
// The connection's way to the user in the desktop program: message boxes and dialogs, the view's
// progress strip, the frame's link status pane, and the realtime panel's fields.
#include <QObject>
#include <functional>

#include "app/Profile.h"
#include "logger/ConnectionUi.h"
#include "serial/SerialDevices.h"

namespace veldrin {

class CMainFrame;
class Measurements;

class WidgetConnectionUi final : public ConnectionUi {
  public:
    // `frame` and `measurements` must outlive this object. `handleQueued` runs on the
    // user-interface thread after the reader thread reported queued events.
    WidgetConnectionUi(CMainFrame& frame, Measurements& measurements, const LoggerInfo& info);
    void SetQueuedEventsHandler(std::function<void()> handler) { handleQueued_ = std::move(handler); }
    // Where the connect dialog looks for serial devices (the machine's /sys and /dev by default) and
    // the profile in which it remembers the choice (the program's own by default).
    void SetDeviceRoots(DeviceRoots roots) { deviceRoots_ = std::move(roots); }
    void SetProfileOpener(ProfileOpener open) { openProfile_ = std::move(open); }

    std::optional<PortChoice> ChoosePort() override;
    void ShowMessage(std::string_view text) override;
    bool AskReconnect() override;
    std::optional<std::array<bool, 2>> ChooseHistoryChannels(LoggerModel model) override;
    bool ConfirmStartTime(std::time_t start) override;

    void ShowProgress(int percent, std::string_view text) override;
    void SetStatusText(std::string_view text) override;

    void ShowInstrumentChoice(LoggerModel model) override;
    void ShowLoggerField(LoggerField field, const LoggerInfo& info) override;
    void EnableStartButton(bool enabled) override;
    void EnableStopButton(bool enabled) override;
    void SetSettingControlsEnabled(bool enabled) override;
    void ShowStartTime(std::time_t time) override;
    PanelSettings ReadPanelSettings() override;
    void ShowHistoryPanel() override;

    void ClearRealtime() override;
    void RealtimeReading(float value1, float value2, std::time_t time) override;
    void EventsQueued() override;

    void AlarmTick() override;
    void EnsureIntervalNotZero() override;

  private:
    CMainFrame& frame_;
    Measurements& measurements_;
    const LoggerInfo& info_;
    std::function<void()> handleQueued_;
    DeviceRoots deviceRoots_;
    ProfileOpener openProfile_ = OpenProfile;
    // Context of the queued calls: they are dropped once this object is gone.
    QObject queuedContext_;
};

}  // namespace veldrin
