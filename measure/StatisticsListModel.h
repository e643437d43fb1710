#pragma once
// The figures of the statistics page: the period of the history, then one column per channel
// with its extremes, average, standard deviation, mean kinetic temperature and excursions.
#include <vector>

#include "history/HistoryStatistics.h"
#include "measure/TextTableModel.h"

namespace veldrin {

class StatisticsListModel final : public TextTableModel {
    Q_OBJECT

  public:
    explicit StatisticsListModel(QObject* parent = nullptr);

    void Refresh(const HistoryStatistics& statistics);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QString CellText(int row, int column) const override;

  private:
    std::vector<std::vector<QString>> rows_;
};

}  // namespace veldrin
