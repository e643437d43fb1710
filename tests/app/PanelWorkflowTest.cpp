// The realtime panel as a user works it against the simulated logger: settings the logger cannot
// take are refused with a message before anything is written, a Chinese title is kept by its GBK
// bytes and written whole, a live 0x80 0x00 reading reads 0.00, a new recording draws its first
// reading, and the progress strip and status pane follow a download and a disconnect.
#include <gtest/gtest.h>

#include <QAction>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <memory>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CheckHistory.h"
#include "app/CurvePage.h"
#include "app/UnitMenu.h"
#include "app/WarnDialog.h"
#include "history/HistoryText.h"
#include "logger/Gbk.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/SimWindowFixture.h"
#include "tests/app/WindowDriving.h"

namespace veldrin {
namespace {

using testing::AnswerNextDialog;
using testing::OnNextDialog;

class PanelWorkflowTest : public testing::SimWindowFixture {
  protected:
    CFormDialog* Panel() const { return frame.View()->RealtimePanel(); }
    std::shared_ptr<SimLogger> ConnectStopped(LoggerModel model, int records = 600) {
        SimLoggerOptions options = LoggerOptions(model, records);
        options.recording = false;
        auto logger = AttachLogger(1, options);
        EXPECT_TRUE(ConnectAndPoll(1, model));
        return logger;
    }
    // "启动记录", "是" to the start time, then steps until the logger has the settings.
    bool StartRecording() {
        return StartRecordingFromPanel() &&
               StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100);
    }
    bool StopRecording() {
        Panel()->StopButton()->click();
        return StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100);
    }
};

TEST_F(PanelWorkflowTest, LimitsTheLoggerCannotHoldAreRefusedBeforeAnythingIsWritten) {
    auto logger = ConnectStopped(LoggerModel::TemperatureHumidity);
    struct Case {
        WarnDialog* page;
        bool upper;
        const char* text;
        const char* field;
    };
    const Case cases[] = {
        {Panel()->Channel1Page(), true, "200", "温度上限值"},
        {Panel()->Channel1Page(), false, "-128", "温度下限值"},
        {Panel()->Channel1Page(), true, "三十", "温度上限值不是数字"},
        {Panel()->Channel2Page(), true, "101", "湿度上限值"},
        {Panel()->Channel2Page(), false, "-1", "湿度下限值"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        Panel()->SetLimits(1, 50, -20);
        Panel()->SetLimits(2, 90, 10);
        (c.upper ? c.page->UpperBox() : c.page->LowerBox())->setText(QString::fromUtf8(c.text));
        const SimSettings before = logger->Settings();
        const std::size_t writes = link.Writes().size();

        auto seen = std::make_shared<QString>();
        AnswerNextDialog(QDialog::Accepted, seen);
        Panel()->StartButton()->click();
        EXPECT_TRUE(seen->contains(QString::fromUtf8(c.field))) << seen->toStdString();
        EXPECT_TRUE(Panel()->StartButton()->isEnabled());
        EXPECT_FALSE(Panel()->StopButton()->isEnabled());
        EXPECT_FALSE(Realtime().Monitoring());
        Steps(30);
        EXPECT_EQ(workspace.Connection().SettingsWriteState(), SettingsWrite::None);
        const auto written = link.Writes();
        for (std::size_t i = writes; i < written.size(); ++i) {
            const Bytes& frameBytes = written[i].bytes;
            for (std::uint8_t command : {0xF4, 0xFB, 0xEB, 0xF1, 0xFD, 0xF2}) {
                EXPECT_FALSE(frameBytes.size() >= 2 && frameBytes[1] == command)
                    << ::testing::PrintToString(frameBytes);
            }
        }
        const SimSettings after = logger->Settings();
        EXPECT_EQ(after.channel1Upper, before.channel1Upper);
        EXPECT_EQ(after.channel2Upper, before.channel2Upper);
        EXPECT_EQ(after.recordingState, 0);
    }
}

// With "°F" chosen in the menu the limit boxes show the logger's limits in °F, limits typed in
// °F are written as the same whole °C, and one beyond the logger's range is refused by the value
// typed.
TEST_F(PanelWorkflowTest, LimitsAreTypedAndShownInFahrenheitAndWrittenInCelsius) {
    auto logger = ConnectStopped(LoggerModel::DualTemperature);
    WarnDialog* first = Panel()->Channel1Page();
    WarnDialog* second = Panel()->Channel2Page();
    ASSERT_EQ(first->UpperBox()->text(), "30");
    frame.Units()->Action(TemperatureUnit::Fahrenheit)->trigger();
    struct BackToCelsius {
        CMainFrame& frame;
        ~BackToCelsius() { frame.Units()->Action(TemperatureUnit::Celsius)->trigger(); }
    } backToCelsius{frame};
    EXPECT_EQ(first->UpperBox()->text(), "86");
    EXPECT_EQ(first->LowerBox()->text(), "41");
    EXPECT_EQ(second->UpperBox()->text(), "14");
    EXPECT_EQ(second->LowerBox()->text(), "-13");

    first->UpperBox()->setText(QStringLiteral("270"));
    auto seen = std::make_shared<QString>();
    AnswerNextDialog(QDialog::Accepted, seen);
    Panel()->StartButton()->click();
    EXPECT_TRUE(seen->contains(QStringLiteral("温度I上限值超出范围：270°F。"))) << seen->toStdString();
    EXPECT_EQ(logger->Settings().channel1Upper, EncodeTemperatureLimit(30));

    first->UpperBox()->setText(QStringLiteral("46.4"));
    first->LowerBox()->setText(QStringLiteral("35.6"));
    second->UpperBox()->setText(QStringLiteral("-4"));
    second->LowerBox()->setText(QStringLiteral("-22"));
    ASSERT_TRUE(StartRecording());
    const SimSettings settings = logger->Settings();
    EXPECT_EQ(settings.channel1Upper, EncodeTemperatureLimit(8));
    EXPECT_EQ(settings.channel1Lower, EncodeTemperatureLimit(2));
    EXPECT_EQ(settings.channel2Upper, EncodeTemperatureLimit(-20));
    EXPECT_EQ(settings.channel2Lower, EncodeTemperatureLimit(-30));
    EXPECT_EQ(first->UpperBox()->text(), "46.4");
    EXPECT_EQ(second->LowerBox()->text(), "-22");
}

TEST_F(PanelWorkflowTest, ChineseTitleIsLimitedByItsGbkBytesAndWrittenWhole) {
    auto logger = ConnectStopped(LoggerModel::SingleTemperature);
    QLineEdit* title = Panel()->TitleBox();
    title->clear();
    // Typed through an input method, one committed character at a time.
    const QString typed = QStringLiteral("北门冷库一号温湿度记录仪表二零二四年五月");
    for (const QChar character : typed) {
        QInputMethodEvent commit;
        commit.setCommitString(QString(character));
        QApplication::sendEvent(title, &commit);
    }
    ASSERT_EQ(typed.size(), 20);
    EXPECT_EQ(title->text(), typed.left(18)) << "36 GBK bytes: eighteen Chinese characters";
    title->setText(QStringLiteral("ab") + typed);
    EXPECT_EQ(title->text(), QStringLiteral("ab") + typed.left(17)) << "a character is never split";
    title->setText(typed.left(18));

    ASSERT_TRUE(StartRecording());
    const std::string held = logger->Settings().description;
    ASSERT_EQ(held.size(), 96u);
    EXPECT_EQ(QString::fromStdString(FromGbk(held.substr(0, 36))), typed.left(18));
}

TEST_F(PanelWorkflowTest, LiveReadingOfMinusZeroBytesReadsZero) {
    ConnectStopped(LoggerModel::TemperatureHumidity);
    ASSERT_TRUE(StartRecording());
    ASSERT_TRUE(RowsGrowBy(1, 300));
    // The logger's frame for channel 1 = 0x80 0x00 (sign bit on zero), humidity 50.00.
    const std::uint8_t reading[6] = {0xA7, 0x80, 0x00, 0x32, 0x00, 0xA7};
    const int rows = DataList().rowCount();
    workspace.Connection().Engine().OnReceive(reading, sizeof reading);
    Step();
    ASSERT_EQ(DataList().rowCount(), rows + 1);
    EXPECT_EQ(DataList().CellText(rows, 2), QStringLiteral("0.00°C"));
    EXPECT_EQ(AlarmList().CellText(rows, 2), QStringLiteral("0.00°C"));

    // The cursor on that reading shows 0.00 as well.
    frame.show();
    auto* curve = qobject_cast<CurvePage*>(Panel()->DataTabs()->widget(0));
    ASSERT_NE(curve, nullptr);
    CurveChart& chart = workspace.Records().RealtimeChart();
    ASSERT_FALSE(chart.Points(1).empty());
    const CurveChart::DrawnPoint last = chart.Points(1).back();
    QTest::mouseClick(curve, Qt::LeftButton, {},
                      QPoint(CurvePage::kChartLeft + last.x, CurvePage::kChartTop + 100));
    curve->repaint();
    bool cursorValue = false;
    for (const PageText& text : curve->Texts()) {
        EXPECT_FALSE(text.text.contains(QStringLiteral("-0.00"))) << text.text.toStdString();
        cursorValue = cursorValue || (text.y == 50 && text.text.startsWith(QStringLiteral("0.00")));
    }
    EXPECT_TRUE(cursorValue);
}

TEST_F(PanelWorkflowTest, NewRecordingDrawsItsFirstReadingWhereverTheTrackbarStood) {
    ConnectStopped(LoggerModel::SingleTemperature);
    ASSERT_TRUE(StartRecording());
    ASSERT_TRUE(RowsGrowBy(4, 400));
    auto* curve = qobject_cast<CurvePage*>(Panel()->DataTabs()->widget(0));
    ASSERT_NE(curve, nullptr);
    curve->Trackbar()->setValue(3);  // the user looks at later readings
    CurveChart& chart = workspace.Records().RealtimeChart();
    ASSERT_EQ(chart.FirstIndex(), 3);

    ASSERT_TRUE(StopRecording());
    ASSERT_TRUE(StartRecording());
    QSignalSpy shown(&Realtime(), &RealtimeMonitor::readingShown);
    ASSERT_TRUE(StepUntil([&] { return shown.count() >= 1; }, 300));
    EXPECT_EQ(chart.FirstIndex(), 0);
    EXPECT_EQ(curve->Trackbar()->value(), 0);
    DrawRealtimeCurvePage(chart, workspace.Records().RealtimeSeries(), info.model);
    ASSERT_EQ(chart.Points(1).size(), static_cast<std::size_t>(chart.Count1()));
    EXPECT_EQ(chart.Points(1).front().sourceIndex, 0) << "the first reading is drawn";
}

TEST_F(PanelWorkflowTest, ProgressStripBlanksPaneTwoAndGoesWithADisconnect) {
    ConnectStopped(LoggerModel::TemperatureHumidity, 3000);
    CVeldrinView* view = frame.View();
    QLabel* pane = frame.StatusPane(2);
    Steps(3);
    EXPECT_EQ(pane->text(), QStringLiteral("设备通讯正常"));

    OnNextDialog<CheckHistory>([](CheckHistory* question) { question->accept(); });
    frame.RefreshCommands();
    frame.Action(Command::ReadHistory)->trigger();
    ASSERT_TRUE(StepUntil([&] { return view->ProgressPercent() > 5; }, 200));
    EXPECT_EQ(view->ProgressText(), QStringLiteral("正在读取历史数据"));
    EXPECT_EQ(pane->text(), QString(24, QLatin1Char(' ')));

    frame.Action(Command::Disconnect)->trigger();
    EXPECT_EQ(view->ProgressPercent(), -1) << "the strip goes at once";
    Steps(2);
    EXPECT_EQ(view->ProgressPercent(), -1);
    EXPECT_EQ(pane->text(), QStringLiteral("设备未连接"));
}

TEST_F(PanelWorkflowTest, SingleTemperatureDownloadListsAsManyReadingsAsTheLoggerHolds) {
    ConnectStopped(LoggerModel::SingleTemperature, 6000);
    EXPECT_EQ(info.recordBytes, 12000u);
    OnNextDialog<CheckHistory>([](CheckHistory* question) { question->accept(); });
    frame.RefreshCommands();
    frame.Action(Command::ReadHistory)->trigger();
    const HistoryDataSet& history = workspace.Records().History();
    ASSERT_TRUE(StepUntil([&] { return history.samples.Count() > 0; }, 2000));
    EXPECT_EQ(history.samples.Count(), 6000);
    EXPECT_EQ(SummaryTextsOf(history).dataLength, "6000");
    EXPECT_EQ(frame.findChild<QLineEdit*>(QStringLiteral("edit1013"))->text(), QStringLiteral("6000"));
}

}  // namespace
}  // namespace veldrin
