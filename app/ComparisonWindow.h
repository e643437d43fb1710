#pragma once
// "叠加比较": up to twelve histories drawn together on one chart over a real time axis, one
// colour and legend entry per history and channel, with zoom, pan, reset, each history's limit
// lines on demand and a cursor that reads every curve's value at one time.
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace veldrin {

class ComparisonChart;
class UnitMenu;

// A history to compare and the name it goes by in the legend, e.g. its entry number and title.
struct ComparedHistory {
    QString label;
    std::shared_ptr<const HistoryDataSet> history;
};

class ComparisonWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMaxHistories = 12;

    // `histories` holds 1 … kMaxHistories entries; temperatures are shown in `unit`.
    ComparisonWindow(QWidget* parent, const std::vector<ComparedHistory>& histories,
                     TemperatureUnit unit = TemperatureUnit::Celsius);

    // Shows the temperatures in `unit` from now on: the scale and the values at the cursor.
    void SetUnit(TemperatureUnit unit);

    ComparisonChart* Chart() const { return chart_; }
    QListWidget* Legend() const { return legend_; }
    // One row per curve: its name and its value at the cursor ("—" outside its period).
    QTableWidget* CursorTable() const { return cursorTable_; }

  private:
    void ShowCursor(double time);
    std::optional<double> cursor_;

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
// opens and the result is null. Temperatures are shown in the unit `units` has chosen, and follow
// its choice while the window is open (°C without it).
QWidget* OpenComparison(QWidget* parent, std::vector<ComparedHistory> histories,
                        const UnitMenu* units = nullptr);

}  // namespace veldrin
