#include "measure/RealtimeMonitor.h"

#include <QCoreApplication>
#include <QStringList>

#include "history/AlarmText.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

// "报警：" and each channel whose value lies beyond its limits by the alarm list's rule, with its
// name and value ("报警：温度 35.20°C"); empty when every channel is within them.
QString AlarmStatusText(LoggerModel model, float value1, float value2, const AlarmLimits& limits1,
                        const AlarmLimits& limits2, TemperatureUnit shownUnit) {
    const ModelTraits& traits = Traits(model);
    QStringList beyond;
    const auto check = [&](int channel, float value, const AlarmLimits& limits, std::string_view name,
                           std::string_view celsiusUnit) {
        const std::string unit = ChannelUnitText(std::string(celsiusUnit), shownUnit);
        const double shown = unit == celsiusUnit ? value : TemperatureInUnit(value, shownUnit);
        const std::string text =
            AlarmText(AlarmListKind::Realtime, model, channel, value, limits.lower, limits.upper);
        if (QString::fromStdString(text).trimmed().isEmpty())
            return;
        beyond << QStringLiteral("%1 %2%3")
                      .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))
                      .arg(shown, 0, 'f', 2)
                      .arg(QString::fromStdString(unit));
    };
    check(1, value1, limits1, ShownModelText(traits.channel1Name), traits.channel1Unit);
    if (HasSecondChannel(model))
        check(2, value2, limits2, ShownModelText(traits.channel2Name), traits.channel2Unit);
    if (beyond.isEmpty())
        return {};
    return QCoreApplication::translate("veldrin::RealtimeMonitor", "报警：%1")
        .arg(beyond.join(QCoreApplication::translate("veldrin::RealtimeMonitor", "，")));
}

}  // namespace

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

void RealtimeMonitor::AlarmTick() {
    alarm_.Tick(monitoring_);
    if (alarm_.SoundFailed() && !silenceTold_) {
        silenceTold_ = true;
        emit alarmSoundSilent();
    }
}

void RealtimeMonitor::SetMonitoring(bool on) {
    monitoring_ = on;
    if (!on)
        SetAlarmStatus({});
}

void RealtimeMonitor::SetAlarmStatus(const QString& text) {
    if (text == alarmStatus_)
        return;
    alarmStatus_ = text;
    emit alarmStatusChanged(text);
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
    SetAlarmStatus(AlarmStatusText(info_.model, series_.currentValue1, value2, info_.channel1Alarm,
                                   info_.channel2Alarm, unit_));
    emit readingShown(chart_.Count1());
}

void RealtimeMonitor::RestartRecording() {
    series_.Reset();
    chart_.Initialise();
    emit recordingRestarted();
}

void RealtimeMonitor::SetUnit(TemperatureUnit unit) {
    unit_ = unit;
    dataList_.SetUnit(unit);
    alarmList_.SetUnit(unit);
}

}  // namespace veldrin
