#include "app/preview/NavigationArrows.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace veldrin {
namespace {

// A filled triangle pointing left or right inside `box`.
QPolygon Triangle(QRect box, bool pointsLeft) {
    const int middle = box.top() + box.height() / 2;
    if (pointsLeft)
        return QPolygon(
            {QPoint(box.left(), middle), QPoint(box.right(), box.top()), QPoint(box.right(), box.bottom())});
    return QPolygon(
        {QPoint(box.right(), middle), QPoint(box.left(), box.top()), QPoint(box.left(), box.bottom())});
}

}  // namespace

QPixmap NavigationArrowImage(NavigationArrow arrow) {
    const bool toEnd = arrow == NavigationArrow::First || arrow == NavigationArrow::End;
    const bool pointsLeft = arrow == NavigationArrow::First || arrow == NavigationArrow::Back;
    QImage image(toEnd ? QSize(12, 12) : QSize(8, 14), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    if (toEnd) {
        // The bar stands on the side the arrow points to.
        const QRect bar = pointsLeft ? QRect(1, 1, 2, 10) : QRect(9, 1, 2, 10);
        painter.drawRect(bar);
        painter.drawPolygon(Triangle(pointsLeft ? QRect(3, 1, 8, 10) : QRect(1, 1, 8, 10), pointsLeft));
    } else {
        painter.drawPolygon(Triangle(QRect(1, 1, 6, 12), pointsLeft));
    }
    painter.end();
    return QPixmap::fromImage(image);
}

}  // namespace veldrin
