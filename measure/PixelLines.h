#pragma once
// Straight lines written directly into the pixels of a 32-bit image, one or more pixels wide and
// without smoothing, as a screen memory surface draws them. A wide pen stroked by QPainter costs
// tens of milliseconds for a jagged 512-point curve; stepping along the line costs microseconds.
#include <QImage>
#include <QPoint>
#include <span>

namespace veldrin {

// Every pixel from `from` to `to`, both ends included; pixels outside the image are skipped.
// A wider line is thickened below an x-major line and to the right of a y-major one.
void DrawPixelLine(QImage& image, QPoint from, QPoint to, QRgb colour, int width);
// Consecutive points joined by lines.
void DrawPixelPolyline(QImage& image, std::span<const QPoint> points, QRgb colour, int width);

}  // namespace veldrin
