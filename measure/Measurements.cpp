#include "measure/Measurements.h"

namespace veldrin {

Measurements::Measurements(const LoggerInfo& info, const Clock& clock, AlarmSound& sound, QObject* parent)
    : QObject(parent),
      info_(info),
      alarm_(sound),
      realtime_(info, clock, realtimeSeries_, realtimeChart_, realtimeDataList_, realtimeAlarmList_, alarm_),
      presenter_(history_, historyChart_, historyDataList_, historyAlarmList_, summary_) {}

DownloadIngestResult Measurements::TakeDownloadedHistory(std::span<const std::uint8_t> raw,
                                                         std::array<bool, 2> shown, int expectedReadings) {
    const DownloadIngestResult result = IngestDownloadedHistory(raw, info_.model, shown, info_, history_);
    history_.expectedReadings = expectedReadings;
    presenter_.ShowDownload(result);
    RefreshStatistics();
    if (result.stored)
        historyDownloaded_ = true;
    if (result.listed)
        emit historyShown();
    return result;
}

void Measurements::ShowLoadedFile() {
    presenter_.ShowLoadedFile();
    RefreshStatistics();
    historyDownloaded_ = false;
    emit historyShown();
}

void Measurements::RefreshStatistics() {
    statistics_ = ComputeStatistics(history_);
    ShowStatistics();
}

void Measurements::ShowStatistics() {
    excursionList_.Clear();
    HistoryStatistics shown = statistics_;
    if (DewPointShown()) {
        if (auto dewPoint = DewPointStatistics(history_, WholeHistory(history_)))
            shown.channels.push_back(std::move(*dewPoint));
    }
    shownStatistics_ = StatisticsInUnit(std::move(shown), Unit());
    statisticsList_.Refresh(shownStatistics_);
    excursionList_.Refresh(shownStatistics_);
}

void Measurements::SetDewPointShown(bool shown) {
    if (shown == DewPointShown())
        return;
    presenter_.SetDewPointShown(shown);
    ShowStatistics();
}

void Measurements::SetTemperatureUnit(TemperatureUnit unit) {
    if (unit == Unit())
        return;
    presenter_.SetUnit(unit);
    realtime_.SetUnit(unit);
    ShowStatistics();
}

}  // namespace veldrin
