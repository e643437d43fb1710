#include "measure/HistoryPresenter.h"

#include <algorithm>

#include "history/DewPoint.h"
#include "history/HistoryText.h"

namespace veldrin {

HistoryPresenter::HistoryPresenter(const HistoryDataSet& history, CurveChart& chart,
                                   HistoryListModel& dataList, HistoryListModel& alarmList,
                                   SummaryListModel& summary)
    : history_(history), chart_(chart), dataList_(dataList), alarmList_(alarmList), summary_(summary) {}

namespace {

// The readings of a channel as the chart holds them: the store itself in °C, a copy in the unit
// otherwise.
const float* ValuesInUnit(const float* celsius, int count, bool temperature, TemperatureUnit unit,
                          std::vector<float>& copy) {
    if (unit == TemperatureUnit::Celsius || !temperature)
        return celsius;
    copy.resize(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < copy.size(); ++i)
        copy[i] = static_cast<float>(TemperatureInUnit(celsius[i], unit));
    return copy.data();
}

}  // namespace

void HistoryPresenter::LoadChart(bool twoChannels) {
    const SampleSeries& samples = history_.samples;
    const int count = samples.Count();
    chart_.Load1(ValuesInUnit(samples.Values1(), count, true, unit_, shown1_), count);
    if (twoChannels) {
        const bool temperature2 = !Traits(RecordedModel(history_)).channel2IsHumidity;
        chart_.Load2(ValuesInUnit(samples.Values2(), count, temperature2, unit_, shown2_), count);
    }
    std::vector<float> dewPoints = dewPoint_ ? DewPoints(history_) : std::vector<float>{};
    for (float& point : dewPoints)
        point = static_cast<float>(TemperatureInUnit(point, unit_));
    chart_.LoadOverlay(dewPoints.data(), static_cast<int>(dewPoints.size()));
}

void FillHistoryList(const HistoryDataSet& history, LoggerModel model, bool alarmTexts,
                     HistoryListModel& list, TemperatureUnit unit, bool dewPoint) {
    if (!ListsHistory(history, model))
        return;
    list.Fill(history.samples, model, history.shown, history.limits, alarmTexts, SampleTimeStyle(history),
              unit, dewPoint);
}

void HistoryPresenter::FillLists(LoggerModel model, bool alarmTexts) {
    if (ListsHistory(history_, model)) {
        listing_ = {model, alarmTexts};
        listed_ = true;
    }
    FillHistoryList(history_, model, alarmTexts, dataList_, unit_, dewPoint_);
    FillHistoryList(history_, model, alarmTexts, alarmList_, unit_);
}

void HistoryPresenter::ShowAgain() {
    if (!listed_)
        return;
    // The chart keeps its view (zoom, scroll, cursor): only the values it holds change.
    LoadChart(HasSecondChannel(RecordedModel(history_)));
    FillLists(listing_.model, listing_.alarmTexts);
    summary_.Refresh(history_, unit_);
}

void HistoryPresenter::SetUnit(TemperatureUnit unit) {
    if (unit == unit_)
        return;
    unit_ = unit;
    ShowAgain();
}

void HistoryPresenter::SetDewPointShown(bool shown) {
    if (shown == dewPoint_)
        return;
    dewPoint_ = shown;
    ShowAgain();
}

void HistoryPresenter::ShowDownload(const DownloadIngestResult& result) {
    if (!result.stored)
        return;
    LoadChart(HasSecondChannel(history_.model));
    if (!result.listed)
        return;
    summary_.Refresh(history_, unit_);
    FillLists(history_.model, true);
}

void HistoryPresenter::ShowLoadedFile() {
    const LoggerModel model = RecordedModel(history_);
    chart_.Initialise();
    LoadChart(HasSecondChannel(model));
    FillLists(model, history_.limits.enable1 == 1);
    summary_.Refresh(history_, unit_);
}

}  // namespace veldrin
