#include "print/CurvePageRenderer.h"

#include <algorithm>

#include "logger/Gbk.h"
#include "logger/TextFormat.h"
#include "print/PrintFormat.h"

namespace veldrin {
namespace {

constexpr int kStripsPerPage = 3;
constexpr int kGridLines = 9;
constexpr int kAxisLabels = 5;
constexpr int kTimeLabels = 8;
// Axis labels are cut to these GBK byte counts so that they stay clear of the strip.
constexpr std::size_t kLeftLabelBytes = 10;
constexpr std::size_t kRightLabelBytes = 8;
constexpr int kPolylineRun = 32;

// Pens, widths in device pixels as the layout gives them for its surface.
QPen SolidPen(double width, int grey) {
    return QPen(QBrush(QColor(grey, grey, grey)), width, Qt::SolidLine);
}
QPen AxisPen(const CurvePageLayout& layout) {
    return SolidPen(layout.boldLineWidth, 0);
}
QPen GridPen(const CurvePageLayout& layout) {
    return SolidPen(layout.fineLineWidth, 100);
}
QPen Channel1Pen(const CurvePageLayout& layout) {
    return SolidPen(layout.boldLineWidth, 0);
}
QPen Channel2Pen(const CurvePageLayout& layout) {
    return SolidPen(layout.fineLineWidth, 0);
}

void DrawAxisLabels(QPainter& painter, const CurvePageLayout& layout, int strip, int x,
                    const std::array<float, 5>& labels, const std::string& unit, std::size_t maxBytes) {
    for (int k = 0; k < kAxisLabels; ++k) {
        const std::string text = Printf("%4.2f", static_cast<double>(labels[k])) + unit;
        const int y = static_cast<int>(strip * layout.stripPitch + layout.labelTop + k * layout.labelStep);
        DrawTextAt(painter, x, y, CutUtf8ToGbkBytes(text, maxBytes));
    }
}

void DrawCurve(QPainter& painter, const CurvePageLayout& layout, const QPen& pen, int legendX,
               const std::vector<QPoint>& points) {
    painter.setPen(pen);
    painter.drawLine(legendX, layout.legendY, legendX + layout.legendLength, layout.legendY);
    // Drawn in short runs that share their end points: a wide pen on a raster image strokes a
    // long zigzag as one outline whose cost grows with the square of its turns.
    const int count = static_cast<int>(points.size());
    for (int first = 0; first < count - 1; first += kPolylineRun) {
        painter.drawPolyline(points.data() + first, std::min(kPolylineRun + 1, count - first));
    }
}

void DrawStrip(QPainter& painter, const CurvePageLayout& layout, const PrintPageSource& source, int page,
               int strip, CurveBuffers& buffers) {
    const HistoryDataSet& history = source.history;
    const PrintSelection& selection = source.selection;
    const int top = strip * layout.stripPitch + layout.stripTop;
    const int axisY = top + layout.axisHeight;

    painter.setPen(AxisPen(layout));
    painter.drawLine(layout.stripLeft, top, layout.stripLeft, axisY);
    painter.drawLine(layout.stripLeft, axisY, layout.stripLeft + layout.stripWidth, axisY);
    painter.setPen(GridPen(layout));
    for (int j = 1; j <= kGridLines; ++j) {
        const int y = static_cast<int>(top + j * layout.gridStep);
        painter.drawLine(layout.stripLeft, y, layout.stripLeft + layout.stripWidth, y);
    }

    painter.setFont(PageFont(layout.stripFontPixels));
    painter.setPen(Qt::black);
    const bool channel1 = ChannelPrinted(history, 1);
    const bool channel2 = ChannelPrinted(history, 2);
    // The labels are in the selection's unit already; a temperature's "°C" becomes its text.
    if (channel1) {
        DrawAxisLabels(painter, layout, strip, layout.leftLabelX, selection.labels1,
                       ChannelUnitText(history.summary.channel1Unit, ChannelUnit(history, 1, selection.unit)),
                       kLeftLabelBytes);
    }
    if (channel2) {
        DrawAxisLabels(painter, layout, strip, layout.rightLabelX, selection.labels2,
                       ChannelUnitText(history.summary.channel2Unit, ChannelUnit(history, 2, selection.unit)),
                       kRightLabelBytes);
    }

    BuildStripPoints(selection, layout, (page - 2) * kStripsPerPage + strip, buffers);
    if (channel1)
        DrawCurve(painter, layout, Channel1Pen(layout), layout.leftLabelX, buffers.points1);
    if (channel2)
        DrawCurve(painter, layout, Channel2Pen(layout), layout.rightLabelX, buffers.points2);

    const QPen tickPen = channel2 ? Channel2Pen(layout) : Channel1Pen(layout);
    for (int k = 0; k < kTimeLabels; ++k) {
        const int index = buffers.pairIndex[static_cast<std::size_t>(layout.labelStride * k)];
        const int x = static_cast<int>(layout.timeLabelLeft + layout.labelStride * layout.columnPitch * k);
        painter.setPen(Qt::black);
        DrawTextAt(painter, x, strip * layout.stripPitch + layout.timeLabelTop,
                   FormatPrintTime(selection.times[static_cast<std::size_t>(index)]));
        painter.setPen(tickPen);
        painter.drawLine(x, axisY, x, axisY - layout.tickLength);
    }
}

}  // namespace

void RenderCurvePage(QPainter& painter, CurvePageLayout layout, const PrintPageSource& source, int page,
                     CurveBuffers& buffers) {
    const PageFrame frame{layout.pageWidth,   layout.pageHeight,  layout.pageFontPixels, layout.pageNumberX,
                          layout.pageNumberY, layout.summaryLeft, layout.summaryTop,     layout.summaryStep,
                          layout.stripLeft,   layout.stripTop,    layout.fineLineWidth};
    if (DrawPageFrame(painter, frame, source, page))
        return;
    for (int strip = 0; strip < kStripsPerPage; ++strip) {
        DrawStrip(painter, layout, source, page, strip, buffers);
    }
}

}  // namespace veldrin
