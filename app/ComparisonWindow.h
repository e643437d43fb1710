#pragma once
// "叠加比较": up to twelve histories drawn together on one chart over a real time axis, one
// colour and legend entry per history and channel, with zoom, pan, reset, each history's limit
// lines on demand and a cursor that reads every curve's value at one time.
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "history/HistoryDataSet.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace veldrin {

class ComparisonChart;

// A history to compare and the name it goes by in the legend, e.g. its entry number and title.
struct ComparedHistory {
    QString label;
    std::shared_ptr<const HistoryDataSet> history;
};

class ComparisonWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMaxHistories = 12;

    // `histories` holds 1 … kMaxHistories entries.
    ComparisonWindow(QWidget* parent, const std::vector<ComparedHistory>& histories);

    ComparisonChart* Chart() const { return chart_; }
    QListWidget* Legend() const { return legend_; }
    // One row per curve: its name and its value at the cursor ("—" outside its period).
    QTableWidget* CursorTable() const { return cursorTable_; }

  private:
    void ShowCursor(double time);

    ComparisonChart* chart_ = nullptr;
    QListWidget* legend_ = nullptr;
    QLabel* cursorTime_ = nullptr;
    QTableWidget* cursorTable_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* pan_ = nullptr;
    QCheckBox* limits_ = nullptr;
};

// Opens the comparison of 1 … 12 histories as a window of its own (not modal) and returns it;
// it deletes itself when closed. More than 12, or none, are refused with a message: nothing
// opens and the result is null.
QWidget* OpenComparison(QWidget* parent, std::vector<ComparedHistory> histories);

}  // namespace veldrin
