#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include "AppTestSupport.h"
#include "app/CInsExchangeDialog.h"
#include "app/CLinkDlg.h"
#include "app/CMyDialog.h"
#include "app/CheckHistory.h"
#include "app/ShellTime.h"

namespace veldrin {
namespace {

using test::ManualClock;

QStringList LineTexts(const PaintedTextDialog& dialog) {
    QStringList texts;
    for (const PlacedText& line : dialog.Lines()) {
        texts.append(line.text);
    }
    return texts;
}

TEST(DialogsTest, CheckHistoryOffersTheChannelsOfEachKind) {
    EXPECT_EQ(CheckHistory::KindForModel(LoggerModel::SingleTemperature), CheckHistory::SingleChannel);
    EXPECT_EQ(CheckHistory::KindForModel(LoggerModel::TemperatureHumidity),
              CheckHistory::TemperatureHumidity);
    EXPECT_EQ(CheckHistory::KindForModel(LoggerModel::DualTemperature), CheckHistory::DualTemperature);
    EXPECT_EQ(CheckHistory::KindForModel(LoggerModel::Unknown), CheckHistory::SingleChannel);

    CheckHistory single(CheckHistory::SingleChannel);
    single.show();
    EXPECT_FALSE(single.FirstCheck()->isVisible());
    EXPECT_FALSE(single.SecondCheck()->isVisible());
    EXPECT_EQ(LineTexts(single), QStringList({"停止记录并读取历史数据？"}));
    EXPECT_EQ(single.ChosenChannels(), (std::array<bool, 2>{true, false}));

    CheckHistory dual(CheckHistory::DualTemperature);
    dual.show();
    EXPECT_EQ(dual.FirstCheck()->text(), "温度I");
    EXPECT_EQ(dual.SecondCheck()->text(), "温度II");
    EXPECT_TRUE(dual.FirstCheck()->isVisible() && dual.FirstCheck()->isChecked());
    EXPECT_TRUE(dual.SecondCheck()->isVisible() && dual.SecondCheck()->isChecked());
    EXPECT_EQ(LineTexts(dual), QStringList({"请选择通道", "停止记录并读取历史数据？"}));
    EXPECT_EQ(dual.ChosenChannels(), (std::array<bool, 2>{true, true}));

    CheckHistory humidity(CheckHistory::TemperatureHumidity);
    humidity.show();
    EXPECT_EQ(humidity.FirstCheck()->text(), "温度");
    EXPECT_EQ(humidity.SecondCheck()->text(), "湿度");
    testing::ClickCheckBox(humidity.FirstCheck());
    EXPECT_EQ(humidity.ChosenChannels(), (std::array<bool, 2>{false, true}));
    testing::ClickCheckBox(humidity.SecondCheck());
    EXPECT_EQ(humidity.ChosenChannels(), (std::array<bool, 2>{false, false}));
}

TEST(DialogsTest, MismatchQuestionHidesTheCheckBoxes) {
    CInsExchangeDialog question;
    question.show();
    EXPECT_FALSE(question.FirstCheck()->isVisible());
    EXPECT_FALSE(question.SecondCheck()->isVisible());
    EXPECT_EQ(LineTexts(question), QStringList({"仪器不匹配!  是否重新连接仪器?"}));
}

TEST(DialogsTest, StartQuestionShowsAFutureStartTime) {
    ManualClock clock(1717203845);
    const std::time_t fiveMinutesAhead = clock.Now() + 300;
    CMyDialog question(fiveMinutesAhead, &clock);
    EXPECT_EQ(question.ShownText(), "2024-6-1 9:9:05");
    clock.AdvanceSeconds(10);
    question.Refresh();
    EXPECT_EQ(question.ShownText(), "2024-6-1 9:9:05") << "the proposed start stays while it lies ahead";
    EXPECT_EQ(LineTexts(question), QStringList({"启动记录,将导致历史数据丢失"}));
}

TEST(DialogsTest, StartQuestionShowsTheRunningClockForAPastStartTime) {
    ManualClock clock(1717203845);
    CMyDialog question(clock.Now() - 3600, &clock);
    EXPECT_EQ(question.ShownText(), "2024-6-1 9:4:05");
    clock.AdvanceSeconds(1);
    question.Refresh();
    EXPECT_EQ(question.ShownText(), "2024-6-1 9:4:06");
}

TEST(DialogsTest, StartQuestionTicksOnItsOwn) {
    CMyDialog question(0);
    const QString first = question.ShownText();
    EXPECT_TRUE(QTest::qWaitFor([&] { return question.ShownText() != first; }, 2500))
        << "the shown time follows the computer's clock every second";
}

TEST(DialogsTest, LinkDialogRemembersTheChoice) {
    CLinkDlg link;
    EXPECT_EQ(link.Choice().port.comNumber, 1);
    EXPECT_FALSE(link.Choice().autoSearch);
    EXPECT_EQ(link.PortText(), "com1");
    EXPECT_EQ(link.InstrumentNumber(), 1);
    EXPECT_EQ(link.InstrumentText(), "单温度记录仪");
    ASSERT_EQ(link.PortList()->count(), 5);

    link.PortList()->setCurrentIndex(4);
    link.InstrumentList()->setCurrentIndex(2);
    EXPECT_TRUE(link.Choice().autoSearch);
    EXPECT_EQ(link.Choice().port.comNumber, CLinkDlg::kAutoSearchPort)
        << "com5 when the search finds nothing";
    EXPECT_EQ(link.Choice().instrument, LoggerModel::TemperatureHumidity);
    EXPECT_EQ(link.PortText(), "自动搜索");
    EXPECT_EQ(link.InstrumentNumber(), 3);
    EXPECT_EQ(link.InstrumentText(), "温湿度记录仪");
    // The last entry lets the logger's identify answer decide the model.
    ASSERT_EQ(link.InstrumentList()->count(), 4);
    link.InstrumentList()->setCurrentIndex(3);
    EXPECT_EQ(link.InstrumentText(), "自动识别");
    EXPECT_EQ(link.Choice().instrument, kModelFromIdentify);
}

TEST(DialogsTest, LinkDialogPortEntriesNameTheirDevices) {
    qputenv("VELDRIN_COM2", "/dev/pts/42");
    CLinkDlg link;
    qunsetenv("VELDRIN_COM2");
    EXPECT_EQ(link.PortList()->itemData(1, Qt::ToolTipRole).toString(), "/dev/pts/42");
    EXPECT_EQ(link.PortList()->itemData(3, Qt::ToolTipRole).toString(), "/dev/ttyUSB3");
    EXPECT_FALSE(link.PortList()->itemData(4, Qt::ToolTipRole).isValid()) << "auto search names no device";
}

}  // namespace
}  // namespace veldrin
