#pragma once
// Counts the paints of one widget: the window benchmarks wait for the first paint after an action.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace veldrin::bench {

class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Paints() const { return paints_; }
    // Handles events until the widget has painted, for at most `milliseconds`; whether it did.
    bool WaitForFirstPaint(int milliseconds) const {
        QElapsedTimer waiting;
        waiting.start();
        while (paints_ == 0 && waiting.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return paints_ > 0;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints_;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    int paints_ = 0;
};

}  // namespace veldrin::bench
