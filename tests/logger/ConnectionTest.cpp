// Connecting, identifying, polling and supervising, end to end against simulated loggers.
#include <gtest/gtest.h>

#include "logger/ConnectionTexts.h"
#include "tests/logger/ConnectionFixture.h"
#include "tests/logger/FakeLink.h"

namespace veldrin {
namespace {

using test::ComPath;
using test::ConnectionFixture;

class ConnectTest : public ConnectionFixture, public ::testing::WithParamInterface<LoggerModel> {};

TEST_P(ConnectTest, IdentifiesReadsParametersThenPollsRealtime) {
    const LoggerModel model = GetParam();
    auto logger = Attach(2, model);
    ConnectAndPoll(2, model);
    EXPECT_TRUE(connection.Online());
    EXPECT_TRUE(connection.Connected());
    EXPECT_EQ(connection.PortStateText(), texts::kPortOpen);
    EXPECT_EQ(connection.CurrentViewMode(), ViewMode::LiveLogger);

    // The wake-up comes first, then identify and the parameter block, then realtime requests.
    auto frames = Frames();
    auto identify = Position(frames, {0xFF, 0xEC, 0x01});
    ASSERT_GE(identify, 0);
    EXPECT_EQ(frames[static_cast<std::size_t>(identify) - 1], (Bytes{0x55, 0x55, 0x55, 0xFF}));
    Ticks(60);
    auto commands = Frames(static_cast<std::size_t>(identify), true);
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[0], (Bytes{0xFF, 0xEC, 0x01}));
    EXPECT_EQ(commands[1], (Bytes{0xFF, 0xE9, 0x01}));
    EXPECT_EQ(commands[2], (Bytes{0xFF, 0xF6, 0x01}));

    SimSettings settings = logger->Settings();
    EXPECT_EQ(info.model, model);
    EXPECT_EQ(info.interval, settings.interval);
    EXPECT_EQ(info.recordingState, 1);
    EXPECT_EQ(info.channel1Alarm.lowerByte, settings.channel1Lower);
    EXPECT_EQ(info.channel1Alarm.upperByte, settings.channel1Upper);
    if (Traits(model).channelCount == 2) {
        EXPECT_EQ(info.channel2Alarm.upperByte, settings.channel2Upper);
    }
    EXPECT_EQ(info.recordBytes, logger->RecordMemory().size());
    EXPECT_EQ(info.title, "模拟" + std::string(Traits(model).displayName));
    EXPECT_TRUE(ui.stopEnabled);
    EXPECT_FALSE(ui.startEnabled);
    EXPECT_FALSE(ui.readings.empty());
    EXPECT_EQ(ui.statuses.back(), texts::kLinkNormal);
}

INSTANTIATE_TEST_SUITE_P(AllModels, ConnectTest,
                         ::testing::Values(LoggerModel::SingleTemperature, LoggerModel::TemperatureHumidity,
                                           LoggerModel::DualTemperature));

TEST_F(ConnectionFixture, WrongInstrumentEndsAfterIdentify) {
    Attach(1, LoggerModel::TemperatureHumidity);
    ASSERT_TRUE(connection.Connect(test::ComChoice(1, LoggerModel::SingleTemperature)));
    Ticks(20);
    EXPECT_TRUE(ui.HasMessage(texts::kInstrumentMismatch));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(connection.Online());
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(connection.PortStateText(), texts::kPortClosed);
    EXPECT_EQ(connection.CurrentViewMode(), ViewMode::Nothing);
    EXPECT_EQ(Count(Frames(), {0xFF, 0xE9, 0x01}), 0);  // no parameter block asked for
}

TEST_F(ConnectionFixture, ModelFromIdentifyTakesWhicheverModelAnswersWithoutTheQuestion) {
    int port = 1;
    for (const LoggerModel model : {LoggerModel::DualTemperature, LoggerModel::SingleTemperature}) {
        auto logger = Attach(port, model);
        ConnectAndPoll(test::ComChoice(port, kModelFromIdentify));
        EXPECT_EQ(info.model, model);
        EXPECT_EQ(info.instrumentName, Traits(model).displayName);
        EXPECT_TRUE(connection.Online());
        EXPECT_TRUE(link.IsOpen());
        EXPECT_FALSE(ui.HasMessage(texts::kInstrumentMismatch));
        // The parameters are read as the answering model's.
        EXPECT_EQ(info.channel1Alarm.upperByte, logger->Settings().channel1Upper);
        EXPECT_EQ(info.recordBytes, logger->RecordMemory().size());
        connection.Disconnect();
        Ticks(10);
        ++port;
    }
}

TEST_F(ConnectionFixture, FailuresToOpenOrWakeTheLogger) {
    EXPECT_FALSE(connection.Connect(test::ComChoice(3, LoggerModel::SingleTemperature)));
    ASSERT_EQ(ui.messages.size(), 1u);
    // The port's own text first, then the device and the link's reason on the lines below.
    EXPECT_EQ(ui.messages[0].substr(0, ui.messages[0].find('\n')), "打开com3失败");
    EXPECT_NE(ui.messages[0].find("\n设备：" + ComPath(3)), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find("\n原因：" + link.LastError()), std::string::npos) << ui.messages[0];

    link.AddEmptyPort(ComPath(4));
    EXPECT_FALSE(connection.Connect(test::ComChoice(4, LoggerModel::SingleTemperature)));
    EXPECT_EQ(ui.messages.back(), texts::kDeviceNotFound);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(connection.PortStateText(), texts::kPortClosed);
}

TEST(ConnectShortAnswer, FewerThanSixBytesIsAMismatchWithoutIdentify) {
    test::FakeLink link;
    test::ManualClock clock;
    LoggerInfo info;
    test::ScriptedUi ui;
    DeviceConnection connection(link, clock, info, ui, ui);
    connection.SetBackgroundConnect(false);
    int probes = 0;
    link.onWrite = [&](const Bytes& written) {
        if (written == Bytes{0x55, 0x55, 0x55})
            link.Deliver({0x55, 0x55, 0x55});
        if (written == Bytes{0x55, 0x55, 0x55, 0xFF} && ++probes == 10)
            link.Deliver({0x55, 0x55, 0x55, 0xFF});
    };
    EXPECT_FALSE(connection.Connect(test::ComChoice(1, LoggerModel::SingleTemperature)));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{texts::kInstrumentMismatch}));
    EXPECT_FALSE(link.IsOpen());
    for (const auto& written : link.writes)
        EXPECT_NE(written, (Bytes{0xFF, 0xEC, 0x01}));
}

TEST_F(ConnectionFixture, AutoSearchGoesDownFromPortEight) {
    Attach(3, LoggerModel::DualTemperature);
    Attach(6, LoggerModel::DualTemperature);
    ASSERT_TRUE(connection.Connect(test::AutoSearch(LoggerModel::DualTemperature)));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"自动搜索找到仪器，位于COM6"}));
    EXPECT_EQ(link.DevicePath(), ComPath(6));
    auto attempts = link.OpenAttempts();
    ASSERT_GE(attempts.size(), 3u);
    EXPECT_EQ(attempts[0], ComPath(8));
    EXPECT_EQ(attempts[1], ComPath(7));
    EXPECT_EQ(std::count(attempts.begin(), attempts.end(), ComPath(3)), 0);
}

TEST_F(ConnectionFixture, AutoSearchThatFindsNothingTriesPortFive) {
    link.AddEmptyPort(ComPath(2));
    EXPECT_FALSE(connection.Connect(test::AutoSearch(LoggerModel::SingleTemperature)));
    auto attempts = link.OpenAttempts();
    ASSERT_FALSE(attempts.empty());
    EXPECT_EQ(attempts.back(), ComPath(5));
    // The ports tried come first, each with what was found there, then the failure to open com5.
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& message = ui.messages[0];
    EXPECT_EQ(message.rfind("自动搜索没有找到仪器。试过的串口：", 0), 0u) << message;
    EXPECT_NE(message.find("\ncom2：已打开，但没有仪器应答"), std::string::npos) << message;
    for (int port : {8, 7, 6, 5, 4, 3, 1})
        EXPECT_NE(message.find("\ncom" + std::to_string(port) + "（"), std::string::npos) << port;
    EXPECT_LT(message.find("\ncom8"), message.find("\ncom1"));
    EXPECT_NE(message.find("\n\n打开com5失败\n"), std::string::npos) << message;
}

TEST_F(ConnectionFixture, CancelledDialogLeavesEverythingAsItWas) {
    ui.choice.reset();
    connection.ConnectCommand();
    EXPECT_EQ(ui.choosePortCalls, 1);
    EXPECT_TRUE(link.OpenAttempts().empty());
    EXPECT_EQ(connection.CurrentPhase(), Phase::Disconnecting);
    Ticks(3);
    EXPECT_EQ(ui.statuses.back(), texts::kDeviceNotConnected);
}

TEST_F(ConnectionFixture, RecordCountOncePerCycleAtTick73AndRealtimeEvery25Ticks) {
    Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    std::vector<int> countTicks;
    std::vector<int> realtimeTicks;
    for (int i = 0; i < 450; ++i) {
        auto before = link.Writes().size();
        Ticks(1);
        for (const auto& frame : Frames(before)) {
            if (frame == Bytes{0xFF, 0xEE, 0x02})
                countTicks.push_back(connection.Tick());
            if (frame == Bytes{0xFF, 0xF6, 0x01})
                realtimeTicks.push_back(connection.Tick());
        }
    }
    ASSERT_EQ(countTicks.size(), 3u);
    for (int tick : countTicks)
        EXPECT_EQ(tick % 150, 74);
    ASSERT_GE(realtimeTicks.size(), 17u);
    for (std::size_t i = 1; i < realtimeTicks.size(); ++i)
        EXPECT_EQ(realtimeTicks[i] - realtimeTicks[i - 1], 25);
    EXPECT_EQ(info.recordBytes, link.LoggerAt(ComPath(1))->RecordMemory().size());
}

TEST_F(ConnectionFixture, PulledCableTimesOutThenDisconnects) {
    auto logger = Attach(1, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    Ticks(10);
    logger->SetSilent(true);
    const std::time_t pulled = clock.Now();
    ASSERT_TRUE(TicksUntil([&] { return ui.statuses.back() == texts::kLinkTimeout; }, 200));
    EXPECT_GE(clock.Now() - info.lastReceived, 10);
    EXPECT_LE(clock.Now() - pulled, 12);
    EXPECT_TRUE(connection.Online());
    ASSERT_TRUE(TicksUntil([&] { return ui.statuses.back() == texts::kDeviceNotConnected; }, 200));
    EXPECT_GE(clock.Now() - info.lastReceived, 18);
    EXPECT_LE(clock.Now() - pulled, 20);
    EXPECT_FALSE(connection.Online());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(connection.PortStateText(), texts::kPortClosed);
    EXPECT_EQ(connection.CurrentPhase(), Phase::Disconnecting);
}

TEST_F(ConnectionFixture, SilentLoggerGetsItsRequestResentEvery22Calls) {
    auto logger = Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    ASSERT_TRUE(TicksUntil([&] { return connection.Engine().Current() == CommandId::ReadRealtime; }, 100));
    logger->SetSilent(true);
    auto before = link.Writes().size();
    Ticks(80);  // below the 18 s of the link check
    // Read realtime is never given up: it goes out again on every 22nd call.
    EXPECT_EQ(Count(Frames(before), {0xFF, 0xF6, 0x01}), 3);
    EXPECT_TRUE(connection.Engine().IsPending(CommandId::ReadRealtime));
}

TEST_F(ConnectionFixture, RealtimeFrameOfAnotherModelAsksAndReconnects) {
    auto logger = Attach(1, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    ui.choice = test::ComChoice(1, LoggerModel::TemperatureHumidity);
    ui.reconnect = true;
    ui.onAskReconnect = [&] { logger->SetFaults({}); };
    SimFaults faults;
    faults.answerAs = LoggerModel::DualTemperature;
    logger->SetFaults(faults);
    ASSERT_TRUE(TicksUntil([&] { return ui.questions == 1; }, 100));
    EXPECT_EQ(connection.Mismatch(), MismatchState::ReconnectChosen);
    ASSERT_TRUE(TicksUntil([&] { return ui.choosePortCalls == 1; }, 100));
    EXPECT_EQ(connection.Mismatch(), MismatchState::None);
    ASSERT_TRUE(TicksUntil([&] { return connection.CurrentPhase() == Phase::Polling; }, 100));
    EXPECT_TRUE(connection.Online());
    EXPECT_TRUE(connection.Connected());
    EXPECT_EQ(ui.questions, 1);
}

TEST_F(ConnectionFixture, DeclinedMismatchQuestionKeepsPolling) {
    auto logger = Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    SimFaults faults;
    faults.answerAs = LoggerModel::DualTemperature;
    logger->SetFaults(faults);
    ASSERT_TRUE(TicksUntil([&] { return ui.questions >= 1; }, 100));
    EXPECT_EQ(connection.Mismatch(), MismatchState::None);
    Ticks(5);
    EXPECT_TRUE(connection.Online());
    EXPECT_EQ(ui.choosePortCalls, 0);
}

TEST_F(ConnectionFixture, DisconnectClosesThePortOnTheNextCall) {
    Attach(1, LoggerModel::DualTemperature);
    ConnectAndPoll(1, LoggerModel::DualTemperature);
    connection.Disconnect();
    EXPECT_FALSE(connection.Online());
    EXPECT_EQ(connection.CurrentLinkMode(), LinkMode::None);
    EXPECT_EQ(connection.CurrentViewMode(), ViewMode::Nothing);
    Ticks(1);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(ui.statuses.back(), texts::kDeviceNotConnected);
}

}  // namespace
}  // namespace veldrin
