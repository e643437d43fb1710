#include "print/ReportCanvas.h"

#include <QFontMetricsF>

#include "print/PageDrawing.h"
#include "print/SurfaceMetrics.h"

namespace veldrin {

ReportCanvas::ReportCanvas(QPainter& painter, int pixelsPerInchX, int pixelsPerInchY)
    : painter_(painter),
      pixelsPerInchY_(pixelsPerInchY),
      pixelsPerMmX_(MetricsFor(pixelsPerInchX, pixelsPerInchY).pixelsPerMmX),
      pixelsPerMmY_(MetricsFor(pixelsPerInchX, pixelsPerInchY).pixelsPerMmY) {}

void ReportCanvas::SetFont(double points, bool bold) {
    QFont font = PageFont(FontPixels(points, pixelsPerInchY_));
    font.setBold(bold);
    painter_.setFont(font);
}

void ReportCanvas::SetArchiveMarkFont(double points) {
    painter_.setFont(ArchiveMarkFont(FontPixels(points, pixelsPerInchY_)));
}

double ReportCanvas::TextWidthMm(const std::string& utf8) const {
    return QFontMetricsF(painter_.font(), painter_.device()).horizontalAdvance(QString::fromStdString(utf8)) /
           pixelsPerMmX_;
}

void ReportCanvas::Text(double xMm, double yMm, const std::string& utf8, const QColor& colour) {
    painter_.setPen(colour);
    DrawTextAt(painter_, static_cast<int>(X(xMm)), static_cast<int>(Y(yMm)), QString::fromStdString(utf8));
}

void ReportCanvas::TextRightAligned(double rightMm, double yMm, const std::string& utf8,
                                    const QColor& colour) {
    Text(rightMm - TextWidthMm(utf8), yMm, utf8, colour);
}

void ReportCanvas::TextCentred(double centreMm, double yMm, const std::string& utf8, const QColor& colour) {
    Text(centreMm - TextWidthMm(utf8) / 2, yMm, utf8, colour);
}

QPen ReportCanvas::PenOf(const QColor& colour, double widthMm, Qt::PenStyle style) const {
    QPen pen(colour, widthMm * pixelsPerMmX_, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void ReportCanvas::Line(double x1Mm, double y1Mm, double x2Mm, double y2Mm, const QColor& colour,
                        double widthMm, Qt::PenStyle style) {
    painter_.setPen(PenOf(colour, widthMm, style));
    painter_.drawLine(QPointF(X(x1Mm), Y(y1Mm)), QPointF(X(x2Mm), Y(y2Mm)));
}

void ReportCanvas::Box(double xMm, double yMm, double widthMm, double heightMm, const QColor& fill,
                       const QColor& outline) {
    const QRectF rect(X(xMm), Y(yMm), X(widthMm), Y(heightMm));
    painter_.fillRect(rect, fill);
    if (outline.alpha() != 0) {
        painter_.setPen(PenOf(outline, 0.3));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(rect);
    }
}

}  // namespace veldrin
