#pragma once
// Dialogs that paint some of their text themselves, at fixed pixel positions over their own
// background.
#include <QDialog>
#include <QPoint>
#include <QString>
#include <vector>

namespace veldrin {

struct PlacedText {
    QPoint topLeft;
    QString text;
};

class PaintedTextDialog : public QDialog {
    Q_OBJECT
  public:
    const std::vector<PlacedText>& Lines() const { return lines_; }

  protected:
    using QDialog::QDialog;
    void SetLines(std::vector<PlacedText> lines);
    // Draws each line with its top-left corner at its position, on a transparent background.
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<PlacedText> lines_;
};

}  // namespace veldrin
