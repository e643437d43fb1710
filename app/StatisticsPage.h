#pragma once
// The history panel's "统计" page: the figures of the current history (period, extremes with
// their times, average, standard deviation, mean kinetic temperature, excursions per limit) above
// the table of its excursions. Choosing an excursion asks for the curve's cursor on its first
// reading.
#include <QWidget>

class QAbstractItemModel;
class QLabel;

namespace veldrin {

class ExcursionListModel;
class ListPage;

class StatisticsPage : public QWidget {
    Q_OBJECT
  public:
    StatisticsPage();

    void SetLists(QAbstractItemModel* figures, ExcursionListModel* excursions);

    ListPage* Figures() const { return figures_; }
    ListPage* Excursions() const { return excursions_; }

  signals:
    // An excursion was chosen: history sample `index` is its first reading beyond the limit.
    void excursionChosen(int index);

  private:
    ListPage* figures_;
    QLabel* excursionsTitle_;
    ListPage* excursions_;
    ExcursionListModel* excursionList_ = nullptr;
};

}  // namespace veldrin
