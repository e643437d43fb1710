#include "app/CInsExchangeDialog.h"

#include <QCheckBox>

namespace veldrin {

CInsExchangeDialog::CInsExchangeDialog(QWidget* parent) : QuestionDialog(parent) {
    setWindowTitle(tr("仪器不匹配"));
    SetLines({{QPoint(66, 60), tr("仪器不匹配!  是否重新连接仪器?")}});
    FirstCheck()->hide();
    SecondCheck()->hide();
}

}  // namespace veldrin
