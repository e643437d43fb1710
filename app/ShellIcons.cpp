#include "app/ShellIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>
#include <functional>

// The resource file is part of a static library: its registration has to be pulled in by hand,
// and only from the global namespace.
static void RegisterIconResource() {
    Q_INIT_RESOURCE(app);
}

namespace veldrin {
namespace {

// The sizes the icon theme installs as well; the window takes the nearest.
constexpr int kApplicationIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

constexpr int kToolbarImageSize = 20;

QPixmap DrawnPixmap(int size, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
}

QIcon Drawn(int size, const std::function<void(QPainter&)>& draw) {
    return QIcon(DrawnPixmap(size, draw));
}

void DrawFolder(QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(2.5, 5.5, 15, 11));
    p.setBrush(QColor(250, 220, 120));
    QPainterPath flap;
    flap.moveTo(2.5, 16.5);
    flap.lineTo(5.5, 9.5);
    flap.lineTo(19.5, 9.5);
    flap.lineTo(17.5, 16.5);
    flap.closeSubpath();
    p.drawPath(flap);
}

void DrawDisk(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(60, 100, 190));
    p.drawRect(QRectF(2.5, 2.5, 15, 15));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 2.5, 9, 6));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(5.5, 11.5, 9, 6));
}

void DrawPlug(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawLine(QPointF(2, 14), QPointF(7, 14));
    p.drawLine(QPointF(13, 6), QPointF(18, 6));
    p.setBrush(QColor(60, 160, 60));
    p.drawRoundedRect(QRectF(6, 10, 5, 8), 1, 1);
    p.setBrush(QColor(200, 60, 60));
    p.drawRoundedRect(QRectF(9, 2, 5, 8), 1, 1);
}

void DrawCurve(QPainter& p) {
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 17, 15));
    QPainterPath wave;
    wave.moveTo(3, 12);
    wave.cubicTo(6, 3, 9, 3, 10, 10);
    wave.cubicTo(11, 16, 15, 15, 17, 6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 0, 0), 1.6));
    p.drawPath(wave);
}

void DrawHistory(QPainter& p) {
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 13, 17));
    p.setPen(QPen(QColor(0, 0, 200), 1));
    for (int row = 0; row < 4; ++row) {
        const double y = 5.5 + row * 3.5;
        p.drawLine(QPointF(6, y), QPointF(14, y));
    }
}

}  // namespace

QIcon ToolbarIcon(ToolbarImage image) {
    switch (image) {
        case ToolbarImage::Open:
            return Drawn(kToolbarImageSize, DrawFolder);
        case ToolbarImage::Save:
            return Drawn(kToolbarImageSize, DrawDisk);
        case ToolbarImage::Connect:
            return Drawn(kToolbarImageSize, DrawPlug);
        case ToolbarImage::RealtimeView:
            return Drawn(kToolbarImageSize, DrawCurve);
        case ToolbarImage::HistoryView:
            return Drawn(kToolbarImageSize, DrawHistory);
    }
    return {};
}

QIcon ApplicationIcon() {
    RegisterIconResource();
    QSvgRenderer renderer(QStringLiteral(":/icons/org.veldrin.Veldrin.svg"));
    QIcon icon;
    for (int size : kApplicationIconSizes) {
        icon.addPixmap(DrawnPixmap(size, [&renderer](QPainter& p) { renderer.render(&p); }));
    }
    return icon;
}

}  // namespace veldrin
