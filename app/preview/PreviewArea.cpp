#include "app/preview/PreviewArea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "print/BlackOnWhiteStretch.h"

namespace veldrin {

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("drawingArea"));
}

void PreviewArea::ShowCopy(const QImage& page, QRect source, QRect destination, bool greyBackground) {
    source_ = source;
    destination_ = destination;
    grey_ = greyBackground;
    shown_ = true;
    ++copyCount_;
    copy_ = StretchBlackOnWhite(page, source, destination.size());
    update();
}

void PreviewArea::Clear() {
    shown_ = false;
    copy_ = QImage();
    update();
}

void PreviewArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (grey_ || !shown_) {
        painter.setPen(Qt::black);
        painter.setBrush(QColor(215, 215, 215));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (shown_)
        painter.drawImage(destination_.topLeft(), copy_);
}

void PreviewArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked(event->position().toPoint());
}

void PreviewArea::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier)
        emit ZoomWheelTurned(event->angleDelta().y());
    else
        emit WheelTurned(event->angleDelta().y());
    event->accept();
}

}  // namespace veldrin
