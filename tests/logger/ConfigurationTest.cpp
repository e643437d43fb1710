// Settings write, stop recording and history download, end to end against simulated loggers.
#include <gtest/gtest.h>

#include "logger/ConnectionTexts.h"
#include "logger/WireCodec.h"
#include "tests/logger/ConnectionFixture.h"

namespace veldrin {
namespace {

class ConfigurationTest : public test::ConnectionFixture {
  protected:
    PanelSettings Panel(std::time_t start) {
        PanelSettings panel;
        SetStartTime(panel, start);
        panel.intervalMinutes = 5;
        panel.intervalSeconds = 0;
        panel.channel1Lower = "-20";
        panel.channel1Upper = "50.9";
        panel.channel2Lower = "0";
        panel.channel2Upper = "100";
        panel.title = "Title";
        panel.description = "0123456789";
        return panel;
    }
    // Applies `panel` and runs until the settings write is over; returns the frames it wrote.
    std::vector<Bytes> Apply(const PanelSettings& panel) {
        ui.panel = panel;
        auto before = link.Writes().size();
        EXPECT_EQ(connection.ApplySettings(), RequestResult::Taken);
        EXPECT_TRUE(
            TicksUntil([&] { return connection.SettingsWriteState() == SettingsWrite::Finished; }, 600));
        return Frames(before, true);
    }
};

TEST_F(ConfigurationTest, StartAheadIsLeftToTheLogger) {
    auto logger = Attach(1, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    const std::time_t start = clock.Now() + 60;
    auto frames = Apply(Panel(start));

    auto startTime = EncodeDateTime(start);
    Bytes setStart{0xFF, 0xF4};
    setStart.insert(setStart.end(), startTime.begin(), startTime.end());
    setStart.push_back(0x01);
    const Bytes description = [] {
        auto block = BuildDescriptionBlock("Title", "0123456789");
        return Bytes(block.begin(), block.end());
    }();
    std::vector<Bytes> chunks;
    for (std::size_t i = 0; i < 6; ++i)
        chunks.emplace_back(description.begin() + 16 * i, description.begin() + 16 * (i + 1));

    EXPECT_EQ(Count(frames, setStart), 1);
    EXPECT_EQ(Count(frames, {0xFF, 0xF2, 0x01}), 0);  // the logger starts by itself
    std::vector<Bytes> ordered{{0xFF, 0xF6, 0x00},
                               {0xFF, 0xF1, 0x2C, 0x01},
                               {0xFF, 0xFB, 0x94, 0x32, 0x05},
                               {0xFF, 0xEB, 0x01, 0x63},
                               {0xFF, 0xFD},
                               chunks[0],
                               chunks[5],
                               {0xFF, 0xF3, 0x00},
                               {0xFF, 0xF2, 0x02},
                               {0xFF, 0xF6, 0x01}};
    ordered[2][4] = info.channel1Alarm.enable;
    std::ptrdiff_t last = -1;
    for (const Bytes& frame : ordered) {
        auto at = Position(frames, frame);
        EXPECT_GT(at, last) << testing::PrintToString(frame);
        last = at;
    }
    EXPECT_GT(Position(frames, setStart), Position(frames, {0xFF, 0xF6, 0x00}));
    auto chipClock = std::find_if(frames.begin(), frames.end(),
                                  [](const Bytes& f) { return f.size() == 9 && f[1] == 0xF7; });
    ASSERT_NE(chipClock, frames.end());
    EXPECT_LT(chipClock - frames.begin(), Position(frames, {0xFF, 0xF1, 0x2C, 0x01}));
    EXPECT_NEAR(static_cast<double>(info.chipClock), static_cast<double>(start - 60), 5);

    SimSettings settings = logger->Settings();
    EXPECT_EQ(settings.interval, 300);
    EXPECT_EQ(settings.startFlag, 1);
    EXPECT_EQ(settings.channel1Lower, 0x94);
    EXPECT_EQ(settings.channel1Upper, 0x32);
    EXPECT_EQ(settings.channel2Lower, 1);
    EXPECT_EQ(settings.channel2Upper, 99);
    EXPECT_EQ(settings.description, std::string(description.begin(), description.end()));
    EXPECT_EQ(info.channel2Alarm.upper, 99);
    EXPECT_EQ(ui.shownStart, start);
    EXPECT_EQ(connection.CurrentPhase(), Phase::Polling);
    EXPECT_EQ(ui.progress.back(), (std::pair<int, std::string>{100, texts::kSettingDone}));
}

TEST_F(ConfigurationTest, StartInThePastStartsNowWithStartRecording) {
    auto logger = Attach(1, LoggerModel::DualTemperature);
    ConnectAndPoll(1, LoggerModel::DualTemperature);
    PanelSettings panel = Panel(clock.Now() - 60);
    panel.channel2Lower = "10";  // wrong order: the limits read from the logger stay
    panel.channel2Upper = "-10";
    const std::uint8_t oldUpper2 = info.channel2Alarm.upperByte;
    const std::time_t applied = clock.Now();
    auto frames = Apply(panel);

    auto setStart = std::find_if(frames.begin(), frames.end(),
                                 [](const Bytes& f) { return f.size() == 10 && f[1] == 0xF4; });
    ASSERT_NE(setStart, frames.end());
    auto now = EncodeDateTime(applied);
    EXPECT_TRUE(std::equal(now.begin(), now.end(), setStart->begin() + 2));
    EXPECT_EQ((*setStart)[9], 0x00);
    auto start = Position(frames, {0xFF, 0xF2, 0x01});
    ASSERT_GE(start, 0);
    EXPECT_GT(start, Position(frames, {0xFF, 0xFD}));
    EXPECT_LT(start, Position(frames, {0xFF, 0xF3, 0x00}));
    EXPECT_EQ(Count(frames, {0xFF, 0xEB, info.channel2Alarm.lowerByte, oldUpper2}), 1);
    EXPECT_EQ(logger->Settings().recordingState, 1);
}

TEST_F(ConfigurationTest, StartDecisionTakesTheTimeTheUserConfirmed) {
    auto logger = Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    // One minute ahead when asked, but the user answers two minutes later: that start has passed.
    const std::time_t chosen = clock.Now() + 60;
    std::time_t confirmed = 0;
    ui.onConfirmStart = [&] {
        clock.Advance(120 * 1000);
        confirmed = clock.Now();
    };
    auto frames = Apply(Panel(chosen));
    EXPECT_EQ(info.startFlag, 0) << "a start time in the past is a start now";
    auto setStart = std::find_if(frames.begin(), frames.end(),
                                 [](const Bytes& f) { return f.size() == 10 && f[1] == 0xF4; });
    ASSERT_NE(setStart, frames.end());
    EXPECT_EQ((*setStart)[9], 0x00);
    const auto now = EncodeDateTime(confirmed);
    EXPECT_TRUE(std::equal(now.begin(), now.end(), setStart->begin() + 2));
    EXPECT_EQ(Count(frames, {0xFF, 0xF2, 0x01}), 1) << "the recording is started by the program";
    EXPECT_EQ(logger->Settings().recordingState, 1);
    EXPECT_EQ(ui.shownStart, confirmed);
}

TEST_F(ConfigurationTest, ApplyingSettingsNeverSleepsOnTheCallersThread) {
    Attach(1, LoggerModel::TemperatureHumidity);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    ui.panel = Panel(clock.Now() + 60);
    const std::int64_t before = clock.MonotonicMs();
    const std::size_t writes = link.Writes().size();
    ASSERT_EQ(connection.ApplySettings(), RequestResult::Taken);
    EXPECT_EQ(clock.MonotonicMs(), before) << "the wait for late replies runs in the timer steps";
    EXPECT_EQ(link.Writes().size(), writes);
    EXPECT_EQ(connection.CurrentPhase(), Phase::SettingUp);
    // The first step comes before the wait is over and sends nothing of the settings yet.
    connection.OnTimer();
    EXPECT_EQ(link.Writes().size(), writes);
    EXPECT_TRUE(TicksUntil([&] { return connection.SettingsWriteState() == SettingsWrite::Finished; }, 600));
    EXPECT_EQ(Count(Frames(writes, true), {0xFF, 0xF1, 0x2C, 0x01}), 1);
}

TEST_F(ConfigurationTest, RefusedSettingsNameTheFieldAndWriteNothing) {
    struct Case {
        LoggerModel model;
        const char* lower1;
        const char* upper1;
        const char* lower2;
        const char* upper2;
        const char* field;
    };
    const Case cases[] = {
        {LoggerModel::SingleTemperature, "-20", "200", "0", "0", "温度上限值"},
        {LoggerModel::SingleTemperature, "-128", "50", "0", "0", "温度下限值"},
        {LoggerModel::SingleTemperature, "abc", "50", "0", "0", "温度下限值不是数字"},
        {LoggerModel::TemperatureHumidity, "-20", "50", "0", "101", "湿度上限值"},
        {LoggerModel::TemperatureHumidity, "-20", "50", "-5", "90", "湿度下限值"},
        {LoggerModel::DualTemperature, "-20", "50", "-20", "150", "温度II上限值"},
    };
    int port = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        auto logger = Attach(port, c.model);
        ConnectAndPoll(port, c.model);
        const SimSettings before = logger->Settings();
        PanelSettings panel = Panel(clock.Now() + 60);
        panel.channel1Lower = c.lower1;
        panel.channel1Upper = c.upper1;
        panel.channel2Lower = c.lower2;
        panel.channel2Upper = c.upper2;
        ui.panel = panel;
        ui.messages.clear();
        const int questions = ui.startQuestions;
        const std::size_t writes = link.Writes().size();
        const AlarmLimits limits = info.channel1Alarm;

        EXPECT_EQ(connection.ApplySettings(), RequestResult::Declined);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find(c.field), std::string::npos) << ui.messages[0];
        EXPECT_EQ(ui.startQuestions, questions) << "no start question for settings that cannot go out";
        EXPECT_EQ(connection.CurrentPhase(), Phase::Polling);
        EXPECT_EQ(info.channel1Alarm.upperByte, limits.upperByte);
        Ticks(50);
        for (const Bytes& frame : Frames(writes, true)) {
            ASSERT_GE(frame.size(), 2u);
            for (std::uint8_t settingsCommand : {0xF4, 0xFB, 0xEB, 0xF1, 0xFD, 0xF7})
                EXPECT_NE(frame[1], settingsCommand) << testing::PrintToString(frame);
        }
        const SimSettings after = logger->Settings();
        EXPECT_EQ(after.channel1Upper, before.channel1Upper);
        EXPECT_EQ(after.channel2Upper, before.channel2Upper);
        EXPECT_EQ(after.interval, before.interval);
        connection.Disconnect();
        Ticks(2);
        ++port;
    }
}

TEST_F(ConfigurationTest, DeclinedStartTimeChangesNothing) {
    Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    ui.confirmStart = false;
    ui.panel = Panel(clock.Now() + 60);
    const std::uint16_t interval = info.interval;
    EXPECT_EQ(connection.ApplySettings(), RequestResult::Declined);
    EXPECT_EQ(info.interval, interval);
    EXPECT_EQ(connection.CurrentPhase(), Phase::Polling);
}

TEST_F(ConfigurationTest, StopRecordingEndsRecordingAndReturnsToPolling) {
    auto logger = Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    auto before = link.Writes().size();
    EXPECT_EQ(connection.StopRecording(), RequestResult::Taken);
    EXPECT_EQ(connection.CurrentPhase(), Phase::StoppingRecording);
    ASSERT_TRUE(TicksUntil([&] { return connection.CurrentPhase() == Phase::Polling; }, 100));
    EXPECT_EQ(Count(Frames(before), {0xFF, 0xF2, 0x00}), 1);
    EXPECT_EQ(logger->Settings().recordingState, 0);
    EXPECT_EQ(info.recordingState, 0);
    EXPECT_TRUE(ui.startEnabled);
    EXPECT_FALSE(ui.stopEnabled);
}

class DownloadEndToEnd : public ConfigurationTest {
  protected:
    // Downloads the history of a logger holding `records` readings; returns the handed-over bytes.
    Bytes Download(LoggerModel model, int records, bool corruptThirdBlock = false) {
        auto logger = Attach(1, model, records);
        ConnectAndPoll(1, model);
        Bytes handed;
        int handovers = 0;
        connection.SetHistorySink([&](const HistoryHandover& history) {
            handed = history.bytes;
            ++handovers;
            EXPECT_EQ(history.model, model);
        });
        connection.ReadHistory();
        bool corrupted = false;
        bool done = TicksUntil(
            [&] {
                if (corruptThirdBlock && !corrupted && connection.Engine().NextBlock() == 3) {
                    logger->CorruptNextReply(1 << 20);  // the trailer's last byte
                    corrupted = true;
                }
                return handovers > 0;
            },
            3000);
        EXPECT_TRUE(done);
        EXPECT_EQ(handovers, 1);
        EXPECT_EQ(connection.CurrentPhase(), Phase::Polling);
        expectedMemory = logger->RecordMemory();
        blocks = info.blockCount;
        return handed;
    }
    void ExpectWholeMemory(const Bytes& handed) {
        ASSERT_EQ(handed.size(), expectedMemory.size() + 9);
        EXPECT_EQ(handed[0], 0xFF);
        EXPECT_EQ(handed[1], 0xF5);
        EXPECT_EQ(handed[2], 0x01);
        EXPECT_TRUE(std::equal(expectedMemory.begin(), expectedMemory.end(), handed.begin() + 7));
        EXPECT_EQ(handed[handed.size() - 2], 0xFF);
        EXPECT_EQ(handed.back(), 0xFF);
    }
    Bytes expectedMemory;
    int blocks = 0;
};

TEST_F(DownloadEndToEnd, OneTwoAndThreeBlocks) {
    for (int records : {100, 600, 1100}) {
        SCOPED_TRACE(records);
        Bytes handed = Download(LoggerModel::SingleTemperature, records);
        ExpectWholeMemory(handed);
        EXPECT_EQ(blocks, records * 2 / 1024 + 1);
        EXPECT_TRUE(ui.historyShown);
        connection.Disconnect();
        Ticks(2);
    }
}

TEST_F(DownloadEndToEnd, LargestMemoryIn293Blocks) {
    Bytes handed = Download(LoggerModel::DualTemperature, 74880);
    EXPECT_EQ(blocks, 293);
    ExpectWholeMemory(handed);
}

TEST_F(DownloadEndToEnd, CorruptedBlockIsFetchedAgain) {
    Bytes handed = Download(LoggerModel::TemperatureHumidity, 1500, true);
    EXPECT_EQ(blocks, 6);
    ExpectWholeMemory(handed);
}

TEST_F(DownloadEndToEnd, ChannelChoiceDoesNotShortenTheDownload) {
    ui.channels = std::array<bool, 2>{false, true};
    Bytes handed = Download(LoggerModel::TemperatureHumidity, 600);
    ExpectWholeMemory(handed);
    EXPECT_EQ(connection.HistoryChannels(), (std::array<bool, 2>{false, true}));
}

TEST_F(DownloadEndToEnd, NoChannelChosenDoesNothing) {
    Attach(1, LoggerModel::SingleTemperature);
    ConnectAndPoll(1, LoggerModel::SingleTemperature);
    ui.channels = std::array<bool, 2>{false, false};
    connection.ReadHistory();
    EXPECT_FALSE(connection.HistoryMode());
    EXPECT_EQ(connection.CurrentPhase(), Phase::Polling);
}

}  // namespace
}  // namespace veldrin
