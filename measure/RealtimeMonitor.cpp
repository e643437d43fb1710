#include "measure/RealtimeMonitor.h"

#include "history/AlarmText.h"
#include "logger/WireCodec.h"

namespace veldrin {

RealtimeMonitor::RealtimeMonitor(const LoggerInfo& info, const Clock& clock, SampleSeries& series,
                                 CurveChart& chart, RealtimeListModel& dataList, RealtimeListModel& alarmList,
                                 AudibleAlarm& alarm, QObject* parent)
    : QObject(parent),
      info_(info),
      clock_(clock),
      series_(series),
      chart_(chart),
      dataList_(dataList),
      alarmList_(alarmList),
      alarm_(alarm) {}

void RealtimeMonitor::PostReading(float value1, float value2) {
    const std::time_t arrival = clock_.Now();
    QMetaObject::invokeMethod(
        this, [this, value1, value2, arrival] { HandleReading(value1, value2, arrival); },
        Qt::QueuedConnection);
}

void RealtimeMonitor::HandleReading(float value1, float value2, std::time_t arrival) {
    series_.currentValue1 = value1;
    series_.currentValue2 = value2;
    alarm_.Evaluate(info_.model, value1, value2, info_.channel1Alarm, info_.channel2Alarm);
    if (monitoring_)
        ShowReading(arrival);
}

void RealtimeMonitor::ShowReading(std::time_t now) {
    const bool twoChannels = HasSecondChannel(info_.model);
    const float value2 = twoChannels ? series_.currentValue2 : 0.0f;
    series_.AppendRealtime(series_.currentValue1, value2, now);

    chart_.Append1(series_.currentValue1);
    if (twoChannels)
        chart_.Append2(value2);
    chart_.ClearAndDrawGrid();
    chart_.ComputeCurve1(CurveChart::CurveMode::Draw);
    if (twoChannels)
        chart_.DrawCurve2();

    dataList_.AppendReading(series_, info_, now);
    alarmList_.AppendReading(series_, info_, now);
    emit readingShown(chart_.Count1());
}

void RealtimeMonitor::RestartRecording() {
    series_.Reset();
    chart_.Initialise();
    emit recordingRestarted();
}

}  // namespace veldrin
