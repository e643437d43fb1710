#include "app/QuestionDialog.h"

#include <QCheckBox>
#include <QPushButton>

namespace veldrin {

QuestionDialog::QuestionDialog(QWidget* parent)
    : PaintedTextDialog(parent), firstCheck_(new QCheckBox(this)), secondCheck_(new QCheckBox(this)) {
    setFixedSize(330, 150);
    firstCheck_->setObjectName(QStringLiteral("check1046"));
    secondCheck_->setObjectName(QStringLiteral("check1089"));
    firstCheck_->setGeometry(66, 52, 110, 22);
    secondCheck_->setGeometry(180, 52, 110, 22);

    auto* ok = new QPushButton(tr("确定"), this);
    auto* cancel = new QPushButton(tr("取消"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setGeometry(66, 110, 90, 28);
    cancel->setGeometry(180, 110, 90, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace veldrin
