// A logger that falls silent in any phase: the connection says "通信超时" after 10 s, ends the
// activity after 18 s, closes the port and tells what did not finish; a broken download keeps the
// blocks that arrived.
#include <gtest/gtest.h>

#include "logger/ConnectionTexts.h"
#include "logger/SupervisionTexts.h"
#include "logger/TextFormat.h"
#include "tests/logger/ConnectionFixture.h"

namespace veldrin {
namespace {

class SupervisionTest : public test::ConnectionFixture {
  protected:
    // Silences the logger now and runs until the connection gives up; checks the timing and the
    // state it leaves. Returns the message it showed.
    std::string SilenceAndWaitForTheEnd(SimLogger& logger) {
        logger.SetSilent(true);
        const std::time_t silent = clock.Now();
        const std::size_t messagesBefore = ui.messages.size();
        EXPECT_TRUE(TicksUntil([&] { return Contains(ui.statuses, texts::kLinkTimeout); }, 200));
        EXPECT_GE(clock.Now() - silent, 10);
        EXPECT_LE(clock.Now() - silent, 12);
        EXPECT_TRUE(connection.Online());
        EXPECT_TRUE(TicksUntil([&] { return !connection.Online(); }, 200));
        EXPECT_GE(clock.Now() - silent, 18);
        EXPECT_LE(clock.Now() - silent, 20);
        EXPECT_FALSE(link.IsOpen());
        EXPECT_EQ(ui.statuses.back(), texts::kDeviceNotConnected);
        EXPECT_EQ(connection.PortStateText(), texts::kPortClosed);
        Ticks(5);
        EXPECT_EQ(connection.CurrentPhase(), Phase::Disconnecting);
        if (ui.messages.size() != messagesBefore + 1) {
            ADD_FAILURE() << "expected one message, got " << ui.messages.size() - messagesBefore;
            return {};
        }
        return ui.messages.back();
    }
    static bool Contains(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

TEST_F(SupervisionTest, SilenceWhileConnectingEndsTheConnect) {
    auto logger = Attach(1, LoggerModel::TemperatureHumidity);
    ASSERT_TRUE(connection.Connect(test::ComChoice(1, LoggerModel::TemperatureHumidity)));
    ASSERT_EQ(connection.CurrentPhase(), Phase::Connecting);
    EXPECT_EQ(SilenceAndWaitForTheEnd(*logger), texts::kConnectUnfinished);
    EXPECT_FALSE(connection.Connected());
}

TEST_F(SupervisionTest, SilenceDuringTheSettingsWriteSaysTheyWereNotAllWritten) {
    auto logger = Attach(1, LoggerModel::DualTemperature);
    ConnectAndPoll(1, LoggerModel::DualTemperature);
    ui.panel = PanelStartingNow();
    ASSERT_EQ(connection.ApplySettings(), RequestResult::Taken);
    // Into the description write, which is waited for without the give-up limit.
    ASSERT_TRUE(TicksUntil([&] { return connection.CurrentStep() == PhaseStep::DescriptionWrite; }, 300));
    EXPECT_EQ(SilenceAndWaitForTheEnd(*logger), texts::kSettingsUnfinished);
    EXPECT_NE(connection.SettingsWriteState(), SettingsWrite::Running);
}

TEST_F(SupervisionTest, SilenceWhileStoppingTheRecording) {
    auto logger = Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    connection.StopRecording();
    ASSERT_EQ(connection.CurrentPhase(), Phase::StoppingRecording);
    EXPECT_EQ(SilenceAndWaitForTheEnd(*logger), texts::kStopUnfinished);
}

TEST_F(SupervisionTest, BrokenDownloadHandsOnTheBlocksThatArrived) {
    // 1440 two-channel readings are 5760 bytes: six blocks.
    auto logger = Attach(1, LoggerModel::TemperatureHumidity, 1440);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    std::vector<HistoryHandover> handovers;
    Bytes handed;
    connection.SetHistorySink([&](const HistoryHandover& history) {
        handovers.push_back(history);
        handed = history.bytes;
    });
    connection.ReadHistory();
    ASSERT_TRUE(TicksUntil([&] { return connection.Engine().NextBlock() == 4; }, 500));
    // The request for the fourth block may already have been answered when the cable goes.
    const std::string message = SilenceAndWaitForTheEnd(*logger);
    ASSERT_EQ(handovers.size(), 1u);
    const int blocks = handovers[0].blocksReceived;
    EXPECT_TRUE(blocks == 3 || blocks == 4) << blocks;
    EXPECT_EQ(message, Printf(texts::kDownloadUnfinished, blocks, 6) + "\n" +
                           Printf(texts::kHistoryIncomplete, blocks * 256, 1440));
    EXPECT_FALSE(handovers[0].complete);
    EXPECT_EQ(handovers[0].blockCount, 6);
    // The blocks that arrived, framed like a whole download.
    const Bytes memory = logger->RecordMemory();
    const auto payload = static_cast<std::size_t>(blocks) * 1024;
    ASSERT_EQ(handed.size(), 7 + payload + 2);
    EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + static_cast<long>(payload), handed.begin() + 7));
    EXPECT_EQ(handed[handed.size() - 2], 0xFF);
    EXPECT_EQ(handed.back(), 0xFF);
}

TEST_F(SupervisionTest, DownloadSilentBeforeItsFirstBlockHandsOnNothing) {
    auto logger = Attach(1, LoggerModel::SingleTemperature, 1440);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    int handovers = 0;
    connection.SetHistorySink([&](const HistoryHandover&) { ++handovers; });
    connection.ReadHistory();
    EXPECT_EQ(SilenceAndWaitForTheEnd(*logger), Printf(texts::kDownloadUnfinished, 0, 3));
    EXPECT_EQ(handovers, 0);
}

TEST_F(SupervisionTest, ALoggerThatAnswersAgainInTimeLetsTheActivityFinish) {
    auto logger = Attach(1, LoggerModel::SingleTemperature, 1440);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    std::vector<bool> complete;
    connection.SetHistorySink([&](const HistoryHandover& history) { complete.push_back(history.complete); });
    connection.ReadHistory();
    ASSERT_TRUE(TicksUntil([&] { return connection.Engine().NextBlock() == 2; }, 500));
    logger->SetSilent(true);
    ASSERT_TRUE(TicksUntil([&] { return Contains(ui.statuses, texts::kLinkTimeout); }, 200));
    logger->SetSilent(false);
    ASSERT_TRUE(TicksUntil([&] { return !complete.empty(); }, 1000));
    EXPECT_EQ(complete, std::vector<bool>{true});
    EXPECT_TRUE(connection.Online());
    // Once the logger answers again "通信超时" gives way (to the blank pane of the download's
    // progress, or to the normal link text).
    ASSERT_FALSE(ui.statuses.empty());
    EXPECT_NE(ui.statuses.back(), texts::kLinkTimeout);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace veldrin
