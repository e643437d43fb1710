#include "measure/CurveChart.h"
#include "measure/PixelLines.h"

#include <gtest/gtest.h>

#include <vector>

namespace veldrin {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrid = qRgb(200, 200, 200);
const QRgb kRed = qRgb(200, 0, 0);
const QRgb kBlue = qRgb(0, 0, 200);

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}
QRgb Pixel(const CurveChart& chart, int x, int y) {
    return Pixel(chart.Image(), x, y);
}

// Rows of column `x` that carry `colour`.
std::vector<int> RowsWith(const CurveChart& chart, int x, QRgb colour) {
    std::vector<int> rows;
    for (int y = 0; y < CurveChart::kSize; ++y) {
        if (Pixel(chart, x, y) == colour)
            rows.push_back(y);
    }
    return rows;
}

std::vector<float> Ramp(int count) {
    std::vector<float> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = static_cast<float>(i);
    return values;
}

TEST(CurveChart, GridLinesAtEveryMultipleOf32) {
    CurveChart chart;
    chart.ClearAndDrawGrid();
    for (int at = 0; at < CurveChart::kSize; ++at) {
        const QRgb expected = at > 0 && at % 32 == 0 ? kGrid : kWhite;
        ASSERT_EQ(Pixel(chart, at, 5), expected) << "column " << at;
        ASSERT_EQ(Pixel(chart, 5, at), expected) << "row " << at;
    }
}

TEST(CurveChart, KnownSeriesLandsOnItsBandRows) {
    CurveChart chart;
    const std::vector<float> channel1{2, 2, 8, 8};  // minimum at row 355, maximum at row 155
    const std::vector<float> channel2{-5, -5, 5, 5};
    chart.Load1(channel1.data(), 4);
    chart.Load2(channel2.data(), 4);
    chart.ClearAndDrawGrid();
    chart.ComputeCurve1(CurveChart::CurveMode::Draw);
    chart.DrawCurve2();

    EXPECT_EQ(chart.PixelStep(), 128);
    ASSERT_EQ(chart.Points(1).size(), 4u);
    EXPECT_EQ(chart.Points(1)[0].y, 355);
    EXPECT_EQ(chart.Points(1)[2].x, 256);
    EXPECT_EQ(chart.Points(1)[2].y, 155);
    EXPECT_EQ(chart.Points(2)[0].y, 405);
    EXPECT_EQ(chart.Points(2)[3].y, 105);
    EXPECT_DOUBLE_EQ(chart.ValueToRow(1, 5.0f), 255.0);
    EXPECT_DOUBLE_EQ(chart.ValueToRow(2, 0.0f), 255.0);

    // The flat stretches are two-pixel lines on their rows and nowhere else in the column.
    const std::vector<int> low = RowsWith(chart, 64, kRed);
    ASSERT_FALSE(low.empty());
    EXPECT_GE(low.front(), 354);
    EXPECT_LE(low.back(), 356);
    const std::vector<int> high = RowsWith(chart, 320, kRed);
    ASSERT_FALSE(high.empty());
    EXPECT_GE(high.front(), 154);
    EXPECT_LE(high.back(), 156);
    const std::vector<int> blue = RowsWith(chart, 320, kBlue);
    ASSERT_FALSE(blue.empty());
    EXPECT_GE(blue.front(), 104);
    EXPECT_LE(blue.back(), 106);
}

TEST(CurveChart, AxisLabelsCarryTheValuesOfTheirRows) {
    CurveChart chart;
    // An empty chart's scale runs upwards as a filled one does: the largest label at the top.
    EXPECT_FLOAT_EQ(chart.Labels(1)[0], 32.0f);
    EXPECT_FLOAT_EQ(chart.Labels(1)[8], 24.0f);
    EXPECT_FLOAT_EQ(chart.Labels(2)[0], 58.0f);
    EXPECT_FLOAT_EQ(chart.Labels(2)[8], 50.0f);
    const std::vector<float> values{0, 10};
    chart.Load1(values.data(), 2);
    chart.Load2(values.data(), 2);
    // label[8 − k] = min + range · (k·64 − bottom′) / (top′ − bottom′)
    EXPECT_FLOAT_EQ(chart.Labels(1)[8], 10.0f * -155.0f / 200.0f);
    EXPECT_FLOAT_EQ(chart.Labels(1)[0], 10.0f * (512.0f - 155.0f) / 200.0f);
    EXPECT_FLOAT_EQ(chart.Labels(2)[6], 10.0f * (128.0f - 105.0f) / 300.0f);
}

TEST(CurveChart, StatisticsCoverTheWholeChannelAndAFullBufferKeepsItsValues) {
    CurveChart chart;
    chart.Append1(-3.5f);
    EXPECT_FLOAT_EQ(chart.Min(1), -3.5f);
    EXPECT_FLOAT_EQ(chart.Max(1), -3.5f);
    chart.Append1(20000.0f);
    chart.Append1(0.5f);
    EXPECT_FLOAT_EQ(chart.Min(1), -3.5f);
    EXPECT_FLOAT_EQ(chart.Max(1), 20000.0f);
    EXPECT_FLOAT_EQ(chart.Average(1), (20000.0f - 3.0f) / 3.0f);

    const std::vector<float> many = Ramp(CurveChart::kBufferCapacity + 10);
    chart.Load2(many.data(), static_cast<int>(many.size()));
    EXPECT_EQ(chart.Count2(), CurveChart::kBufferCapacity);
    chart.Append2(-1.0f);
    EXPECT_EQ(chart.Count2(), CurveChart::kBufferCapacity);
    EXPECT_FLOAT_EQ(chart.Min(2), 0.0f);
    EXPECT_FLOAT_EQ(*chart.Value2(CurveChart::kBufferCapacity - 1), 199999.0f);
    EXPECT_FALSE(chart.Value2(CurveChart::kBufferCapacity).has_value());
}

TEST(CurveChart, ViewWindowOfManyAndFewSamples) {
    CurveChart chart;
    const std::vector<float> many = Ramp(10000);
    chart.Load1(many.data(), 10000);
    chart.SetFirstIndex(100);
    chart.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    EXPECT_EQ(chart.Stride(), 19);
    EXPECT_EQ(chart.PixelStep(), 1);
    ASSERT_EQ(chart.Points(1).size(), 512u);
    EXPECT_EQ(chart.SourceIndex(0), 100);
    EXPECT_EQ(chart.SourceIndex(511), 100 + 9709);
    EXPECT_EQ(chart.Points(1)[511].x, 511);

    CurveChart few;
    const std::vector<float> hundred = Ramp(100);
    few.Load1(hundred.data(), 100);
    few.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    EXPECT_EQ(few.Stride(), 1);
    EXPECT_EQ(few.PixelStep(), 5);
    ASSERT_EQ(few.Points(1).size(), 100u);
    EXPECT_EQ(few.Points(1).back().x, 495);
    // Compute-only leaves the bitmap untouched.
    EXPECT_TRUE(RowsWith(few, 250, kRed).empty());
}

TEST(CurveChart, ZoomKeepsAtLeastFourSamplesInView) {
    CurveChart chart;
    const std::vector<float> ten = Ramp(10);
    chart.Load1(ten.data(), 10);
    chart.Zoom(+1);
    EXPECT_EQ(chart.ZoomExponent(), 1);  // 2 · 4 = 8 ≤ 10
    chart.Zoom(+1);
    EXPECT_EQ(chart.ZoomExponent(), 1);  // 4 · 4 = 16 > 10: undone
    chart.Zoom(-1);
    chart.Zoom(-1);
    EXPECT_EQ(chart.ZoomExponent(), 0);
    chart.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    EXPECT_EQ(chart.PixelStep(), 51);

    CurveChart empty;
    empty.Zoom(+1);
    EXPECT_EQ(empty.ZoomExponent(), 0);

    // Zoomed in on 10000 samples: 2500 per view, stride 4.
    const std::vector<float> many = Ramp(10000);
    CurveChart zoomed;
    zoomed.Load1(many.data(), 10000);
    zoomed.Zoom(+1);
    zoomed.Zoom(+1);
    zoomed.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    EXPECT_EQ(zoomed.Stride(), 4);
}

TEST(CurveChart, CursorRoundsToTheNearestPointTiesToTheLeft) {
    CurveChart chart;
    const std::vector<float> hundred = Ramp(100);
    chart.Load1(hundred.data(), 100);
    chart.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    EXPECT_EQ(chart.CursorPosition(), 0);  // from the start position −1
    EXPECT_EQ(chart.SetCursor(2), 0);
    EXPECT_EQ(chart.SetCursor(3), 1);
    EXPECT_EQ(chart.CursorPosition(), 5);
    EXPECT_EQ(chart.SetCursor(-40), 0);
    EXPECT_EQ(chart.SetCursor(600), 99);
    EXPECT_EQ(chart.CursorPosition(), 495);

    CurveChart even;
    const std::vector<float> values = Ramp(128);  // pixel step 4
    even.Load1(values.data(), 128);
    even.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    EXPECT_EQ(even.SetCursor(6), 1);
    EXPECT_EQ(even.SetCursor(7), 2);

    // The cursor survives a recomputation at its pixel position.
    even.SetFirstIndex(2);
    even.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    EXPECT_EQ(even.CursorPoint(), 2);
    EXPECT_EQ(even.SourceIndex(even.CursorPoint()), 4);
}

// Leftmost and rightmost column with black text pixels in the cursor text rows.
std::pair<int, int> TextColumns(const CurveChart& chart) {
    int left = CurveChart::kSize;
    int right = -1;
    for (int y = CurveChart::kCursorTextTop; y < CurveChart::kSize; ++y) {
        for (int x = 0; x < CurveChart::kSize; ++x) {
            if (qGray(chart.Image().pixel(x, y)) < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

TEST(CurveChart, CursorTextMovesLeftAtTheRightEdge) {
    CurveChart chart;
    const std::vector<float> values = Ramp(600);
    chart.Load1(values.data(), 600);
    chart.ClearAndDrawGrid();
    chart.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    chart.SetCursorText(QStringLiteral("2010-01-05 08:03:00 and more text beyond fifty characters"), 57);
    EXPECT_EQ(chart.CursorText().size(), 50);
    chart.SetCursorText(QStringLiteral("2010-01-05 08:03:00"), 19);

    chart.SetCursor(100);
    chart.DrawCursor();
    EXPECT_EQ(Pixel(chart, 100, 20), kRed);
    EXPECT_GE(TextColumns(chart).first, 100);

    chart.ClearAndDrawGrid();
    chart.SetCursor(505);
    chart.DrawCursor();
    EXPECT_EQ(Pixel(chart, 505, 20), kRed);
    const auto [left, right] = TextColumns(chart);
    EXPECT_LE(right, 505);
    EXPECT_LT(left, 505 - 40);
}

TEST(CurveChart, LimitLinesOutsideTheBandAreClamped) {
    CurveChart chart;
    const std::vector<float> values{20, 25, 30};
    chart.Load1(values.data(), 3);
    chart.Load2(values.data(), 3);
    chart.ClearAndDrawGrid();
    chart.DrawLimitLines1(1000.0f, -1000.0f);
    chart.DrawLimitLines2(1000.0f, 25.0f);
    const QRgb red = qRgb(250, 0, 0);
    const QRgb blue = qRgb(0, 0, 250);
    EXPECT_EQ(RowsWith(chart, 10, red), (std::vector<int>{50, 450}));
    EXPECT_EQ(RowsWith(chart, 10, blue), (std::vector<int>{25, 255}));
}

TEST(CurveChart, EqualValuesDrawAFlatLineAtRow255) {
    CurveChart chart;
    for (int i = 0; i < 20; ++i)
        chart.Append1(7.25f);
    chart.ClearAndDrawGrid();
    chart.ComputeCurve1(CurveChart::CurveMode::Draw);
    for (const auto& point : chart.Points(1))
        ASSERT_EQ(point.y, 255);
    const std::vector<int> rows = RowsWith(chart, 100, kRed);
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), 254);
    EXPECT_LE(rows.back(), 256);
}

TEST(CurveChart, InitialiseForgetsValuesWindowAndCursor) {
    CurveChart chart;
    const std::vector<float> values = Ramp(1000);
    chart.Load1(values.data(), 1000);
    chart.Zoom(+1);
    chart.SetFirstIndex(30);
    chart.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    chart.SetCursor(200);
    chart.Initialise();
    EXPECT_EQ(chart.Count1(), 0);
    EXPECT_EQ(chart.ZoomExponent(), 0);
    EXPECT_EQ(chart.FirstIndex(), 0);
    EXPECT_EQ(chart.CursorPosition(), -1);
    EXPECT_FLOAT_EQ(*chart.Value1(5), 0.0f);
    chart.Append1(4.0f);
    EXPECT_FLOAT_EQ(chart.Max(1), 4.0f);
}

}  // namespace
}  // namespace veldrin

namespace veldrin {
namespace {

int CountColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += Pixel(image, x, y) == colour;
    }
    return count;
}

TEST(PixelLines, LinesIncludeBothEndsAndWideLinesAreDoubledAcrossTheirDirection) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRgb red = qRgb(200, 0, 0);
    DrawPixelLine(image, {2, 3}, {11, 6}, red, 1);
    EXPECT_EQ(Pixel(image, 2, 3), red);
    EXPECT_EQ(Pixel(image, 11, 6), red);
    EXPECT_EQ(CountColour(image, red), 10);  // one pixel per column of an x-major line

    image.fill(Qt::white);
    DrawPixelLine(image, {5, 15}, {6, 2}, red, 2);  // y-major: doubled to the right
    EXPECT_EQ(CountColour(image, red), 2 * 14);
    EXPECT_EQ(Pixel(image, 6, 15), red);
    EXPECT_EQ(Pixel(image, 7, 2), red);

    image.fill(Qt::white);
    const std::vector<QPoint> corners{{-5, 10}, {30, 10}, {30, 40}};
    DrawPixelPolyline(image, corners, red, 2);  // clipped to the image
    EXPECT_EQ(CountColour(image, red), 2 * 20);
}

TEST(CurveChart, ShowSamplePutsTheCursorOnThatSampleAtEveryZoom) {
    CurveChart chart;
    std::vector<float> values(100000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<float>(i % 97);
    chart.Load1(values.data(), static_cast<int>(values.size()));
    for (const int zoom : {0, 3, 9}) {
        while (chart.ZoomExponent() < zoom)
            chart.Zoom(+1);
        for (const int index : {0, 7, 80000, 99999}) {
            chart.ShowSample(index);
            chart.ClearAndDrawGrid();
            chart.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
            EXPECT_EQ(chart.SourceIndex(chart.CursorPoint()), index) << "zoom " << zoom;
            EXPECT_LE(chart.FirstIndex(), index);
        }
    }
    chart.ShowSample(80000);
    EXPECT_LT(chart.FirstIndex(), 80000) << "readings before the sample stay in view";
}

}  // namespace
}  // namespace veldrin
