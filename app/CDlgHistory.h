#pragma once
// The history panel: the history curve, lists and statistics in tabs, and the summary beside them.
#include <QWidget>

#include "app/PanelPages.h"

class QTabWidget;

namespace veldrin {

class CDlgHistory : public QWidget {
    Q_OBJECT
  public:
    // The panel takes ownership of the pages.
    explicit CDlgHistory(const HistoryPages& pages, QWidget* parent = nullptr);

    QTabWidget* DataTabs() const { return dataTabs_; }
    QWidget* SummaryPage() const { return summary_; }

  protected:
    // Follows the page area of the tabs, wherever the layout moves it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PlaceSummary();

    QTabWidget* dataTabs_;
    QWidget* curvePage_;
    QWidget* summary_;
};

}  // namespace veldrin
