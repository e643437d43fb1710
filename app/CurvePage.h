#pragma once
// A curve page: the chart picture at (40, 27) with the texts its draw routine lists around it
// (the time axis labels along its top among them), a trackbar that sets the first sample drawn, "缩小" /
// "放大" to zoom, and a click that places the cursor. The realtime and the history page differ only in their
// draw routine.
#include <QSize>
#include <QWidget>
#include <functional>
#include <vector>

#include "measure/CurvePageDrawing.h"

class QPushButton;
class QSlider;

namespace veldrin {

class CurvePage : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kChartLeft = kCurvePageChartLeft;
    static constexpr int kChartTop = kCurvePageChartTop;
    static constexpr int kTrackbarMaximum = 30000;
    // Up to this size the page is drawn as designed; a larger page draws its chart, texts and
    // controls scaled by as much as fits both ways.
    static constexpr QSize kGrowsBeyond{700, 600};

    // Redraws the chart and returns the texts around it.
    using DrawRoutine = std::function<std::vector<PageText>(CurveChart&)>;

    CurvePage();

    // `chart` must outlive the page, or be replaced by null, which shows an empty page.
    void SetChart(CurveChart* chart, DrawRoutine draw);
    // The realtime page lets the trackbar reach every value of its chart.
    void SetTrackbarMaximum(int maximum);
    // The history page's trackbar ranges over the chart's samples up to the view that ends at
    // the last one, at every zoom; without this it keeps the range it was given.
    void SetTrackbarReachesLastScreen(bool reaches);
    // The trackbar shows the chart's first sample again, after the chart was started afresh.
    void FollowChart();
    // Shows chart sample `index` under the cursor; the trackbar follows as far as it reaches.
    void ShowSample(int index);

    QSlider* Trackbar() const { return trackbar_; }
    QPushButton* ZoomOutButton() const { return zoomOut_; }
    QPushButton* ZoomInButton() const { return zoomIn_; }
    // The texts of the last paint.
    const std::vector<PageText>& Texts() const { return texts_; }
    // How much larger than designed the page is drawn.
    double Scale() const { return scale_; }
    static double ScaleFor(QSize size);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Scroll(int position);
    void ZoomBy(int direction);
    void FitTrackbarToChart();
    void PlaceControls();
    // A page coordinate at the page's scale.
    int Px(int page) const;

    CurveChart* chart_ = nullptr;
    DrawRoutine draw_;
    bool reachesLastScreen_ = false;
    double scale_ = 1.0;
    std::vector<PageText> texts_;
    QSlider* trackbar_;
    QPushButton* zoomOut_;
    QPushButton* zoomIn_;
};

}  // namespace veldrin
