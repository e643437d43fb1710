// The engine's events: what a scripted reply sequence reports, in order and with the decoded
// fields, and how the session and the connection follow them.
#include <gtest/gtest.h>

#include <algorithm>

#include "logger/ConnectionTexts.h"
#include "logger/ProtocolEngine.h"
#include "tests/logger/ConnectionFixture.h"
#include "tests/logger/FakeLink.h"

namespace veldrin {
namespace {

using test::ConnectionFixture;
using test::FakeLink;
using test::ManualClock;
using test::RecordingListener;

class EngineEventsTest : public ::testing::Test, protected test::EngineRig {
  protected:
    void Start(LoggerModel chosen, Phase phase) {
        engine.ResetForConnect(chosen);
        engine.SetModel(chosen);
        session.online = true;
        session.phase = phase;
        session.phaseStep = PhaseStep::None;
        listener.events.clear();
    }
    ReplyResult Exchange(CommandId id, const Bytes& reply) {
        listener.events.clear();
        engine.Send(id);
        link.Deliver(reply);
        return engine.ProcessReply();
    }
    template <typename Event>
    std::vector<Event> All() const {
        std::vector<Event> found;
        for (const EngineEvent& event : listener.events) {
            if (const auto* typed = std::get_if<Event>(&event))
                found.push_back(*typed);
        }
        return found;
    }
    std::vector<int> ProgressIn(Phase phase) const {
        std::vector<int> percents;
        for (const ProgressReached& progress : All<ProgressReached>()) {
            if (progress.phase == phase)
                percents.push_back(progress.percent);
        }
        return percents;
    }
};

Bytes ParameterBlock() {
    Bytes block(129, 0x00);
    block[0] = 0xFF;
    block[1] = 0xE9;
    block[2] = 0x01;
    block[6] = 1;      // recording
    block[10] = 0x3C;  // 60 s
    block[22] = 0x32;
    block[122] = 0x00;  // 2048 bytes
    block[123] = 0x08;
    block[128] = 0xF0;
    return block;
}

TEST_F(EngineEventsTest, ConnectRepliesReportTheirFieldsAfterTheirProgress) {
    Start(LoggerModel::DualTemperature, Phase::Connecting);
    ASSERT_EQ(Exchange(CommandId::EndRealtime, {0xFF, 0xF6, 0x00}), ReplyResult::Answered);
    ASSERT_EQ(listener.events.size(), 3u);
    EXPECT_EQ(ProgressIn(Phase::Connecting), std::vector<int>{20});
    EXPECT_EQ(ProgressIn(Phase::SettingUp), std::vector<int>{5});
    ASSERT_TRUE(std::holds_alternative<ReplyAccepted>(listener.events.back()));
    EXPECT_EQ(std::get<ReplyAccepted>(listener.events.back()).id, CommandId::EndRealtime);
    EXPECT_EQ(session.phaseStep, PhaseStep::Begun);
    EXPECT_EQ(session.progress, 20);

    ASSERT_EQ(Exchange(CommandId::Identify, {0xFF, 0xEC, 0x01, 0xA5}), ReplyResult::Answered);
    ASSERT_EQ(All<ReplyAccepted>().size(), 1u);
    EXPECT_EQ(All<ReplyAccepted>()[0].fields, std::vector<LoggerField>{LoggerField::Instrument});
    EXPECT_TRUE(All<IdentifyMismatch>().empty());

    ASSERT_EQ(Exchange(CommandId::ReadAllParameters, ParameterBlock()), ReplyResult::Answered);
    EXPECT_EQ(ProgressIn(Phase::Connecting), (std::vector<int>{30, 50, 40, 70, 80}));
    ASSERT_TRUE(std::holds_alternative<ReplyAccepted>(listener.events.back()));
    const auto& accepted = std::get<ReplyAccepted>(listener.events.back());
    EXPECT_EQ(accepted.id, CommandId::ReadAllParameters);
    EXPECT_EQ(accepted.fields,
              (std::vector<LoggerField>{LoggerField::RecordingState, LoggerField::VoltageState,
                                        LoggerField::Interval, LoggerField::StartTime,
                                        LoggerField::Channel1Alarm, LoggerField::Description,
                                        LoggerField::RecordCount, LoggerField::Channel2Alarm}));
    EXPECT_EQ(info.interval, 60);
    EXPECT_EQ(info.blockCount, 3);
    EXPECT_EQ(session.phase, Phase::Polling);
    EXPECT_EQ(session.progress, 80);

    // A reply that is not there yet reports nothing.
    EXPECT_EQ(Exchange(CommandId::ReadInterval, {0xFF, 0xF9}), ReplyResult::Waiting);
    EXPECT_TRUE(listener.events.empty());
}

TEST_F(EngineEventsTest, IdentifyMismatchNamesBothModelsAfterTheAcceptedReply) {
    Start(LoggerModel::SingleTemperature, Phase::Connecting);
    ASSERT_EQ(Exchange(CommandId::Identify, {0xFF, 0xEC, 0x01, 0xA7}), ReplyResult::Answered);
    ASSERT_EQ(listener.events.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<ReplyAccepted>(listener.events[0]));
    ASSERT_TRUE(std::holds_alternative<IdentifyMismatch>(listener.events[1]));
    const auto& mismatch = std::get<IdentifyMismatch>(listener.events[1]);
    EXPECT_EQ(mismatch.chosen, LoggerModel::SingleTemperature);
    EXPECT_EQ(mismatch.reported, LoggerModel::TemperatureHumidity);
}

TEST_F(EngineEventsTest, EveryStoredHistoryBlockIsReported) {
    Start(LoggerModel::SingleTemperature, Phase::ReadingHistory);
    info.recordBytes = 1500;
    info.blockCount = 2;
    engine.SetHistoryStage(HistoryState::Starting);
    Bytes first{0xFF, 0xF5, 0x01, 0x00, 0x00, 0x05, 0xDC};
    first.resize(1031, 0x11);
    first.insert(first.end(), {0xFF, 0xFF});
    ASSERT_EQ(Exchange(CommandId::ReadHistory, first), ReplyResult::Answered);
    ASSERT_EQ(All<BlockStored>().size(), 1u);
    EXPECT_EQ(All<BlockStored>()[0].block, 1);
    EXPECT_EQ(All<BlockStored>()[0].blockCount, 2);
    EXPECT_EQ(All<BlockStored>()[0].state, HistoryState::NextBlock);
    EXPECT_EQ(All<BlockStored>()[0].storedBytes, 1031u);
    EXPECT_TRUE(All<ReplyAccepted>().empty());

    Bytes last{0x00, 0x00};
    last.resize(2 + 476, 0x22);
    last.insert(last.end(), {0xFF, 0xFF});
    ASSERT_EQ(Exchange(CommandId::ReadHistory, last), ReplyResult::Answered);
    ASSERT_EQ(All<BlockStored>().size(), 1u);
    EXPECT_EQ(All<BlockStored>()[0].block, 2);
    EXPECT_EQ(All<BlockStored>()[0].state, HistoryState::Complete);
    EXPECT_EQ(All<BlockStored>()[0].storedBytes, 1031u + 478u);
    EXPECT_EQ(engine.HistoryStage(), HistoryState::Complete);
    // A block of the wrong shape is stored nowhere and reported nowhere.
    engine.SetHistoryStage(HistoryState::Starting);
    EXPECT_NE(Exchange(CommandId::ReadHistory, {0x01, 0x02, 0xFF, 0xFF}), ReplyResult::Answered);
    EXPECT_TRUE(All<BlockStored>().empty());
}

TEST_F(EngineEventsTest, DescriptionWriteReportsHeaderChunksAndCompletion) {
    Start(LoggerModel::SingleTemperature, Phase::SettingUp);
    link.onWrite = [&](const Bytes& written) { link.Deliver(written); };
    engine.MarkPending(CommandId::WriteDescription);
    engine.BeginDescriptionWrite(BuildDescriptionBlock("Freezer 2", "Keep below -18"));
    engine.Send(CommandId::WriteDescription);
    ASSERT_EQ(listener.events.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<DescriptionHeaderSent>(listener.events[0]));
    EXPECT_EQ(session.phaseStep, PhaseStep::DescriptionWrite);
    for (int call = 0; call < 40 && engine.IsPending(CommandId::WriteDescription); ++call) {
        engine.ProcessReply(CommandId::WriteDescription);
        engine.Send(CommandId::WriteDescription);
    }
    const auto chunks = All<DescriptionChunkEchoed>();
    ASSERT_EQ(chunks.size(), 6u);
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].chunk, static_cast<int>(i) + 1);
        EXPECT_EQ(chunks[i].percent, 35 + 10 * static_cast<int>(i));
    }
    EXPECT_EQ(ProgressIn(Phase::SettingUp), std::vector<int>{90});
    ASSERT_EQ(All<ReplyAccepted>().size(), 1u);
    EXPECT_EQ(All<ReplyAccepted>()[0].id, CommandId::WriteDescription);
    EXPECT_EQ(session.phaseStep, PhaseStep::None);
    EXPECT_EQ(session.progress, 90);
}

TEST_F(EngineEventsTest, RealtimeMismatchNamesTheModelTheFrameIsMarkedFor) {
    Start(LoggerModel::SingleTemperature, Phase::Polling);
    ASSERT_EQ(Exchange(CommandId::ReadRealtime, {0xFF, 0xF6, 0x01}), ReplyResult::Answered);
    link.Deliver({0xA7, 0x19, 0x05, 0x00, 0x00, 0xA7});
    link.Deliver({0xA6, 0x19, 0x05, 0x00, 0x00, 0xA6});
    EXPECT_EQ(listener.foreignMarkers, std::vector<LoggerModel>{LoggerModel::TemperatureHumidity});
    ASSERT_EQ(listener.readings.size(), 1u);
    EXPECT_FLOAT_EQ(listener.readings[0].first, 25.05f);
}

TEST(SessionRules, EventsMoveOnlyTheActivityTheyName) {
    SessionState session;
    session.phase = Phase::StoppingRecording;
    session.progress = 7;
    EXPECT_FALSE(session.Apply(ProgressReached{Phase::Connecting, 10}).closePort);
    EXPECT_EQ(session.progress, 7);
    session.Apply(ReplyAccepted{CommandId::EndRecording, {LoggerField::RecordingState}});
    EXPECT_EQ(session.phase, Phase::Polling);
    EXPECT_EQ(session.phaseStep, PhaseStep::None);

    session.phase = Phase::SettingUp;
    session.Apply(ReplyAccepted{CommandId::EndRealtime, {}});
    EXPECT_EQ(session.phaseStep, PhaseStep::Configuring);
    session.Apply(ProgressReached{Phase::SettingUp, 99});
    EXPECT_FALSE(session.Apply(ReplyAccepted{CommandId::ReadRealtime, {}}).settingDone);
    EXPECT_EQ(session.phase, Phase::SettingUp);
    session.Apply(ProgressReached{Phase::SettingUp, 100});
    EXPECT_TRUE(session.Apply(ReplyAccepted{CommandId::ReadRealtime, {}}).settingDone);
    EXPECT_EQ(session.phase, Phase::Polling);

    // Events that mean nothing for the session change nothing.
    const SessionState before = session;
    session.Apply(BlockStored{1, 2, HistoryState::NextBlock, 1031});
    session.Apply(RealtimeReading{1, 2});
    session.Apply(IdentifyMismatch{LoggerModel::SingleTemperature, LoggerModel::DualTemperature});
    EXPECT_EQ(session.phase, before.phase);
    EXPECT_EQ(session.phaseStep, before.phaseStep);
    EXPECT_EQ(session.progress, before.progress);
    EXPECT_EQ(session.online, before.online);
}

// The connection draws the progress the settings write's events stand for, and ends the write
// where it always ended.
TEST_F(ConnectionFixture, SettingsWriteShowsTheProgressOfEachReply) {
    Attach(1, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    // A start a minute ahead, left to the logger.
    const std::time_t start = clock.Now() + 60;
    SetStartTime(ui.panel, start);
    ui.panel.channel1Lower = "-10";
    ui.panel.channel1Upper = "40";
    ui.panel.channel2Lower = "10";
    ui.panel.channel2Upper = "90";
    ui.progress.clear();
    ASSERT_EQ(connection.ApplySettings(), RequestResult::Taken);
    EXPECT_EQ(connection.CurrentPhase(), Phase::SettingUp);
    EXPECT_EQ(connection.CurrentStep(), PhaseStep::Begun);
    ASSERT_TRUE(TicksUntil([&] { return connection.SettingsWriteState() == SettingsWrite::Finished; }, 600));

    std::vector<int> settingUp;
    for (const auto& [percent, text] : ui.progress) {
        if (text == texts::kSettingUp && (settingUp.empty() || settingUp.back() != percent))
            settingUp.push_back(percent);
    }
    std::vector<int> replies(settingUp.begin(), std::find(settingUp.begin(), settingUp.end(), 35));
    std::sort(replies.begin(), replies.end());
    EXPECT_EQ(replies, (std::vector<int>{5, 10, 15, 20, 25}));
    EXPECT_EQ(std::vector<int>(std::find(settingUp.begin(), settingUp.end(), 35), settingUp.end()),
              (std::vector<int>{35, 45, 55, 65, 75, 85}));
    EXPECT_EQ(ui.progress.back(), (std::pair<int, std::string>{100, texts::kSettingDone}));
    EXPECT_EQ(connection.CurrentPhase(), Phase::Polling);
    EXPECT_EQ(connection.CurrentStep(), PhaseStep::None);
    EXPECT_EQ(connection.Progress(), 100);
}

}  // namespace
}  // namespace veldrin
