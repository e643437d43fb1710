#pragma once
// One connection with one simulated logger on com1, on a virtual clock: the timer steps, waiting
// for a condition, connecting until polling and a timed history download.
#include <cstdint>
#include <memory>

#include "logger/DeviceConnection.h"
#include "sim/SimLink.h"
#include "sim/SimLogger.h"
#include "sim/VirtualClock.h"
#include "tests/logger/ComPorts.h"
#include "tests/logger/ScriptedUi.h"

namespace veldrin::test {

struct SimLoggerRig {
    // The port opens `openAtMs` into the logger's line time.
    SimLoggerRig(const SimLoggerOptions& options, const SimFaults& faults, int openAtMs = 0) {
        connection.SetBackgroundConnect(false);
        SimLoggerOptions own = options;
        own.clockStart = clock.Now();
        logger = std::make_shared<SimLogger>(own);
        logger->SetFaults(faults);
        link.AttachLogger(ComPath(1), logger);
        clock.Advance(openAtMs);
    }
    void Tick() {
        connection.OnTimer();
        clock.Advance(DeviceConnection::kTimerMs);
    }
    template <typename Done>
    bool TickUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done(); ++i)
            Tick();
        return done();
    }
    bool ConnectAndPoll(LoggerModel model) {
        return connection.Connect(ComChoice(1, model)) &&
               TickUntil([&] { return connection.CurrentPhase() == Phase::Polling; }, 300);
    }
    // Downloads the history into `handed`; returns the milliseconds it took, or −1 when it did not
    // finish.
    std::int64_t TimedDownload() {
        bool done = false;
        connection.SetHistorySink([&](const HistoryHandover& history) {
            handed = history.bytes;
            complete = history.complete;
            done = true;
        });
        const std::int64_t begin = clock.MonotonicMs();
        connection.ReadHistory();
        if (!TickUntil([&] { return done; }, 5000))
            return -1;
        return clock.MonotonicMs() - begin;
    }

    VirtualClock clock;
    SimLink link{clock};
    LoggerInfo info;
    ScriptedUi ui;
    DeviceConnection connection{link, clock, info, ui, ui};
    std::shared_ptr<SimLogger> logger;
    Bytes handed;
    bool complete = false;
};

}  // namespace veldrin::test
