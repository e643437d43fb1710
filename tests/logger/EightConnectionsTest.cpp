// Eight connections in one process, each to a simulated logger of its own on a pseudo-terminal,
// over the real serial code: each with its own channel and reader thread, its own engine and its
// own user-interface stand-in and history sink, all on one clock that the test moves. Among them
// a silent logger, one that streams realtime frames on its own clock (also during the download)
// and one that claims to be another model. Each must end exactly as the same logger does on its
// own, and no later, whatever the others do.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "logger/DeviceConnection.h"
#include "serial/CommChannel.h"
#include "sim/PtyServer.h"
#include "tests/logger/ScriptedUi.h"

namespace veldrin {
namespace {

// One clock for every connection of a run. It stands still until the test moves it; a sleep on it
// (the connect waits, on each connection's worker thread) ends once the test has moved it that far.
class SteppedClock final : public Clock {
  public:
    std::time_t Now() const override { return kSimDefaultClockStart + MonotonicMs() / 1000; }
    std::int64_t MonotonicMs() const override {
        std::lock_guard lock(mutex_);
        return ms_;
    }
    void SleepMs(int milliseconds) override {
        std::unique_lock lock(mutex_);
        const std::int64_t until = ms_ + milliseconds;
        moved_.wait(lock, [&] { return ms_ >= until || released_; });
    }
    void Advance(int milliseconds) {
        {
            std::lock_guard lock(mutex_);
            ms_ += milliseconds;
        }
        moved_.notify_all();
    }
    // Every sleep ends at once from now on, so that the connections can be taken down.
    void Release() {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        moved_.notify_all();
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable moved_;
    std::int64_t ms_ = 0;
    bool released_ = false;
};

// A logger of the test and how it misbehaves.
struct LoggerSetup {
    std::string name;
    LoggerModel model;
    int records;
    SimFaults faults{};
};

// How one connection ended.
struct Ending {
    bool online = false;
    LoggerModel identified = LoggerModel::Unknown;
    std::vector<std::string> messages;
    int questions = 0;
    std::size_t recordBytes = 0;
    Bytes history;
    bool historyComplete = false;
    int polledAtTick = -1;    // the step the connection first polled at
    int finishedAtTick = -1;  // the step its download arrived or its failure was told
    bool sawRealtime = false;
};

// A logger on its pseudo-terminal and the connection to it.
class Station {
  public:
    Station(const LoggerSetup& setup, Clock& clock) : setup_(setup), server_(Options(setup), setup.faults) {
        started_ = server_.Start();
        connection_ = std::make_unique<DeviceConnection>(channel_, clock, info_, ui_, ui_);
        connection_->SetHistorySink([this](const HistoryHandover& handed) {
            ending_.history = handed.bytes;
            ending_.historyComplete = handed.complete;
        });
    }
    ~Station() {
        connection_.reset();
        server_.Stop();
    }

    bool Started() const { return started_; }
    std::string Error() const { return setup_.name + ": " + server_.Error(); }

    void Connect() {
        connection_->Connect(PortChoice{ChosenPort{server_.DevicePath(), 1}, false, setup_.model});
    }
    // One 200 ms step: the timer, the reader's queued events, and the download asked for once the
    // connection polls and has shown a realtime reading (the streaming logger streams from then on,
    // through its download and the others').
    void Step(int tick) {
        connection_->OnTimer();
        connection_->HandleQueuedEvents();
        const bool polling = connection_->CurrentPhase() == Phase::Polling && connection_->Online();
        if (ending_.polledAtTick < 0 && polling)
            ending_.polledAtTick = tick;
        if (!askedForHistory_ && polling && !ui_.readings.empty()) {
            askedForHistory_ = true;
            connection_->ReadHistory();
        }
        if (ending_.finishedAtTick < 0 && Finished())
            ending_.finishedAtTick = tick;
    }
    bool Finished() const {
        if (!ending_.history.empty())
            return true;
        return !connection_->ConnectRunning() && !connection_->Online() && !ui_.messages.empty();
    }
    Ending Result() {
        ending_.online = connection_->Online();
        ending_.identified = info_.model;
        ending_.messages = ui_.messages;
        ending_.questions = ui_.questions;
        ending_.recordBytes = info_.recordBytes;
        ending_.sawRealtime = !ui_.readings.empty();
        return ending_;
    }

  private:
    static SimLoggerOptions Options(const LoggerSetup& setup) {
        SimLoggerOptions options;
        options.model = setup.model;
        options.records = setup.records;
        options.recording = false;  // the memory stays as it is, however long a run takes
        options.realtimePeriodMs = 1000;
        return options;
    }

    LoggerSetup setup_;
    PtyServer server_;
    bool started_ = false;
    CommChannel channel_;
    LoggerInfo info_;
    test::ScriptedUi ui_;
    std::unique_ptr<DeviceConnection> connection_;
    bool askedForHistory_ = false;
    Ending ending_;
};

constexpr int kStepMs = 20;
constexpr int kTickSteps = DeviceConnection::kTimerMs / kStepMs;
constexpr int kTickLimit = 400;  // 80 s of line time

// Runs the loggers of `setups` side by side on one clock, in real time, until every connection
// has its download or has told its failure.
std::vector<Ending> RunTogether(const std::vector<LoggerSetup>& setups) {
    SteppedClock clock;
    std::vector<std::unique_ptr<Station>> stations;
    std::vector<Ending> endings;
    for (const LoggerSetup& setup : setups) {
        stations.push_back(std::make_unique<Station>(setup, clock));
        if (!stations.back()->Started()) {
            ADD_FAILURE() << stations.back()->Error();
            clock.Release();
            return endings;
        }
    }
    for (auto& station : stations)
        station->Connect();
    const auto allFinished = [&] {
        for (const auto& station : stations) {
            if (!station->Finished())
                return false;
        }
        return true;
    };
    // A few steps more once all have finished, so that nothing late goes unseen.
    int after = 0;
    for (int tick = 0; tick < kTickLimit && after < 5; ++tick) {
        for (int step = 0; step < kTickSteps; ++step) {
            clock.Advance(kStepMs);
            std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
        }
        for (auto& station : stations)
            station->Step(tick);
        after += allFinished() ? 1 : 0;
    }
    for (auto& station : stations)
        endings.push_back(station->Result());
    clock.Release();
    return endings;
}

std::vector<LoggerSetup> EightLoggers() {
    SimFaults silent;
    silent.silentAfterSeconds = 0;
    SimFaults streaming;
    streaming.streamOnOwnClock = true;
    streaming.streamDuringDownload = true;
    SimFaults wrongModel;
    wrongModel.answerAs = LoggerModel::DualTemperature;
    return {
        {"single", LoggerModel::SingleTemperature, 120},
        {"humidity", LoggerModel::TemperatureHumidity, 90},
        {"dual", LoggerModel::DualTemperature, 150},
        {"silent dual", LoggerModel::DualTemperature, 100, silent},
        {"streaming single", LoggerModel::SingleTemperature, 200, streaming},
        {"humidity answering as dual", LoggerModel::TemperatureHumidity, 80, wrongModel},
        {"second single", LoggerModel::SingleTemperature, 60},
        {"second humidity", LoggerModel::TemperatureHumidity, 130},
    };
}

// How many steps later than alone a connection may finish among the others: the loggers and
// readers share the machine's cores, so a little scheduling delay is allowed, never a wait on
// another connection (the silent logger's connect alone takes seconds).
constexpr int kSlackTicks = 5;

TEST(EightConnections, EachEndsAsItWouldAloneAndNoneWaitsForAnother) {
    const std::vector<LoggerSetup> setups = EightLoggers();
    std::vector<Ending> alone;
    for (const LoggerSetup& setup : setups) {
        const std::vector<Ending> single = RunTogether({setup});
        ASSERT_EQ(single.size(), 1u) << setup.name;
        alone.push_back(single[0]);
    }
    const std::vector<Ending> together = RunTogether(setups);
    ASSERT_EQ(together.size(), setups.size());

    for (std::size_t i = 0; i < setups.size(); ++i) {
        SCOPED_TRACE(setups[i].name);
        const Ending& mine = together[i];
        const Ending& own = alone[i];
        EXPECT_EQ(mine.messages, own.messages);
        EXPECT_EQ(mine.online, own.online);
        EXPECT_EQ(mine.identified, own.identified);
        EXPECT_EQ(mine.questions, own.questions)
            << "a realtime frame of another model was taken for this one's";
        EXPECT_EQ(mine.recordBytes, own.recordBytes);
        EXPECT_EQ(mine.history, own.history) << "downloaded bytes differ from the same logger's on its own";
        EXPECT_EQ(mine.historyComplete, own.historyComplete);
        EXPECT_EQ(mine.polledAtTick >= 0, own.polledAtTick >= 0);
        ASSERT_GE(mine.finishedAtTick, 0) << "never finished";
        EXPECT_LE(mine.finishedAtTick, own.finishedAtTick + kSlackTicks);
        if (own.polledAtTick >= 0) {
            EXPECT_LE(mine.polledAtTick, own.polledAtTick + kSlackTicks);
        }
    }

    // Each ended the way its logger makes it end, so the comparison above compares real work.
    const auto byName = [&](const std::string& name) -> const Ending& {
        for (std::size_t i = 0; i < setups.size(); ++i) {
            if (setups[i].name == name)
                return together[i];
        }
        throw std::logic_error(name);
    };
    for (std::size_t i = 0; i < setups.size(); ++i) {
        if (setups[i].faults.silentAfterSeconds || setups[i].faults.answerAs)
            continue;
        SCOPED_TRACE(setups[i].name);
        EXPECT_TRUE(together[i].online);
        EXPECT_EQ(together[i].identified, setups[i].model);
        EXPECT_TRUE(together[i].messages.empty());
        EXPECT_TRUE(together[i].historyComplete);
        const std::size_t readingBytes = Traits(setups[i].model).channelCount == 2 ? 4 : 2;
        EXPECT_EQ(together[i].recordBytes, setups[i].records * readingBytes);
        EXPECT_TRUE(together[i].sawRealtime);
    }
    EXPECT_EQ(byName("silent dual").messages, (std::vector<std::string>{"未找到设备"}));
    EXPECT_EQ(byName("humidity answering as dual").messages, (std::vector<std::string>{"仪器不匹配"}));
    EXPECT_TRUE(byName("humidity answering as dual").history.empty());
}

}  // namespace
}  // namespace veldrin
