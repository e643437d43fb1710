// The whole connection against a scripted logger: every write is answered with the next piece of
// the input, the timer runs, and the user's commands (history, settings, stop, disconnect) come
// when the input says.
#include "logger/DeviceConnection.h"
#include "logger/QuietUi.h"
#include "tests/fuzz/FuzzLink.h"

namespace {

// A connect command asked for in the script goes to com1; applied settings are the ones set here.
struct ScriptUi final : veldrin::QuietUi {
    std::optional<veldrin::PortChoice> ChoosePort() override { return veldrin::PortChoice{}; }
    veldrin::PanelSettings ReadPanelSettings() override { return panel; }
    veldrin::PanelSettings panel;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veldrin;
    fuzz::Input input(data, size);
    fuzz::FuzzLink link;
    test::ManualClock clock{fuzz::kFuzzClockStart};
    LoggerInfo info;
    ScriptUi ui;
    ui.panel.channel1Lower = "-10";
    ui.panel.channel1Upper = "40";
    DeviceConnection connection(link, clock, info, ui, ui);
    connection.SetBackgroundConnect(false);
    connection.SetHistorySink([](const HistoryHandover&) {});
    // Each write is answered by the next piece of the script, its length first.
    link.onWrite = [&](const std::uint8_t*, std::size_t) {
        auto [bytes, count] = input.Bytes(input.Byte());
        link.Deliver(bytes, count);
    };
    connection.Connect(PortChoice{{"/dev/ttyUSB0", 1}, false, static_cast<LoggerModel>(input.Byte() % 3)});
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
