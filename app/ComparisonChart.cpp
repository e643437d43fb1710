#include "app/ComparisonChart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace veldrin {
namespace {

constexpr int kScaleWidth = 64;  // room for one value scale and its title
constexpr int kBareMargin = 16;  // a side without a scale
constexpr int kTopMargin = 12;
constexpr int kAxisHeight = 36;      // the time labels under the plot
constexpr double kShortestView = 4;  // seconds
constexpr int kValueTicks = 6;
constexpr double kWheelStep = 0.8;  // the span shown after one notch of the wheel, as a share
constexpr int kDragThreshold = 4;   // pixels a drag must cover to zoom

const QColor kGrid(225, 225, 225);
const QColor kCursor(80, 80, 80);

// The span of the finite values of a channel, nothing when it has none.
std::optional<ValueRange> SpanOf(const ComparisonCurve& curve) {
    const float* values = curve.Values();
    float low = std::numeric_limits<float>::infinity();
    float high = -low;
    for (int i = 0; i < curve.Count(); ++i) {
        if (std::isfinite(values[i])) {
            low = std::min(low, values[i]);
            high = std::max(high, values[i]);
        }
    }
    if (low > high)
        return std::nullopt;
    return ValueRange{low, high};
}

// A round step for about `count` ticks over `span`: 1, 2 or 5 times a power of ten.
double ValueStep(double span, int count) {
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10 * power;
}

}  // namespace

std::optional<float> ComparisonCurve::ValueAt(double time) const {
    const int count = Count();
    if (count == 0 || time < static_cast<double>(Times()[0]) ||
        time > static_cast<double>(Times()[count - 1]))
        return std::nullopt;
    const std::time_t* after =
        std::upper_bound(Times(), Times() + count, static_cast<std::time_t>(std::floor(time)));
    const float value = Values()[after - Times() - 1];
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

ComparisonChart::ComparisonChart(std::vector<ComparisonCurve> curves, TemperatureUnit unit, QWidget* parent)
    : QWidget(parent), curves_(std::move(curves)), unit_(unit) {
    setMouseTracking(true);
    setMinimumSize(400, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    bool any = false;
    for (const ComparisonCurve& curve : curves_) {
        if (curve.Count() == 0)
            continue;
        const double first = static_cast<double>(curve.Times()[0]);
        const double last = static_cast<double>(curve.Times()[curve.Count() - 1]);
        fullStart_ = any ? std::min(fullStart_, first) : first;
        fullEnd_ = any ? std::max(fullEnd_, last) : last;
        any = true;
    }
    if (fullEnd_ - fullStart_ < kShortestView)
        fullEnd_ = fullStart_ + kShortestView;
    Reset();
}

bool ComparisonChart::HasTemperatureScale() const {
    return std::any_of(curves_.begin(), curves_.end(), [](const ComparisonCurve& c) { return !c.humidity; });
}

bool ComparisonChart::HasHumidityScale() const {
    return std::any_of(curves_.begin(), curves_.end(), [](const ComparisonCurve& c) { return c.humidity; });
}

void ComparisonChart::SetUnit(TemperatureUnit unit) {
    unit_ = unit;
    update();
}

double ComparisonChart::ShownValue(const ComparisonCurve& curve, float value) const {
    return curve.humidity ? value : TemperatureInUnit(value, unit_);
}

QString ComparisonChart::ScaleTitle(bool humidity) const {
    if (humidity)
        return tr("湿度(%)");
    return tr("温度(°C)").replace(QStringLiteral("°C"), QString::fromUtf8(UnitText(unit_)));
}

std::vector<ScaleTick> ComparisonChart::ScaleTicks(bool humidity) const {
    // The scale holds °C; its marks fall on round values of the unit shown.
    const TemperatureUnit unit = humidity ? TemperatureUnit::Celsius : unit_;
    const ValueRange& range = Range(humidity);
    const double low = TemperatureInUnit(range.low, unit);
    const double high = TemperatureInUnit(range.high, unit);
    const double step = ValueStep(high - low, kValueTicks);
    const QRect plot = PlotRect();
    std::vector<ScaleTick> ticks;
    for (double v = std::ceil(low / step) * step; v <= high; v += step) {
        const double held = CelsiusOf(v, unit);
        const int y = static_cast<int>(
            std::lround(plot.bottom() - (held - range.low) * (plot.height() - 1) / (range.high - range.low)));
        ticks.push_back({QString::number(v, 'f', step < 1 ? (step < 0.1 ? 2 : 1) : 0), y});
    }
    return ticks;
}

ValueRange ComparisonChart::FullRange(bool humidity) const {
    std::optional<ValueRange> span;
    auto take = [&span](double low, double high) {
        span =
            span ? ValueRange{std::min(span->low, low), std::max(span->high, high)} : ValueRange{low, high};
    };
    for (const ComparisonCurve& curve : curves_) {
        if (curve.humidity != humidity)
            continue;
        if (const std::optional<ValueRange> values = SpanOf(curve))
            take(values->low, values->high);
        if (limitsShown_)
            take(std::min(curve.lower, curve.upper), std::max(curve.lower, curve.upper));
    }
    if (!span)
        return humidity ? ValueRange{0, 100} : ValueRange{0, 40};
    const double margin = std::max(0.5, (span->high - span->low) * 0.05);
    return {span->low - margin, span->high + margin};
}

void ComparisonChart::SetView(double start, double end) {
    if (end - start < kShortestView) {
        const double middle = (start + end) / 2;
        start = middle - kShortestView / 2;
        end = middle + kShortestView / 2;
    }
    viewStart_ = start;
    viewEnd_ = end;
    update();
    emit ViewChanged();
}

void ComparisonChart::Reset() {
    temperature_ = FullRange(false);
    humidity_ = FullRange(true);
    SetView(fullStart_, fullEnd_);
}

void ComparisonChart::ZoomAround(double x, double factor) {
    const double anchor = TimeAtX(x);
    SetView(anchor - (anchor - viewStart_) * factor, anchor + (viewEnd_ - anchor) * factor);
}

void ComparisonChart::SetLimitsShown(bool shown) {
    limitsShown_ = shown;
    // The scales grow to take in the limit lines; a scale the user zoomed stays as it is.
    if (shown) {
        const ValueRange t = FullRange(false);
        const ValueRange h = FullRange(true);
        temperature_ = {std::min(temperature_.low, t.low), std::max(temperature_.high, t.high)};
        humidity_ = {std::min(humidity_.low, h.low), std::max(humidity_.high, h.high)};
    }
    update();
}

QRect ComparisonChart::PlotRect() const {
    const int left = HasTemperatureScale() ? kScaleWidth : kBareMargin;
    const int right = HasHumidityScale() ? kScaleWidth : kBareMargin;
    return QRect(left, kTopMargin, std::max(1, width() - left - right),
                 std::max(1, height() - kTopMargin - kAxisHeight));
}

double ComparisonChart::TimeAtX(double x) const {
    const QRect plot = PlotRect();
    return viewStart_ + (x - plot.left()) * (viewEnd_ - viewStart_) / plot.width();
}

double ComparisonChart::XForTime(double time) const {
    const QRect plot = PlotRect();
    return plot.left() + (time - viewStart_) * plot.width() / (viewEnd_ - viewStart_);
}

int ComparisonChart::YForValue(const ComparisonCurve& curve, double value) const {
    const QRect plot = PlotRect();
    const ValueRange& range = Range(curve.humidity);
    return static_cast<int>(
        std::lround(plot.bottom() - (value - range.low) * (plot.height() - 1) / (range.high - range.low)));
}

int ComparisonChart::LabelSpacing() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("00-00 00:00")) + 24;
}

std::vector<TimeTick> ComparisonChart::Ticks() const {
    return TimeTicks(viewStart_, viewEnd_, PlotRect().width(), LabelSpacing());
}

void ComparisonChart::SetCursorTime(double time) {
    cursor_ = time;
    update();
    emit CursorMoved(time);
}

void ComparisonChart::DrawCurve(QPainter& painter, const ComparisonCurve& curve, const QRect& plot) const {
    const int count = curve.Count();
    if (count == 0)
        return;
    const std::time_t* times = curve.Times();
    const float* values = curve.Values();
    // The readings in view, with one on either side so that the line runs on to the plot's edges.
    const auto from =
        std::lower_bound(times, times + count, static_cast<std::time_t>(std::floor(viewStart_)));
    const auto to = std::upper_bound(times, times + count, static_cast<std::time_t>(std::ceil(viewEnd_)));
    const int first = std::max(0, static_cast<int>(from - times) - 1);
    const int last = std::min(count, static_cast<int>(to - times) + 1);  // one past
    const ValueRange& range = Range(curve.humidity);
    const double yScale = (plot.height() - 1) / (range.high - range.low);
    const double xScale = plot.width() / (viewEnd_ - viewStart_);
    auto x = [&](std::size_t i) {
        return static_cast<int>(
            std::lround(plot.left() + (static_cast<double>(times[i]) - viewStart_) * xScale));
    };
    auto y = [&](float v) { return static_cast<int>(std::lround(plot.bottom() - (v - range.low) * yScale)); };

    QPolygon line;
    line.reserve(2 * plot.width() + 4);
    auto flush = [&] {
        if (line.size() > 1)
            painter.drawPolyline(line);
        else if (line.size() == 1)
            painter.drawPoint(line[0]);
        line.clear();
    };
    auto add = [&](int i) {
        if (std::isfinite(values[i]))
            line.append(QPoint(x(static_cast<std::size_t>(i)), y(values[i])));
        else
            flush();
    };
    if (last - first <= 2 * plot.width()) {
        for (int i = first; i < last; ++i)
            add(i);
        flush();
        return;
    }
    // More readings than columns: each column's smallest and largest, in the order they occurred.
    add(first);
    int i = static_cast<int>(from - times);
    const int end = static_cast<int>(to - times);
    for (int column = 0; column < plot.width() && i < end; ++column) {
        const double columnEnd = viewStart_ + (column + 1) / xScale;
        int low = -1, high = -1;
        bool gap = false;
        for (; i < end && static_cast<double>(times[i]) < columnEnd; ++i) {
            const float v = values[i];
            if (!std::isfinite(v)) {
                gap = true;
                continue;
            }
            if (low < 0 || v < values[low])
                low = i;
            if (high < 0 || v > values[high])
                high = i;
        }
        if (gap && low < 0) {
            flush();
            continue;
        }
        if (low < 0)
            continue;
        const int columnX = plot.left() + column;
        const int a = std::min(low, high), b = std::max(low, high);
        line.append(QPoint(columnX, y(values[a])));
        if (b != a)
            line.append(QPoint(columnX, y(values[b])));
    }
    if (last > end)
        add(last - 1);
    flush();
}

void ComparisonChart::DrawScale(QPainter& painter, const QRect& plot, bool humidity) const {
    const QFontMetrics metrics = fontMetrics();
    for (const ScaleTick& tick : ScaleTicks(humidity)) {
        painter.setPen(kGrid);
        painter.drawLine(plot.left(), tick.y, plot.right(), tick.y);
        painter.setPen(palette().color(QPalette::WindowText));
        const int textWidth = metrics.horizontalAdvance(tick.label);
        const int textX = humidity ? plot.right() + 6 : plot.left() - 6 - textWidth;
        painter.drawText(textX, tick.y + metrics.ascent() / 2, tick.label);
    }
    const QString title = ScaleTitle(humidity);
    painter.save();
    // Turned a quarter, the title's glyphs lie on the side of its baseline the ascent points to.
    painter.translate(humidity ? width() - metrics.ascent() - 2 : metrics.ascent() + 2, plot.center().y());
    painter.rotate(humidity ? 90 : -90);
    painter.drawText(-metrics.horizontalAdvance(title) / 2, 0, title);
    painter.restore();
}

void ComparisonChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QRect plot = PlotRect();
    painter.fillRect(plot, Qt::white);
    const QFontMetrics metrics = fontMetrics();
    if (HasTemperatureScale())
        DrawScale(painter, plot, false);
    if (HasHumidityScale())
        DrawScale(painter, plot, true);
    for (const TimeTick& tick : Ticks()) {
        const int x = static_cast<int>(std::lround(XForTime(tick.time)));
        painter.setPen(kGrid);
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawLine(x, plot.bottom() + 1, x, plot.bottom() + 4);
        const int textWidth = metrics.horizontalAdvance(tick.label);
        painter.drawText(x - textWidth / 2, plot.bottom() + 6 + metrics.ascent(), tick.label);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(plot.adjusted(0, 0, -1, -1));

    painter.setClipRect(plot.adjusted(1, 1, -1, -1));
    if (limitsShown_) {
        for (const ComparisonCurve& curve : curves_) {
            painter.setPen(QPen(curve.colour, 1, Qt::DashLine));
            for (const float limit : {curve.lower, curve.upper}) {
                const int y = YForValue(curve, limit);
                painter.drawLine(plot.left(), y, plot.right(), y);
            }
        }
    }
    for (const ComparisonCurve& curve : curves_) {
        painter.setPen(QPen(curve.colour, 1));
        DrawCurve(painter, curve, plot);
    }
    if (cursor_ && *cursor_ >= viewStart_ && *cursor_ <= viewEnd_) {
        const int x = static_cast<int>(std::lround(XForTime(*cursor_)));
        painter.setPen(QPen(kCursor, 1, Qt::DotLine));
        painter.drawLine(x, plot.top(), x, plot.bottom());
    }
    if (drag_ == Drag::Zoom) {
        painter.setPen(QPen(kCursor, 1, Qt::DashLine));
        painter.setBrush(QColor(0, 120, 215, 40));
        painter.drawRect(QRect(dragFrom_, dragTo_).normalized());
    }
}

void ComparisonChart::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y();
    if (notches == 0) {
        event->ignore();
        return;
    }
    ZoomAround(event->position().x(), std::pow(kWheelStep, notches / 120.0));
    event->accept();
}

void ComparisonChart::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = dragTo_ = event->position().toPoint();
    if (event->button() == Qt::RightButton || (event->button() == Qt::LeftButton && panMode_)) {
        drag_ = Drag::Pan;
        panStart_ = viewStart_;
        panEnd_ = viewEnd_;
    } else if (event->button() == Qt::LeftButton) {
        drag_ = Drag::Zoom;
    }
}

void ComparisonChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (drag_ == Drag::Pan) {
        const double shift = (at.x() - dragFrom_.x()) * (panEnd_ - panStart_) / PlotRect().width();
        SetView(panStart_ - shift, panEnd_ - shift);
        return;
    }
    if (drag_ == Drag::Zoom) {
        dragTo_ = at;
        update();
    }
    if (PlotRect().contains(at))
        SetCursorTime(TimeAtX(at.x()));
}

void ComparisonChart::mouseReleaseEvent(QMouseEvent* event) {
    const Drag drag = std::exchange(drag_, Drag::None);
    dragTo_ = event->position().toPoint();
    if (drag != Drag::Zoom)
        return;
    const QRect band = QRect(dragFrom_, dragTo_).normalized();
    if (band.width() < kDragThreshold) {
        // A click: the cursor goes there.
        if (PlotRect().contains(dragTo_))
            SetCursorTime(TimeAtX(dragTo_.x()));
        update();
        return;
    }
    if (band.height() >= kDragThreshold) {
        const QRect plot = PlotRect();
        auto zoomValues = [&](ValueRange& range) {
            const double perPixel = (range.high - range.low) / (plot.height() - 1);
            range = {range.low + (plot.bottom() - band.bottom()) * perPixel,
                     range.low + (plot.bottom() - band.top()) * perPixel};
        };
        zoomValues(temperature_);
        zoomValues(humidity_);
    }
    SetView(TimeAtX(band.left()), TimeAtX(band.right()));
}

}  // namespace veldrin
