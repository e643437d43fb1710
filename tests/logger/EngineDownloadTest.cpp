// The history download and the description write against scripted logger answers, and the engine
// under random garbage.
#include <gtest/gtest.h>

#include <random>

#include "logger/ProtocolEngine.h"
#include "tests/logger/FakeLink.h"

namespace veldrin {
namespace {

using test::FakeLink;
using test::ManualClock;
using test::RecordingListener;

// Answers block requests the way a logger does, from a record memory of `count` bytes.
struct BlockLogger {
    Bytes memory;
    int blockCount = 0;
    int corruptBlock = 0;  // this block's first answer loses its last byte
    int staleBlock = 0;    // this block's first request gets the answer of the block before it
    bool silent = false;
    std::vector<int> requested;

    explicit BlockLogger(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            memory.push_back(static_cast<std::uint8_t>((i * 7 + i / 1024) & 0xFF));
        blockCount = static_cast<int>(count / 1024 + 1);
    }

    Bytes Answer(const Bytes& written) {
        Bytes request = written;
        if (request.size() >= 2 && request[0] == 0xFF && request[1] == 0xF5)
            request.erase(request.begin(), request.begin() + 2);
        if (request.size() != 2 || silent)
            return {};
        int block = request[0] + 256 * (request[1] & 0x7F) + ((request[1] & 0x80) ? 255 : 0);
        if (block == 0)
            block = blockCount;
        requested.push_back(block);
        if (block == staleBlock) {
            staleBlock = 0;
            --block;
            auto earlier = BlockRequestBytes(block, blockCount);
            request = {earlier[0], earlier[1]};
        }
        Bytes reply;
        std::size_t from = static_cast<std::size_t>(block - 1) * 1024;
        std::size_t to = std::min(memory.size(), from + 1024);
        if (blockCount == 1) {
            reply = {0xFF, 0xF5, 0x00, 0x00};
        } else if (block == 1) {
            reply = {0xFF, 0xF5, 0x01, 0x00, 0x11, 0x22, 0x33};
        } else {
            reply = {request[0], request[1]};
        }
        reply.insert(reply.end(), memory.begin() + static_cast<std::ptrdiff_t>(from),
                     memory.begin() + static_cast<std::ptrdiff_t>(to));
        reply.push_back(0xFF);
        reply.push_back(0xFF);
        if (block == corruptBlock) {
            corruptBlock = 0;
            reply.pop_back();
        }
        return reply;
    }
};

class DownloadTest : public ::testing::Test, protected test::EngineRig {
  protected:
    void SetUp() override {
        engine.ResetForConnect(LoggerModel::SingleTemperature);
        engine.SetModel(LoggerModel::SingleTemperature);
        session.online = true;
    }

    // Runs the download the way the connection's history step does, one call per tick.
    int Download(BlockLogger& logger, int maxCalls = 100000) {
        link.onWrite = [&](const Bytes& written) { link.Deliver(logger.Answer(written)); };
        info.recordBytes = static_cast<std::uint32_t>(logger.memory.size());
        info.blockCount = logger.blockCount;
        session.phase = Phase::ReadingHistory;
        engine.SetHistoryStage(HistoryState::Starting);
        int calls = 0;
        while (engine.HistoryStage() != HistoryState::Complete && calls++ < maxCalls) {
            if (ReplyWaits(engine.ProcessReply()))
                continue;
            if (engine.HistoryStage() == HistoryState::Starting) {
                engine.ClearReply();
                engine.ClearHistoryStore();
                engine.Send(CommandId::ReadHistory);
            } else if (engine.HistoryStage() == HistoryState::NextBlock) {
                engine.Send(CommandId::ReadHistory);
            }
        }
        return calls;
    }

    static Bytes Expected(const BlockLogger& logger) {
        Bytes expected = logger.blockCount == 1 ? Bytes{0xFF, 0xF5, 0x01, 0x01, 0x02, 0x03, 0x04}
                                                : Bytes{0xFF, 0xF5, 0x01, 0x00, 0x11, 0x22, 0x33};
        expected.insert(expected.end(), logger.memory.begin(), logger.memory.end());
        expected.push_back(0xFF);
        expected.push_back(0xFF);
        return expected;
    }
};

TEST_F(DownloadTest, DownloadsOneTwoThreeAndTheLargestNumberOfBlocks) {
    for (std::size_t count : {500u, 1500u, 2048u, 299999u}) {
        SCOPED_TRACE(count);
        SetUp();
        BlockLogger logger(count);
        Download(logger);
        ASSERT_EQ(engine.HistoryStage(), HistoryState::Complete);
        EXPECT_EQ(engine.HistoryBytes(), Expected(logger));
        EXPECT_EQ(static_cast<int>(logger.requested.size()), logger.blockCount);
    }
}

TEST_F(DownloadTest, RequestsCarryTheHeaderOnlyFirstAndTheLastBlockAsZeros) {
    BlockLogger logger(2048);
    Download(logger);
    ASSERT_EQ(link.writes.size(), 3u);
    EXPECT_EQ(link.writes[0], (Bytes{0xFF, 0xF5, 0x01, 0x00}));
    EXPECT_EQ(link.writes[1], (Bytes{0x02, 0x00}));
    EXPECT_EQ(link.writes[2], (Bytes{0x00, 0x00}));
}

TEST_F(DownloadTest, CorruptedBlockIsAskedForAgain) {
    BlockLogger logger(5000);
    logger.corruptBlock = 3;
    Download(logger);
    ASSERT_EQ(engine.HistoryStage(), HistoryState::Complete);
    EXPECT_EQ(engine.HistoryBytes(), Expected(logger));
    EXPECT_EQ(logger.requested, (std::vector<int>{1, 2, 3, 3, 4, 5}));
}

TEST_F(DownloadTest, ALateAnswerToTheBlockBeforeIsNotStoredAsTheNextOne) {
    BlockLogger logger(5000);
    logger.staleBlock = 3;
    Download(logger);
    ASSERT_EQ(engine.HistoryStage(), HistoryState::Complete);
    EXPECT_EQ(engine.HistoryBytes(), Expected(logger));
    EXPECT_EQ(logger.requested, (std::vector<int>{1, 2, 3, 3, 4, 5}));
}

TEST_F(DownloadTest, ThirdIdenticalRequestIsTheBareHeader) {
    BlockLogger logger(5000);
    logger.silent = true;
    Download(logger, 22 * 5);
    ASSERT_GE(link.writes.size(), 5u);
    EXPECT_EQ(link.writes[0], (Bytes{0xFF, 0xF5, 0x01, 0x00}));
    EXPECT_EQ(link.writes[1], (Bytes{0xFF, 0xF5, 0x01, 0x00}));  // still starting: header again
    // From a fresh count: the first request is new, the next three repeat it.
    engine.ResetForConnect(LoggerModel::SingleTemperature);
    session.online = true;
    engine.SetHistoryStage(HistoryState::NextBlock);
    link.writes.clear();
    for (int i = 0; i < 5; ++i)
        engine.Send(CommandId::ReadHistory);
    EXPECT_EQ(link.writes,
              (std::vector<Bytes>{{0x01, 0x00}, {0x01, 0x00}, {0x01, 0x00}, {0xFF, 0xF5}, {0x01, 0x00}}));
}

TEST_F(DownloadTest, NoRequestForAnUnknownModel) {
    engine.SetModel(LoggerModel::Unknown);
    info.blockCount = 1;
    engine.SetHistoryStage(HistoryState::Starting);
    engine.Send(CommandId::ReadHistory);
    EXPECT_TRUE(link.writes.empty());
}

class DescriptionTest : public DownloadTest {
  protected:
    // One settings-write call per tick while the description is pending.
    void Run(int ticks) {
        for (int tick = 1; tick <= ticks && engine.IsPending(CommandId::WriteDescription); ++tick) {
            engine.Send(CommandId::WriteDescription);
            if (tick % 3 == 2 && !engine.DescriptionChunkAcknowledged())
                engine.ProcessReply(CommandId::WriteDescription);
        }
    }
    void StartWrite() {
        session.phase = Phase::SettingUp;
        engine.MarkPending(CommandId::WriteDescription);
        engine.BeginDescriptionWrite(text);
    }
    std::array<std::uint8_t, 96> text = BuildDescriptionBlock("Freezer 2", "Keep below -18");
};

TEST_F(DescriptionTest, HeaderThenSixChunksEachEchoed) {
    link.onWrite = [&](const Bytes& written) { link.Deliver(written); };
    StartWrite();
    Run(200);
    EXPECT_EQ(engine.State(CommandId::WriteDescription), CommandStatus::Answered);
    EXPECT_EQ(session.progress, 90);
    EXPECT_EQ(session.phaseStep, PhaseStep::None);
    EXPECT_TRUE(engine.IsPending(CommandId::Sync));
    ASSERT_EQ(link.writes.size(), 7u);
    EXPECT_EQ(link.writes[0], (Bytes{0xFF, 0xFD}));
    Bytes written;
    for (std::size_t i = 1; i < 7; ++i)
        written.insert(written.end(), link.writes[i].begin(), link.writes[i].end());
    EXPECT_EQ(written, Bytes(text.begin(), text.end()));
    EXPECT_EQ(listener.chunkPercents, (std::vector<int>{35, 45, 55, 65, 75, 85}));
}

TEST_F(DescriptionTest, MissingEchoRestartsFromTheHeader) {
    int dropped = 0;
    link.onWrite = [&](const Bytes& written) {
        if (written.size() == 16 && dropped++ == 0)
            return;  // the first chunk's echo is lost
        link.Deliver(written);
    };
    StartWrite();
    Run(400);
    EXPECT_EQ(engine.State(CommandId::WriteDescription), CommandStatus::Answered);
    int headers = 0;
    for (const auto& w : link.writes)
        headers += w == Bytes{0xFF, 0xFD};
    EXPECT_EQ(headers, 2);
}

TEST_F(DescriptionTest, NoiseBeforeTheHeaderEchoDoesNotCompleteTheWriteEarly) {
    link.onWrite = [&](const Bytes& written) {
        if (link.writes.size() == 1)
            link.Deliver(Bytes(120, 0x55));
        link.Deliver(written);
    };
    StartWrite();
    Run(400);
    EXPECT_EQ(engine.State(CommandId::WriteDescription), CommandStatus::Answered);
    EXPECT_EQ(link.writes.size(), 7u);
}

bool IsKnownResult(ReplyResult result) {
    for (ReplyResult known :
         {ReplyResult::Resend, ReplyResult::Waiting, ReplyResult::NoCommand, ReplyResult::Answered,
          ReplyResult::SetAlarmAwaited, ReplyResult::DescriptionAwaited}) {
        if (result == known)
            return true;
    }
    return false;
}

bool IsKnownStatus(CommandStatus status) {
    return status == CommandStatus::NotWanted || status == CommandStatus::Pending ||
           status == CommandStatus::Answered || status == CommandStatus::GivenUp;
}

TEST(EngineGarbage, RandomBytesInEveryPhaseNeverBreakTheEngine) {
    std::mt19937 random(20240611);
    FakeLink link;
    ManualClock clock;
    LoggerInfo info;
    SessionState session;
    RecordingListener listener{&session};
    ProtocolEngine engine(link, clock, info, session, listener);
    link.SetDataCallback([&](const std::uint8_t* b, std::size_t n) { engine.OnReceive(b, n); });
    const Phase phases[] = {Phase::Connecting, Phase::SettingUp,     Phase::ReadingHistory,
                            Phase::Polling,    Phase::Disconnecting, Phase::StoppingRecording};
    const Bytes fragments[] = {{0xFF, 0xEC, 0x01},
                               {0xFF, 0xE9, 0x01},
                               {0xFF, 0xF5, 0x01, 0x00},
                               {0xFF, 0xFF},
                               {0x00, 0x00},
                               {0xFF, 0xEE, 0x02},
                               {0xA6},
                               {0xFF, 0xF6, 0x00},
                               {0xFF, 0xFA, 0x01}};
    for (Phase phase : phases) {
        for (int id = 0; id < kCommandCount; ++id) {
            engine.ResetForConnect(LoggerModel::DualTemperature);
            engine.SetModel(LoggerModel::DualTemperature);
            session.online = true;
            session.phase = phase;
            session.phaseStep = id == 14 ? PhaseStep::DescriptionWrite : PhaseStep::Begun;
            info.blockCount = 1 + static_cast<int>(random() % 300);
            engine.SetHistoryStage(HistoryState::Starting);
            engine.SetState(CommandId::ReadRealtime, CommandStatus::Answered);
            engine.BeginDescriptionWrite({});
            engine.Send(CommandFromIndex(id));
            for (int round = 0; round < 60; ++round) {
                Bytes burst;
                std::size_t length = random() % 8 == 0 ? 1028 + random() % 8 : random() % 140;
                for (std::size_t i = 0; i < length; ++i)
                    burst.push_back(static_cast<std::uint8_t>(random()));
                if (random() % 3 == 0) {
                    const Bytes& fragment = fragments[random() % std::size(fragments)];
                    burst.insert(burst.begin(), fragment.begin(), fragment.end());
                }
                if (random() % 4 == 0)
                    burst.resize(6);
                link.Deliver(burst);
                const ReplyResult result =
                    engine.ProcessReply(random() % 5 == 0 ? CommandId::WriteDescription
                                                          : engine.Current().value_or(CommandId::Sync));
                ASSERT_TRUE(IsKnownResult(result)) << static_cast<int>(result);
                if (random() % 4 == 0) {
                    session.online = true;
                    engine.Send(CommandFromIndex(static_cast<int>(random() % kCommandCount)));
                }
                ASSERT_LT(engine.ReplySize(), kReplyBufferLimit + 2048);
                ASSERT_LT(engine.HistoryBytes().size(), kHistoryStoreCapacity);
                for (int state = 0; state < kCommandCount; ++state) {
                    const CommandStatus status = engine.State(CommandFromIndex(state));
                    ASSERT_TRUE(IsKnownStatus(status)) << state << " " << static_cast<int>(status);
                }
            }
        }
    }
    EXPECT_GT(engine.ReceivedTotal(), 0u);
}

}  // namespace
}  // namespace veldrin
