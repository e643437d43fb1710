#include "print/CurvePageLayout.h"

namespace veldrin {
namespace {

// Pixels per unit that put the maximum on the first grid line and the minimum 40 mm lower. All
// values equal: 0, so the curve lies flat on the first grid line.
double VerticalScale(float min, float max, double pixelsPerMmY) {
    if (!(max > min))
        return 0;
    return 40.0 / static_cast<double>(max - min) * pixelsPerMmY;
}

}  // namespace

CurvePageLayout ComputeCurvePageLayout(int pixelsPerInchX, int pixelsPerInchY, const SurfaceMetrics& screen,
                                       int columnUnit, int curveWidth, const PrintSelection& selection) {
    const SurfaceMetrics surface = MetricsFor(pixelsPerInchX, pixelsPerInchY);
    const double mx = surface.pixelsPerMmX;
    const double my = surface.pixelsPerMmY;
    CurvePageLayout layout;
    layout.pixelsPerMmX = mx;
    layout.pixelsPerMmY = my;
    layout.mmPerPixelX = surface.mmPerPixelX;
    layout.mmPerPixelY = surface.mmPerPixelY;
    layout.labelStride = columnUnit / 8;
    layout.samplesPerColumn = curveWidth > 0 ? static_cast<double>(selection.count) / curveWidth * 2 : 0;
    layout.columnPitch = mx * screen.mmPerPixelX;
    layout.scale1 = VerticalScale(selection.min1, selection.max1, my);
    layout.scale2 = VerticalScale(selection.min2, selection.max2, my);
    layout.stripWidth = MmToPixels(240, mx);
    layout.stripPitch = MmToPixels(60, my);
    layout.axisHeight = MmToPixels(50, my);
    layout.stripLeft = MmToPixels(25, mx);
    layout.stripTop = MmToPixels(25, my);
    layout.summaryLeft = MmToPixels(20, mx);
    layout.summaryTop = MmToPixels(7, my);
    layout.summaryStep = MmToPixels(8, my);
    layout.leftLabelX = MmToPixels(10, mx);
    layout.rightLabelX = MmToPixels(267, mx);
    layout.labelTop = MmToPixels(28.5, my);
    layout.labelStep = 10 * my;
    layout.legendY = MmToPixels(27, my);
    layout.legendLength = MmToPixels(3, mx);
    layout.pageNumberX = MmToPixels(260, mx);
    layout.pageNumberY = MmToPixels(7, my);
    layout.timeLabelLeft = MmToPixels(25, mx);
    layout.timeLabelTop = MmToPixels(76, my);
    layout.tickLength = MmToPixels(1, my);
    layout.gridStep = 5 * my;
    layout.pageWidth = MmToPixels(290, mx);
    layout.pageHeight = MmToPixels(200, my);
    layout.pageFontPixels = FontPixels(12, pixelsPerInchY);
    layout.stripFontPixels = FontPixels(7, pixelsPerInchY);
    const int linePixelsPerInch = (pixelsPerInchX + pixelsPerInchY) / 2;
    layout.boldLineWidth = LineWidthFor(3, linePixelsPerInch);
    layout.fineLineWidth = LineWidthFor(1, linePixelsPerInch);
    return layout;
}

}  // namespace veldrin
