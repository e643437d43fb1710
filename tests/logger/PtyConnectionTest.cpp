// The connection in real time over a pseudo-terminal: the serial channel's reader thread, the
// background connect and the 200 ms step together.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "logger/DeviceConnection.h"
#include "serial/BurstReader.h"
#include "serial/CommChannel.h"
#include "sim/PtyServer.h"
#include "tests/logger/ScriptedUi.h"

namespace veldrin {
namespace {

using Milliseconds = std::chrono::milliseconds;

// What a connection over the pseudo-terminal is made of, and the history it hands over.
struct ConnectionParts {
    SystemClock clock;
    CommChannel channel;
    LoggerInfo info;
    test::ScriptedUi ui;
    Bytes handed;
};

TEST(PtyConnection, BackgroundConnectPollsAndDownloadsInRealTime) {
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 300;
    options.clockStart = std::time(nullptr);
    PtyServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error();

    ConnectionParts parts;
    auto& [clock, channel, info, ui, handed] = parts;
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

// A paced logger, its blocks taken as soon as the reader delivers them: each block request still
// reaches the logger only after the quiet line that ends a burst (100 ms after its last byte).
TEST(PtyConnection, EveryBlockRequestFollowsTheBurstGapOfQuietLine) {
    SimLoggerOptions options;
    options.model = LoggerModel::TemperatureHumidity;
    options.records = 2200;  // 8800 bytes: nine blocks
    options.recording = false;
    options.clockStart = std::time(nullptr);
    SimFaults paced;
    paced.paced = true;
    PtyServer server(options, paced);
    ASSERT_TRUE(server.Start()) << server.Error();

    ConnectionParts parts;
    auto& [clock, channel, info, ui, handed] = parts;
    DeviceConnection connection(channel, clock, info, ui, ui);
    connection.SetBackgroundConnect(false);
    connection.SetHistorySink([&](const HistoryHandover& history) { handed = history.bytes; });
    // The 200 ms step, and in between what the reader queued, at once.
    const auto runUntil = [&](auto done, int steps) {
        for (int i = 0; i < steps && !done(); ++i) {
            connection.OnTimer();
            const auto next = std::chrono::steady_clock::now() + Milliseconds(DeviceConnection::kTimerMs);
            while (!done() && std::chrono::steady_clock::now() < next) {
                if (ui.eventsQueued.exchange(false))
                    connection.HandleQueuedEvents();
                std::this_thread::sleep_for(Milliseconds(1));
            }
        }
        return done();
    };
    ASSERT_TRUE(connection.Connect(PortChoice{ChosenPort{server.DevicePath(), 1}, false, options.model}));
    ASSERT_TRUE(runUntil([&] { return connection.CurrentPhase() == Phase::Polling; }, 100));
    connection.ReadHistory();
    ASSERT_TRUE(runUntil([&] { return !handed.empty(); }, 300));

    const Bytes memory = server.Logger().RecordMemory();
    ASSERT_EQ(handed.size(), memory.size() + 9);
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), handed.begin() + 7));
    const auto quiet = server.Logger().ShortestQuietBeforeBlockRequestMs();
    ASSERT_TRUE(quiet.has_value());
    // (Line times are whole milliseconds: one may be lost to rounding.)
    EXPECT_GE(*quiet, BurstReader::kBurstGapMs - 1);
    server.Stop();
}

}  // namespace
}  // namespace veldrin
