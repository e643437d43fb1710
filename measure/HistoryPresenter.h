#pragma once
// Shows the current history: loads the history chart and refills the history data list, the
// history alarm list and the summary page from it, after a download or after a data file load.
#include <vector>

#include "history/HistoryDataSet.h"
#include "history/HistoryIngestion.h"
#include "measure/CurveChart.h"
#include "measure/HistoryListModel.h"
#include "measure/SummaryListModel.h"

namespace veldrin {

// Fills the history data or alarm list from `history`, listed with the columns of `model`; alarm
// texts only with `alarmTexts`, temperatures in `unit`, the dew point with `dewPoint`. With
// neither channel of a two-channel model shown there is nothing to list and the list keeps what
// it shows.
void FillHistoryList(const HistoryDataSet& history, LoggerModel model, bool alarmTexts,
                     HistoryListModel& list, TemperatureUnit unit = TemperatureUnit::Celsius,
                     bool dewPoint = false);

// How the history lists were last filled: the model whose columns they show and whether alarm
// texts are written. The worksheet export lists the history the same way.
struct HistoryListing {
    LoggerModel model = LoggerModel::SingleTemperature;
    bool alarmTexts = false;
};

class HistoryPresenter {
  public:
    HistoryPresenter(const HistoryDataSet& history, CurveChart& chart, HistoryListModel& dataList,
                     HistoryListModel& alarmList, SummaryListModel& summary);

    // After IngestDownloadedHistory(): alarm texts compare with the limits taken from the logger.
    void ShowDownload(const DownloadIngestResult& result);
    // After a data file has been read into the history (samples, times, time texts, summary and
    // channel names): the chart starts afresh; alarm texts only when the file enables them.
    void ShowLoadedFile();

    const HistoryListing& Listing() const { return listing_; }

    // Shows the history's temperatures in `unit` from now on: a history already shown is listed
    // and charted again at once.
    void SetUnit(TemperatureUnit unit);
    TemperatureUnit Unit() const { return unit_; }
    // Lists and charts the computed dew point of a temperature-humidity history or not; a
    // history already shown is shown again at once.
    void SetDewPointShown(bool shown);
    bool DewPointShown() const { return dewPoint_; }

  private:
    void LoadChart(bool twoChannels);
    void FillLists(LoggerModel model, bool alarmTexts);
    // A history already shown is charted and listed again, in the present unit and choices.
    void ShowAgain();

    const HistoryDataSet& history_;
    CurveChart& chart_;
    HistoryListModel& dataList_;
    HistoryListModel& alarmList_;
    SummaryListModel& summary_;
    HistoryListing listing_;
    bool listed_ = false;  // the lists show the current history
    TemperatureUnit unit_ = TemperatureUnit::Celsius;
    bool dewPoint_ = false;
    // The channels' readings in the unit, which the chart holds while it is not °C.
    std::vector<float> shown1_, shown2_;
};

}  // namespace veldrin
