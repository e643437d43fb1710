#include "measure/StatisticsListModel.h"

#include <QCoreApplication>

#include "history/StatisticsText.h"

namespace veldrin {
namespace {

constexpr int kNameWidth = 120;
constexpr int kChannelWidth = 180;

std::vector<ListColumn> ColumnsFor(const HistoryStatistics& statistics) {
    std::vector<ListColumn> columns{
        {QCoreApplication::translate("veldrin::StatisticsListModel", "项目").toStdString(), kNameWidth,
         CellKind::Blank}};
    for (const ChannelStatistics& channel : statistics.channels)
        columns.push_back({channel.name, kChannelWidth, CellKind::Blank});
    if (statistics.channels.empty())
        columns.push_back({QCoreApplication::translate("veldrin::StatisticsListModel", "值").toStdString(),
                           kChannelWidth, CellKind::Blank});
    return columns;
}

}  // namespace

StatisticsListModel::StatisticsListModel(QObject* parent) : TextTableModel(ColumnsFor({}), parent) {}

void StatisticsListModel::Refresh(const HistoryStatistics& statistics) {
    beginResetModel();
    ReplaceColumns(ColumnsFor(statistics), true);
    rows_.clear();
    for (const NamedText& row : PeriodRows(statistics.period))
        rows_.push_back({QString::fromStdString(row.name), QString::fromStdString(row.text)});
    for (const FigureRow& row : FigureRows(statistics)) {
        std::vector<QString> cells{QString::fromStdString(row.name)};
        for (const std::string& text : row.texts)
            cells.push_back(QString::fromStdString(text));
        rows_.push_back(std::move(cells));
    }
    endResetModel();
}

int StatisticsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QString StatisticsListModel::CellText(int row, int column) const {
    if (!IsCell(row, column))
        return {};
    const std::vector<QString>& cells = rows_[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : QString();
}

}  // namespace veldrin
