#pragma once
// A user-interface stand-in for the connection: it records what the connection shows and answers
// its questions as the test says.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "logger/QuietUi.h"

namespace veldrin::test {

struct ScriptedUi : QuietUi {
    std::optional<PortChoice> choice;
    bool reconnect = false;
    std::function<void()> onAskReconnect;
    std::optional<std::array<bool, 2>> channels = std::array<bool, 2>{true, true};
    bool confirmStart = true;
    // Runs while the start question stands (a user taking their time, for example).
    std::function<void()> onConfirmStart;
    int startQuestions = 0;
    PanelSettings panel;

    std::vector<std::string> messages;
    std::vector<std::string> statuses;
    std::vector<std::pair<int, std::string>> progress;
    std::vector<LoggerField> fields;
    int choosePortCalls = 0;
    int questions = 0;
    bool startEnabled = false, stopEnabled = false;
    std::vector<std::pair<float, float>> readings;
    std::time_t shownStart = 0;
    bool historyShown = false;

    std::optional<PortChoice> ChoosePort() override {
        ++choosePortCalls;
        return choice;
    }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    bool AskReconnect() override {
        ++questions;
        if (onAskReconnect)
            onAskReconnect();
        return reconnect;
    }
    std::optional<std::array<bool, 2>> ChooseHistoryChannels(LoggerModel) override { return channels; }
    bool ConfirmStartTime(std::time_t) override {
        ++startQuestions;
        if (onConfirmStart)
            onConfirmStart();
        return confirmStart;
    }
    void ShowProgress(int percent, std::string_view text) override { progress.emplace_back(percent, text); }
    // Recorded as percent −1 with no text.
    void HideProgress() override { progress.emplace_back(-1, ""); }
    void SetStatusText(std::string_view text) override {
        if (statuses.empty() || statuses.back() != text)
            statuses.emplace_back(text);
    }
    void ShowLoggerField(LoggerField field, const LoggerInfo&) override { fields.push_back(field); }
    void AllowStartRecording(bool allowed) override { startEnabled = allowed; }
    void AllowStopRecording(bool allowed) override { stopEnabled = allowed; }
    void ShowStartTime(std::time_t time) override { shownStart = time; }
    PanelSettings ReadPanelSettings() override { return panel; }
    void ShowHistoryPanel() override { historyShown = true; }
    // The reader queued something: the desktop program would run the queue now.
    void EventsQueued() override { eventsQueued = true; }
    std::atomic<bool> eventsQueued{false};
    void ClearRealtime() override { readings.clear(); }
    void RealtimeReading(float value1, float value2, std::time_t) override {
        readings.emplace_back(value1, value2);
    }

    bool HasMessage(const std::string& text) const {
        for (const auto& message : messages) {
            if (message == text)
                return true;
        }
        return false;
    }
};

}  // namespace veldrin::test
