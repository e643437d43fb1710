#pragma once
// The excursion table of the statistics page: one row per run of readings beyond a limit, in the
// order they began, with its channel, limit, start, end, duration and extreme value. A hundred
// thousand readings may give tens of thousands of runs, so the cells are made when shown.
#include <vector>

#include "history/HistoryStatistics.h"
#include "measure/TextTableModel.h"

namespace veldrin {

class ExcursionListModel final : public TextTableModel {
    Q_OBJECT

  public:
    explicit ExcursionListModel(QObject* parent = nullptr);

    // `statistics` must outlive the rows; the next Refresh or Clear replaces them.
    void Refresh(const HistoryStatistics& statistics);
    // No rows: before the statistics the rows point into are replaced.
    void Clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QString CellText(int row, int column) const override;
    // The history sample the excursion of `row` begins with; −1 outside the table.
    int FirstSampleOf(int row) const;

  private:
    std::vector<ListedExcursion> rows_;
};

}  // namespace veldrin
