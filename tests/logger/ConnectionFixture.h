#pragma once
// A connection wired to simulated loggers behind an in-process link with a virtual clock.
#include <gtest/gtest.h>

#include <memory>

#include "logger/DeviceConnection.h"
#include "sim/SimLink.h"
#include "sim/SimLogger.h"
#include "sim/VirtualClock.h"
#include "tests/logger/ComPorts.h"
#include "tests/logger/ScriptedUi.h"

namespace veldrin::test {

class ConnectionFixture : public ::testing::Test {
  protected:
    ConnectionFixture() { connection.SetBackgroundConnect(false); }

    // Puts a logger behind com `port`.
    std::shared_ptr<SimLogger> Attach(int port, LoggerModel model, int records = 1440) {
        return Attach(ComPath(port), model, records);
    }
    // Puts a logger behind the port at `devicePath`.
    std::shared_ptr<SimLogger> Attach(const std::string& devicePath, LoggerModel model, int records = 1440) {
        SimLoggerOptions options;
        options.model = model;
        options.records = records;
        options.clockStart = clock.Now();
        auto logger = std::make_shared<SimLogger>(options);
        link.AttachLogger(devicePath, logger);
        return logger;
    }
    // Runs `count` timer calls, 200 ms apart.
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            connection.OnTimer();
            clock.Advance(DeviceConnection::kTimerMs);
        }
    }
    // Runs timer calls until `done` holds; false when it did not within `limit` calls.
    template <typename Done>
    bool TicksUntil(Done done, int limit = 2000) {
        for (int i = 0; i < limit; ++i) {
            if (done())
                return true;
            Ticks(1);
        }
        return done();
    }
    // Connects to the logger at com `port` and runs until polling.
    void ConnectAndPoll(int port, LoggerModel model) { ConnectAndPoll(PortChoice{Com(port), false, model}); }
    void ConnectAndPoll(const PortChoice& choice) {
        ASSERT_TRUE(connection.Connect(choice));
        ASSERT_TRUE(TicksUntil([&] { return connection.CurrentPhase() == Phase::Polling; }, 100));
    }
    // Settings the panel may write, with a start long past: the logger starts at once.
    static PanelSettings PanelStartingNow() {
        PanelSettings panel;
        panel.startYear = 2000;
        panel.intervalMinutes = 1;
        panel.channel1Lower = "0";
        panel.channel1Upper = "30";
        panel.channel2Lower = "10";
        panel.channel2Upper = "90";
        panel.title = "Title";
        return panel;
    }
    // The frames written since write number `from`, sync bytes left out when `withoutSync`.
    std::vector<Bytes> Frames(std::size_t from = 0, bool withoutSync = false) const {
        std::vector<Bytes> frames;
        auto writes = link.Writes();
        for (std::size_t i = from; i < writes.size(); ++i) {
            if (withoutSync && writes[i].bytes == Bytes{0xFF})
                continue;
            frames.push_back(writes[i].bytes);
        }
        return frames;
    }
    static int Count(const std::vector<Bytes>& frames, const Bytes& frame) {
        return static_cast<int>(std::count(frames.begin(), frames.end(), frame));
    }
    static std::ptrdiff_t Position(const std::vector<Bytes>& frames, const Bytes& frame) {
        auto at = std::find(frames.begin(), frames.end(), frame);
        return at == frames.end() ? -1 : at - frames.begin();
    }

    VirtualClock clock;
    SimLink link{clock};
    LoggerInfo info;
    ScriptedUi ui;
    DeviceConnection connection{link, clock, info, ui, ui};
};

}  // namespace veldrin::test
