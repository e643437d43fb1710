// Against a logger that sends realtime frames on its own clock from the moment the line is up,
// unasked, and holds each reply back until 150 ms after a frame: every reply is taken as soon as
// it has arrived whole, in connecting, downloading, setting up and stopping.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/logger/SimLoggerRig.h"

namespace veldrin {
namespace {

// The identify reply lost once costs the 22 steps until identify goes out again (4.4 s); a connect
// that takes its reply at once is done with identify well within this.
constexpr std::int64_t kIdentifyBoundMs = 2000;

SimFaults Chatty(bool paced = false) {
    SimFaults faults;
    faults.chatty = true;
    faults.paced = paced;
    return faults;
}

using ChattyRig = test::SimLoggerRig;

class ChattyConnectTest : public ::testing::TestWithParam<LoggerModel> {};

TEST_P(ChattyConnectTest, EveryConnectTakesTheIdentifyReplyAtOnce) {
    SimLoggerOptions options;
    options.model = GetParam();
    // Forty connects, the port opened at every 50 ms of the logger's 2 s frame period: some put
    // the last wake-up echo behind a frame, right before the identify reply.
    for (int phaseMs = 0; phaseMs < options.realtimePeriodMs; phaseMs += 50) {
        ChattyRig rig(options, Chatty(), phaseMs);
        ASSERT_TRUE(rig.connection.Connect(test::ComChoice(1, options.model))) << "phase " << phaseMs;
        const std::int64_t connected = rig.clock.MonotonicMs();
        ASSERT_TRUE(rig.TickUntil(
            [&] { return rig.connection.Engine().State(CommandId::Identify) != CommandStatus::Pending; },
            100));
        EXPECT_EQ(rig.connection.Engine().State(CommandId::Identify), CommandStatus::Answered);
        EXPECT_LT(rig.clock.MonotonicMs() - connected, kIdentifyBoundMs) << "phase " << phaseMs;
        EXPECT_EQ(rig.info.model, options.model) << "phase " << phaseMs;
        EXPECT_TRUE(rig.TickUntil([&] { return rig.connection.CurrentPhase() == Phase::Polling; }, 300));
        EXPECT_TRUE(rig.ui.messages.empty()) << "phase " << phaseMs << ": " << rig.ui.messages.front();
        EXPECT_GT(rig.logger->RealtimeFramesSent(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllModels, ChattyConnectTest,
                         ::testing::Values(LoggerModel::DualTemperature, LoggerModel::SingleTemperature,
                                           LoggerModel::TemperatureHumidity));

TEST(ChattyLogger, DownloadOf2000ReadingsIsWhatTheLoggerHolds) {
    SimLoggerOptions options;
    options.model = LoggerModel::DualTemperature;
    options.records = 2000;
    options.recording = false;
    options.realtimePeriodMs = 1000;
    for (int phaseMs : {0, 350, 700}) {
        ChattyRig rig(options, Chatty(true), phaseMs);
        ASSERT_TRUE(rig.ConnectAndPoll(options.model));
        const int framesBefore = rig.logger->RealtimeFramesSent();
        ASSERT_GT(rig.TimedDownload(), 0) << "phase " << phaseMs;
        EXPECT_TRUE(rig.complete);
        // Frames kept coming while the memory went out.
        EXPECT_GT(rig.logger->RealtimeFramesSent() - framesBefore, 3);
        const Bytes memory = rig.logger->RecordMemory();
        ASSERT_EQ(rig.handed.size(), memory.size() + 9);
        EXPECT_TRUE(std::equal(memory.begin(), memory.end(), rig.handed.begin() + 7)) << "phase " << phaseMs;
    }
}

TEST(HistoryPace, NextBlockRequestFollowsACompleteBlockWithoutWaitingForTheStep) {
    SimLoggerOptions options;
    options.model = LoggerModel::TemperatureHumidity;
    options.records = 2000;  // 8000 bytes: eight blocks
    options.recording = false;
    SimFaults paced;
    paced.paced = true;
    for (const SimFaults& faults : {paced, Chatty(true)}) {
        test::SimLoggerRig rig(options, faults);
        ASSERT_TRUE(rig.ConnectAndPoll(options.model));
        bool done = false;
        rig.connection.SetHistorySink([&](const HistoryHandover& history) {
            rig.handed = history.bytes;
            done = true;
        });
        rig.connection.ReadHistory();
        // The steps every 200 ms; in between, what the reader queued runs as soon as it is queued,
        // as the desktop program's event loop runs it. Every request after the first must go out
        // from there, at the moment its previous block has come in.
        std::size_t requestsOnDelivery = 0;
        for (int step = 0; step < 1000 && !done; ++step) {
            rig.connection.OnTimer();
            for (int ms = 0; ms < DeviceConnection::kTimerMs && !done; ms += 5) {
                rig.clock.Advance(5);
                if (rig.ui.eventsQueued.exchange(false)) {
                    const std::size_t writes = rig.link.Writes().size();
                    rig.connection.HandleQueuedEvents();
                    requestsOnDelivery += rig.link.Writes().size() - writes;
                }
            }
        }
        ASSERT_TRUE(done);
        EXPECT_EQ(requestsOnDelivery, static_cast<std::size_t>(rig.info.blockCount - 1));
        const Bytes memory = rig.logger->RecordMemory();
        ASSERT_EQ(rig.handed.size(), memory.size() + 9);
        EXPECT_TRUE(std::equal(memory.begin(), memory.end(), rig.handed.begin() + 7));
    }
}

TEST(ChattyLogger, SettingsWriteAndStopReachTheLogger) {
    SimLoggerOptions options;
    options.model = LoggerModel::DualTemperature;
    options.recording = false;
    for (int phaseMs : {0, 900, 1900}) {
        ChattyRig rig(options, Chatty(), phaseMs);
        ASSERT_TRUE(rig.ConnectAndPoll(options.model));
        PanelSettings panel;  // a start long past: the logger starts at once
        panel.startYear = 2000;
        panel.intervalMinutes = 1;
        panel.channel1Lower = "0";
        panel.channel1Upper = "30";
        panel.channel2Lower = "-20";
        panel.channel2Upper = "-5";
        panel.title = "Chatty";
        rig.ui.panel = panel;
        ASSERT_EQ(rig.connection.ApplySettings(), RequestResult::Taken);
        ASSERT_TRUE(rig.TickUntil(
            [&] { return rig.connection.SettingsWriteState() == SettingsWrite::Finished; }, 600));
        const SimSettings written = rig.logger->Settings();
        EXPECT_EQ(written.recordingState, 1) << "phase " << phaseMs;
        EXPECT_EQ(written.description.substr(0, 6), "Chatty");
        EXPECT_EQ(rig.connection.Engine().State(CommandId::SetChannel2Alarm), CommandStatus::Answered);

        ASSERT_EQ(rig.connection.StopRecording(), RequestResult::Taken);
        ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CurrentPhase() == Phase::Polling; }, 300));
        EXPECT_EQ(rig.logger->Settings().recordingState, 0) << "phase " << phaseMs;
        EXPECT_EQ(rig.connection.Engine().State(CommandId::EndRecording), CommandStatus::Answered);
    }
}

TEST(ChattyLogger, TalksUnaskedAndHoldsRepliesBehindItsFrames) {
    SimLoggerOptions options;
    options.model = LoggerModel::DualTemperature;
    options.realtimePeriodMs = 1000;
    options.replyLatencyMs = 5;
    SimLogger logger(options);
    logger.SetFaults(Chatty());
    logger.Advance(0);
    logger.Advance(1000);
    std::vector<Transmission> sent = logger.TakeTransmissions();
    ASSERT_EQ(sent.size(), 2u) << "frames from line time 0, nothing asked";
    EXPECT_EQ(sent[0].bytes.front(), 0xA5);
    EXPECT_EQ(sent[1].startMs, 1000);
    // Identify right after a frame: the reply waits until 150 ms after it.
    const std::uint8_t identify[] = {0xFF, 0xEC, 0x01};
    logger.Receive(identify, sizeof identify, 1010);
    sent = logger.TakeTransmissions();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes, (std::vector<std::uint8_t>{0xFF, 0xEC, 0x01, 0xA5}));
    EXPECT_EQ(sent[0].startMs, 1000 + SimTransmitter::kQuietMs);
    // Long after a frame it answers at once; end realtime does not stop it.
    const std::uint8_t endRealtime[] = {0xFF, 0xF6, 0x00};
    logger.Receive(endRealtime, sizeof endRealtime, 1500);
    sent = logger.TakeTransmissions();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].startMs, 1505);
    logger.Advance(2000);
    EXPECT_EQ(logger.RealtimeFramesSent(), 3);
}

}  // namespace
}  // namespace veldrin
