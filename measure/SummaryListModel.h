#pragma once
// The history summary page: twenty rows of field name and value, one more for the completeness
// of a partial two-channel download. Before the first refresh it shows the names of the
// one-channel layout with empty values.
#include <utility>
#include <vector>

#include "history/HistoryDataSet.h"
#include "history/SummaryRows.h"
#include "logger/TemperatureUnit.h"
#include "measure/TextTableModel.h"

namespace veldrin {

class SummaryListModel final : public TextTableModel {
    Q_OBJECT

  public:
    static constexpr int kRowCount = kSummaryListRows;

    explicit SummaryListModel(QObject* parent = nullptr);

    // Rewrites both columns of every row from the summary record of `history`, temperatures in
    // `unit`.
    void Refresh(const HistoryDataSet& history, TemperatureUnit unit = TemperatureUnit::Celsius);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QString CellText(int row, int column) const override;

  private:
    std::vector<std::pair<QString, QString>> rows_;
};

}  // namespace veldrin
