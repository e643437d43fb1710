#include "measure/HistoryListModel.h"

namespace veldrin {

HistoryListModel::HistoryListModel(ListKind kind, QObject* parent)
    : TextTableModel(InitialColumns(kind), parent), rows_(kind) {}

void HistoryListModel::Fill(const SampleSeries& series, LoggerModel model, ChannelFlags shown,
                            const HistoryLimits& limits, bool alarmTexts, TimeStyle timeStyle,
                            TemperatureUnit unit, bool dewPoint) {
    beginResetModel();
    rows_.Fill(series, model, shown, limits, alarmTexts, timeStyle, unit, dewPoint);
    ReplaceColumns(rows_.Columns(), true);
    endResetModel();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.Rows();
}

QString HistoryListModel::CellText(int row, int column) const {
    if (!IsCell(row, column))
        return {};
    return QString::fromStdString(rows_.CellText(row, column));
}

}  // namespace veldrin
