#include "app/WarnDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "logger/SettingsCheck.h"

namespace veldrin {

WarnDialog::WarnDialog(std::uint8_t& alarmEnable, QWidget* parent)
    : QWidget(parent),
      alarmEnable_(alarmEnable),
      enableBox_(new QCheckBox(tr("启动报警"), this)),
      upperBox_(new QLineEdit(this)),
      lowerBox_(new QLineEdit(this)) {
    enableBox_->setObjectName(QStringLiteral("check1046"));
    upperBox_->setObjectName(QStringLiteral("edit1005"));
    lowerBox_->setObjectName(QStringLiteral("edit1006"));
    upperBox_->setReadOnly(true);
    lowerBox_->setReadOnly(true);
    connect(enableBox_, &QCheckBox::clicked, this, &WarnDialog::ApplySwitch);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(enableBox_, 0, 0, 1, 2);
    layout->addWidget(new QLabel(tr("上限值"), this), 1, 0);
    layout->addWidget(upperBox_, 1, 1);
    layout->addWidget(new QLabel(tr("下限值"), this), 2, 0);
    layout->addWidget(lowerBox_, 2, 1);
    // Until the logger's limits are read the fields hold numbers, never nothing.
    SetLimits(0, 0);
}

void WarnDialog::SetLimits(int upper, int lower) {
    upperBox_->setText(QString::number(upper));
    lowerBox_->setText(QString::number(lower));
}

int WarnDialog::UpperLimit() const {
    return LimitFromText(upperBox_->text().toStdString());
}

int WarnDialog::LowerLimit() const {
    return LimitFromText(lowerBox_->text().toStdString());
}

void WarnDialog::ShowSharedFlag() {
    enableBox_->setChecked(alarmEnable_ == 1);
    ApplySwitch();
}

void WarnDialog::ApplySwitch() {
    const bool on = enableBox_->isChecked();
    alarmEnable_ = on ? 1 : 0;
    upperBox_->setReadOnly(!on);
    lowerBox_->setReadOnly(!on);
}

void WarnDialog::SetControlsEnabled(bool enabled) {
    enableBox_->setEnabled(enabled);
    upperBox_->setEnabled(enabled);
    lowerBox_->setEnabled(enabled);
}

void WarnDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace veldrin
