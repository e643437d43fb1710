#pragma once
// Geometry of a landscape curve page (290 mm × 200 mm of drawing area) in the pixels of one
// drawing surface: a summary page, then pages of three time-axis strips.
#include "print/PrintSelection.h"
#include "print/SurfaceMetrics.h"

namespace veldrin {

struct CurvePageLayout {
    double pixelsPerMmX = 0;
    double pixelsPerMmY = 0;
    double mmPerPixelX = 0;
    double mmPerPixelY = 0;
    int labelStride = 0;          // curve points between two time labels
    double samplesPerColumn = 0;  // selected samples that share one curve column
    double columnPitch = 0;       // device pixels per screen pixel across
    double scale1 = 0;            // device pixels per unit of channel 1; 0 when all values are equal
    double scale2 = 0;
    int stripWidth = 0;
    int stripPitch = 0;
    int axisHeight = 0;
    int stripLeft = 0;
    int stripTop = 0;
    int summaryLeft = 0;
    int summaryTop = 0;
    int summaryStep = 0;
    int leftLabelX = 0;
    int rightLabelX = 0;
    int labelTop = 0;
    double labelStep = 0;
    int legendY = 0;
    int legendLength = 0;
    int pageNumberX = 0;
    int pageNumberY = 0;
    int timeLabelLeft = 0;
    int timeLabelTop = 0;
    int tickLength = 0;
    double gridStep = 0;
    int pageWidth = 0;  // replaced by the printable width on a printer
    int pageHeight = 0;
    int pageFontPixels = 0;   // 12 points
    int stripFontPixels = 0;  // 7 points
    // Line widths in device pixels: 3 and 1 pixels at the reference resolution.
    double boldLineWidth = 0;  // axes, channel 1 curve and legend
    double fineLineWidth = 0;  // grid, channel 2 curve and legend, page outline
};

// The layout for a surface with the given pixels per inch. `screen` and `columnUnit` are those of
// the reference resolution the curve points are taken at; curveWidth = columnUnit × strip count.
CurvePageLayout ComputeCurvePageLayout(int pixelsPerInchX, int pixelsPerInchY, const SurfaceMetrics& screen,
                                       int columnUnit, int curveWidth, const PrintSelection& selection);

}  // namespace veldrin
