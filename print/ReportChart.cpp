#include "print/ReportChart.h"

#include <QCoreApplication>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "history/StatisticsText.h"
#include "logger/TextFormat.h"

namespace veldrin {
namespace {

const QColor kChannelColours[2] = {QColor(200, 0, 0), QColor(0, 0, 200)};
const QColor kExcursionShade(255, 210, 210);
const QColor kGridColour(200, 200, 200);
const QColor kAxisColour(60, 60, 60);
constexpr double kLegendHeight = 5;
constexpr double kScaleWidth = 13;
constexpr double kTimeLabelsHeight = 8;
constexpr int kMaxTimeLabels = 7;

// Where the readings go: the plot rectangle and the period it spans.
struct Plot {
    double left, top, width, height;  // millimetres
    std::time_t first, last;

    double XOf(std::time_t time) const {
        return left + width * static_cast<double>(time - first) / static_cast<double>(last - first);
    }
};

// The values a channel's scale spans: its readings, and its limits while the alarm is on,
// widened to whole multiples of a round step (1, 2, 2.5 or 5 times a power of ten) that gives
// about four divisions.
struct Scale {
    double low, high, step;
    double YOf(const Plot& plot, double value) const {
        return plot.top + plot.height * (high - value) / (high - low);
    }
    int Divisions() const { return static_cast<int>(std::lround((high - low) / step)); }
    // Decimals that show the step: none for whole steps, else one or two.
    int Decimals() const {
        if (step >= 1 && step == std::floor(step))
            return 0;
        return step * 10 == std::floor(step * 10) ? 1 : 2;
    }
};

Scale ScaleOf(const ChannelStatistics& channel) {
    double low = channel.minimum.value;
    double high = channel.maximum.value;
    if (channel.alarmOn) {
        low = std::min(low, static_cast<double>(channel.below.limit));
        high = std::max(high, static_cast<double>(channel.above.limit));
    }
    if (high - low < 0.01) {
        low -= 1;
        high += 1;
    }
    const double rough = (high - low) / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * magnitude;
    for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * magnitude >= rough) {
            step = factor * magnitude;
            break;
        }
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

void DrawLegend(ReportCanvas& canvas, const ReportSource& source, double x, double y) {
    canvas.SetFont(7);
    for (const ChannelStatistics& channel : source.statistics.channels) {
        const QColor& colour = kChannelColours[channel.channel - 1];
        canvas.Line(x, y + 1.5, x + 6, y + 1.5, colour, 0.5);
        const std::string title = ChannelTitle(channel);
        canvas.Text(x + 7, y, title);
        x += 10 + canvas.TextWidthMm(title);
    }
    if (!source.statistics.alarmOn)
        return;
    const std::string limit = QCoreApplication::translate("ReportChart", "限值").toStdString();
    canvas.Line(x, y + 1.5, x + 6, y + 1.5, kAxisColour, 0.3, Qt::DashLine);
    canvas.Text(x + 7, y, limit);
    x += 10 + canvas.TextWidthMm(limit);
    canvas.Box(x, y + 0.3, 6, 2.4, kExcursionShade);
    canvas.Text(x + 7, y, QCoreApplication::translate("ReportChart", "超限").toStdString());
}

void ShadeExcursions(ReportCanvas& canvas, const ReportSource& source, const Plot& plot) {
    const int interval = source.statistics.period.intervalSeconds;
    const double minimumWidth = 0.4;
    for (const ListedExcursion& listed : ExcursionsInTimeOrder(source.statistics)) {
        const double from = plot.XOf(listed.excursion->start);
        const double to = std::min(plot.XOf(listed.excursion->end + interval), plot.left + plot.width);
        canvas.Box(from, plot.top, std::max(to - from, minimumWidth), plot.height, kExcursionShade);
    }
}

void DrawValueScale(ReportCanvas& canvas, const Scale& scale, const Plot& plot, bool left,
                    const QColor& colour) {
    canvas.SetFont(6.5);
    for (int k = 0; k <= scale.Divisions(); ++k) {
        const double value = scale.low + k * scale.step;
        const double y = scale.YOf(plot, value) - 1.2;
        const std::string text = Printf("%.*f", scale.Decimals(), value);
        if (left) {
            canvas.TextRightAligned(plot.left - 1, y, text, colour);
        } else {
            canvas.Text(plot.left + plot.width + 1, y, text, colour);
        }
    }
}

// Grid lines at the divisions of the first channel's scale.
void DrawGrid(ReportCanvas& canvas, const Plot& plot, const Scale& scale) {
    for (int k = 0; k <= scale.Divisions(); ++k) {
        const double y = scale.YOf(plot, scale.low + k * scale.step);
        canvas.Line(plot.left, y, plot.left + plot.width, y, kGridColour, 0.15);
    }
}

void DrawTimeAxis(ReportCanvas& canvas, const Plot& plot) {
    const double bottom = plot.top + plot.height;
    canvas.Line(plot.left, bottom, plot.left + plot.width, bottom, kAxisColour, 0.3);
    canvas.Line(plot.left, plot.top, plot.left, bottom, kAxisColour, 0.3);
    canvas.Line(plot.left + plot.width, plot.top, plot.left + plot.width, bottom, kAxisColour, 0.3);
    const long long step = TimeLabelStep(static_cast<long long>(plot.last) - plot.first, kMaxTimeLabels);
    canvas.SetFont(6.5);
    for (std::time_t t = FirstLabelTime(plot.first, step); t <= plot.last; t += step) {
        const double x = plot.XOf(t);
        canvas.Line(x, plot.top, x, bottom, kGridColour, 0.15);
        canvas.Line(x, bottom, x, bottom + 1, kAxisColour, 0.3);
        std::tm f{};
        localtime_r(&t, &f);
        canvas.TextCentred(x, bottom + 1.2,
                           Printf("%04d-%02d-%02d", f.tm_year + 1900, f.tm_mon + 1, f.tm_mday));
        canvas.TextCentred(x, bottom + 4.2, Printf("%02d:%02d", f.tm_hour, f.tm_min));
    }
}

// The readings of one channel, at most two points per device pixel column: the smallest and the
// largest reading of the column in the order they occurred, so short spikes stay visible.
void DrawCurve(ReportCanvas& canvas, const ReportSource& source, const Plot& plot, const Scale& scale,
               const ChannelStatistics& channel) {
    const SampleSeries& samples = source.history.samples;
    const float* values = channel.channel == 1 ? samples.Values1() : samples.Values2();
    const int columns = std::max(1, static_cast<int>(canvas.X(plot.width)));
    struct Column {
        int lowest = -1, highest = -1;
    };
    std::vector<Column> extremes(static_cast<std::size_t>(columns));
    for (int i = source.range.first; i <= source.range.Last(); ++i) {
        const double share = (plot.XOf(samples.Time(i)) - plot.left) / plot.width;
        const auto column =
            static_cast<std::size_t>(std::clamp(static_cast<int>(share * columns), 0, columns - 1));
        Column& c = extremes[column];
        if (c.lowest < 0 || values[i] < values[c.lowest])
            c.lowest = i;
        if (c.highest < 0 || values[i] > values[c.highest])
            c.highest = i;
    }
    QPolygonF points;
    auto add = [&](int i) {
        points << QPointF(canvas.X(plot.XOf(samples.Time(i))),
                          canvas.Y(scale.YOf(plot, ReadingInUnit(channel, values[i], source.unit))));
    };
    for (const Column& c : extremes) {
        if (c.lowest < 0)
            continue;
        add(std::min(c.lowest, c.highest));
        if (c.lowest != c.highest)
            add(std::max(c.lowest, c.highest));
    }
    QPainter& painter = canvas.Painter();
    painter.setPen(canvas.PenOf(kChannelColours[channel.channel - 1], 0.3));
    painter.setBrush(Qt::NoBrush);
    if (points.size() == 1) {
        painter.drawPoint(points.front());
        return;
    }
    painter.drawPolyline(points);
}

void DrawLimitLines(ReportCanvas& canvas, const Plot& plot, const Scale& scale,
                    const ChannelStatistics& channel) {
    if (!channel.alarmOn)
        return;
    const QColor& colour = kChannelColours[channel.channel - 1];
    for (const LimitStatistics* limit : {&channel.below, &channel.above}) {
        const double y = scale.YOf(plot, limit->limit);
        canvas.Line(plot.left, y, plot.left + plot.width, y, colour, 0.3, Qt::DashLine);
    }
}

}  // namespace

long long TimeLabelStep(long long spanSeconds, int maxLabels) {
    static constexpr std::array<long long, 16> kSteps{60,     300,     600,     900,    1800,  3600,
                                                      7200,   10800,   21600,   43200,  86400, 172800,
                                                      604800, 1209600, 2592000, 7776000};
    for (const long long step : kSteps) {
        if (spanSeconds / step + 1 <= maxLabels)
            return step;
    }
    return std::max(kSteps.back(), spanSeconds / std::max(maxLabels - 1, 1));
}

std::time_t FirstLabelTime(std::time_t from, long long step) {
    std::tm f{};
    localtime_r(&from, &f);
    const long long local = static_cast<long long>(from) + f.tm_gmtoff;
    const long long aligned = (local + step - 1) / step * step;
    return static_cast<std::time_t>(aligned - f.tm_gmtoff);
}

void DrawReportChart(ReportCanvas& canvas, const ReportSource& source, double leftMm, double topMm,
                     double widthMm, double heightMm) {
    const HistoryStatistics& statistics = source.statistics;
    DrawLegend(canvas, source, leftMm + kScaleWidth, topMm);
    Plot plot{leftMm + kScaleWidth,      topMm + kLegendHeight,
              widthMm - 2 * kScaleWidth, heightMm - kLegendHeight - kTimeLabelsHeight,
              statistics.period.first,   std::max(statistics.period.last, statistics.period.first + 1)};
    canvas.Box(plot.left, plot.top, plot.width, plot.height, Qt::white);
    ShadeExcursions(canvas, source, plot);
    if (!statistics.channels.empty())
        DrawGrid(canvas, plot, ScaleOf(statistics.channels.front()));
    DrawTimeAxis(canvas, plot);
    canvas.Painter().save();
    canvas.Painter().setClipRect(
        QRectF(canvas.X(plot.left), canvas.Y(plot.top), canvas.X(plot.width), canvas.Y(plot.height)));
    for (const ChannelStatistics& channel : statistics.channels) {
        const Scale scale = ScaleOf(channel);
        DrawLimitLines(canvas, plot, scale, channel);
        DrawCurve(canvas, source, plot, scale, channel);
    }
    canvas.Painter().restore();
    for (const ChannelStatistics& channel : statistics.channels)
        DrawValueScale(canvas, ScaleOf(channel), plot,
                       channel.channel == 1 || statistics.channels.size() == 1,
                       kChannelColours[channel.channel - 1]);
}

}  // namespace veldrin
