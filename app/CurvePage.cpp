#include "app/CurvePage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace veldrin {
namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 24;
constexpr int kGap = 4;

// The texts' font: Arial of 12-pixel character height, normal weight; a Swiss face stands in
// where Arial is not installed.
QFont PageFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

CurvePage::CurvePage()
    : trackbar_(new QSlider(Qt::Horizontal, this)),
      zoomOut_(new QPushButton(QStringLiteral("缩小"), this)),
      zoomIn_(new QPushButton(QStringLiteral("放大"), this)) {
    // The trackbar runs under the chart; the zoom buttons sit in the right-hand text column, level
    // with the foot of the chart, clear of the axis labels and the texts above them.
    const int chartBottom = kChartTop + CurveChart::kSize;
    trackbar_->setObjectName(QStringLiteral("trackbar"));
    trackbar_->setRange(0, kTrackbarMaximum);
    trackbar_->setPageStep(10);
    trackbar_->setGeometry(kChartLeft, chartBottom + kGap, CurveChart::kSize, kButtonHeight);
    zoomIn_->setGeometry(kCurvePageColumnX, chartBottom - kButtonHeight, kButtonWidth, kButtonHeight);
    zoomOut_->setGeometry(kCurvePageColumnX, zoomIn_->y() - kGap - kButtonHeight, kButtonWidth,
                          kButtonHeight);

    connect(trackbar_, &QSlider::valueChanged, this, &CurvePage::Scroll);
    connect(zoomOut_, &QPushButton::clicked, this, [this] { ZoomBy(-1); });
    connect(zoomIn_, &QPushButton::clicked, this, [this] { ZoomBy(+1); });
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

void CurvePage::FollowChart() {
    if (chart_ != nullptr) {
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
    update();
}

void CurvePage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && chart_ != nullptr) {
        chart_->SetCursor(qRound(event->position().x()) - kChartLeft);
        update();
    }
    QWidget::mousePressEvent(event);
}

void CurvePage::paintEvent(QPaintEvent*) {
    if (chart_ == nullptr || !draw_) {
        return;
    }
    texts_ = draw_(*chart_);
    QPainter painter(this);
    painter.setFont(PageFont());
    // Texts are written on the page's own background: the whole page is repainted each time,
    // so no old text shows through.
    painter.setBackgroundMode(Qt::TransparentMode);
    const int ascent = painter.fontMetrics().ascent();
    for (const PageText& text : texts_) {
        painter.setPen(QColor(text.colour));
        painter.drawText(text.x, text.y + ascent, text.text);
    }
    painter.drawImage(QPoint(kChartLeft, kChartTop), chart_->Image());
}

}  // namespace veldrin
