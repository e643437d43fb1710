#include "print/SurfaceMetrics.h"

#include <cmath>

namespace veldrin {

SurfaceMetrics MetricsFor(int pixelsPerInchX, int pixelsPerInchY) {
    return {
        pixelsPerInchX * 10.0 / 254.0,
        pixelsPerInchY * 10.0 / 254.0,
        254.0 / (pixelsPerInchX * 10.0),
        254.0 / (pixelsPerInchY * 10.0),
    };
}

int ColumnUnitFor(const SurfaceMetrics& screen) {
    const int columns = MmToPixels(240, screen.pixelsPerMmX);
    return columns - columns % 2;
}

SurfaceMetrics ReferenceScreenMetrics() {
    return MetricsFor(kReferencePixelsPerInch, kReferencePixelsPerInch);
}

double LineWidthFor(double referencePixels, int pixelsPerInch) {
    return referencePixels * pixelsPerInch / kReferencePixelsPerInch;
}

int FontPixels(double points, int pixelsPerInchY) {
    return static_cast<int>(std::lround(points * pixelsPerInchY / 72.0));
}

int MmToPixels(double millimetres, double pixelsPerMm) {
    return static_cast<int>(millimetres * pixelsPerMm);
}

}  // namespace veldrin
