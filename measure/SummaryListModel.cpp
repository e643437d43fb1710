#include "measure/SummaryListModel.h"

namespace veldrin {

SummaryListModel::SummaryListModel(QObject* parent)
    : TextTableModel(SummaryListColumns(), parent), rows_(kRowCount) {
    const std::vector<std::string> names = OneChannelRowNames();
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        rows_[r].first = r < names.size() ? QString::fromStdString(names[r]) : QStringLiteral("   ");
    }
}

void SummaryListModel::Refresh(const HistoryDataSet& history, TemperatureUnit unit) {
    const std::vector<SummaryRow> rows = SummaryListRows(history, unit);
    const bool resized = rows.size() != rows_.size();
    if (resized)
        beginResetModel();
    rows_.resize(rows.size());
    for (std::size_t r = 0; r < rows_.size(); ++r)
        rows_[r] = {QString::fromStdString(rows[r].name), QString::fromStdString(rows[r].value)};
    if (resized)
        endResetModel();
    else
        emit dataChanged(index(0, 0), index(static_cast<int>(rows_.size()) - 1, 1));
}

int SummaryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QString SummaryListModel::CellText(int row, int column) const {
    if (!IsCell(row, column))
        return {};
    return column == 0 ? rows_[row].first : rows_[row].second;
}

}  // namespace veldrin
