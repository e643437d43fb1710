#pragma once
// Drawing in millimetres on a device of known resolution, as the report lays out its page: texts
// by their top-left corner, lines and boxes with widths in millimetres, fonts in points.
#include <QColor>
#include <QPainter>
#include <string>

namespace veldrin {

class ReportCanvas {
  public:
    ReportCanvas(QPainter& painter, int pixelsPerInchX, int pixelsPerInchY);

    QPainter& Painter() { return painter_; }
    // Millimetres to device pixels across and down.
    double X(double mm) const { return mm * pixelsPerMmX_; }
    double Y(double mm) const { return mm * pixelsPerMmY_; }
    double PixelsPerMmX() const { return pixelsPerMmX_; }

    // The page face ("Arial", mapped to a face with Chinese characters) at `points`.
    void SetFont(double points, bool bold = false);
    // The archive mark's face (no ligatures between the hash's digits) at `points`.
    void SetArchiveMarkFont(double points);
    double TextWidthMm(const std::string& utf8) const;
    void Text(double xMm, double yMm, const std::string& utf8, const QColor& colour = Qt::black);
    void TextRightAligned(double rightMm, double yMm, const std::string& utf8,
                          const QColor& colour = Qt::black);
    void TextCentred(double centreMm, double yMm, const std::string& utf8, const QColor& colour = Qt::black);
    void Line(double x1Mm, double y1Mm, double x2Mm, double y2Mm, const QColor& colour, double widthMm,
              Qt::PenStyle style = Qt::SolidLine);
    // A rectangle filled with `fill`, outlined with `outline` unless that is transparent.
    void Box(double xMm, double yMm, double widthMm, double heightMm, const QColor& fill,
             const QColor& outline = Qt::transparent);
    QPen PenOf(const QColor& colour, double widthMm, Qt::PenStyle style = Qt::SolidLine) const;

  private:
    QPainter& painter_;
    int pixelsPerInchY_;
    double pixelsPerMmX_;
    double pixelsPerMmY_;
};

}  // namespace veldrin
