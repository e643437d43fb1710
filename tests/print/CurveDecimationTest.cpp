#include <gtest/gtest.h>

#include "print/CurveDecimation.h"

namespace veldrin {
namespace {

PrintSelection SelectionOf(std::vector<float> values1, std::vector<float> values2 = {}) {
    PrintSelection selection;
    selection.count = static_cast<int>(values1.size());
    if (values2.empty())
        values2.assign(values1.size(), 0.0f);
    selection.values1 = std::move(values1);
    selection.values2 = std::move(values2);
    selection.times.assign(selection.values1.size(), 0);
    return selection;
}

TEST(ColumnExtrema, EachPairIsInTheOrderTheSamplesOccurred) {
    // Column 0: samples 0..3, column 1: samples 4..7.
    const PrintSelection selection = SelectionOf({5, 1, 9, 3, 9, 8, 2, 4}, {1, 6, 0, 2, 3, 3, 3, 3});
    const ColumnPairs minimumFirst = ColumnExtrema(selection, 0, 4.0);
    EXPECT_EQ(minimumFirst.first1, 1);
    EXPECT_EQ(minimumFirst.second1, 2);
    const ColumnPairs maximumFirst = ColumnExtrema(selection, 1, 4.0);
    EXPECT_EQ(maximumFirst.first1, 4);
    EXPECT_EQ(maximumFirst.second1, 6);
    // Channel 2 has its own pair: maximum (6 at 1) before minimum (0 at 2).
    EXPECT_EQ(minimumFirst.first2, 1);
    EXPECT_EQ(minimumFirst.second2, 2);
    // A flat column gives the same sample twice.
    EXPECT_EQ(maximumFirst.first2, 4);
    EXPECT_EQ(maximumFirst.second2, 4);
}

TEST(ColumnExtrema, TiesKeepTheEarlierSample) {
    const PrintSelection selection = SelectionOf({7, 7, 3, 3, 3, 7});
    const ColumnPairs pairs = ColumnExtrema(selection, 0, 6.0);
    EXPECT_EQ(pairs.first1, 0) << "the later 7s do not replace the first maximum";
    EXPECT_EQ(pairs.second1, 2) << "the later 3s do not replace the first minimum";
}

TEST(ColumnExtrema, ColumnsCoverTruncatedSharesOfAFractionalRate) {
    // r = 2.5: column 0 covers 0..1, column 1 covers 2..4, column 2 covers 5..6.
    const PrintSelection selection = SelectionOf({0, 1, 2, 9, 4, 8, 6, 7});
    const ColumnPairs column1 = ColumnExtrema(selection, 1, 2.5);
    EXPECT_EQ(column1.first1, 2);
    EXPECT_EQ(column1.second1, 3);
    const ColumnPairs column2 = ColumnExtrema(selection, 2, 2.5);
    EXPECT_EQ(column2.first1, 5);
    EXPECT_EQ(column2.second1, 6);
}

TEST(ColumnExtrema, FewerSamplesThanColumnsRepeatTheNearestEarlierSample) {
    const PrintSelection selection = SelectionOf({1, 5, 3});
    const int expected[] = {0, 0, 1, 1, 2, 2};
    for (int column = 0; column < 6; ++column) {
        const ColumnPairs pairs = ColumnExtrema(selection, column, 0.5);
        EXPECT_EQ(pairs.first1, expected[column]) << "column " << column;
        EXPECT_EQ(pairs.second1, expected[column]) << "column " << column;
    }
    // A column past the last share stays on the last sample.
    EXPECT_EQ(ColumnExtrema(selection, 6, 0.5).first1, 2);
}

class StripPoints : public ::testing::Test {
  protected:
    static constexpr int kColumnUnit = 906;
    SurfaceMetrics screen = MetricsFor(96, 96);
    CurveBuffers buffers{kColumnUnit};

    CurvePageLayout LayoutFor(const PrintSelection& selection, int strips, int pixelsPerInch = 96) {
        return ComputeCurvePageLayout(pixelsPerInch, pixelsPerInch, screen, kColumnUnit, kColumnUnit * strips,
                                      selection);
    }
};

TEST_F(StripPoints, MaximumLiesOnTheFirstGridLineAndMinimumOnTheNinth) {
    // 453 columns per strip, 3 strips, one sample per column.
    std::vector<float> values(453 * 3);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<float>(i % 21);  // 0..20
    PrintSelection selection = SelectionOf(values);
    selection.min1 = 0;
    selection.max1 = 20;
    const CurvePageLayout layout = LayoutFor(selection, 3);
    ASSERT_DOUBLE_EQ(layout.samplesPerColumn, 1.0);

    BuildStripPoints(selection, layout, 1, buffers);
    // Strip 1 starts at column 453 = sample 453 (453 % 21 = 12).
    EXPECT_EQ(buffers.pairIndex[0], 453);
    EXPECT_EQ(buffers.pairIndex[1], 453);
    EXPECT_EQ(buffers.points1[0].x(), 94);
    EXPECT_EQ(buffers.points1[905].x(), 94 + 905);
    const int firstGrid = static_cast<int>(94 + layout.gridStep + 226);
    const int ninthGrid = static_cast<int>(94 + layout.gridStep + 226 + 20 * layout.scale1);
    // Sample 461 (461 % 21 = 20) is a maximum, sample 462 a minimum.
    EXPECT_EQ(buffers.points1[2 * 8].y(), firstGrid);
    EXPECT_EQ(buffers.points1[2 * 9].y(), ninthGrid);
    EXPECT_NEAR(ninthGrid - firstGrid, 151, 1) << "40 mm at 96 pixels per inch";
}

TEST_F(StripPoints, PrinterPointsKeepTheScreenColumnCountAtThePrinterPitch) {
    PrintSelection selection = SelectionOf(std::vector<float>(2718, 1.0f));
    selection.min1 = selection.max1 = 1;
    const CurvePageLayout layout = LayoutFor(selection, 3, 600);
    BuildStripPoints(selection, layout, 2, buffers);
    EXPECT_EQ(buffers.points1.size(), 906u);
    EXPECT_EQ(buffers.points1[0].x(), 590);
    EXPECT_EQ(buffers.points1[1].x(), 596);           // 590 + 6.25
    EXPECT_EQ(buffers.points1[905].x(), 590 + 5656);  // trunc(905 × 6.25)
    // All values equal: a flat line on the first grid line of the third strip of its page.
    const int firstGrid = static_cast<int>(590 + layout.gridStep + 2 * 1417);
    for (const QPoint& point : buffers.points1)
        ASSERT_EQ(point.y(), firstGrid);
}

}  // namespace
}  // namespace veldrin
