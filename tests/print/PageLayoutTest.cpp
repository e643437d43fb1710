#include <gtest/gtest.h>

#include "print/CurvePageLayout.h"
#include "print/PrintJob.h"
#include "print/TextPageLayout.h"

namespace veldrin {
namespace {

PrintSelection SelectionSpanning(int count, float min1, float max1, float min2, float max2) {
    PrintSelection selection;
    selection.count = count;
    selection.min1 = min1;
    selection.max1 = max1;
    selection.min2 = min2;
    selection.max2 = max2;
    return selection;
}

TEST(ScreenMetrics, ColumnUnitIsTheEvenPixelCountOf240Millimetres) {
    EXPECT_EQ(ColumnUnitFor(MetricsFor(96, 96)), 906);     // 907.08 → 907 → 906
    EXPECT_EQ(ColumnUnitFor(MetricsFor(120, 120)), 1132);  // 1133.86 → 1133 → 1132
    EXPECT_EQ(ColumnUnitFor(MetricsFor(127, 127)), 1200);
    EXPECT_DOUBLE_EQ(MetricsFor(96, 72).mmPerPixelY, 254.0 / 720);
}

TEST(CurveLayout, At96PixelsPerInch) {
    const SurfaceMetrics screen = MetricsFor(96, 96);
    const auto layout =
        ComputeCurvePageLayout(96, 96, screen, 906, 906 * 3, SelectionSpanning(5436, -5, 15, 40, 80));
    EXPECT_DOUBLE_EQ(layout.pixelsPerMmX, 960.0 / 254);
    EXPECT_DOUBLE_EQ(layout.mmPerPixelY, 254.0 / 960);
    EXPECT_EQ(layout.labelStride, 113);
    EXPECT_DOUBLE_EQ(layout.samplesPerColumn, 4.0);
    EXPECT_DOUBLE_EQ(layout.columnPitch, 1.0);
    EXPECT_DOUBLE_EQ(layout.scale1, 2 * 960.0 / 254);
    EXPECT_DOUBLE_EQ(layout.scale2, 960.0 / 254);
    EXPECT_EQ(layout.stripWidth, 907);
    EXPECT_EQ(layout.stripPitch, 226);
    EXPECT_EQ(layout.axisHeight, 188);
    EXPECT_EQ(layout.stripLeft, 94);
    EXPECT_EQ(layout.stripTop, 94);
    EXPECT_EQ(layout.summaryLeft, 75);
    EXPECT_EQ(layout.summaryTop, 26);
    EXPECT_EQ(layout.summaryStep, 30);
    EXPECT_EQ(layout.leftLabelX, 37);
    EXPECT_EQ(layout.rightLabelX, 1009);
    EXPECT_EQ(layout.labelTop, 107);
    EXPECT_DOUBLE_EQ(layout.labelStep, 9600.0 / 254);
    EXPECT_EQ(layout.legendY, 102);
    EXPECT_EQ(layout.legendLength, 11);
    EXPECT_EQ(layout.pageNumberX, 982);
    EXPECT_EQ(layout.pageNumberY, 26);
    EXPECT_EQ(layout.timeLabelLeft, 94);
    EXPECT_EQ(layout.timeLabelTop, 287);
    EXPECT_EQ(layout.tickLength, 3);
    EXPECT_DOUBLE_EQ(layout.gridStep, 4800.0 / 254);
    EXPECT_EQ(layout.pageWidth, 1096);
    EXPECT_EQ(layout.pageHeight, 755);
    EXPECT_EQ(layout.pageFontPixels, 16);
    EXPECT_EQ(layout.stripFontPixels, 9);
}

TEST(CurveLayout, At600PixelsPerInchWithTheScreenAt96) {
    const SurfaceMetrics screen = MetricsFor(96, 96);
    const auto layout =
        ComputeCurvePageLayout(600, 600, screen, 906, 906 * 27, SelectionSpanning(100000, 0, 8, 0, 0));
    EXPECT_EQ(layout.labelStride, 113);
    EXPECT_DOUBLE_EQ(layout.samplesPerColumn, 100000.0 / (906 * 27) * 2);
    EXPECT_DOUBLE_EQ(layout.columnPitch, 6.25);
    EXPECT_DOUBLE_EQ(layout.scale1, 5 * 6000.0 / 254);
    EXPECT_EQ(layout.scale2, 0) << "all values equal: flat on the first grid line";
    EXPECT_EQ(layout.stripWidth, 5669);
    EXPECT_EQ(layout.stripPitch, 1417);
    EXPECT_EQ(layout.axisHeight, 1181);
    EXPECT_EQ(layout.stripLeft, 590);
    EXPECT_EQ(layout.stripTop, 590);
    EXPECT_EQ(layout.summaryLeft, 472);
    EXPECT_EQ(layout.summaryTop, 165);
    EXPECT_EQ(layout.summaryStep, 188);
    EXPECT_EQ(layout.leftLabelX, 236);
    EXPECT_EQ(layout.rightLabelX, 6307);
    EXPECT_EQ(layout.labelTop, 673);
    EXPECT_EQ(layout.legendY, 637);
    EXPECT_EQ(layout.legendLength, 70);
    EXPECT_EQ(layout.pageNumberX, 6141);
    EXPECT_EQ(layout.pageNumberY, 165);
    EXPECT_EQ(layout.timeLabelLeft, 590);
    EXPECT_EQ(layout.timeLabelTop, 1795);
    EXPECT_EQ(layout.tickLength, 23);
    EXPECT_EQ(layout.pageWidth, 6850);
    EXPECT_EQ(layout.pageHeight, 4724);
    EXPECT_EQ(layout.pageFontPixels, 100);
    EXPECT_EQ(layout.stripFontPixels, 58);
}

TEST(LineWidths, AreThreeAndOnePixelsAt96PixelsPerInchAndAsWideOnEverySurface) {
    struct Case {
        int pixelsPerInch;
        double bold, fine;
    };
    // 0.79 mm and 0.26 mm on every surface.
    for (const Case& c : {Case{96, 3.0, 1.0}, Case{300, 9.375, 3.125}, Case{1200, 37.5, 12.5}}) {
        const auto curve = ComputeCurvePageLayout(c.pixelsPerInch, c.pixelsPerInch, ReferenceScreenMetrics(),
                                                  906, 906 * 3, SelectionSpanning(100, 0, 1, 0, 1));
        EXPECT_DOUBLE_EQ(curve.boldLineWidth, c.bold) << c.pixelsPerInch;
        EXPECT_DOUBLE_EQ(curve.fineLineWidth, c.fine) << c.pixelsPerInch;
        EXPECT_DOUBLE_EQ(curve.boldLineWidth / curve.pixelsPerMmX, 3 * 25.4 / 96) << c.pixelsPerInch;
        const TextPageLayout text = ComputeTextPageLayout(c.pixelsPerInch, c.pixelsPerInch, 60);
        EXPECT_DOUBLE_EQ(text.fineLineWidth, c.fine) << c.pixelsPerInch;
    }
    EXPECT_EQ(ColumnUnitFor(ReferenceScreenMetrics()), 906);
}

TEST(TextLayout, At96PixelsPerInch) {
    const TextPageLayout layout = ComputeTextPageLayout(96, 96, 60);
    EXPECT_EQ(layout.pageWidth, 755);
    EXPECT_EQ(layout.pageHeight, 1096);
    EXPECT_DOUBLE_EQ(layout.pixelsPerMmY, 960.0 / 254);
    EXPECT_DOUBLE_EQ(layout.mmPerPixelX, 254.0 / 960);
    EXPECT_EQ(layout.rowsPerPage, 60);
    EXPECT_EQ(layout.titleX, 226);
    EXPECT_EQ(layout.titleY, 26);
    EXPECT_EQ(layout.numberX, 56);
    EXPECT_EQ(layout.timeX, 113);
    EXPECT_EQ(layout.value1X, 264);
    EXPECT_EQ(layout.value2X, 340);
    EXPECT_EQ(layout.alarm1X, 415);
    EXPECT_EQ(layout.alarm2X, 566);
    EXPECT_EQ(layout.headingY, 56);
    EXPECT_EQ(layout.rowHeight, 16);
    EXPECT_EQ(layout.summaryLeft, 75);
    EXPECT_EQ(layout.summaryTop, 37);
    EXPECT_EQ(layout.summaryStep, 30);
    EXPECT_EQ(layout.pageNumberX, 680);
    EXPECT_EQ(layout.pageNumberY, 18);
    EXPECT_EQ(layout.pageFontPixels, 16);
    EXPECT_EQ(layout.tableFontPixels, 12);
}

TEST(TextLayout, At600PixelsPerInch) {
    const TextPageLayout layout = ComputeTextPageLayout(600, 600, 60);
    EXPECT_EQ(layout.pageWidth, 4724);
    EXPECT_EQ(layout.pageHeight, 6850);
    EXPECT_EQ(layout.titleX, 1417);
    EXPECT_EQ(layout.titleY, 165);
    EXPECT_EQ(layout.numberX, 354);
    EXPECT_EQ(layout.timeX, 708);
    EXPECT_EQ(layout.value1X, 1653);
    EXPECT_EQ(layout.value2X, 2125);
    EXPECT_EQ(layout.alarm1X, 2598);
    EXPECT_EQ(layout.alarm2X, 3543);
    EXPECT_EQ(layout.headingY, 354);
    EXPECT_EQ(layout.rowHeight, 104);
    EXPECT_EQ(layout.summaryTop, 236);
    EXPECT_EQ(layout.pageNumberX, 4251);
    EXPECT_EQ(layout.pageNumberY, 118);
    EXPECT_EQ(layout.pageFontPixels, 100);
    EXPECT_EQ(layout.tableFontPixels, 75);
}

TEST(PageSizes, LandscapeCurvePagesAndPortraitTablePages) {
    EXPECT_EQ(PageSizeFor(PrintMode::Curve, 96, 96), QSize(1096, 755));
    EXPECT_EQ(PageSizeFor(PrintMode::Text, 96, 96), QSize(755, 1096));
    EXPECT_EQ(PageSizeFor(PrintMode::Text, 600, 300), QSize(4724, 3425));
}

}  // namespace
}  // namespace veldrin
