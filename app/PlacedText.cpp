#include "app/PlacedText.h"

#include <QFontMetrics>
#include <QPainter>
#include <utility>

namespace veldrin {

void PaintedTextDialog::SetLines(std::vector<PlacedText> lines) {
    lines_ = std::move(lines);
    update();
}

void PaintedTextDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int ascent = painter.fontMetrics().ascent();
    for (const PlacedText& placed : lines_) {
        painter.drawText(placed.topLeft + QPoint(0, ascent), placed.text);
    }
}

}  // namespace veldrin
