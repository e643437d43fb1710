// A history download of 20 blocks from the simulated logger on a pseudo-terminal, paced at the
// 9600-baud byte rate: how close the download comes to the wire limit (bytes ÷ 960 bytes a second).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "logger/DeviceConnection.h"
#include "logger/EventWaker.h"
#include "logger/QuietUi.h"
#include "serial/CommChannel.h"
#include "sim/PtyServer.h"

namespace veldrin {
namespace {

constexpr double kWireBytesPerSecond = 960.0;

// Wakes the driving loop when the reader queued something, as the desktop program's event loop is
// woken.
class WakingUi : public QuietUi {
  public:
    void EventsQueued() override { waker.Wake(); }
    EventWaker waker;
};

void BM_PacedDownload20Blocks(benchmark::State& state) {
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 9800;  // 19600 bytes: 20 blocks
    options.clockStart = std::time(nullptr);
    SimFaults faults;
    faults.paced = true;
    for (auto _ : state) {
        PtyServer server(options, faults);
        if (!server.Start()) {
            state.SkipWithError(server.Error().c_str());
            return;
        }
        SystemClock clock;
        CommChannel channel;
        LoggerInfo info;
        WakingUi ui;
        DeviceConnection connection(channel, clock, info, ui, ui);
        connection.SetBackgroundConnect(false);
        bool done = false;
        // The download ends when the history is handed over, which may be between two steps.
        std::chrono::steady_clock::time_point end;
        connection.SetHistorySink([&](const HistoryHandover&) {
            end = std::chrono::steady_clock::now();
            done = true;
        });
        auto next = std::chrono::steady_clock::now();
        auto runUntil = [&](auto condition, int seconds) {
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
            while (!condition() && std::chrono::steady_clock::now() < deadline) {
                connection.OnTimer();
                next += std::chrono::milliseconds(DeviceConnection::kTimerMs);
                ui.waker.RunQueuedUntil(connection, next);
            }
            return condition();
        };
        if (!connection.Connect({{server.DevicePath(), 1}, false, options.model}) ||
            !runUntil([&] { return connection.CurrentPhase() == Phase::Polling; }, 60)) {
            state.SkipWithError("no connection to the simulated logger");
            return;
        }
        connection.ReadHistory();
        auto begin = std::chrono::steady_clock::now();
        std::uint64_t bytesBefore = connection.Engine().ReceivedTotal();
        next = begin;
        if (!runUntil([&] { return done; }, 120)) {
            state.SkipWithError("the download did not complete");
            return;
        }
        double seconds = std::chrono::duration<double>(end - begin).count();
        double bytes = static_cast<double>(connection.Engine().ReceivedTotal() - bytesBefore);
        state.SetIterationTime(seconds);
        state.counters["blocks"] = info.blockCount;
        state.counters["bytes"] = bytes;
        state.counters["wire_limit_s"] = bytes / kWireBytesPerSecond;
        state.counters["ratio_to_wire_limit"] = seconds / (bytes / kWireBytesPerSecond);
    }
}
BENCHMARK(BM_PacedDownload20Blocks)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace veldrin

BENCHMARK_MAIN();
