#pragma once
// Realtime readings while a recording is watched: each decoded reading is checked against the
// alarm limits, stored in the realtime store, appended to the realtime chart (which is redrawn)
// and listed in the realtime data and alarm lists. Readings decoded on the serial reader thread
// are handed over with PostReading(); everything else runs on the user-interface thread.
#include <QObject>

#include "history/SampleSeries.h"
#include "logger/Clock.h"
#include "logger/LoggerInfo.h"
#include "measure/AudibleAlarm.h"
#include "measure/CurveChart.h"
#include "measure/RealtimeListModel.h"

namespace veldrin {

class RealtimeMonitor final : public QObject {
    Q_OBJECT

  public:
    // `info` supplies the current model and the decoded alarm limits.
    RealtimeMonitor(const LoggerInfo& info, const Clock& clock, SampleSeries& series, CurveChart& chart,
                    RealtimeListModel& dataList, RealtimeListModel& alarmList, AudibleAlarm& alarm,
                    QObject* parent = nullptr);

    // Any thread: queues the reading, with its own values and the clock's time of arrival, for
    // HandleReading() on this object's thread.
    void PostReading(float value1, float value2);
    // The reading that arrived at `arrival` becomes the current one: alarm evaluation, then (when
    // monitoring) store, chart, redraw and list rows.
    void HandleReading(float value1, float value2, std::time_t arrival);
    // The 200 ms alarm tick.
    void AlarmTick();

    // On when a recording is started, off on disconnect or an instrument mismatch.
    void SetMonitoring(bool on);
    bool Monitoring() const { return monitoring_; }
    // Shows temperatures in `unit`: the lists' rows at once, the alarm status from the next reading.
    void SetUnit(TemperatureUnit unit);
    // A new recording: the store and the chart start empty.
    void RestartRecording();

  signals:
    // A reading was stored and the chart redrawn; the curve page widens its scroll range to
    // `chartCount` values and repaints.
    void readingShown(int chartCount);
    // The store and the chart were emptied for a new recording.
    void recordingRestarted();
    // The alarm of the newest reading in words: "报警" with each channel beyond its limits and its
    // value, empty once a reading is back within the limits or the watching ended.
    void alarmStatusChanged(const QString& text);
    // The alarm sound could not be played: the alarm is silent. Signalled once per run.
    void alarmSoundSilent();

  private:
    void ShowReading(std::time_t arrival);
    void SetAlarmStatus(const QString& text);

    const LoggerInfo& info_;
    const Clock& clock_;
    SampleSeries& series_;
    CurveChart& chart_;
    RealtimeListModel& dataList_;
    RealtimeListModel& alarmList_;
    AudibleAlarm& alarm_;
    bool monitoring_ = false;
    QString alarmStatus_;
    bool silenceTold_ = false;
    TemperatureUnit unit_ = TemperatureUnit::Celsius;
};

}  // namespace veldrin
