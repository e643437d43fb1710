// The whole connection against a scripted logger: every write is answered with the next piece of
// the input, the timer runs, and the user's commands (history, settings, stop, disconnect) come
// when the input says.
#include "logger/DeviceConnection.h"
#include "tests/fuzz/FuzzLink.h"

namespace {

struct ScriptUi final : veldrin::ConnectionUi {
    std::optional<veldrin::PortChoice> ChoosePort() override { return veldrin::PortChoice{}; }
    void ShowMessage(std::string_view) override {}
    bool AskReconnect() override { return false; }
    std::optional<std::array<bool, 2>> ChooseHistoryChannels(veldrin::LoggerModel) override {
        return std::array<bool, 2>{true, true};
    }
    bool ConfirmStartTime(std::time_t) override { return true; }
    void ShowProgress(int, std::string_view) override {}
    void SetStatusText(std::string_view) override {}
    void ShowInstrumentChoice(veldrin::LoggerModel) override {}
    void ShowLoggerField(veldrin::LoggerField, const veldrin::LoggerInfo&) override {}
    void EnableStartButton(bool) override {}
    void EnableStopButton(bool) override {}
    void SetSettingControlsEnabled(bool) override {}
    void ShowStartTime(std::time_t) override {}
    veldrin::PanelSettings ReadPanelSettings() override { return panel; }
    void ShowHistoryPanel() override {}
    void ClearRealtime() override {}
    void RealtimeReading(float, float, std::time_t) override {}
    veldrin::PanelSettings panel;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veldrin;
    fuzz::Input input(data, size);
    fuzz::FuzzLink link;
    fuzz::FuzzClock clock;
    LoggerInfo info;
    ScriptUi ui;
    ui.panel.channel1Lower = "-10";
    ui.panel.channel1Upper = "40";
    DeviceConnection connection(link, clock, info, ui);
    connection.SetBackgroundConnect(false);
    connection.SetHistorySink([](const HistoryHandover&) {});
    // Each write is answered by the next piece of the script, its length first.
    link.onWrite = [&](const std::uint8_t*, std::size_t) {
        auto [bytes, count] = input.Bytes(input.Byte());
        link.Deliver(bytes, count);
    };
    connection.Connect(PortChoice{1, false, static_cast<LoggerModel>(input.Byte() % 3)});
    for (int tick = 0; tick < 2000 && !input.Empty(); ++tick) {
        switch (input.Byte() % 16) {
            case 0:
                connection.ReadHistory();
                break;
            case 1:
                connection.ApplySettings();
                break;
            case 2:
                connection.StopRecording();
                break;
            case 3:
                clock.SleepMs(5000);
                break;
            default:
                break;
        }
        connection.OnTimer();
        clock.SleepMs(DeviceConnection::kTimerMs);
    }
    connection.Disconnect();
    connection.OnTimer();
    return 0;
}
