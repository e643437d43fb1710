#pragma once
// Millimetre geometry of a drawing surface of known resolution, and the curve resolution that
// the screen fixes for preview and printout alike.
namespace veldrin {

struct SurfaceMetrics {
    double pixelsPerMmX = 0;
    double pixelsPerMmY = 0;
    double mmPerPixelX = 0;
    double mmPerPixelY = 0;
};

// Metrics of a surface with the given pixels per inch across and down.
SurfaceMetrics MetricsFor(int pixelsPerInchX, int pixelsPerInchY);

// Curve points per strip: 240 mm in screen pixels, truncated and made even (each column of a
// strip is drawn as a pair of points).
int ColumnUnitFor(const SurfaceMetrics& screen);

// Pixel height of a font of `points` on a surface with `pixelsPerInchY`, rounded to the nearest
// pixel.
int FontPixels(double points, int pixelsPerInchY);

// Millimetres to device pixels, truncated toward zero.
int MmToPixels(double millimetres, double pixelsPerMm);

}  // namespace veldrin
