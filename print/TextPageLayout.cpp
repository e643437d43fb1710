#include "print/TextPageLayout.h"

namespace veldrin {

TextPageLayout ComputeTextPageLayout(int pixelsPerInchX, int pixelsPerInchY, int rowsPerPage) {
    const SurfaceMetrics surface = MetricsFor(pixelsPerInchX, pixelsPerInchY);
    const double mx = surface.pixelsPerMmX;
    const double my = surface.pixelsPerMmY;
    TextPageLayout layout;
    layout.pageWidth = MmToPixels(200, mx);
    layout.pageHeight = MmToPixels(290, my);
    layout.pixelsPerMmX = mx;
    layout.pixelsPerMmY = my;
    layout.mmPerPixelX = surface.mmPerPixelX;
    layout.mmPerPixelY = surface.mmPerPixelY;
    layout.rowsPerPage = rowsPerPage;
    layout.titleX = MmToPixels(60, mx);
    layout.titleY = MmToPixels(7, my);
    layout.numberX = MmToPixels(15, mx);
    layout.timeX = MmToPixels(30, mx);
    layout.value1X = MmToPixels(70, mx);
    layout.value2X = MmToPixels(90, mx);
    layout.alarm1X = MmToPixels(110, mx);
    layout.alarm2X = MmToPixels(150, mx);
    layout.headingY = MmToPixels(15, my);
    layout.rowHeight = static_cast<int>(270 * my / (rowsPerPage + 1));
    layout.summaryLeft = MmToPixels(20, mx);
    layout.summaryTop = MmToPixels(10, my);
    layout.summaryStep = MmToPixels(8, my);
    layout.pageNumberX = MmToPixels(180, mx);
    layout.pageNumberY = MmToPixels(5, my);
    layout.pageFontPixels = FontPixels(12, pixelsPerInchY);
    layout.tableFontPixels = FontPixels(9, pixelsPerInchY);
    layout.fineLineWidth = LineWidthFor(1, (pixelsPerInchX + pixelsPerInchY) / 2);
    return layout;
}

}  // namespace veldrin
