#pragma once
// What the connection writes into the desktop program's panels and reads back from them: the
// realtime panel's fields, buttons and setting controls, the switch to the history panel, and the
// live readings with their audible alarm in the measurements.
#include <QObject>
#include <functional>

#include "logger/PanelView.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

class CMainFrame;
class Measurements;

class DesktopPanelView final : public PanelView {
  public:
    // `frame`, `measurements` and `info` must outlive this object.
    DesktopPanelView(CMainFrame& frame, Measurements& measurements, const LoggerInfo& info);
    // `handler` runs on the user-interface thread after the reader thread reported queued events.
    void SetQueuedEventsHandler(std::function<void()> handler) { handleQueued_ = std::move(handler); }

    void ShowInstrumentChoice(LoggerModel model) override;
    void ShowLoggerField(LoggerField field, const LoggerInfo& info) override;
    void AllowStartRecording(bool allowed) override;
    void AllowStopRecording(bool allowed) override;
    void AllowSettingsEditing(bool allowed) override;
    void ShowStartTime(std::time_t time) override;
    PanelSettings ReadPanelSettings() override;
    void ShowHistoryPanel() override;

    void ClearRealtime() override;
    void RealtimeReading(float value1, float value2, std::time_t time) override;
    void EventsQueued() override;

    void AlarmTick() override;
    void KeepIntervalAtLeastOneSecond() override;

    // The temperature limit boxes, typed or shown in `before`, written again in `after`; a box
    // that holds no number keeps its text.
    void ShowLimitsInUnit(TemperatureUnit before, TemperatureUnit after);

  private:
    CMainFrame& frame_;
    Measurements& measurements_;
    const LoggerInfo& info_;
    std::function<void()> handleQueued_;
    // Context of the queued calls: they are dropped once this object is gone.
    QObject queuedContext_;
};

}  // namespace veldrin
