#pragma once
// The drawing area of the print preview: shows a stretched copy of part of the current page
// image. It never renders a page itself; showing, scrolling and zooming only copy.

#include <QImage>
#include <QRect>
#include <QWidget>

namespace veldrin {

class PreviewArea final : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewArea(QWidget* parent = nullptr);

    // Copies `source` of `page` stretched onto `destination`; with `greyBackground` the rest of
    // the area is light grey, else the area shows nothing but the copy.
    void ShowCopy(const QImage& page, QRect source, QRect destination, bool greyBackground);
    // Nothing to show (before the first page image exists).
    void Clear();

    // The copy as last shown, for checks.
    QRect Source() const { return source_; }
    QRect Destination() const { return destination_; }
    int CopyCount() const { return copyCount_; }

  signals:
    void DoubleClicked(QPoint position);
    // Wheel turned over the area by `delta` (120 per notch, positive away from the user).
    void WheelTurned(int delta);
    // The same with Ctrl held: a zoom step.
    void ZoomWheelTurned(int delta);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QImage copy_;
    QRect source_;
    QRect destination_;
    bool grey_ = false;
    bool shown_ = false;
    int copyCount_ = 0;
};

}  // namespace veldrin
