// Realtime frames amid replies, replies in pieces after many received bytes, and dates that are no
// date: the engine takes every reading and judges every reply without the stray bytes.
#include <algorithm>

#include <gtest/gtest.h>

#include "logger/ProtocolEngine.h"
#include "logger/RealtimeFrames.h"
#include "tests/logger/FakeLink.h"

namespace veldrin {
namespace {

const Bytes kFrame{0xA6, 0x19, 0x05, 0x00, 0x00, 0xA6};  // 25.05 °C from a single-temperature logger

Bytes Joined(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

TEST(RealtimeFrames, AreTakenOffTheEndsOfADeliveryOnly) {
    const Bytes reply{0xFF, 0xEE, 0x02, 0x00, 0x08, 0x00};
    auto separate = [](const Bytes& bytes) {
        return SeparateRealtimeFrames(bytes.data(), bytes.size(), LoggerModel::SingleTemperature);
    };
    SeparatedDelivery alone = separate(kFrame);
    EXPECT_EQ(alone.frames.size(), 1u);
    EXPECT_EQ(alone.begin, alone.end);

    Bytes glued = Joined({kFrame, reply, kFrame, kFrame});
    SeparatedDelivery both = separate(glued);
    EXPECT_EQ(both.frames.size(), 3u);
    EXPECT_EQ(
        Bytes(glued.begin() + static_cast<long>(both.begin), glued.begin() + static_cast<long>(both.end)),
        reply);

    // Inside a reply, with another model's markers, or with hundredths that are no hundredths when
    // glued to other bytes, the bytes stay where they are.
    Bytes inside = Joined({reply, kFrame, reply});
    EXPECT_TRUE(separate(inside).frames.empty());
    EXPECT_TRUE(separate(Joined({Bytes{0xA5, 1, 2, 3, 4, 0xA5}, reply})).frames.empty());
    EXPECT_TRUE(separate(Joined({Bytes{0xA6, 1, 0xC8, 3, 4, 0xA6}, reply})).frames.empty());
    EXPECT_TRUE(SeparateRealtimeFrames(kFrame.data(), kFrame.size(), LoggerModel::Unknown).frames.empty());
}

class StrayBytesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        link.SetDataCallback([this](const std::uint8_t* b, std::size_t n) { engine.OnReceive(b, n); });
        engine.ResetForConnect(LoggerModel::SingleTemperature);
        engine.SetModel(LoggerModel::SingleTemperature);
        session.online = true;
        session.phase = Phase::Polling;
    }
    ReplyResult Exchange(CommandId id, const Bytes& reply) {
        engine.Send(id);
        link.Deliver(reply);
        return engine.ProcessReply();
    }

    test::FakeLink link;
    test::ManualClock clock;
    LoggerInfo info;
    SessionState session;
    test::RecordingListener listener{&session};
    ProtocolEngine engine{link, clock, info, session, listener};
};

TEST_F(StrayBytesTest, ReadingsGoOnWhileRealtimeIsAskedForAgain) {
    ASSERT_EQ(Exchange(CommandId::ReadRealtime, {0xFF, 0xF6, 0x01}), ReplyResult::Answered);
    link.Deliver(kFrame);
    // Asked for again: until the echo is back the readings still count.
    engine.MarkPending(CommandId::ReadRealtime);
    engine.Send(CommandId::ReadRealtime);
    link.Deliver(kFrame);
    link.Deliver(Joined({kFrame, {0xFF, 0xF6, 0x01}}));
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
    EXPECT_EQ(listener.readings.size(), 3u);
}

TEST_F(StrayBytesTest, FramesGluedToRepliesLeaveTheRepliesWhole) {
    ASSERT_EQ(Exchange(CommandId::ReadRealtime, {0xFF, 0xF6, 0x01}), ReplyResult::Answered);
    // A record count reply with a frame on each side, and a sync echo after a frame.
    EXPECT_EQ(
        Exchange(CommandId::ReadRecordCount, Joined({kFrame, {0xFF, 0xEE, 0x02, 0x00, 0x08, 0x00}, kFrame})),
        ReplyResult::Answered);
    EXPECT_EQ(info.recordBytes, 2048u);
    engine.Send(CommandId::Sync);
    link.Deliver(kFrame);
    link.Deliver({0xFF});
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
    EXPECT_EQ(listener.readings.size(), 3u);

    // History blocks with frames before and after them, alone or glued.
    info.blockCount = 3;
    engine.SetHistoryStage(HistoryState::NextBlock);
    Bytes first(7 + 1024, 0x11);
    const Bytes firstHeader{0xFF, 0xF5, 0x01, 0x00, 0x00, 0x08, 0x00};
    std::copy(firstHeader.begin(), firstHeader.end(), first.begin());
    Bytes middle(2 + 1024, 0x22);
    middle[0] = 0x02;
    middle[1] = 0x00;
    for (Bytes* block : {&first, &middle}) {
        block->push_back(0xFF);
        block->push_back(0xFF);
    }
    engine.Send(CommandId::ReadHistory);
    link.Deliver(kFrame);
    link.Deliver(Joined({first, kFrame}));
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
    engine.Send(CommandId::ReadHistory);
    link.Deliver(Joined({kFrame, middle}));
    EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
    EXPECT_EQ(engine.HistoryBytes().size(), 1031u + 1024u);
    EXPECT_EQ(engine.HistoryBytes().back(), 0x22);
    EXPECT_EQ(listener.readings.size(), 6u);
}

TEST_F(StrayBytesTest, AReplyInTwoBurstsIsStillPutTogetherAfter400000Bytes) {
    const Bytes noise(2048, 0x42);
    for (std::uint64_t total = 0; total <= kReceivedTotalReset; total += noise.size())
        link.Deliver(noise);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        engine.MarkPending(CommandId::ReadRecordCount);
        engine.Send(CommandId::ReadRecordCount);
        link.Deliver({0xFF, 0xEE});
        link.Deliver({0x02, 0x00, 0x08, 0x00});
        EXPECT_EQ(engine.ProcessReply(), ReplyResult::Answered);
        for (int i = 0; i < 100; ++i)
            link.Deliver(noise);
    }
    EXPECT_EQ(info.recordBytes, 2048u);
}

TEST_F(StrayBytesTest, AStartTimeOnThe31stOfFebruaryIsNoTime) {
    // Flag, then second, minute, hour, day 31, month 2, year 25, century 20.
    ASSERT_EQ(Exchange(CommandId::ReadStartTime, {0xFF, 0xFA, 0x01, 0x01, 0, 30, 8, 31, 2, 25, 20}),
              ReplyResult::Answered);
    EXPECT_FALSE(info.startTime.time);
    ASSERT_EQ(Exchange(CommandId::ReadStartTime, {0xFF, 0xFA, 0x01, 0x01, 0, 30, 8, 28, 2, 25, 20}),
              ReplyResult::Answered);
    EXPECT_TRUE(info.startTime.time);
}

}  // namespace
}  // namespace veldrin
