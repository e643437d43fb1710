#pragma once
// The comparison chart: several histories' curves over one real time axis, temperatures on the
// left scale, humidities on the right one. It draws the visible part of each curve itself, as the
// smallest and largest reading of every pixel column (or reading by reading when there are fewer
// readings than columns), so that a zoom or a pan redraws ten curves of 100000 readings in a few
// milliseconds. The wheel zooms the time axis around the mouse, a left drag draws a rectangle to
// zoom to, a right drag (or a left drag in pan mode) pans; a move or a click places the cursor.
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

#include "app/ComparisonTimeAxis.h"
#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

// One history's channel as the chart draws it. The values stay in `history`, which the curve
// keeps alive; `times` holds the readings' times, which must not decrease (times of one history
// are shared by its curves).
struct ComparisonCurve {
    QString name;
    QColor colour;
    std::shared_ptr<const HistoryDataSet> history;
    std::shared_ptr<const std::vector<std::time_t>> times;
    int channel = 1;        // 1 or 2
    bool humidity = false;  // drawn on the humidity scale
    float lower = 0, upper = 0;

    int Count() const { return static_cast<int>(times->size()); }
    const std::time_t* Times() const { return times->data(); }
    const float* Values() const {
        return channel == 1 ? history->samples.Values1() : history->samples.Values2();
    }
    // The value of the reading at or before `time`; nothing before the first reading, after the
    // last one, or for a missing reading.
    std::optional<float> ValueAt(double time) const;
};

// A value scale: the span from bottom to top of the plot.
struct ValueRange {
    double low = 0, high = 1;
};

// A mark of a value scale: its label, in the unit shown, and the pixel row it stands at.
struct ScaleTick {
    QString label;
    int y = 0;
};

class ComparisonChart : public QWidget {
    Q_OBJECT
  public:
    // The curves hold °C; the temperature scale and values are shown in `unit`.
    explicit ComparisonChart(std::vector<ComparisonCurve> curves,
                             TemperatureUnit unit = TemperatureUnit::Celsius, QWidget* parent = nullptr);

    const std::vector<ComparisonCurve>& Curves() const { return curves_; }

    // The visible time span in seconds since the epoch.
    double ViewStart() const { return viewStart_; }
    double ViewEnd() const { return viewEnd_; }
    // The whole time span of every curve, which Reset shows.
    double FullStart() const { return fullStart_; }
    double FullEnd() const { return fullEnd_; }
    ValueRange TemperatureRange() const { return temperature_; }
    ValueRange HumidityRange() const { return humidity_; }
    bool HasTemperatureScale() const;
    bool HasHumidityScale() const;

    // The unit temperatures are shown in. The scale follows it; the curves stay where they are.
    TemperatureUnit Unit() const { return unit_; }
    void SetUnit(TemperatureUnit unit);
    // A value of `curve` as shown: temperatures in the unit, humidities as they are.
    double ShownValue(const ComparisonCurve& curve, float value) const;
    // The title of the temperature or the humidity scale, and its marks at the present view and size.
    QString ScaleTitle(bool humidity) const;
    std::vector<ScaleTick> ScaleTicks(bool humidity) const;

    // Shows [start, end] (kept to at least a few seconds).
    void SetView(double start, double end);
    // Back to every curve's whole period and the scales of all their values.
    void Reset();
    // Zooms the time axis by `factor` (below 1 zooms in) around pixel column `x`.
    void ZoomAround(double x, double factor);
    void SetLimitsShown(bool shown);
    bool LimitsShown() const { return limitsShown_; }
    // In pan mode a left drag pans instead of drawing a zoom rectangle.
    void SetPanMode(bool pan) { panMode_ = pan; }

    // The rectangle the curves are drawn in, and the mapping between it and times and values.
    QRect PlotRect() const;
    double TimeAtX(double x) const;
    double XForTime(double time) const;
    int YForValue(const ComparisonCurve& curve, double value) const;
    // The time axis ticks at the present view and size.
    std::vector<TimeTick> Ticks() const;

    std::optional<double> CursorTime() const { return cursor_; }
    void SetCursorTime(double time);

  signals:
    void CursorMoved(double time);
    void ViewChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    enum class Drag { None, Zoom, Pan };

    ValueRange FullRange(bool humidity) const;
    const ValueRange& Range(bool humidity) const { return humidity ? humidity_ : temperature_; }
    int LabelSpacing() const;
    void DrawCurve(class QPainter& painter, const ComparisonCurve& curve, const QRect& plot) const;
    void DrawScale(QPainter& painter, const QRect& plot, bool humidity) const;

    std::vector<ComparisonCurve> curves_;
    TemperatureUnit unit_;
    double fullStart_ = 0, fullEnd_ = 1;
    double viewStart_ = 0, viewEnd_ = 1;
    ValueRange temperature_, humidity_;
    bool limitsShown_ = false;
    bool panMode_ = false;
    std::optional<double> cursor_;
    Drag drag_ = Drag::None;
    QPoint dragFrom_, dragTo_;
    double panStart_ = 0, panEnd_ = 0;
};

}  // namespace veldrin
