#include "measure/SummaryListModel.h"

#include "history/SummaryRows.h"

namespace veldrin {
namespace {

std::vector<ListColumn> SummaryColumns() {
    return {{QStringLiteral("名称"), 140, CellKind::Blank}, {QStringLiteral("值"), 140, CellKind::Blank}};
}

}  // namespace

SummaryListModel::SummaryListModel(QObject* parent) : TextTableModel(SummaryColumns(), parent) {
    const std::vector<std::string> names = OneChannelRowNames();
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        rows_[r].first = r < names.size() ? QString::fromStdString(names[r]) : QStringLiteral("   ");
    }
}

void SummaryListModel::Refresh(const HistoryDataSet& history) {
    const std::vector<SummaryRow> rows = SummaryRows(history);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (r < rows.size()) {
            rows_[r] = {QString::fromStdString(rows[r].name), QString::fromStdString(rows[r].value)};
        } else {
            rows_[r] = {QStringLiteral("  "), QStringLiteral("  ")};
        }
    }
    emit dataChanged(index(0, 0), index(kRowCount - 1, 1));
}

int SummaryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRowCount;
}

QString SummaryListModel::CellText(int row, int column) const {
    if (!IsCell(row, column))
        return {};
    return column == 0 ? rows_[row].first : rows_[row].second;
}

}  // namespace veldrin
