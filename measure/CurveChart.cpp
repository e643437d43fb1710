#include "measure/CurveChart.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "measure/PixelLines.h"

namespace veldrin {
namespace {

constexpr float kMinimumStart = 10000.0f;
constexpr float kMaximumStart = -1000.0f;
constexpr int kLabelSpacing = 64;
constexpr int kFlatRow = 255;

constexpr int kCurveWidth = 2;
const QColor kBackground(255, 255, 255);
const QRgb kGridColour = qRgb(200, 200, 200);
const QRgb kCursorColour = qRgb(200, 0, 0);

}  // namespace

CurveChart::CurveChart() : image_(kSize, kSize, QImage::Format_RGB32) {
    channels_[0].band = {355, 155, 450, 50, 155, 355};
    channels_[0].curveColour = qRgb(200, 0, 0);
    channels_[0].limitColour = qRgb(250, 0, 0);
    channels_[1].band = {405, 105, 480, 25, 105, 405};
    channels_[1].curveColour = qRgb(0, 0, 200);
    channels_[1].limitColour = qRgb(0, 0, 250);
    overlay_.curveColour = kOverlayColour;
    for (auto& channel : channels_) {
        channel.values.resize(kBufferCapacity);
        channel.points.reserve(kMaxPoints);
    }
    Initialise();
}

void CurveChart::SetScale(double scale) {
    scale = std::max(scale, 1.0);
    if (scale == scale_)
        return;
    scale_ = scale;
    const int side = Px(kSize);
    image_ = QImage(side, side, QImage::Format_RGB32);
    image_.fill(kBackground);
}

int CurveChart::Px(int plot) const {
    return static_cast<int>(std::lround(plot * scale_));
}

int CurveChart::LineWidth(int width) const {
    return std::max(1, Px(width));
}

void CurveChart::Initialise() {
    image_.fill(kBackground);
    overlay_.count = 0;
    overlay_.points.clear();
    std::fill(channels_[0].values.begin(), channels_[0].values.end(), 0.0f);
    for (int c = 0; c < 2; ++c) {
        ChannelData& channel = channels_[c];
        channel.count = 0;
        // The statistics of an empty channel: the starts a whole-data pass begins with.
        channel.min = kMinimumStart;
        channel.max = kMaximumStart;
        channel.sum = 0;
        channel.average = 0;
        channel.points.clear();
        // An empty channel's scale runs upwards like every other: the smallest label at the foot.
        const float lowestLabel = c == 0 ? 24.0f : 50.0f;
        for (int m = 0; m < kLabelCount; ++m)
            channel.labels[m] = lowestLabel + static_cast<float>(kLabelCount - 1 - m);
    }
    zoom_ = 0;
    firstIndex_ = 0;
    stride_ = 1;
    pixelStep_ = 1;
    cursorPosition_ = -1;
    cursorPoint_ = 0;
    cursorText_ = QStringLiteral("      ");
    cursorLength_ = 5;
}

std::optional<float> CurveChart::ValueAt(const ChannelData& data, int index) {
    if (index < 0 || index >= kBufferCapacity)
        return std::nullopt;
    return data.values[index];
}

void CurveChart::Append(ChannelData& data, float value) {
    // A full buffer keeps its 200000 values; the newest one is not kept.
    if (data.count >= kBufferCapacity)
        return;
    data.values[data.count] = value;
    ++data.count;
    // Appending only extends the whole-data statistics, so they are updated in place: the same
    // minimum, maximum and left-to-right float sum a full recomputation gives.
    if (value < data.min)
        data.min = value;
    if (value > data.max)
        data.max = value;
    data.sum += value;
    data.average = data.sum / static_cast<float>(data.count);
    RefreshLabels(data);
}

void CurveChart::Load(ChannelData& data, const float* values, int count) {
    data.count = std::clamp(count, 0, kBufferCapacity);
    std::copy(values, values + data.count, data.values.begin());
    RefreshStatistics(data);
}

void CurveChart::RefreshStatistics(ChannelData& data) {
    data.min = kMinimumStart;
    data.max = kMaximumStart;
    data.sum = 0;
    for (int i = 0; i < data.count; ++i) {
        const float value = data.values[i];
        if (value < data.min)
            data.min = value;
        if (value > data.max)
            data.max = value;
        data.sum += value;
    }
    data.average = data.count > 0 ? data.sum / static_cast<float>(data.count) : 0.0f;
    RefreshLabels(data);
}

void CurveChart::RefreshLabels(ChannelData& data) {
    const float range = data.max - data.min;
    const auto span = static_cast<float>(data.band.labelTop - data.band.labelBottom);
    for (int k = 0; k < kLabelCount; ++k) {
        const auto row = static_cast<float>(k * kLabelSpacing - data.band.labelBottom);
        data.labels[kLabelCount - 1 - k] = data.min + range * row / span;
    }
}

double CurveChart::RowIn(const ChannelData& data, float value) {
    if (data.min == data.max)
        return kFlatRow;
    return data.band.bottom + (static_cast<double>(value) - data.min) * (data.band.top - data.band.bottom) /
                                  (static_cast<double>(data.max) - data.min);
}

double CurveChart::ValueToRow(int channel, float value) const {
    return RowIn(Channel(channel), value);
}

void CurveChart::ClearAndDrawGrid() {
    image_.fill(kBackground);
    const int end = Px(kSize);
    for (int at = kGridSpacing; at < kSize; at += kGridSpacing) {
        DrawPixelLine(image_, {0, Px(at)}, {end, Px(at)}, kGridColour, 1);
        DrawPixelLine(image_, {Px(at), 0}, {Px(at), end}, kGridColour, 1);
    }
}

void CurveChart::ComputeViewWindow() {
    const int samplesPerStep = channels_[0].count / (1 << zoom_);
    if (samplesPerStep > kMaxPoints) {
        stride_ = samplesPerStep / kMaxPoints;
        pixelStep_ = 1;
    } else if (samplesPerStep >= 1) {
        stride_ = 1;
        pixelStep_ = kMaxPoints / samplesPerStep;
    }
}

void CurveChart::ComputePoints(ChannelData& data) {
    data.points.clear();
    for (int index = std::max(firstIndex_, 0); index < data.count && data.points.size() < kMaxPoints;
         index += stride_) {
        const int n = static_cast<int>(data.points.size());
        const float value = data.values[index];
        data.points.push_back({value, index, n * pixelStep_, static_cast<int>(RowIn(data, value))});
    }
}

void CurveChart::DrawPolyline(const ChannelData& data) {
    std::array<QPoint, kMaxPoints> corners;
    const std::size_t count = data.points.size();
    for (std::size_t n = 0; n < count; ++n)
        corners[n] = {Px(data.points[n].x), Px(data.points[n].y)};
    DrawPixelPolyline(image_, std::span<const QPoint>(corners.data(), count), data.curveColour,
                      LineWidth(kCurveWidth));
}

void CurveChart::ComputeCurve1(CurveMode mode) {
    ComputeViewWindow();
    ComputePoints(channels_[0]);
    if (mode == CurveMode::Draw)
        DrawPolyline(channels_[0]);
    SetCursor(cursorPosition_);
}

void CurveChart::LoadOverlay(const float* values, int count) {
    ChannelData& channel1 = channels_[0];
    overlay_.count = std::clamp(count, 0, kBufferCapacity);
    overlay_.values.assign(values, values + overlay_.count);
    overlay_.points.clear();
    RefreshStatistics(channel1);
    if (overlay_.count > 0) {
        overlay_.band = channel1.band;
        RefreshStatistics(overlay_);
        channel1.min = std::min(channel1.min, overlay_.min);
        channel1.max = std::max(channel1.max, overlay_.max);
        RefreshLabels(channel1);
    }
    // One scale for both: the overlay's rows are those of channel 1.
    overlay_.min = channel1.min;
    overlay_.max = channel1.max;
}

void CurveChart::DrawOverlay() {
    if (overlay_.count == 0)
        return;
    ComputePoints(overlay_);
    DrawPolyline(overlay_);
}

void CurveChart::DrawCurve2() {
    ComputePoints(channels_[1]);
    DrawPolyline(channels_[1]);
}

void CurveChart::Zoom(int direction) {
    if (direction > 0) {
        ++zoom_;
    } else if (direction < 0 && zoom_ > 0) {
        --zoom_;
    }
    if (static_cast<int>(static_cast<double>(1 << zoom_) * 4.0) > channels_[0].count)
        --zoom_;
    if (zoom_ < 0)
        ++zoom_;
}

int CurveChart::LastScreenStart() {
    ComputeViewWindow();
    const int count = channels_[0].count;
    const int samplesPerStep = count / (1 << zoom_);
    // The view holds 512 points `stride` apart, or every sample of a step when fewer.
    const int span = samplesPerStep > kMaxPoints ? (kMaxPoints - 1) * stride_ + 1 : samplesPerStep;
    return std::max(count - std::max(span, 1), 0);
}

void CurveChart::ShowSample(int index) {
    ComputeViewWindow();
    index = std::clamp(index, 0, std::max(channels_[0].count - 1, 0));
    const int before = std::min(kMaxPoints / 4, index / stride_);
    firstIndex_ = index - before * stride_;
    cursorPosition_ = before * pixelStep_;
}

int CurveChart::SetCursor(int position) {
    const int q = std::min(position, kSize);
    int index = q / pixelStep_;
    // Round up only when the remainder is more than half a step; a tie stays on the left point.
    if ((q % pixelStep_) * 2 > pixelStep_)
        ++index;
    const int pointCount = static_cast<int>(channels_[0].points.size());
    if (index >= pointCount)
        index = pointCount - 1;
    if (index < 0)
        index = 0;
    cursorPoint_ = index;
    cursorPosition_ = index * pixelStep_;
    return index;
}

int CurveChart::SourceIndex(int point) const {
    const auto& points = channels_[0].points;
    if (point < 0 || point >= static_cast<int>(points.size()))
        return -1;
    return points[point].sourceIndex;
}

void CurveChart::SetCursorText(const QString& text, int length) {
    cursorLength_ = std::clamp(length, 0, kCursorTextMax);
    cursorText_ = text.left(cursorLength_);
}

void CurveChart::DrawCursor() {
    DrawPixelLine(image_, {Px(cursorPosition_), 0}, {Px(cursorPosition_), Px(kSize)}, kCursorColour,
                  LineWidth(1));
    QPainter painter(&image_);
    // The text is placed in plot coordinates and drawn at the picture's resolution.
    painter.scale(scale_, scale_);
    const QString text = cursorText_.left(cursorLength_);
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    const int textX = cursorPosition_ + width > kSize ? cursorPosition_ - width : cursorPosition_;
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(kBackground);
    painter.drawText(textX, kCursorTextTop + metrics.ascent(), text);
}

void CurveChart::DrawLimitLines(const ChannelData& data, float first, float second) {
    for (const float limit : {first, second}) {
        // Clamped before rounding, so that a limit far outside the data never makes a huge row.
        const double exact = RowIn(data, limit);
        int row = static_cast<int>(std::clamp(exact, -1.0, static_cast<double>(kSize)));
        if (row > data.band.bottom)
            row = data.band.clampBelow;
        if (row < data.band.top)
            row = data.band.clampAbove;
        DrawPixelLine(image_, {0, Px(row)}, {Px(kSize), Px(row)}, data.limitColour, LineWidth(1));
    }
}

}  // namespace veldrin
