#include "measure/ExcursionListModel.h"

#include <QCoreApplication>

#include "history/StatisticsText.h"

namespace veldrin {
namespace {

// The headers in the language of the run; a model is made for each history panel at start.
std::vector<ListColumn> ExcursionColumns() {
    const auto header = [](const char* source) {
        return QCoreApplication::translate("veldrin::ExcursionListModel", source).toStdString();
    };
    return {{header(QT_TRANSLATE_NOOP("veldrin::ExcursionListModel", "序号")), 36, CellKind::RowNumber},
            {header(QT_TRANSLATE_NOOP("veldrin::ExcursionListModel", "通道")), 50, CellKind::Blank},
            {header(QT_TRANSLATE_NOOP("veldrin::ExcursionListModel", "超限")), 115, CellKind::Blank},
            {header(QT_TRANSLATE_NOOP("veldrin::ExcursionListModel", "开始")), 125, CellKind::Blank},
            {header(QT_TRANSLATE_NOOP("veldrin::ExcursionListModel", "结束")), 125, CellKind::Blank},
            {header(QT_TRANSLATE_NOOP("veldrin::ExcursionListModel", "持续")), 75, CellKind::Blank},
            {header(QT_TRANSLATE_NOOP("veldrin::ExcursionListModel", "极值")), 65, CellKind::Blank}};
}

}  // namespace

ExcursionListModel::ExcursionListModel(QObject* parent) : TextTableModel(ExcursionColumns(), parent) {}

void ExcursionListModel::Refresh(const HistoryStatistics& statistics) {
    beginResetModel();
    rows_ = ExcursionsInTimeOrder(statistics);
    endResetModel();
}

void ExcursionListModel::Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ExcursionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QString ExcursionListModel::CellText(int row, int column) const {
    if (!IsCell(row, column))
        return {};
    if (column == 0)
        return QString::number(row + 1);
    const ExcursionCells cells = ExcursionCellsOf(rows_[static_cast<std::size_t>(row)]);
    const std::string* texts[] = {&cells.channel, &cells.limit,    &cells.start,
                                  &cells.end,     &cells.duration, &cells.extreme};
    return QString::fromStdString(*texts[column - 1]);
}

int ExcursionListModel::FirstSampleOf(int row) const {
    if (row < 0 || row >= rowCount())
        return -1;
    return rows_[static_cast<std::size_t>(row)].excursion->firstIndex;
}

}  // namespace veldrin
