#include "logger/ProtocolEngine.h"
#include "logger/WireCodec.h"

#include <gtest/gtest.h>

#include "tests/logger/FakeLink.h"

namespace veldrin {
namespace {

using test::FakeLink;
using test::ManualClock;
using test::RecordingListener;

class EngineTest : public ::testing::Test, protected test::EngineRig {
  protected:
    void SetUp() override { Start(LoggerModel::SingleTemperature); }
    void Start(LoggerModel model, Phase phase = Phase::Polling) {
        engine.ResetForConnect(model);
        engine.SetModel(model);
        session.online = true;
        session.phase = phase;
    }
    void Reply(const Bytes& bytes) { link.Deliver(bytes); }
    // Sends `id`, lets the logger answer `reply`, and processes it.
    ReplyResult Exchange(CommandId id, const Bytes& reply) {
        engine.Send(id);
        Reply(reply);
        return engine.ProcessReply();
    }
    // A realtime request answered, so that 6-byte deliveries count as frames.
    void AcceptRealtime() {
        ASSERT_EQ(Exchange(CommandId::ReadRealtime, {0xFF, 0xF6, 0x01}), ReplyResult::Answered);
    }
};

TEST_F(EngineTest, EchoIsFoundAnywhereInTheWholeBuffer) {
    info.interval = 0x3C00;  // FF F1 00 3C: the echo counts up to the 00
    EXPECT_EQ(Exchange(CommandId::SetInterval, {0xFF, 0xF1, 0x00, 0x3C}), ReplyResult::Answered);
    EXPECT_EQ(engine.State(CommandId::SetInterval), CommandStatus::Answered);
    EXPECT_FALSE(engine.Current());
    EXPECT_TRUE(engine.IsPending(CommandId::Sync));

    EXPECT_EQ(Exchange(CommandId::ReadInterval, {0x12, 0x34, 0xFF, 0xF9, 0x01, 0x00, 0x3C}),
              ReplyResult::Answered);
    EXPECT_EQ(info.interval, 60);

    // Several commands of one polling call answer into one buffer; the record-state reply holds
    // 00 (normal voltage) before the echo of read realtime.
    engine.Send(CommandId::Sync);
    engine.Send(CommandId::ReadRecordState);
    engine.Send(CommandId::ReadRealtime);
    Reply({0xFF, 0xFF, 0xF2, 0x02, 0x01, 0x00, 0xFF, 0xF6, 0x01});
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
    EXPECT_EQ(engine.State(CommandId::ReadRealtime), CommandStatus::Answered);

    // A buffer starting with 00 still holds the echo.
    EXPECT_EQ(Exchange(CommandId::StartRecording, {0x00, 0xFF, 0xF2, 0x01}), ReplyResult::Answered);
    EXPECT_EQ(info.recordingState, 1);
}

TEST_F(EngineTest, PartialEchoWaitsAndFrameCountsToItsFirstZero) {
    EXPECT_EQ(Exchange(CommandId::ReadRealtime, {0xFF, 0xF6}), ReplyResult::Waiting);
    Reply({0x02});
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Waiting);
    // End recording (FF F2 00) is searched as FF F2.
    info.recordingState = 1;
    EXPECT_EQ(Exchange(CommandId::EndRecording, {0xFF, 0xF2, 0x07}), ReplyResult::Answered);
    EXPECT_EQ(info.recordingState, 0);
}

TEST_F(EngineTest, IdentifyNeedsExactlyFourBytes) {
    Start(LoggerModel::SingleTemperature, Phase::Connecting);
    EXPECT_EQ(Exchange(CommandId::Identify, {0xFF, 0xEC, 0x01}), ReplyResult::Waiting);
    Reply({0xA6});
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
    EXPECT_EQ(info.model, LoggerModel::SingleTemperature);
    EXPECT_EQ(info.instrumentName, "单温度记录仪");
    EXPECT_EQ(listener.identifyMismatches, 0);

    EXPECT_EQ(Exchange(CommandId::Identify, {0xFF, 0xEC, 0x01, 0xA6, 0x00}), ReplyResult::Answered);
    EXPECT_EQ(info.model, LoggerModel::Unknown);
    EXPECT_EQ(listener.identifyMismatches, 1);

    Start(LoggerModel::SingleTemperature, Phase::Connecting);
    EXPECT_EQ(Exchange(CommandId::Identify, {0xFF, 0xEC, 0x01, 0xA7}), ReplyResult::Answered);
    EXPECT_EQ(info.model, LoggerModel::TemperatureHumidity);
    EXPECT_EQ(listener.identifyMismatches, 2);
}

TEST_F(EngineTest, ChannelTwoAlarmReplyMustBeExactlyTheFrame) {
    info.channel2Alarm.lowerByte = 0x01;
    info.channel2Alarm.upperByte = 0x63;
    EXPECT_EQ(Exchange(CommandId::SetChannel2Alarm, {0xFF, 0xEB, 0x01, 0x63, 0x00}), ReplyResult::Waiting);
    EXPECT_EQ(Exchange(CommandId::SetChannel2Alarm, {0xFF, 0xEB, 0x01, 0x64}), ReplyResult::Waiting);
    EXPECT_EQ(Exchange(CommandId::SetChannel2Alarm, {0xFF, 0xEB, 0x01, 0x63}), ReplyResult::Answered);
    EXPECT_EQ(engine.State(CommandId::Sync), CommandStatus::NotWanted);
}

TEST_F(EngineTest, FixedLengthReplyIsTakenAfterTheLateTailOfAnEarlierExchange) {
    // The last wake-up echo, held back behind a realtime frame, comes in the identify reply's burst.
    Start(LoggerModel::DualTemperature, Phase::Connecting);
    EXPECT_EQ(Exchange(CommandId::Identify, {0x55, 0x55, 0x55, 0xFF, 0xFF, 0xEC, 0x01, 0xA5}),
              ReplyResult::Answered);
    EXPECT_EQ(info.model, LoggerModel::DualTemperature);
    EXPECT_EQ(listener.identifyMismatches, 0);
    // Only a reply that ends the buffer is judged that way: bytes after it still make it wait.
    EXPECT_EQ(Exchange(CommandId::Identify, {0x55, 0xFF, 0xEC, 0x01, 0xA5, 0x00}), ReplyResult::Waiting);
    EXPECT_EQ(Exchange(CommandId::Identify, {0x55, 0xFF, 0xEC, 0x01}), ReplyResult::Waiting);

    info.channel2Alarm.lowerByte = 0x01;
    info.channel2Alarm.upperByte = 0x63;
    EXPECT_EQ(Exchange(CommandId::SetChannel2Alarm, {0xFF, 0xFF, 0xEB, 0x01, 0x63}), ReplyResult::Answered);
    EXPECT_EQ(Exchange(CommandId::SetChannel2Alarm, {0xFF, 0xFF, 0xEB, 0x01, 0x64}), ReplyResult::Waiting);
}

Bytes ParameterBlock() {
    Bytes block(129, 0x00);
    block[0] = 0xFF;
    block[1] = 0xE9;
    block[2] = 0x01;
    block[6] = 1;     // recording
    block[7] = 0;     // voltage normal
    block[9] = 0x01;  // interval 300 s
    block[10] = 0x2C;
    const std::uint8_t start[7] = {0, 30, 8, 15, 6, 25, 20};  // 2025-06-15 08:30:00
    std::copy(start, start + 7, block.begin() + 13);
    block[21] = 0x94;  // −20
    block[22] = 0x32;  // 50
    block[23] = 1;
    std::string text = "Cold room" + std::string(27, ' ') + "Shelf 3" + std::string(53, ' ');
    std::copy(text.begin(), text.end(), block.begin() + 25);
    block[122] = 0x00;  // 2048 bytes
    block[123] = 0x08;
    block[124] = 0x00;
    block[126] = 0x85;  // −5 (dual) or 133 (humidity)
    block[127] = 0x1E;
    block[128] = 0xF0;
    return block;
}

TEST_F(EngineTest, ParameterBlockIsTakenAfterTheLateTailOfAnEarlierExchange) {
    Start(LoggerModel::TemperatureHumidity, Phase::Connecting);
    Bytes late{0xFF, 0xF6, 0x01};
    const Bytes block = ParameterBlock();
    late.insert(late.end(), block.begin(), block.end());
    EXPECT_EQ(Exchange(CommandId::ReadAllParameters, late), ReplyResult::Answered);
    EXPECT_EQ(info.recordBytes, 2048u);
}

TEST_F(EngineTest, ParameterBlockOfExactly129BytesFillsLoggerInfo) {
    Start(LoggerModel::DualTemperature, Phase::Connecting);
    Bytes block = ParameterBlock();
    Bytes shorter(block.begin(), block.end() - 1);
    Bytes longer = block;
    longer.push_back(0x00);
    EXPECT_EQ(Exchange(CommandId::ReadAllParameters, shorter), ReplyResult::Waiting);
    EXPECT_EQ(Exchange(CommandId::ReadAllParameters, longer), ReplyResult::Waiting);
    EXPECT_EQ(info.interval, 0);

    EXPECT_EQ(Exchange(CommandId::ReadAllParameters, block), ReplyResult::Answered);
    EXPECT_EQ(info.recordingState, 1);
    EXPECT_EQ(info.interval, 300);
    ASSERT_TRUE(info.startTime.time);
    EXPECT_EQ(FormatTime(*info.startTime.time), "2025-06-15 08:30:00");
    EXPECT_EQ(info.channel1Alarm.lower, -20);
    EXPECT_EQ(info.channel1Alarm.upper, 50);
    EXPECT_EQ(info.channel1Alarm.enable, 1);
    EXPECT_EQ(info.title, "Cold room");
    EXPECT_EQ(info.description, "Shelf 3");
    EXPECT_EQ(info.recordBytes, 2048u);
    EXPECT_EQ(info.blockCount, 3);
    EXPECT_EQ(info.channel2Alarm.lower, -5);
    EXPECT_EQ(info.channel2Alarm.upper, 30);
    EXPECT_EQ(engine.HistoryAlarmLimits().lower1, -20);
    EXPECT_EQ(engine.HistoryAlarmLimits().upper2, 30);
    EXPECT_EQ(session.phase, Phase::Polling);
    EXPECT_EQ(session.progress, 80);
    EXPECT_FALSE(engine.IsPending(CommandId::Sync));

    Start(LoggerModel::TemperatureHumidity, Phase::Connecting);
    ASSERT_EQ(Exchange(CommandId::ReadAllParameters, block), ReplyResult::Answered);
    EXPECT_EQ(info.channel2Alarm.lower, 133);  // humidity limits are unsigned
}

TEST_F(EngineTest, RecordCountReplyAndItsBound) {
    EXPECT_EQ(Exchange(CommandId::ReadRecordCount, {0xFF, 0xEE, 0x02, 0x00, 0x08}), ReplyResult::Waiting);
    Reply({0x00});
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
    EXPECT_EQ(info.recordBytes, 2048u);
    EXPECT_EQ(info.blockCount, 3);
    EXPECT_EQ(Exchange(CommandId::ReadRecordCount, {0xFF, 0xEE, 0x02, 0x04, 0x93, 0xE0}),
              ReplyResult::Answered);
    EXPECT_EQ(info.recordBytes, 2048u);  // 300000 is refused, the old count stays
}

TEST_F(EngineTest, RecordStateUsesFiveOrTheLastFiveOfSevenBytes) {
    EXPECT_EQ(Exchange(CommandId::ReadRecordState, {0xFF, 0xF2, 0x02, 0x01, 0x01, 0x00}),
              ReplyResult::Waiting);
    EXPECT_EQ(Exchange(CommandId::ReadRecordState, {0xFF, 0xFF, 0xFF, 0xF2, 0x02, 0x01, 0x01}),
              ReplyResult::Answered);
    EXPECT_EQ(info.recordingState, 1);
    EXPECT_EQ(info.voltageState, 1);
    EXPECT_EQ(Exchange(CommandId::ReadRecordState, {0xFF, 0xF2, 0x02, 0x00, 0x00}), ReplyResult::Answered);
    EXPECT_EQ(info.recordingState, 0);
}

TEST_F(EngineTest, EndRealtimeIsSearchedInTheFirstCountMod50Bytes) {
    Bytes reply(53, 0x11);
    reply[0] = 0xFF;
    reply[1] = 0xF6;
    reply[2] = 0x00;
    EXPECT_EQ(Exchange(CommandId::EndRealtime, reply), ReplyResult::Answered);

    reply[0] = 0x11;
    reply[3] = 0xFF;
    reply[4] = 0xF6;
    reply[5] = 0x00;
    EXPECT_EQ(Exchange(CommandId::EndRealtime, reply),
              ReplyResult::Waiting);  // at 3 but only 3 bytes searched
    Bytes fifty(50, 0x11);
    fifty[0] = 0xFF;
    fifty[1] = 0xF6;
    fifty[2] = 0x00;
    EXPECT_EQ(Exchange(CommandId::EndRealtime, fifty), ReplyResult::Waiting);
}

TEST_F(EngineTest, EndRealtimeWhileDisconnectingClosesTheLink) {
    session.phase = Phase::Disconnecting;
    EXPECT_EQ(Exchange(CommandId::EndRealtime, {0xFF, 0xF6, 0x00}), ReplyResult::Answered);
    ASSERT_FALSE(listener.changes.empty());
    EXPECT_TRUE(listener.changes.back().closePort);
    EXPECT_FALSE(session.online);
}

TEST_F(EngineTest, ResendOnThe22ndCallAndGiveUpAt101) {
    engine.Send(CommandId::ReadInterval);
    for (int call = 1; call <= 100; ++call) {
        const ReplyResult result = engine.ProcessReply();
        EXPECT_EQ(result, call % 22 == 0 ? ReplyResult::Resend : ReplyResult::Waiting) << "call " << call;
    }
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);  // given up
    EXPECT_EQ(engine.State(CommandId::ReadInterval), CommandStatus::GivenUp);
    EXPECT_FALSE(engine.IsPending(CommandId::ReadInterval));
    EXPECT_FALSE(engine.Current());
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::NoCommand);

    for (CommandId never : {CommandId::ReadRealtime, CommandId::ReadHistory}) {
        engine.SetHistoryStage(HistoryState::Starting);
        info.blockCount = 2;
        engine.Send(never);
        for (int call = 1; call <= 300; ++call)
            ASSERT_NE(engine.ProcessReply(), ReplyResult::Answered);
        EXPECT_EQ(engine.Current(), never);
    }
    info.channel1Alarm.lowerByte = 0x01;
    engine.Send(CommandId::SetAlarm);
    for (int call = 1; call <= 300; ++call)
        ASSERT_EQ(engine.ProcessReply(), ReplyResult::SetAlarmAwaited);
}

TEST_F(EngineTest, RealtimeFramesNeedTheConnectedModelsMarkers) {
    Reply({0xA6, 0x19, 0x05, 0x00, 0x00, 0xA6});  // realtime not asked for yet
    EXPECT_TRUE(listener.readings.empty());
    AcceptRealtime();

    Reply({0xA6, 0x81, 0x32, 0x00, 0x00, 0xA6});
    ASSERT_EQ(listener.readings.size(), 1u);
    EXPECT_FLOAT_EQ(listener.readings[0].first, -1.5f);

    Reply({0x00, 0x19, 0x05, 0x00, 0x00, 0x00});
    Reply({0xA6, 0x19, 0x05, 0x00, 0x00, 0xA5});
    Reply({0xA6, 0x19, 0x65, 0x00, 0x00, 0xA6, 0x00});  // 101 hundredths: no frame glued to a byte
    EXPECT_EQ(listener.realtimeMismatches, 0);
    EXPECT_EQ(listener.readings.size(), 1u);

    Reply({0xA5, 0x19, 0x05, 0x00, 0x00, 0xA5});
    EXPECT_EQ(listener.realtimeMismatches, 1);
    EXPECT_EQ(listener.readings.size(), 1u);

    Start(LoggerModel::TemperatureHumidity);
    AcceptRealtime();
    Reply({0xA7, 0x19, 0x05, 0x3C, 0x32, 0xA7});
    ASSERT_EQ(listener.readings.size(), 2u);
    EXPECT_FLOAT_EQ(listener.readings[1].second, 60.5f);
    Start(LoggerModel::DualTemperature);
    AcceptRealtime();
    Reply({0xA5, 0x19, 0x05, 0x85, 0x32, 0xA5});
    ASSERT_EQ(listener.readings.size(), 3u);
    EXPECT_FLOAT_EQ(listener.readings[2].second, -5.5f);
}

// What goes out while the mismatch question stands is the connection's decision
// (ConnectionStateTest); the engine sends whatever it is asked to while on line.
TEST_F(EngineTest, SendFollowsTheOnlineRule) {
    session.mismatch = MismatchState::ReconnectChosen;
    engine.Send(CommandId::Sync);
    EXPECT_EQ(link.writes.size(), 1u);
    EXPECT_TRUE(listener.events.empty());

    session.mismatch = MismatchState::None;
    session.online = false;
    engine.Send(CommandId::Sync);
    EXPECT_EQ(link.writes.size(), 1u);
}

TEST_F(EngineTest, OnReceiveKeepsTheBuffersBounded) {
    Bytes burst(2048, 0x42);
    for (int i = 0; i < 10; ++i)
        Reply(burst);
    EXPECT_LT(engine.ReplySize(), kReplyBufferLimit + burst.size());
    EXPECT_GE(engine.ReplySize(), kReplyBufferLimit);
    EXPECT_EQ(engine.ReceivedTotal(), 20480u);
    clock.Advance(5000);
    Reply({0x01});
    EXPECT_EQ(engine.LastReceived(), clock.Now());
    // Beyond 400000 bytes in total the reply buffer is emptied once and the count starts again.
    for (int i = 0; i < 200; ++i)
        Reply(burst);
    EXPECT_LT(engine.ReceivedTotal(), kReceivedTotalReset);
    EXPECT_LT(engine.ReplySize(), kReplyBufferLimit + burst.size());
    EXPECT_LT(engine.ReceiveLogCopy().size(), kReceiveLogCapacity);
}

TEST_F(EngineTest, ExtractPayloadTakesWhatFollowsTheFirstRequest) {
    Bytes reply{0x00, 0xFF, 0xFA, 0x01, 0x01, 0xFF, 0xFA, 0x01};
    EXPECT_EQ(ProtocolEngine::ExtractPayload(reply, CommandId::ReadStartTime),
              (Bytes{0x01, 0xFF, 0xFA, 0x01}));
    EXPECT_TRUE(ProtocolEngine::ExtractPayload(reply, CommandId::ReadInterval).empty());
    EXPECT_EQ(ProtocolEngine::ExtractPayload({0xFF, 0xF3, 0x02, 0x00, 0x01}, CommandId::ReadStopMode),
              (Bytes{0x00, 0x01}));
}

TEST_F(EngineTest, StartTimeReplyWaitsForItsWholePayload) {
    Start(LoggerModel::SingleTemperature, Phase::Connecting);
    EXPECT_EQ(Exchange(CommandId::ReadStartTime, {0xFF, 0xFA, 0x01, 0x01, 0, 30}), ReplyResult::Waiting);
    Reply({8, 15, 6, 25, 20});
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
    EXPECT_EQ(info.startFlag, 1);
    ASSERT_TRUE(info.startTime.time);
    EXPECT_EQ(FormatTime(*info.startTime.time), "2025-06-15 08:30:00");
    EXPECT_EQ(session.progress, 40);
    // Year 2050 is beyond what the start-time reply accepts.
    EXPECT_EQ(Exchange(CommandId::ReadStartTime, {0xFF, 0xFA, 0x01, 0x01, 0, 30, 8, 15, 6, 50, 20}),
              ReplyResult::Answered);
    EXPECT_FALSE(info.startTime.time);
}

TEST_F(EngineTest, ProgressIsWrittenOnlyInItsPhase) {
    session.phase = Phase::SettingUp;
    session.progress = 0;
    ASSERT_EQ(Exchange(CommandId::SetStartTime, {0xFF, 0xF4}), ReplyResult::Answered);
    EXPECT_EQ(session.progress, 15);
    session.phase = Phase::Polling;
    ASSERT_EQ(Exchange(CommandId::SetStopMode, {0xFF, 0xF3}), ReplyResult::Answered);
    EXPECT_EQ(session.progress, 15);
    session.phase = Phase::SettingUp;
    ASSERT_EQ(Exchange(CommandId::SetStopMode, {0xFF, 0xF3}), ReplyResult::Answered);
    EXPECT_EQ(session.progress, 100);
    ASSERT_EQ(Exchange(CommandId::ReadRealtime, {0xFF, 0xF6, 0x01}), ReplyResult::Answered);
    EXPECT_EQ(session.phase, Phase::Polling);
    ASSERT_FALSE(listener.changes.empty());
    EXPECT_TRUE(listener.changes.back().settingDone);
}

}  // namespace
}  // namespace veldrin
