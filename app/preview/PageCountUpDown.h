#pragma once
// The up-down control beside the page-count edit. Its range runs from 10 down to 2, so the up
// arrow lowers the number and the down arrow raises it; it writes the number into its buddy edit.
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace veldrin {

class PageCountUpDown final : public QWidget {
    Q_OBJECT
  public:
    PageCountUpDown(QLineEdit& buddy, int rangeStart, int rangeEnd, QWidget* parent = nullptr);

    QToolButton* UpArrow() const { return up_; }
    QToolButton* DownArrow() const { return down_; }

  private:
    // Moves the buddy's number one step toward rangeEnd (+1) or rangeStart (−1).
    void Step(int towardEnd);

    QLineEdit& buddy_;
    int rangeStart_;
    int rangeEnd_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace veldrin
