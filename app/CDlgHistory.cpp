#include "app/CDlgHistory.h"

#include <QEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/DataTabs.h"

namespace veldrin {
namespace {

// The tabs are as wide as the curve page's drawing; the summary starts right of them.
constexpr int kTabsWidth = 692;
constexpr int kSummaryX = 700;

}  // namespace

CDlgHistory::CDlgHistory(const HistoryPages& pages, QWidget* parent)
    : QWidget(parent),
      dataTabs_(CreateDataTabs(this, pages.curve, pages.dataList, pages.alarmList)),
      curvePage_(pages.curve),
      summary_(pages.summary) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    dataTabs_->addTab(pages.statistics, QStringLiteral("统计"));
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
    PlaceSummary();
}

// Beside the tab pages: 10 pixels below the top of the page area, as tall as the page area,
// 350 pixels narrower than it, and never beyond the panel's right edge.
void CDlgHistory::PlaceSummary() {
    const QRect area(curvePage_->mapTo(this, QPoint(0, 0)), curvePage_->size());
    const int width = std::min(area.width() - 350, this->width() - kSummaryX - 4);
    summary_->setGeometry(kSummaryX, area.y() + 10, std::max(width, 0), area.height());
}

}  // namespace veldrin
