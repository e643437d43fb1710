#include "app/CDlgHistory.h"

#include <QEvent>
#include <QLayout>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/DataTabs.h"

namespace veldrin {
namespace {

// The tabs are as wide as the curve page's drawing; the summary starts right of them.
constexpr int kTabsWidth = 692;
constexpr int kSummaryX = 700;
constexpr int kSummaryGap = kSummaryX - kTabsWidth - 4;
// Up to this size the panel keeps its designed layout; a panel larger both ways widens the tabs
// in proportion, so that their pages grow with the window.
constexpr QSize kGrowsBeyond{1000, 620};

double GrowthOf(QSize size) {
    return std::max(1.0, std::min(static_cast<double>(size.width()) / kGrowsBeyond.width(),
                                  static_cast<double>(size.height()) / kGrowsBeyond.height()));
}

}  // namespace

CDlgHistory::CDlgHistory(const HistoryPages& pages, QWidget* parent)
    : QWidget(parent),
      dataTabs_(CreateDataTabs(this, pages.curve, pages.dataList, pages.alarmList)),
      curvePage_(pages.curve),
      summary_(pages.summary) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    dataTabs_->addTab(pages.statistics, tr("统计"));
    dataTabs_->setFixedWidth(kTabsWidth);
    layout->addWidget(dataTabs_, 0, Qt::AlignLeft);
    summary_->setParent(this);
    summary_->raise();
    summary_->show();
    curvePage_->installEventFilter(this);
}

bool CDlgHistory::eventFilter(QObject* watched, QEvent* event) {
    if (watched == curvePage_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        PlaceSummary();
    }
    return QWidget::eventFilter(watched, event);
}

void CDlgHistory::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    dataTabs_->setFixedWidth(static_cast<int>(std::lround(kTabsWidth * GrowthOf(size()))));
    PlaceSummary();
}

// Beside the tab pages: 10 pixels below the top of the page area, as tall as the page area,
// 350 pixels narrower than it (at the designed size), and never beyond the panel's right edge.
void CDlgHistory::PlaceSummary() {
    const double growth = GrowthOf(size());
    const QRect area(curvePage_->mapTo(this, QPoint(0, 0)), curvePage_->size());
    const int x = layout()->contentsMargins().left() + dataTabs_->width() + kSummaryGap;
    const int width =
        std::min(area.width() - static_cast<int>(std::lround(350 * growth)), this->width() - x - 4);
    summary_->setGeometry(x, area.y() + 10, std::max(width, 0), area.height());
}

}  // namespace veldrin
