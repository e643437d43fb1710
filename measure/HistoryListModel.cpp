#include "measure/HistoryListModel.h"

#include <algorithm>

#include "history/HistoryText.h"
#include "measure/AlarmText.h"

namespace veldrin {

HistoryListModel::HistoryListModel(ListKind kind, QObject* parent)
    : TextTableModel(InitialColumns(kind), parent), kind_(kind) {}

void HistoryListModel::Fill(const SampleSeries& series, LoggerModel model, ChannelFlags shown,
                            const HistoryLimits& limits, bool alarmTexts, TimeStyle timeStyle) {
    beginResetModel();
    ReplaceColumns(ColumnsFor(kind_, model, shown), true);
    series_ = &series;
    rows_ = std::clamp(series.Count(), 0, series.Capacity());
    model_ = model;
    limits_ = limits;
    alarmTexts_ = alarmTexts;
    timeStyle_ = timeStyle;
    endResetModel();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QString HistoryListModel::CellText(int row, int column) const {
    if (!IsCell(row, column) || series_ == nullptr)
        return {};
    const SampleSeries& series = *series_;
    const bool humidity = Traits(model_).channel2IsHumidity;
    std::string text;
    switch (Columns()[column].cell) {
        case CellKind::RowNumber:
            return QString::number(row + 1);
        case CellKind::Time:
            return QString::fromStdString(TimeTextWriter(timeStyle_).Text(series.Time(row)));
        case CellKind::Value1:
            text = FormatTemperature(series.Value1(row));
            break;
        case CellKind::Value2:
            text = FormatChannelValue(series.Value2(row), humidity);
            break;
        case CellKind::Alarm1:
            if (!alarmTexts_)
                return {};
            text = AlarmText(AlarmListKind::History, model_, 1, series.Value1(row), limits_.lower1,
                             limits_.upper1);
            break;
        case CellKind::Alarm2:
            if (!alarmTexts_)
                return {};
            text = AlarmText(AlarmListKind::History, model_, 2, series.Value2(row), limits_.lower2,
                             limits_.upper2);
            break;
        case CellKind::Blank:
            return {};
    }
    return QString::fromStdString(text);
}

}  // namespace veldrin
