#pragma once
// Asked when realtime frames of another logger model arrive: reconnect to the logger?
#include "app/QuestionDialog.h"

namespace veldrin {

class CInsExchangeDialog : public QuestionDialog {
    Q_OBJECT
  public:
    explicit CInsExchangeDialog(QWidget* parent = nullptr);
};

}  // namespace veldrin
