#pragma once
// The small question dialog shared by the history channel choice and the instrument-mismatch
// question: painted question lines, two check boxes, "确定" and "取消".
#include "app/PlacedText.h"

class QCheckBox;

namespace veldrin {

class QuestionDialog : public PaintedTextDialog {
    Q_OBJECT
  public:
    QCheckBox* FirstCheck() const { return firstCheck_; }
    QCheckBox* SecondCheck() const { return secondCheck_; }

  protected:
    explicit QuestionDialog(QWidget* parent);

  private:
    QCheckBox* firstCheck_;
    QCheckBox* secondCheck_;
};

}  // namespace veldrin
