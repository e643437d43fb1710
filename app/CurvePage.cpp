#include "app/CurvePage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <cmath>

namespace veldrin {
namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 24;
constexpr int kGap = 4;

}  // namespace

CurvePage::CurvePage()
    : trackbar_(new QSlider(Qt::Horizontal, this)),
      zoomOut_(new QPushButton(tr("缩小"), this)),
      zoomIn_(new QPushButton(tr("放大"), this)) {
    trackbar_->setObjectName(QStringLiteral("trackbar"));
    trackbar_->setRange(0, kTrackbarMaximum);
    trackbar_->setPageStep(10);
    PlaceControls();

    connect(trackbar_, &QSlider::valueChanged, this, &CurvePage::Scroll);
    connect(zoomOut_, &QPushButton::clicked, this, [this] { ZoomBy(-1); });
    connect(zoomIn_, &QPushButton::clicked, this, [this] { ZoomBy(+1); });
}

// The trackbar runs under the chart; the zoom buttons sit in the right-hand text column, level
// with the foot of the chart, clear of the axis labels and the texts above them.
void CurvePage::PlaceControls() {
    const int chartBottom = Px(kChartTop + CurveChart::kSize);
    trackbar_->setGeometry(Px(kChartLeft), chartBottom + kGap, Px(CurveChart::kSize), kButtonHeight);
    zoomIn_->setGeometry(Px(kCurvePageColumnX), chartBottom - kButtonHeight, kButtonWidth, kButtonHeight);
    zoomOut_->setGeometry(Px(kCurvePageColumnX), zoomIn_->y() - kGap - kButtonHeight, kButtonWidth,
                          kButtonHeight);
}

int CurvePage::Px(int page) const {
    return static_cast<int>(std::lround(page * scale_));
}

double CurvePage::ScaleFor(QSize size) {
    return std::max(1.0, std::min(static_cast<double>(size.width()) / kGrowsBeyond.width(),
                                  static_cast<double>(size.height()) / kGrowsBeyond.height()));
}

void CurvePage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const double scale = ScaleFor(size());
    if (scale != scale_) {
        scale_ = scale;
        PlaceControls();
        update();
    }
}

void CurvePage::SetChart(CurveChart* chart, DrawRoutine draw) {
    chart_ = chart;
    draw_ = std::move(draw);
    texts_.clear();
    update();
}

void CurvePage::SetTrackbarMaximum(int maximum) {
    trackbar_->setMaximum(maximum);
}

void CurvePage::SetTrackbarReachesLastScreen(bool reaches) {
    reachesLastScreen_ = reaches;
    FitTrackbarToChart();
}

void CurvePage::FitTrackbarToChart() {
    if (reachesLastScreen_ && chart_ != nullptr) {
        // A narrower range moves the value within it, and the view follows the trackbar.
        trackbar_->setMaximum(chart_->LastScreenStart());
    }
}

void CurvePage::FollowChart() {
    if (chart_ != nullptr) {
        FitTrackbarToChart();
        trackbar_->setValue(chart_->FirstIndex());
    }
    update();
}

void CurvePage::ShowSample(int index) {
    if (chart_ == nullptr) {
        return;
    }
    chart_->ShowSample(index);
    // The trackbar only mirrors the view here: its own change would move the view again.
    const QSignalBlocker blocker(trackbar_);
    trackbar_->setValue(chart_->FirstIndex());
    update();
}

void CurvePage::Scroll(int position) {
    if (chart_ != nullptr) {
        chart_->SetFirstIndex(position);
    }
    update();
}

void CurvePage::ZoomBy(int direction) {
    if (chart_ != nullptr) {
        chart_->Zoom(direction);
    }
    FitTrackbarToChart();
    update();
}

void CurvePage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && chart_ != nullptr) {
        chart_->SetCursor(qRound(event->position().x() / scale_) - kChartLeft);
        update();
    }
    QWidget::mousePressEvent(event);
}

void CurvePage::paintEvent(QPaintEvent*) {
    if (chart_ == nullptr || !draw_) {
        return;
    }
    // The chart is drawn at the page's scale, so that a larger page shows a sharp larger chart.
    chart_->SetScale(scale_);
    texts_ = draw_(*chart_);
    QPainter painter(this);
    painter.drawImage(QPoint(Px(kChartLeft), Px(kChartTop)), chart_->Image());
    // The texts keep their page positions and grow with the page, drawn as text at its size.
    painter.scale(scale_, scale_);
    painter.setFont(CurvePageFont());
    // Texts are written on the page's own background: the whole page is repainted each time,
    // so no old text shows through. Boxed texts over the chart hide the grid lines behind them.
    painter.setBackground(Qt::white);
    const int ascent = painter.fontMetrics().ascent();
    for (const PageText& text : texts_) {
        painter.setBackgroundMode(text.boxed ? Qt::OpaqueMode : Qt::TransparentMode);
        painter.setPen(QColor(text.colour));
        painter.drawText(text.x, text.y + ascent, text.text);
    }
}

}  // namespace veldrin
