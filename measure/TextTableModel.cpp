#include "measure/TextTableModel.h"

#include <utility>

namespace veldrin {

TextTableModel::TextTableModel(std::vector<ListColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

bool TextTableModel::IsCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

int TextTableModel::ColumnWidth(int column) const {
    if (column < 0 || column >= columnCount())
        return 0;
    return columns_[column].width;
}

QString TextTableModel::HeaderText(int column) const {
    if (column < 0 || column >= columnCount())
        return {};
    return QString::fromStdString(columns_[column].header);
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(columns_[section].header);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        case kColumnWidthRole:
            return columns_[section].width;
        default:
            return {};
    }
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !IsCell(index.row(), index.column()))
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return CellText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        default:
            return {};
    }
}

void TextTableModel::ReplaceColumns(std::vector<ListColumn> columns, bool insideReset) {
    if (columns == columns_)
        return;
    if (!insideReset)
        beginResetModel();
    columns_ = std::move(columns);
    if (!insideReset)
        endResetModel();
}

}  // namespace veldrin
