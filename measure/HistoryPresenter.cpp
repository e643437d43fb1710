#include "measure/HistoryPresenter.h"

#include "history/HistoryText.h"

namespace veldrin {

HistoryPresenter::HistoryPresenter(const HistoryDataSet& history, CurveChart& chart,
                                   HistoryListModel& dataList, HistoryListModel& alarmList,
                                   SummaryListModel& summary)
    : history_(history), chart_(chart), dataList_(dataList), alarmList_(alarmList), summary_(summary) {}

void HistoryPresenter::LoadChart(bool twoChannels) {
    const SampleSeries& samples = history_.samples;
    chart_.Load1(samples.Values1(), samples.Count());
    if (twoChannels)
        chart_.Load2(samples.Values2(), samples.Count());
}

void FillHistoryList(const HistoryDataSet& history, LoggerModel model, bool alarmTexts,
                     HistoryListModel& list) {
    if (!ListsHistory(history, model))
        return;
    list.Fill(history.samples, model, history.shown, history.limits, alarmTexts, SampleTimeStyle(history));
}

void HistoryPresenter::FillLists(LoggerModel model, bool alarmTexts) {
    if (ListsHistory(history_, model))
        listing_ = {model, alarmTexts};
    FillHistoryList(history_, model, alarmTexts, dataList_);
    FillHistoryList(history_, model, alarmTexts, alarmList_);
}

void HistoryPresenter::ShowDownload(const DownloadIngestResult& result) {
    if (!result.stored)
        return;
    LoadChart(HasSecondChannel(history_.model));
    if (!result.listed)
        return;
    summary_.Refresh(history_);
    FillLists(history_.model, true);
}

void HistoryPresenter::ShowLoadedFile() {
    const LoggerModel model = RecordedModel(history_);
    chart_.Initialise();
    LoadChart(HasSecondChannel(model));
    FillLists(model, history_.limits.enable1 == 1);
    summary_.Refresh(history_);
}

}  // namespace veldrin
