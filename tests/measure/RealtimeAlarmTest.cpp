#include <gtest/gtest.h>

#include <QCoreApplication>
#include <thread>

#include "measure/AudibleAlarm.h"
#include "measure/Measurements.h"
#include "tests/measure/MeasureTestSupport.h"

namespace veldrin {
namespace {

using test::CountingSound;
using test::InfoFor;
using test::ManualClock;

TEST(AudibleAlarm, OnlyValuesStrictlyOutsideUsableLimitsAlarm) {
    EXPECT_FALSE(SoundsAlarm(30.0f, 0.0f, 30.0f));
    EXPECT_FALSE(SoundsAlarm(0.0f, 0.0f, 30.0f));
    EXPECT_TRUE(SoundsAlarm(30.01f, 0.0f, 30.0f));
    EXPECT_TRUE(SoundsAlarm(-0.01f, 0.0f, 30.0f));
    // Unusable pairs never alarm: equal or inverted limits, upper 200 or more, lower −100 or less.
    EXPECT_FALSE(SoundsAlarm(31.0f, 30.0f, 30.0f));
    EXPECT_FALSE(SoundsAlarm(50.0f, 40.0f, 30.0f));
    EXPECT_FALSE(SoundsAlarm(500.0f, -10.0f, 200.0f));
    EXPECT_TRUE(SoundsAlarm(500.0f, -10.0f, 199.0f));
    EXPECT_FALSE(SoundsAlarm(-150.0f, -100.0f, 30.0f));
    EXPECT_TRUE(SoundsAlarm(-150.0f, -99.0f, 30.0f));
}

TEST(AudibleAlarm, SecondChannelCountsOnlyForTwoChannelModels) {
    CountingSound sound;
    AudibleAlarm alarm(sound);
    const LoggerInfo single = InfoFor(LoggerModel::SingleTemperature, 0, 30, 20, 80);
    EXPECT_FALSE(alarm.Evaluate(single.model, 25, 95, single.channel1Alarm, single.channel2Alarm));
    EXPECT_FALSE(alarm.Active());
    const LoggerInfo humidity = InfoFor(LoggerModel::TemperatureHumidity, 0, 30, 20, 80);
    EXPECT_TRUE(alarm.Evaluate(humidity.model, 25, 95, humidity.channel1Alarm, humidity.channel2Alarm));
    EXPECT_TRUE(alarm.Active());
    EXPECT_EQ(alarm.Countdown(), AudibleAlarm::kCountdownStart);
}

TEST(AudibleAlarm, OneAlarmingReadingPlaysTwelveTimesFiveSecondsApartThenStops) {
    CountingSound sound;
    AudibleAlarm alarm(sound);
    const LoggerInfo info = InfoFor(LoggerModel::SingleTemperature, -10, 30);
    alarm.Evaluate(info.model, -12, 0, info.channel1Alarm, info.channel2Alarm);

    std::vector<int> playTicks;
    for (int tick = 1; tick <= 400; ++tick) {
        const int before = sound.plays;
        alarm.Tick(true);
        if (sound.plays != before)
            playTicks.push_back(tick);
        // Good readings in between change nothing.
        alarm.Evaluate(info.model, 20, 0, info.channel1Alarm, info.channel2Alarm);
        if (tick == 299) {
            EXPECT_TRUE(alarm.Active());
        }
        if (tick == 300) {
            EXPECT_FALSE(alarm.Active());
        }
    }
    ASSERT_EQ(playTicks.size(), 12u);
    for (std::size_t i = 0; i < playTicks.size(); ++i)
        EXPECT_EQ(playTicks[i], 1 + 25 * static_cast<int>(i));
}

TEST(AudibleAlarm, CountdownWaitsWhileMonitoringIsOffAndRunsOnWithoutSound) {
    CountingSound sound;
    sound.result = 0;  // no audio device
    AudibleAlarm alarm(sound);
    const LoggerInfo info = InfoFor(LoggerModel::DualTemperature, 0, 30, 0, 30);
    alarm.Evaluate(info.model, 10, 31, info.channel1Alarm, info.channel2Alarm);
    for (int tick = 0; tick < 50; ++tick)
        alarm.Tick(false);
    EXPECT_EQ(sound.plays, 0);
    EXPECT_EQ(alarm.Countdown(), 600);
    for (int tick = 0; tick < 300; ++tick)
        alarm.Tick(true);
    EXPECT_EQ(sound.plays, 12);
    EXPECT_FALSE(alarm.Active());
    // A new alarming reading restarts the sound at once.
    alarm.Evaluate(info.model, 10, 31, info.channel1Alarm, info.channel2Alarm);
    alarm.Tick(true);
    EXPECT_EQ(sound.plays, 13);
}

class RealtimePath : public ::testing::Test {
  protected:
    void Start(LoggerInfo logger) {
        info = std::move(logger);
        clock.Set(test::LocalTime(2024, 3, 9, 14, 5, 7));
        measurements = std::make_unique<Measurements>(info, clock, sound);
        measurements->Realtime().SetMonitoring(true);
    }
    QString DataCell(int row, int column) const {
        return measurements->RealtimeDataList().CellText(row, column);
    }
    QString AlarmCell(int row, int column) const {
        return measurements->RealtimeAlarmList().CellText(row, column);
    }

    LoggerInfo info;
    ManualClock clock{0};
    CountingSound sound;
    std::unique_ptr<Measurements> measurements;
};

TEST_F(RealtimePath, EqualAndInvertedLimitsWriteAlarmTextsButNeverSound) {
    Start(InfoFor(LoggerModel::SingleTemperature, 30, 30));
    RealtimeMonitor& realtime = measurements->Realtime();
    realtime.HandleReading(31.0f, 0, clock.Now());
    realtime.HandleReading(30.0f, 0, clock.Now());
    realtime.HandleReading(-12.0f, 0, clock.Now());
    for (int tick = 0; tick < 10; ++tick)
        realtime.AlarmTick();
    EXPECT_EQ(sound.plays, 0);
    EXPECT_EQ(AlarmCell(0, 3), QStringLiteral("温度大于30.00°C"));
    EXPECT_EQ(AlarmCell(1, 3), QString());
    EXPECT_EQ(AlarmCell(2, 3), QStringLiteral("温度小于30.00°C"));

    // Inverted limits: the upper test runs last and wins.
    info.channel1Alarm.lower = 40;
    info.channel1Alarm.upper = 10;
    realtime.HandleReading(20.0f, 0, clock.Now());
    EXPECT_EQ(AlarmCell(3, 3), QStringLiteral("温度大于10.00°C"));
}

TEST_F(RealtimePath, ReadingIsStoredChartedAndListedWithItsTime) {
    Start(InfoFor(LoggerModel::SingleTemperature, static_cast<float>(DecodeLimitByte(0x8A, false)), 30));
    RealtimeMonitor& realtime = measurements->Realtime();
    int shownCount = 0;
    QObject::connect(&realtime, &RealtimeMonitor::readingShown, [&](int count) { shownCount = count; });

    realtime.HandleReading(-12.0f, 0, clock.Now());
    clock.AdvanceSeconds(5);
    realtime.HandleReading(25.5f, 0, clock.Now());
    realtime.AlarmTick();
    EXPECT_EQ(sound.plays, 1);

    const SampleSeries& series = measurements->RealtimeSeries();
    ASSERT_EQ(series.Count(), 2);
    EXPECT_FLOAT_EQ(series.Value1(1), -12.0f);
    EXPECT_FLOAT_EQ(series.Value1(2), 25.5f);
    EXPECT_EQ(FormatTime(series.Time(2), TimeStyle::Realtime), "2024-3-9  14:5:12");
    EXPECT_EQ(measurements->RealtimeChart().Count1(), 2);
    EXPECT_EQ(measurements->RealtimeChart().Count2(), 0);
    EXPECT_EQ(shownCount, 2);

    ASSERT_EQ(measurements->RealtimeDataList().rowCount(), 2);
    EXPECT_EQ(measurements->RealtimeDataList().columnCount(), 3);
    EXPECT_EQ(DataCell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(DataCell(0, 1), QStringLiteral("2024-03-09 14:05:07"));
    EXPECT_EQ(DataCell(0, 2), QStringLiteral("-12.00°C"));
    EXPECT_EQ(DataCell(1, 0), QStringLiteral("2"));
    EXPECT_EQ(DataCell(1, 1), QStringLiteral("2024-03-09 14:05:12"));
    EXPECT_EQ(DataCell(1, 2), QStringLiteral("25.50°C"));
    EXPECT_EQ(AlarmCell(0, 3), QStringLiteral("温度小于-10.00°C"));
    EXPECT_EQ(AlarmCell(1, 3), QString());
}

TEST_F(RealtimePath, HumidityExcursionAlarmsAndIsListed) {
    Start(InfoFor(LoggerModel::TemperatureHumidity, 0, 30, 20, 80));
    measurements->Realtime().HandleReading(25.0f, 85.5f, clock.Now());
    measurements->Realtime().AlarmTick();
    EXPECT_EQ(sound.plays, 1);
    EXPECT_EQ(measurements->RealtimeChart().Count2(), 1);
    EXPECT_FLOAT_EQ(measurements->RealtimeSeries().Value2(1), 85.5f);
    EXPECT_EQ(DataCell(0, 3), QStringLiteral("85.50%"));
    EXPECT_EQ(AlarmCell(0, 3), QStringLiteral("85.50%"));
    EXPECT_EQ(AlarmCell(0, 4), QStringLiteral("  "));
    EXPECT_EQ(AlarmCell(0, 5), QStringLiteral("湿度大于80.00%"));
}

TEST_F(RealtimePath, NothingIsStoredWhileMonitoringIsOffButTheAlarmIsArmed) {
    Start(InfoFor(LoggerModel::DualTemperature, 0, 30, 0, 30));
    measurements->Realtime().SetMonitoring(false);
    measurements->Realtime().HandleReading(10.0f, -5.0f, clock.Now());
    EXPECT_EQ(measurements->RealtimeSeries().Count(), 0);
    EXPECT_EQ(measurements->RealtimeDataList().rowCount(), 0);
    EXPECT_TRUE(measurements->Alarm().Active());
    measurements->Realtime().AlarmTick();
    EXPECT_EQ(sound.plays, 0);
}

TEST_F(RealtimePath, ReadingsPostedFromAnotherThreadArriveInOrderWithTheirValues) {
    Start(InfoFor(LoggerModel::DualTemperature, -20, 50, -20, 50));
    std::thread reader([this] {
        for (int i = 0; i < 5; ++i)
            measurements->Realtime().PostReading(static_cast<float>(i), -static_cast<float>(i));
    });
    reader.join();
    EXPECT_EQ(measurements->RealtimeSeries().Count(), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(measurements->RealtimeSeries().Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(measurements->RealtimeSeries().Value1(i + 1), static_cast<float>(i));
        EXPECT_FLOAT_EQ(measurements->RealtimeSeries().Value2(i + 1), -static_cast<float>(i));
    }
    EXPECT_EQ(DataCell(4, 3), QStringLiteral("-4.00°C"));
}

TEST_F(RealtimePath, NewRecordingRestartsStoreChartAndLists) {
    Start(InfoFor(LoggerModel::SingleTemperature, 0, 30));
    RealtimeMonitor& realtime = measurements->Realtime();
    for (int i = 0; i < 3; ++i)
        realtime.HandleReading(20.0f + i, 0, clock.Now());
    ASSERT_EQ(measurements->RealtimeDataList().rowCount(), 3);

    // The logger turns out to be a dual-temperature one at the next start.
    info.model = LoggerModel::DualTemperature;
    realtime.RestartRecording();
    EXPECT_EQ(measurements->RealtimeChart().Count1(), 0);
    realtime.HandleReading(1.0f, 2.0f, clock.Now());
    EXPECT_EQ(measurements->RealtimeDataList().rowCount(), 1);
    EXPECT_EQ(measurements->RealtimeDataList().HeaderText(3), QStringLiteral("温度II"));
    EXPECT_EQ(measurements->RealtimeAlarmList().HeaderText(5), QStringLiteral("温度II报警"));
    EXPECT_EQ(DataCell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(DataCell(0, 3), QStringLiteral("2.00°C"));
}

TEST(RealtimeList, FullListOverwritesFromTheTopAndStartsAgainWithTheStore) {
    const LoggerInfo info = InfoFor(LoggerModel::SingleTemperature, 0, 30);
    SampleSeries series;
    RealtimeListModel list(ListKind::RealtimeData);
    const std::time_t start = test::LocalTime(2024, 1, 1, 0, 0, 0);
    for (int i = 1; i <= SampleSeries::kCapacity; ++i) {
        series.AppendRealtime(static_cast<float>(i % 50), 0, start + i);
        list.AppendReading(series, info, start + i);
    }
    ASSERT_EQ(list.rowCount(), SampleSeries::kCapacity);
    EXPECT_EQ(series.Count(), 0);  // the store wrapped on its last slot
    EXPECT_FALSE(list.ListFull());

    series.AppendRealtime(41.0f, 0, start);  // store index 1
    list.AppendReading(series, info, start);
    EXPECT_TRUE(list.ListFull());
    EXPECT_EQ(list.RowCounter(), 0);
    series.AppendRealtime(42.0f, 0, start);
    list.AppendReading(series, info, start);
    EXPECT_EQ(list.rowCount(), SampleSeries::kCapacity);
    EXPECT_EQ(list.CellText(0, 0), QStringLiteral("1"));
    EXPECT_EQ(list.CellText(0, 2), QStringLiteral("42.00°C"));

    // When the store restarts, the list starts again with new rows.
    series.Reset();
    series.AppendRealtime(7.0f, 0, start);
    list.AppendReading(series, info, start);
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_FALSE(list.ListFull());
    series.AppendRealtime(8.0f, 0, start);
    list.AppendReading(series, info, start);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.CellText(1, 2), QStringLiteral("8.00°C"));
}

}  // namespace
}  // namespace veldrin
