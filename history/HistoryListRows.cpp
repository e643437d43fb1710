#include "history/HistoryListRows.h"

#include <algorithm>

#include "history/AlarmText.h"
#include "history/DewPoint.h"

namespace veldrin {

HistoryListRows::HistoryListRows(ListKind kind) : kind_(kind), columns_(InitialColumns(kind)) {}

void HistoryListRows::Fill(const SampleSeries& series, LoggerModel model, ChannelFlags shown,
                           const HistoryLimits& limits, bool alarmTexts, TimeStyle timeStyle,
                           TemperatureUnit unit, bool dewPoint) {
    columns_ = ColumnsFor(kind_, model, shown);
    if (dewPoint && kind_ == ListKind::HistoryData && model == LoggerModel::TemperatureHumidity && shown[0] &&
        shown[1]) {
        columns_.push_back({DewPointName(), columns_.back().width, CellKind::DewPoint});
    }
    series_ = &series;
    rows_ = std::clamp(series.Count(), 0, series.Capacity());
    model_ = model;
    limits_ = limits;
    alarmTexts_ = alarmTexts;
    timeStyle_ = timeStyle;
    unit_ = unit;
}

std::string HistoryListRows::CellText(int row, int column) const {
    if (series_ == nullptr || row < 0 || row >= rows_ || column < 0 ||
        column >= static_cast<int>(columns_.size())) {
        return {};
    }
    const SampleSeries& series = *series_;
    switch (columns_[static_cast<std::size_t>(column)].cell) {
        case CellKind::RowNumber:
            return std::to_string(row + 1);
        case CellKind::Time:
            return TimeTextWriter(timeStyle_).Text(series.Time(row));
        case CellKind::Value1:
            return FormatTemperature(series.Value1(row), unit_);
        case CellKind::Value2:
            return FormatChannelValue(series.Value2(row), Traits(model_).channel2IsHumidity, unit_);
        case CellKind::Alarm1:
            if (!alarmTexts_)
                return {};
            return AlarmText(AlarmListKind::History, model_, 1, series.Value1(row), limits_.lower1,
                             limits_.upper1, unit_);
        case CellKind::Alarm2:
            if (!alarmTexts_)
                return {};
            return AlarmText(AlarmListKind::History, model_, 2, series.Value2(row), limits_.lower2,
                             limits_.upper2, unit_);
        case CellKind::DewPoint:
            return FormatTemperature(static_cast<float>(DewPoint(series.Value1(row), series.Value2(row))),
                                     unit_);
        case CellKind::Blank:
            break;
    }
    return {};
}

bool ListsHistory(const HistoryDataSet& history, LoggerModel model) {
    return !HasSecondChannel(model) || history.shown[0] || history.shown[1];
}

void FillHistoryRows(const HistoryDataSet& history, LoggerModel model, bool alarmTexts, HistoryListRows& rows,
                     TemperatureUnit unit, bool dewPoint) {
    if (!ListsHistory(history, model))
        return;
    rows.Fill(history.samples, model, history.shown, history.limits, alarmTexts, SampleTimeStyle(history),
              unit, dewPoint);
}

}  // namespace veldrin
