#pragma once
// The history summary page: twenty rows of field name and value. Before the first refresh it
// shows the names of the one-channel layout with empty values.
#include <array>
#include <utility>

#include "history/HistoryDataSet.h"
#include "history/SummaryRows.h"
#include "measure/TextTableModel.h"

namespace veldrin {

class SummaryListModel final : public TextTableModel {
    Q_OBJECT

  public:
    static constexpr int kRowCount = kSummaryListRows;

    explicit SummaryListModel(QObject* parent = nullptr);

    // Rewrites both columns of every row from the summary record of `history`.
    void Refresh(const HistoryDataSet& history);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QString CellText(int row, int column) const override;

  private:
    std::array<std::pair<QString, QString>, kRowCount> rows_;
};

}  // namespace veldrin
