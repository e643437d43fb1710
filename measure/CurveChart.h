#pragma once
// The 512 × 512 off-screen chart of up to two measurement curves. It keeps its own copy of the
// values (200000 per channel) and knows of time stamps only through the source index of each
// drawn point. Two instances live for the whole run: the realtime chart and the history chart.
#include <QImage>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace veldrin {

// The colour of the overlay curve and of its title on the page.
constexpr QRgb kOverlayColour = qRgb(0, 140, 0);

class CurveChart {
  public:
    static constexpr int kSize = 512;
    static constexpr int kBufferCapacity = 200000;
    static constexpr int kMaxPoints = 512;
    static constexpr int kLabelCount = 9;
    // The grid lines stand this many pixels apart both ways, the first this far from the edge.
    static constexpr int kGridSpacing = 32;
    static constexpr int kCursorTextMax = 50;
    static constexpr int kCursorTextTop = 490;

    // Whether the channel-1 curve computation also draws the curve.
    enum class CurveMode { Draw, ComputeOnly };

    // Vertical placement of one channel: its whole-data range spans rows bottom … top, and its
    // limit lines outside that band are drawn at the clamp rows.
    struct Band {
        int bottom;
        int top;
        int clampBelow;
        int clampAbove;
        int labelBottom;  // band rows the axis labels are computed from
        int labelTop;
    };

    struct DrawnPoint {
        float value;
        int sourceIndex;
        int x;
        int y;
    };

    CurveChart();

    // Back to the start state: counts, statistics, labels, view window and cursor.
    void Initialise();
    // The picture is drawn `scale` times as large (at least 1): a page shown larger draws its
    // chart at its own resolution. Everything else (points, rows, cursor, labels) stays in the
    // 512 × 512 plot it describes.
    void SetScale(double scale);
    double Scale() const { return scale_; }

    void Append1(float value) { Append(channels_[0], value); }
    void Append2(float value) { Append(channels_[1], value); }
    void Load1(const float* values, int count) { Load(channels_[0], values, count); }
    void Load2(const float* values, int count) { Load(channels_[1], values, count); }

    void ClearAndDrawGrid();
    // Computes the view window and the channel-1 points, draws them unless `mode` says not to,
    // then places the cursor from its stored pixel position.
    void ComputeCurve1(CurveMode mode);
    void DrawCurve2();
    // A computed curve on channel 1's scale, in its own colour (the dew point of a
    // temperature-humidity history): channel 1's scale and labels widen to hold it. Loading no
    // values (count 0) takes it away and gives channel 1 its own scale back. Load it after Load1.
    void LoadOverlay(const float* values, int count);
    // Draws the overlay's points in the view the last ComputeCurve1 computed.
    void DrawOverlay();
    int OverlayCount() const { return overlay_.count; }
    void DrawLimitLines1(float first, float second) { DrawLimitLines(channels_[0], first, second); }
    void DrawLimitLines2(float first, float second) { DrawLimitLines(channels_[1], first, second); }

    void SetFirstIndex(int index) { firstIndex_ = index; }
    // The first index whose view ends at the last channel-1 sample, at the present zoom: the
    // furthest a scroll needs to go.
    int LastScreenStart();
    // Puts sample `index` of channel 1 under the cursor at the present zoom: the view starts up to
    // a quarter of the chart's points before it (fewer near the first sample).
    void ShowSample(int index);
    // +1 zooms in, −1 out; at least four samples stay in view and the exponent never drops below 0.
    void Zoom(int direction);
    // Moves the cursor to the drawn point nearest pixel column `position`; returns its point index.
    int SetCursor(int position);
    void DrawCursor();
    // Keeps the first min(length, 50) characters of `text`.
    void SetCursorText(const QString& text, int length);

    // The picture: 512 × 512 pixels times the scale.
    const QImage& Image() const { return image_; }
    std::optional<float> Value1(int index) const { return ValueAt(channels_[0], index); }
    std::optional<float> Value2(int index) const { return ValueAt(channels_[1], index); }
    int Count1() const { return channels_[0].count; }
    int Count2() const { return channels_[1].count; }
    float Min(int channel) const { return Channel(channel).min; }
    float Max(int channel) const { return Channel(channel).max; }
    float Average(int channel) const { return Channel(channel).average; }
    const std::array<float, kLabelCount>& Labels(int channel) const { return Channel(channel).labels; }
    // The drawn points of the last curve computation of a channel (1 or 2).
    const std::vector<DrawnPoint>& Points(int channel) const { return Channel(channel).points; }
    // Source index of drawn channel-1 point `point`, or −1 when there is no such point.
    int SourceIndex(int point) const;
    // Pixel row of `value` in the band of `channel` under the channel's whole-data range.
    double ValueToRow(int channel, float value) const;

    int ZoomExponent() const { return zoom_; }
    int FirstIndex() const { return firstIndex_; }
    int Stride() const { return stride_; }
    int PixelStep() const { return pixelStep_; }
    int CursorPosition() const { return cursorPosition_; }
    int CursorPoint() const { return cursorPoint_; }
    QString CursorText() const { return cursorText_.left(cursorLength_); }

  private:
    struct ChannelData {
        Band band;
        std::vector<float> values;
        int count = 0;
        float min = 0;
        float max = 0;
        float sum = 0;
        float average = 0;
        std::array<float, kLabelCount> labels{};
        std::vector<DrawnPoint> points;
        QRgb curveColour = 0;
        QRgb limitColour = 0;
    };

    const ChannelData& Channel(int channel) const { return channels_[channel == 2 ? 1 : 0]; }
    static std::optional<float> ValueAt(const ChannelData& data, int index);
    static double RowIn(const ChannelData& data, float value);
    void Append(ChannelData& data, float value);
    void Load(ChannelData& data, const float* values, int count);
    void RefreshStatistics(ChannelData& data);
    void RefreshLabels(ChannelData& data);
    void ComputeViewWindow();
    void ComputePoints(ChannelData& data);
    void DrawPolyline(const ChannelData& data);
    void DrawLimitLines(const ChannelData& data, float first, float second);
    // A plot coordinate or line width in picture pixels.
    int Px(int plot) const;
    int LineWidth(int width) const;

    QImage image_;
    double scale_ = 1.0;
    std::array<ChannelData, 2> channels_;
    ChannelData overlay_;
    int zoom_ = 0;
    int firstIndex_ = 0;
    int stride_ = 1;
    int pixelStep_ = 1;
    int cursorPosition_ = -1;
    int cursorPoint_ = 0;
    QString cursorText_;
    int cursorLength_ = 0;
};

}  // namespace veldrin
