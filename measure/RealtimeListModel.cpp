#include "measure/RealtimeListModel.h"

#include <QColor>
#include <algorithm>

#include "history/AlarmText.h"
#include "history/HistoryText.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

// A row beyond a limit: dark red text on a light red ground, readable selected or not.
constexpr QRgb kAlarmRowBackground = qRgb(255, 205, 205);
constexpr QRgb kAlarmRowText = qRgb(160, 0, 0);

}  // namespace

RealtimeListModel::RealtimeListModel(ListKind kind, QObject* parent)
    : TextTableModel(InitialColumns(kind), parent), kind_(kind) {}

int RealtimeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QString RealtimeListModel::CellText(int row, int column) const {
    if (!IsCell(row, column))
        return {};
    return rows_[row][column];
}

bool RealtimeListModel::RowAlarms(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    const auto& columns = Columns();
    for (std::size_t c = 0; c < columns.size() && c < rows_[row].size(); ++c) {
        const bool alarmCell = columns[c].cell == CellKind::Alarm1 || columns[c].cell == CellKind::Alarm2;
        if (alarmCell && !rows_[row][c].trimmed().isEmpty())
            return true;
    }
    return false;
}

QVariant RealtimeListModel::data(const QModelIndex& index, int role) const {
    if (kind_ == ListKind::RealtimeAlarm && index.isValid() && RowAlarms(index.row())) {
        if (role == Qt::BackgroundRole)
            return QColor(kAlarmRowBackground);
        if (role == Qt::ForegroundRole)
            return QColor(kAlarmRowText);
    }
    return TextTableModel::data(index, role);
}

void RealtimeListModel::ClearRows() {
    if (rows_.empty())
        return;
    beginRemoveRows(QModelIndex(), 0, static_cast<int>(rows_.size()) - 1);
    rows_.clear();
    readings_.clear();
    endRemoveRows();
}

void RealtimeListModel::AppendReading(const SampleSeries& series, const LoggerInfo& info, std::time_t now) {
    ++rowCounter_;
    if (rowCounter_ > series.Capacity()) {
        rowCounter_ = 0;
        listFull_ = true;
        return;
    }
    // The store has just restarted (a new recording, or a wrap): the list starts again too. The
    // full flag goes with the old rows, otherwise a full list would stay empty from here on.
    if (series.Count() == 1) {
        ClearRows();
        rowCounter_ = 1;
        listFull_ = false;
    }
    const LoggerModel model = info.model;
    if (rowCounter_ == 1)
        ReplaceColumns(ColumnsFor(kind_, model), false);

    if (!listFull_) {
        const int position = std::min(rowCounter_, static_cast<int>(rows_.size()));
        beginInsertRows(QModelIndex(), position, position);
        Row row;
        row[0] = QString::number(rowCounter_);
        rows_.insert(rows_.begin() + position, std::move(row));
        readings_.insert(readings_.begin() + position, RowReading{});
        endInsertRows();
    }
    const int rowIndex = rowCounter_ - 1;
    if (rowIndex < 0 || rowIndex >= static_cast<int>(rows_.size()))
        return;

    const int newest = series.Count();
    const RowReading reading{model,
                             series.Value1(newest),
                             series.currentValue2,
                             rowCounter_ == 1 ? now : series.Time(newest),
                             info.channel1Alarm,
                             info.channel2Alarm};
    // Kept beside the row's texts, so that a change of unit writes them again.
    readings_[static_cast<std::size_t>(rowIndex)] = reading;
    WriteCells(rows_[rowIndex], reading);
    emit dataChanged(index(rowIndex, 1), index(rowIndex, columnCount() - 1));
}

void RealtimeListModel::SetUnit(TemperatureUnit unit) {
    if (unit == unit_)
        return;
    unit_ = unit;
    for (std::size_t r = 0; r < rows_.size() && r < readings_.size(); ++r)
        WriteCells(rows_[r], readings_[r]);
    if (!rows_.empty())
        emit dataChanged(index(0, 1), index(static_cast<int>(rows_.size()) - 1, columnCount() - 1));
}

void RealtimeListModel::WriteCells(Row& row, const RowReading& reading) const {
    const LoggerModel model = reading.model;
    const float value1 = reading.value1;
    const float value2 = reading.value2;
    const std::time_t time = reading.time;
    const bool humidity = Traits(model).channel2IsHumidity;
    const AlarmLimits& limits1 = reading.limits1;
    const AlarmLimits& limits2 = reading.limits2;
    const auto& columns = Columns();
    for (std::size_t c = 1; c < columns.size() && c < row.size(); ++c) {
        std::string text;
        switch (columns[c].cell) {
            case CellKind::Time:
                text = FormatTime(time, TimeStyle::ZeroPadded);
                break;
            case CellKind::Value1:
                text = FormatTemperature(value1, unit_);
                break;
            case CellKind::Value2:
                text = FormatChannelValue(value2, humidity, unit_);
                break;
            case CellKind::Alarm1:
                text =
                    AlarmText(AlarmListKind::Realtime, model, 1, value1, limits1.lower, limits1.upper, unit_);
                break;
            case CellKind::Alarm2:
                text =
                    AlarmText(AlarmListKind::Realtime, model, 2, value2, limits2.lower, limits2.upper, unit_);
                break;
            case CellKind::RowNumber:
            case CellKind::DewPoint:
            case CellKind::Blank:
                continue;
        }
        row[c] = QString::fromStdString(text);
    }
}

}  // namespace veldrin
