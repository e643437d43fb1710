// A recording watched in the window, end to end over the simulated logger: starting it writes
// the panel's settings into the logger, and the logger's readings reach the realtime lists with
// their alarm texts, the audible alarm and the realtime curve.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>

#include "app/CFormDialog.h"
#include "app/CVeldrinView.h"
#include "logger/Gbk.h"
#include "sim/SimCurve.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/SimWindowFixture.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;

QString Trimmed(const std::string& gbk) {
    return QString::fromStdString(FromGbk(gbk)).trimmed();
}

class RealtimeAlarmTest : public testing::SimWindowFixture {
  protected:
    CFormDialog* Panel() const { return frame.View()->RealtimePanel(); }
    // Clicks "启动记录", answers the start time question with "是" and steps until the logger has
    // taken the panel's settings.
    bool StartRecording() {
        Panel()->SetStartTime(clock.Now() - 60);
        if (!Panel()->StartButton()->isEnabled()) {
            return false;
        }
        AcceptNextDialog();
        Panel()->StartButton()->click();
        return StepUntil(
            [&] { return workspace.Connection().SettingsWriteState() == SettingsWrite::Finished; }, 600);
    }
};

TEST_F(RealtimeAlarmTest, StartingARecordingSetsTheLoggerUpAndListsAlarmingReadings) {
    SimLoggerOptions options = LoggerOptions(LoggerModel::TemperatureHumidity);
    options.recording = false;
    auto logger = AttachLogger(1, options);
    // The simulated room stays warm and dry for the minutes this test runs.
    for (std::time_t t = clock.Now(); t < clock.Now() + 600; ++t) {
        const SimReading reading = CurveReading(LoggerModel::TemperatureHumidity, t);
        ASSERT_GT(reading.channel1Centi, 1000);
        ASSERT_LT(reading.channel2Centi, 6000);
    }
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::TemperatureHumidity));

    Panel()->SetIntervalSeconds(90);
    Panel()->SetLimits(1, 10, -20);
    Panel()->SetLimits(2, 90, 60);
    Panel()->SetTitle(QStringLiteral("冷库一号"));
    Panel()->SetDescription(QStringLiteral("北门冷库 温湿度"));
    ASSERT_TRUE(StartRecording());

    const SimSettings held = logger->Settings();
    EXPECT_EQ(held.interval, 90);
    EXPECT_EQ(held.channel1Upper, 10);
    EXPECT_EQ(held.channel1Lower, 0x80 | 20) << "sign and magnitude";
    EXPECT_EQ(held.channel2Upper, 90);
    EXPECT_EQ(held.channel2Lower, 60);
    ASSERT_EQ(held.description.size(), 96u);
    EXPECT_EQ(Trimmed(held.description.substr(0, 36)), "冷库一号");
    EXPECT_EQ(Trimmed(held.description.substr(36)), "北门冷库 温湿度");
    EXPECT_EQ(held.recordingState, 1);
    EXPECT_TRUE(Realtime().Monitoring());

    ASSERT_TRUE(StepUntil([&] { return AlarmList().rowCount() >= 3; }, 300));
    const SampleSeries& series = workspace.Records().RealtimeSeries();
    ASSERT_EQ(DataList().rowCount(), series.Count());
    for (int row = 0; row < AlarmList().rowCount(); ++row) {
        const int index = row + 1;  // the realtime store begins at index 1
        const QString value1 = QString::asprintf("%.2f°C", static_cast<double>(series.Value1(index)));
        const QString value2 = QString::asprintf("%.2f%%", static_cast<double>(series.Value2(index)));
        EXPECT_EQ(DataList().CellText(row, 2), value1) << row;
        EXPECT_EQ(DataList().CellText(row, 3), value2) << row;
        EXPECT_EQ(AlarmList().CellText(row, 1), DataList().CellText(row, 1)) << row;
        EXPECT_EQ(AlarmList().CellText(row, 2), value1) << row;
        EXPECT_EQ(AlarmList().CellText(row, 3), value2) << row;
        EXPECT_EQ(AlarmList().CellText(row, 4), "温度大于10.00°C") << row;
        EXPECT_EQ(AlarmList().CellText(row, 5), "湿度小于60.00%") << row;
    }
    EXPECT_TRUE(workspace.Records().Alarm().Active());

    const CurveChart& chart = workspace.Records().RealtimeChart();
    ASSERT_EQ(chart.Count1(), series.Count());
    ASSERT_EQ(chart.Count2(), series.Count());
    for (int i = 0; i < chart.Count1(); ++i) {
        EXPECT_EQ(chart.Value1(i), series.Value1(i + 1));
        EXPECT_EQ(chart.Value2(i), series.Value2(i + 1));
    }
}

TEST_F(RealtimeAlarmTest, ANewRecordingStartsTheRealtimeStoreListsAndCurveAfresh) {
    SimLoggerOptions options = LoggerOptions(LoggerModel::SingleTemperature);
    options.recording = false;
    AttachLogger(1, options);
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    ASSERT_TRUE(StartRecording());
    ASSERT_TRUE(RowsGrowBy(3, 300));

    Panel()->StopButton()->click();
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100));
    ASSERT_TRUE(StartRecording());
    const CurveChart& chart = workspace.Records().RealtimeChart();
    EXPECT_EQ(StoredReadings(), 0);
    EXPECT_EQ(chart.Count1(), 0);

    QSignalSpy shown(&Realtime(), &RealtimeMonitor::readingShown);
    ASSERT_TRUE(StepUntil([&] { return shown.count() >= 2; }, 300));
    EXPECT_EQ(StoredReadings(), shown.count());
    EXPECT_EQ(chart.Count1(), shown.count());
    EXPECT_EQ(DataList().rowCount(), shown.count()) << "the rows of the earlier recording are gone";
    EXPECT_EQ(AlarmList().rowCount(), shown.count());
    EXPECT_EQ(DataList().CellText(0, 0), "1");
}

TEST_F(RealtimeAlarmTest, StartWithoutALoggerLeavesTheButtonsAndTheMonitoringAlone) {
    ASSERT_TRUE(Panel()->StartButton()->isEnabled());
    ASSERT_FALSE(Panel()->StopButton()->isEnabled());
    AcceptNextDialog();  // "是" to the start time
    Panel()->StartButton()->click();
    EXPECT_TRUE(Panel()->StartButton()->isEnabled());
    EXPECT_FALSE(Panel()->StopButton()->isEnabled());
    EXPECT_FALSE(Realtime().Monitoring());
    EXPECT_FALSE(info.connected);
}

}  // namespace
}  // namespace veldrin
