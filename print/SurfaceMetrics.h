#pragma once
// Millimetre geometry of a drawing surface of known resolution, and the curve resolution and line
// widths that are the same on the preview, the paper and the PDF.
namespace veldrin {

// The resolution the curve points and the line widths of the pages are given for: that of a
// common display. Every surface draws them scaled from it to its own resolution, so that a
// 1200 dots-per-inch printer shows the same curve with lines as wide as the preview.
inline constexpr int kReferencePixelsPerInch = 96;

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
// The metrics the curve points are taken at: kReferencePixelsPerInch across and down.
SurfaceMetrics ReferenceScreenMetrics();

// Device pixels of a line `referencePixels` wide at kReferencePixelsPerInch, on a surface with
// `pixelsPerInch`.
double LineWidthFor(double referencePixels, int pixelsPerInch);

// Pixel height of a font of `points` on a surface with `pixelsPerInchY`, rounded to the nearest
// pixel.
int FontPixels(double points, int pixelsPerInchY);

// Millimetres to device pixels, truncated toward zero.
int MmToPixels(double millimetres, double pixelsPerMm);

}  // namespace veldrin
