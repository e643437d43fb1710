#pragma once
// A user and a panel that are not there: messages, progress, status and every panel write are
// dropped, and the questions take fixed answers. It proposes nothing itself (no port, no
// reconnect) and accepts what the connection proposes (every channel, the start time); the
// settings are the defaults. veldrin-cli, the benchmarks, the tests and the fuzz targets derive
// from it and override only what they use.
#include "logger/PanelView.h"
#include "logger/UserPrompts.h"

namespace veldrin {

class QuietUi : public UserPrompts, public PanelView {
  public:
    std::optional<PortChoice> ChoosePort() override { return std::nullopt; }
    void ShowMessage(std::string_view) override {}
    bool AskReconnect() override { return false; }
    std::optional<std::array<bool, 2>> ChooseHistoryChannels(LoggerModel) override {
        return std::array<bool, 2>{true, true};
    }
    bool ConfirmStartTime(std::time_t) override { return true; }
    void ShowProgress(int, std::string_view) override {}
    void HideProgress() override {}
    void SetStatusText(std::string_view) override {}

    void ShowInstrumentChoice(LoggerModel) override {}
    void ShowLoggerField(LoggerField, const LoggerInfo&) override {}
    void AllowStartRecording(bool) override {}
    void AllowStopRecording(bool) override {}
    void AllowSettingsEditing(bool) override {}
    void ShowStartTime(std::time_t) override {}
    PanelSettings ReadPanelSettings() override { return {}; }
    void ShowHistoryPanel() override {}
    void ClearRealtime() override {}
    void RealtimeReading(float, float, std::time_t) override {}
    void EventsQueued() override {}
    void AlarmTick() override {}
    void KeepIntervalAtLeastOneSecond() override {}
};

}  // namespace veldrin
