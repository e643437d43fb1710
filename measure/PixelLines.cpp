#include "measure/PixelLines.h"

#include <cstdlib>

namespace veldrin {
namespace {

class PixelWriter {
  public:
    PixelWriter(QImage& image, QRgb colour)
        : bits_(image.bits()),
          bytesPerLine_(image.bytesPerLine()),
          width_(image.width()),
          height_(image.height()),
          colour_(colour | 0xFF000000u) {}

    void Plot(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return;
        reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * bytesPerLine_)[x] = colour_;
    }

  private:
    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_;
    int height_;
    QRgb colour_;
};

}  // namespace

void DrawPixelLine(QImage& image, QPoint from, QPoint to, QRgb colour, int width) {
    const PixelWriter writer(image, colour);
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    const bool xMajor = dx >= -dy;
    // A wide line is thickened below an x-major line and to the right of a y-major one.
    const int thickX = width > 1 && !xMajor ? 1 : 0;
    const int thickY = width > 1 && xMajor ? 1 : 0;
    int x = from.x();
    int y = from.y();
    int error = dx + dy;
    for (;;) {
        writer.Plot(x, y);
        for (int extra = 1; extra < width && (thickX != 0 || thickY != 0); ++extra)
            writer.Plot(x + extra * thickX, y + extra * thickY);
        if (x == to.x() && y == to.y())
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void DrawPixelPolyline(QImage& image, std::span<const QPoint> points, QRgb colour, int width) {
    if (points.size() == 1)
        DrawPixelLine(image, points[0], points[0], colour, width);
    for (std::size_t n = 1; n < points.size(); ++n)
        DrawPixelLine(image, points[n - 1], points[n], colour, width);
}

}  // namespace veldrin
