#pragma once
// Geometry of a portrait table page (200 mm × 290 mm of drawing area) in the pixels of one
// drawing surface: a summary page, then pages of up to rowsPerPage sample rows.
#include "print/SurfaceMetrics.h"

namespace veldrin {

struct TextPageLayout {
    int pageWidth = 0;  // replaced by the printable width on a printer
    int pageHeight = 0;
    double pixelsPerMmX = 0;
    double pixelsPerMmY = 0;
    double mmPerPixelX = 0;
    double mmPerPixelY = 0;
    int rowsPerPage = 0;
    int titleX = 0;
    int titleY = 0;
    int numberX = 0;
    int timeX = 0;
    int value1X = 0;
    int value2X = 0;
    int alarm1X = 0;
    int alarm2X = 0;
    int headingY = 0;
    int rowHeight = 0;
    int summaryLeft = 0;
    int summaryTop = 0;
    int summaryStep = 0;
    int pageNumberX = 0;
    int pageNumberY = 0;
    int pageFontPixels = 0;    // 12 points: page number, summary, title
    int tableFontPixels = 0;   // 9 points: headings and rows
    double fineLineWidth = 0;  // the page outline: 1 pixel at the reference resolution
};

TextPageLayout ComputeTextPageLayout(int pixelsPerInchX, int pixelsPerInchY, int rowsPerPage);

}  // namespace veldrin
