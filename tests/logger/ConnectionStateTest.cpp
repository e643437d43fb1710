// The connection's typed state: the port state and link status it shows, the stage of its
// activities beside their percentage, and the decision about what goes out while the instrument
// mismatch question stands.
#include <gtest/gtest.h>

#include <algorithm>

#include "logger/ConnectionTexts.h"
#include "tests/logger/ConnectionFixture.h"

namespace veldrin {
namespace {

const Bytes kRealtimeRequest{0xFF, 0xF6, 0x01};

class ConnectionStateTest : public test::ConnectionFixture {
  protected:
    // Applies settings and runs until the write is over; true when it ended with "设置完成".
    bool WriteSettingsToTheEnd() {
        ui.panel = PanelStartingNow();
        ui.progress.clear();
        if (connection.ApplySettings() != RequestResult::Taken)
            return false;
        if (!TicksUntil([&] { return connection.SettingsWriteState() == SettingsWrite::Finished; }, 600))
            return false;
        return !ui.progress.empty() &&
               ui.progress.back() == (std::pair<int, std::string>{kFullProgress, texts::kSettingDone});
    }
    // Makes the connected logger's realtime frames carry another model's markers.
    void AnswerAsAnotherModel(SimLogger& logger) {
        SimFaults faults;
        faults.answerAs = LoggerModel::DualTemperature;
        logger.SetFaults(faults);
    }
    // The distinct percentages the strip showed for "正在设置仪器", in ascending order.
    std::vector<int> SettingUpPercents() const {
        std::vector<int> percents;
        for (const auto& [percent, text] : ui.progress) {
            if (text == texts::kSettingUp)
                percents.push_back(percent);
        }
        std::sort(percents.begin(), percents.end());
        percents.erase(std::unique(percents.begin(), percents.end()), percents.end());
        return percents;
    }
    int RealtimeRequestsSince(std::size_t from) const { return Count(Frames(from), kRealtimeRequest); }
};

// ---- Port state and link status ----------------------------------------------------------------

TEST_F(ConnectionStateTest, PortStateFollowsConnectAndDisconnect) {
    EXPECT_EQ(connection.CurrentPortState(), PortState::Closed);
    EXPECT_EQ(connection.CurrentLinkStatus(), LinkStatus::Unsaid);
    EXPECT_EQ(connection.StatusText(), "");
    Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    EXPECT_EQ(connection.CurrentPortState(), PortState::Open);
    EXPECT_EQ(connection.PortStateText(), texts::kPortOpen);

    connection.Disconnect();
    EXPECT_EQ(connection.CurrentPortState(), PortState::Closed);
    EXPECT_EQ(connection.PortStateText(), texts::kPortClosed);
    // A second disconnect finds the port closed and changes nothing.
    const std::size_t writes = link.Writes().size();
    connection.Disconnect();
    Ticks(3);
    EXPECT_EQ(connection.CurrentLinkStatus(), LinkStatus::NotConnected);
    EXPECT_EQ(connection.StatusText(), texts::kDeviceNotConnected);
    EXPECT_LE(link.Writes().size(), writes + 1);  // at most the end-realtime of the first one
}

TEST_F(ConnectionStateTest, SilenceWhilePollingSaysNormalThenTimeoutThenNotConnected) {
    auto logger = Attach(1, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    Ticks(5);
    EXPECT_EQ(connection.CurrentLinkStatus(), LinkStatus::Normal);
    ui.statuses.clear();
    logger->SetSilent(true);
    std::vector<LinkStatus> seen{connection.CurrentLinkStatus()};
    ASSERT_TRUE(TicksUntil(
        [&] {
            if (seen.back() != connection.CurrentLinkStatus())
                seen.push_back(connection.CurrentLinkStatus());
            return !connection.Online();
        },
        200));
    Ticks(3);
    // The pane is told each status once, in order; no blank pane comes in between while the
    // logger is silent (no progress is drawn while polling).
    EXPECT_EQ(ui.statuses, (std::vector<std::string>{texts::kLinkNormal, texts::kLinkTimeout,
                                                     texts::kDeviceNotConnected}));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), LinkStatus::NotConnected);
    EXPECT_NE(std::find(seen.begin(), seen.end(), LinkStatus::Timeout), seen.end());
    EXPECT_EQ(connection.CurrentPortState(), PortState::Closed);
    EXPECT_EQ(connection.StatusText(), ui.statuses.back());
}

// ---- Activity stage beside the progress --------------------------------------------------------

TEST(ActivityStage, OnlyTheFullProgressOfTheActivityItselfEndsIt) {
    SessionState session;
    session.Begin(Phase::Connecting, PhaseStep::None, 5);
    EXPECT_EQ(session.stage, ActivityStage::Running);
    session.Apply(ProgressReached{Phase::SettingUp, kFullProgress});
    EXPECT_EQ(session.stage, ActivityStage::Running);
    EXPECT_EQ(session.progress, 5);
    session.Apply(ProgressReached{Phase::Connecting, kFullProgress});
    EXPECT_EQ(session.stage, ActivityStage::LastReplyIn);
    EXPECT_EQ(session.progress, kFullProgress);
    // A lower progress of the same activity after it (a reply that came late) opens it again.
    session.Apply(ProgressReached{Phase::Connecting, 50});
    EXPECT_EQ(session.stage, ActivityStage::Running);

    // A settings write ends with its realtime reply only after its last reply; echoed description
    // chunks never end it.
    session.stage = ActivityStage::Closed;
    session.Begin(Phase::SettingUp, PhaseStep::Begun, 0);
    EXPECT_EQ(session.stage, ActivityStage::Running);
    session.Apply(DescriptionChunkEchoed{6, 85});
    EXPECT_FALSE(session.Apply(ReplyAccepted{CommandId::ReadRealtime, {}}).settingDone);
    session.Apply(ProgressReached{Phase::SettingUp, kFullProgress});
    session.Apply(DescriptionChunkEchoed{6, 85});
    EXPECT_FALSE(session.Apply(ReplyAccepted{CommandId::ReadRealtime, {}}).settingDone);
    session.Apply(ProgressReached{Phase::SettingUp, kFullProgress});
    EXPECT_TRUE(session.Apply(ReplyAccepted{CommandId::ReadRealtime, {}}).settingDone);
    EXPECT_EQ(session.phase, Phase::Polling);
}

TEST_F(ConnectionStateTest, EachActivityStartsFromItsOwnStageAndTheStripIsClearedOnce) {
    Attach(1, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    int handovers = 0;
    connection.SetHistorySink([&](const HistoryHandover&) { ++handovers; });

    // A settings write, a download and another settings write: none may inherit the stage of
    // the one before (the second write must not end before its own last reply).
    ASSERT_TRUE(WriteSettingsToTheEnd());
    EXPECT_EQ(connection.Progress(), kFullProgress);
    EXPECT_EQ(connection.Session().stage, ActivityStage::LastReplyIn);
    const std::vector<int> firstWrite = SettingUpPercents();
    ui.progress.clear();
    Ticks(5);
    EXPECT_EQ(connection.Progress(), 0);
    EXPECT_EQ(connection.Session().stage, ActivityStage::Running);
    EXPECT_EQ(std::count(ui.progress.begin(), ui.progress.end(), std::pair<int, std::string>{0, ""}), 1);

    connection.ReadHistory();
    EXPECT_EQ(connection.Progress(), 5);
    ASSERT_TRUE(TicksUntil([&] { return handovers == 1; }, 2000));
    for (const auto& [percent, text] : ui.progress) {
        if (text == texts::kReadingHistory) {
            EXPECT_GE(percent, 0);
            EXPECT_LE(percent, kFullProgress);
        }
    }
    EXPECT_EQ(connection.CurrentPhase(), Phase::Polling);

    ASSERT_TRUE(WriteSettingsToTheEnd());
    EXPECT_EQ(SettingUpPercents(), firstWrite);
    EXPECT_FALSE(firstWrite.empty());
}

// ---- The mismatch question decides what is sent --------------------------------------------

TEST_F(ConnectionStateTest, WhileTheMismatchQuestionStandsNoRealtimeIsAskedFor) {
    auto logger = Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    std::size_t writesAtQuestion = 0;
    int requestsWhileOpen = -1;
    ui.onAskReconnect = [&] {
        EXPECT_EQ(connection.Mismatch(), MismatchState::QuestionOpen);
        writesAtQuestion = link.Writes().size();
        // The user takes a while: the 200 ms steps go on meanwhile (more than one realtime period).
        Ticks(60);
        requestsWhileOpen = RealtimeRequestsSince(writesAtQuestion);
        EXPECT_TRUE(connection.Online());
        logger->SetFaults({});
    };
    ui.reconnect = false;
    AnswerAsAnotherModel(*logger);
    ASSERT_TRUE(TicksUntil([&] { return ui.questions == 1; }, 100));
    EXPECT_EQ(requestsWhileOpen, 0);
    // Answered "no": polling goes on and asks for realtime readings again.
    EXPECT_EQ(connection.Mismatch(), MismatchState::None);
    const std::size_t afterAnswer = link.Writes().size();
    Ticks(60);
    EXPECT_GT(RealtimeRequestsSince(afterAnswer), 0);
    EXPECT_EQ(ui.choosePortCalls, 0);
    EXPECT_EQ(connection.CurrentPortState(), PortState::Open);
}

TEST_F(ConnectionStateTest, AnsweredReconnectClosesInsteadOfSending) {
    auto logger = Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    ui.reconnect = true;
    ui.choice.reset();  // the port dialog of the reconnect is cancelled
    std::size_t writesAtAnswer = 0;
    ui.onAskReconnect = [&] { writesAtAnswer = link.Writes().size(); };
    AnswerAsAnotherModel(*logger);
    ASSERT_TRUE(TicksUntil([&] { return ui.questions == 1; }, 100));
    EXPECT_EQ(connection.Mismatch(), MismatchState::ReconnectChosen);
    // The first send after the answer writes nothing: it closes the connection instead.
    ASSERT_TRUE(TicksUntil([&] { return connection.Mismatch() != MismatchState::ReconnectChosen; }, 100));
    EXPECT_EQ(link.Writes().size(), writesAtAnswer);
    EXPECT_EQ(connection.Mismatch(), MismatchState::ReconnectDue);
    EXPECT_FALSE(connection.Online());
    EXPECT_EQ(connection.CurrentPortState(), PortState::Closed);
    EXPECT_EQ(connection.CurrentPhase(), Phase::Disconnecting);
    // The next step asks for the port to connect to again.
    Ticks(1);
    EXPECT_EQ(ui.choosePortCalls, 1);
    EXPECT_EQ(connection.Mismatch(), MismatchState::None);
    Ticks(5);
    EXPECT_EQ(link.Writes().size(), writesAtAnswer);
    EXPECT_EQ(ui.questions, 1);
}

TEST_F(ConnectionStateTest, AnUnansweredQuestionKeepsTheLinkCheckQuiet) {
    auto logger = Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    bool stillOnline = false;
    ui.onAskReconnect = [&] {
        // The logger says nothing while the user thinks for longer than the link check allows.
        logger->SetSilent(true);
        Ticks(static_cast<int>(kLinkLostSeconds * 1000 / DeviceConnection::kTimerMs) + 20);
        stillOnline = connection.Online();
        logger->SetSilent(false);
        logger->SetFaults({});
    };
    AnswerAsAnotherModel(*logger);
    ASSERT_TRUE(TicksUntil([&] { return ui.questions == 1; }, 100));
    EXPECT_TRUE(stillOnline);
    EXPECT_NE(connection.CurrentLinkStatus(), LinkStatus::Timeout);
    EXPECT_EQ(connection.CurrentPortState(), PortState::Open);
}

}  // namespace
}  // namespace veldrin
