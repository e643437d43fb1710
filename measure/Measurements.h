#pragma once
// The measurement records of the whole run, owned in one place: the realtime store and chart,
// the current history and its chart, the five lists, the audible alarm, the realtime reading
// path and the history presentation. The desktop program and the command-line tool each create
// one and reach every record through it.
#include <QObject>
#include <array>
#include <cstdint>
#include <span>

#include "history/HistoryDataSet.h"
#include "history/HistoryIngestion.h"
#include "history/HistoryStatistics.h"
#include "history/SampleSeries.h"
#include "logger/Clock.h"
#include "logger/LoggerInfo.h"
#include "measure/AlarmSound.h"
#include "measure/AudibleAlarm.h"
#include "measure/CurveChart.h"
#include "measure/ExcursionListModel.h"
#include "measure/HistoryListModel.h"
#include "measure/HistoryPresenter.h"
#include "measure/RealtimeListModel.h"
#include "measure/RealtimeMonitor.h"
#include "measure/StatisticsListModel.h"
#include "measure/SummaryListModel.h"

namespace veldrin {

class Measurements final : public QObject {
    Q_OBJECT

  public:
    // `info` is the connected logger's record; it must outlive this object, as must `clock` and
    // `sound`.
    Measurements(const LoggerInfo& info, const Clock& clock, AlarmSound& sound, QObject* parent = nullptr);

    SampleSeries& RealtimeSeries() { return realtimeSeries_; }
    CurveChart& RealtimeChart() { return realtimeChart_; }
    HistoryDataSet& History() { return history_; }
    CurveChart& HistoryChart() { return historyChart_; }
    RealtimeListModel& RealtimeDataList() { return realtimeDataList_; }
    RealtimeListModel& RealtimeAlarmList() { return realtimeAlarmList_; }
    HistoryListModel& HistoryDataList() { return historyDataList_; }
    HistoryListModel& HistoryAlarmList() { return historyAlarmList_; }
    SummaryListModel& Summary() { return summary_; }
    // How the history lists show the history now (for the worksheet export of Save).
    const HistoryListing& HistoryListed() const { return presenter_.Listing(); }
    AudibleAlarm& Alarm() { return alarm_; }
    RealtimeMonitor& Realtime() { return realtime_; }
    // The statistics of the whole current history in °C, and the statistics page's two tables,
    // which show them in the chosen unit.
    const HistoryStatistics& Statistics() const { return statistics_; }
    StatisticsListModel& StatisticsList() { return statisticsList_; }
    ExcursionListModel& ExcursionList() { return excursionList_; }

    // The history read from the logger is complete: decode the collected bytes for the connected
    // model with the channel choice made before the read, and show the result.
    // `expectedReadings`: a partial download's readings held by the logger, 0 for a whole one.
    DownloadIngestResult TakeDownloadedHistory(std::span<const std::uint8_t> raw, std::array<bool, 2> shown,
                                               int expectedReadings = 0);
    // A data file has been read into History(): show it.
    void ShowLoadedFile();
    // Whether the current history is one downloaded from a logger (not one read from a file).
    bool HistoryDownloaded() const { return historyDownloaded_; }

    // The unit temperatures are shown in: the history curve, lists and statistics of a history
    // already shown take it at once, the realtime lists from their next reading on.
    void SetTemperatureUnit(TemperatureUnit unit);
    TemperatureUnit Unit() const { return presenter_.Unit(); }
    // Whether the computed dew point of a temperature-humidity history is shown in the history
    // data list and the statistics (off until switched on).
    void SetDewPointShown(bool shown);
    bool DewPointShown() const { return presenter_.DewPointShown(); }

  signals:
    // A new current history is shown: the history panel comes up and its curve page repaints.
    void historyShown();

  private:
    void RefreshStatistics();
    void ShowStatistics();

    const LoggerInfo& info_;
    SampleSeries realtimeSeries_;
    CurveChart realtimeChart_;
    HistoryDataSet history_;
    CurveChart historyChart_;
    RealtimeListModel realtimeDataList_{ListKind::RealtimeData};
    RealtimeListModel realtimeAlarmList_{ListKind::RealtimeAlarm};
    HistoryListModel historyDataList_{ListKind::HistoryData};
    HistoryListModel historyAlarmList_{ListKind::HistoryAlarm};
    SummaryListModel summary_;
    AudibleAlarm alarm_;
    RealtimeMonitor realtime_;
    HistoryPresenter presenter_;
    HistoryStatistics statistics_;
    HistoryStatistics shownStatistics_;  // statistics_ in the unit; the excursion list points into it
    StatisticsListModel statisticsList_;
    ExcursionListModel excursionList_;
    bool historyDownloaded_ = false;
};

}  // namespace veldrin
