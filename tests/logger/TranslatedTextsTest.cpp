// The connection's texts in another language: every message the user reads is made of texts that
// went through the translation (none left glued in Chinese), the pieces of a composite message are
// translated one by one and put together in the translation's own words, and the logger's time
// forms give way to ISO times where the run asks for them.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "logger/CommandFrames.h"
#include "logger/ConnectMessages.h"
#include "logger/ConnectionTexts.h"
#include "logger/SettingsCheck.h"
#include "logger/SupervisionTexts.h"
#include "logger/TextFormat.h"
#include "logger/WireCodec.h"
#include "tests/MarkedTranslation.h"
#include "tests/logger/ConnectionFixture.h"
#include "tests/logger/ValidPanel.h"

namespace veldrin {
namespace {

using test::ValidPanel;

using test::AllChineseTranslated;
using test::TranslatedForAWhile;

constexpr test::TableEntry kEnglish[] = {
    {"veldrin::texts", "打开com%d失败", "Cannot open com%d"},
    {"veldrin::texts", "打开%s失败", "Cannot open %s"},
    {"veldrin::texts", "通信中断，历史数据未读完：收到%d块，共%d块。",
     "Communication lost; the download is unfinished: %d of %d blocks received."},
    {"veldrin::texts", "历史数据不完整：%d条记录，共%d条。", "The history is incomplete: %d of %d readings."},
    {"veldrin::ConnectMessages", "设备：%s", "Device: %s"},
    {"veldrin::ConnectMessages", "原因：%s", "Reason: %s"},
    {"veldrin::ConnectMessages", "%s（%s）", "%s (%s)"},
    {"veldrin::ConnectMessages", "设备正被其他程序使用", "The device is in use by another program"},
    {"veldrin::LoggerModel", "温度", "Temperature"},
    {"veldrin::LoggerModel", "湿度", "Humidity"},
    {"veldrin::SettingsCheck", "%s上限值", "%s upper limit"},
    {"veldrin::SettingsCheck", "%s超出范围：%d。湿度报警限须在 %d 到 %d 之间。",
     "%s is out of range: %d. Humidity limits lie between %d and %d."},
};

TEST(TranslatedTexts, ConnectFailuresAndSearchReportsAreMadeOfTranslatedTexts) {
    TranslatedForAWhile marked(&test::MarkingTranslator);
    const ChosenPort com3{"/dev/ttyUSB2", 3};
    const ChosenPort device{"/dev/serial/by-id/usb-FTDI-if00", 0};
    for (const int error : {EACCES, ENOENT, ENODEV, EBUSY, ENOTTY, EIO, 0}) {
        SCOPED_TRACE(error);
        const PortFailure failure{com3.devicePath, error, "cannot open: no cable"};
        const std::string message =
            OpenFailedMessage(PortMessage(texts::kOpenFailed, texts::kOpenDeviceFailed, com3), failure);
        EXPECT_TRUE(AllChineseTranslated(message));
        // What the program cannot translate stays as the system and the link say it.
        EXPECT_NE(message.find(com3.devicePath), std::string::npos) << message;
        EXPECT_NE(message.find(error == 0 ? "cannot open: no cable" : std::strerror(error)),
                  std::string::npos);
    }
    const std::vector<SearchAttempt> searched{{com3, PortFailure{com3.devicePath, EACCES, ""}},
                                              {device, std::nullopt},
                                              {{"/dev/ttyUSB0", 1}, std::nullopt}};
    EXPECT_TRUE(AllChineseTranslated(SearchReport(searched)));
    EXPECT_TRUE(
        AllChineseTranslated(PortMessage(texts::kAutoSearchFound, texts::kAutoSearchFoundDevice, device)));
}

TEST(TranslatedTexts, StatesModelNamesCommandNamesAndSettingsProblemsAreTranslated) {
    TranslatedForAWhile marked(&test::MarkingTranslator);
    for (const LinkStatus status : {LinkStatus::Normal, LinkStatus::Timeout, LinkStatus::NotConnected})
        EXPECT_TRUE(AllChineseTranslated(texts::LinkStatusText(status)));
    for (const PortState state : {PortState::Open, PortState::Closed})
        EXPECT_TRUE(AllChineseTranslated(texts::PortStateText(state)));
    for (const int state : {0, 1}) {
        EXPECT_TRUE(AllChineseTranslated(texts::RecordingText(state)));
        EXPECT_TRUE(AllChineseTranslated(texts::VoltageText(state)));
    }
    for (int id = 0; id < kCommandCount; ++id)
        EXPECT_TRUE(AllChineseTranslated(CommandName(CommandFromIndex(id))));
    for (const ModelTraits& traits : KnownModels()) {
        for (const std::string_view text :
             {traits.displayName, traits.channel1Name, traits.channel2Name, traits.caption1, traits.caption2})
            EXPECT_TRUE(AllChineseTranslated(ShownModelText(text))) << text;
    }

    // Each kind of problem, with the field named in the translation's words.
    std::vector<PanelSettings> panels(6, ValidPanel());
    panels[0].channel1Lower = "abc";
    panels[1].channel1Upper = "300";
    panels[2].channel2Upper = "101";
    panels[3].startMonth = 13;
    panels[4].title = std::string(40, 'x');
    panels[5].description = std::string(70, 'x');
    for (const PanelSettings& panel : panels) {
        const std::optional<std::string> problem =
            FindSettingsProblem(panel, LoggerModel::TemperatureHumidity);
        ASSERT_TRUE(problem.has_value());
        EXPECT_TRUE(AllChineseTranslated(*problem));
    }
    EXPECT_TRUE(AllChineseTranslated(FindSettingsProblem(panels[0], LoggerModel::Unknown).value_or("")));
}

TEST(TranslatedTexts, MessagesPutTogetherInTheTranslationsWords) {
    TranslatedForAWhile english(&test::TableTranslator<kEnglish>);
    const std::string busy = OpenFailedMessage(
        PortMessage(texts::kOpenFailed, texts::kOpenDeviceFailed, ChosenPort{"/dev/ttyUSB2", 3}),
        {"/dev/ttyUSB2", EBUSY, "cannot open"});
    EXPECT_EQ(busy,
              std::string("Cannot open com3\nDevice: /dev/ttyUSB2\nReason: The device is in use by another "
                          "program (") +
                  std::strerror(EBUSY) + ")");
    EXPECT_EQ(PortMessage(texts::kOpenFailed, texts::kOpenDeviceFailed, ChosenPort{"/dev/pts/4", 0}),
              "Cannot open /dev/pts/4");
    EXPECT_EQ(ShownModelText("湿度"), "Humidity");
    EXPECT_EQ(ShownModelText("冷库一号"), "冷库一号") << "a text that is not the table's stays as it is";
    PanelSettings panel = ValidPanel();
    panel.channel2Upper = "120";
    EXPECT_EQ(FindSettingsProblem(panel, LoggerModel::TemperatureHumidity),
              "Humidity upper limit is out of range: 120. Humidity limits lie between 0 and 100.");
}

TEST(TranslatedTexts, TheLoggersTimeFormsGiveWayToIsoTimesWhereTheRunShowsThem) {
    const std::time_t time = *MakeLocalTime(2024, 5, 1, 8, 3, 9);
    for (const TimeStyle style : {TimeStyle::ZeroPadded, TimeStyle::BlankPadded, TimeStyle::Realtime})
        EXPECT_EQ(ShownTimeStyle(style), style) << "the Chinese interface shows the logger's own forms";
    TranslatedForAWhile iso(&test::MarkingTranslator, true);
    EXPECT_EQ(FormatTime(time, ShownTimeStyle(TimeStyle::Realtime)), "2024-05-01 08:03:09");
    EXPECT_EQ(FormatTime(time, ShownTimeStyle(TimeStyle::BlankPadded)), "2024-05-01 08:03:09");
    EXPECT_EQ(FormatTime(time, TimeStyle::BlankPadded), "2024- 5- 1  8: 3: 9") << "files keep their form";
}

// A download the logger breaks off: the message tells both what did not finish and what the
// history lacks, each sentence translated on its own.
class TranslatedSupervisionTest : public test::ConnectionFixture {};

TEST_F(TranslatedSupervisionTest, ABrokenDownloadIsToldInTheTranslationsSentences) {
    TranslatedForAWhile english(&test::TableTranslator<kEnglish>);
    auto logger = Attach(1, LoggerModel::TemperatureHumidity, 1440);
    ConnectAndPoll(1, LoggerModel::TemperatureHumidity);
    int blocks = -1;
    connection.SetHistorySink([&](const HistoryHandover& history) { blocks = history.blocksReceived; });
    connection.ReadHistory();
    ASSERT_TRUE(TicksUntil([&] { return connection.Engine().NextBlock() == 4; }, 500));
    const std::size_t messagesBefore = ui.messages.size();
    logger->SetSilent(true);
    ASSERT_TRUE(TicksUntil([&] { return !connection.Online(); }, 300));
    ASSERT_EQ(ui.messages.size(), messagesBefore + 1);
    ASSERT_TRUE(blocks == 3 || blocks == 4) << blocks;
    EXPECT_EQ(ui.messages.back(), Printf("Communication lost; the download is unfinished: %d of 6 blocks "
                                         "received.\nThe history is incomplete: %d of 1440 readings.",
                                         blocks, blocks * 256));
}

}  // namespace
}  // namespace veldrin
