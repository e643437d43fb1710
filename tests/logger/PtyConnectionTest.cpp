// The connection in real time over a pseudo-terminal: the serial channel's reader thread, the
// background connect and the 200 ms step together.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "logger/DeviceConnection.h"
#include "serial/CommChannel.h"
#include "sim/PtyServer.h"
#include "tests/logger/ScriptedUi.h"

namespace veldrin {
namespace {

using Milliseconds = std::chrono::milliseconds;

TEST(PtyConnection, BackgroundConnectPollsAndDownloadsInRealTime) {
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 300;
    options.clockStart = std::time(nullptr);
    PtyServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error();

    SystemClock clock;
    CommChannel channel;
    LoggerInfo info;
    test::ScriptedUi ui;
    Bytes handed;
    {
        DeviceConnection connection(channel, clock, info, ui, ui);
        connection.SetHistorySink([&](const HistoryHandover& history) { handed = history.bytes; });
        ui.choice = PortChoice{ChosenPort{server.DevicePath(), 4}, false, LoggerModel::SingleTemperature};
        connection.ConnectCommand();
        EXPECT_TRUE(connection.ConnectRunning());

        // Every step returns at once, also while the connect waits on its worker.
        auto slowest = Milliseconds(0);
        auto step = [&] {
            auto begin = std::chrono::steady_clock::now();
            connection.OnTimer();
            slowest = std::max(
                slowest, std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now() - begin));
            std::this_thread::sleep_for(Milliseconds(DeviceConnection::kTimerMs));
        };
        for (int i = 0; i < 100 && connection.CurrentPhase() != Phase::Polling; ++i)
            step();
        ASSERT_EQ(connection.CurrentPhase(), Phase::Polling) << (ui.messages.empty() ? "" : ui.messages[0]);
        EXPECT_EQ(info.model, LoggerModel::SingleTemperature);
        EXPECT_EQ(info.recordBytes, 600u);

        connection.ReadHistory();
        for (int i = 0; i < 100 && handed.empty(); ++i)
            step();
        EXPECT_EQ(handed.size(), 600u + 9);
        EXPECT_LT(slowest, Milliseconds(100));
    }
    EXPECT_FALSE(channel.IsOpen());
    server.Stop();
}

}  // namespace
}  // namespace veldrin
