#pragma once
// Common part of the measurement lists: a read-only table of texts with a fixed column set that
// carries the header texts and the column widths of the list pages. Views read every list the
// same way: headerData() and data() with Qt::DisplayRole.
#include <QAbstractTableModel>
#include <vector>

#include "history/ListColumns.h"

namespace veldrin {

class TextTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // headerData() role that answers the column width in pixels.
    static constexpr int kColumnWidthRole = Qt::UserRole + 1;

    explicit TextTableModel(std::vector<ListColumn> columns, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const std::vector<ListColumn>& Columns() const { return columns_; }
    int ColumnWidth(int column) const;
    QString HeaderText(int column) const;
    // The display text of one cell; empty outside the table.
    virtual QString CellText(int row, int column) const = 0;

  protected:
    bool IsCell(int row, int column) const;
    // Swaps in a new column set; a change resets the model unless the caller is already inside a
    // reset of its own.
    void ReplaceColumns(std::vector<ListColumn> columns, bool insideReset);

  private:
    std::vector<ListColumn> columns_;
};

}  // namespace veldrin
