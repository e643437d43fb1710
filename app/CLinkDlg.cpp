#include "app/CLinkDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include "serial/PortMap.h"

namespace veldrin {

CLinkDlg::CLinkDlg(QWidget* parent)
    : QDialog(parent), portList_(new QComboBox(this)), instrumentList_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("连接仪器"));
    portList_->setObjectName(QStringLiteral("portList"));
    instrumentList_->setObjectName(QStringLiteral("instrumentList"));
    portList_->addItems({QStringLiteral("com1"), QStringLiteral("com2"), QStringLiteral("com3"),
                         QStringLiteral("com4"), QStringLiteral("自动搜索")});
    // Each com entry tells which device it opens, so that a user can check the mapping.
    for (int port = 1; port <= 4; ++port) {
        portList_->setItemData(port - 1, QString::fromStdString(DevicePathForPort(port)), Qt::ToolTipRole);
    }
    instrumentList_->addItems(
        {QStringLiteral("单温度记录仪"), QStringLiteral("双温度记录仪"), QStringLiteral("温湿度记录仪")});
    portText_ = portList_->itemText(0);
    instrumentText_ = instrumentList_->itemText(0);
    connect(portList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        portNumber_ = index + 1;
        portText_ = portList_->itemText(index);
    });
    connect(instrumentList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        instrumentNumber_ = index + 1;
        instrumentText_ = instrumentList_->itemText(index);
    });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("串口"), portList_);
    layout->addRow(QStringLiteral("仪器"), instrumentList_);
    layout->addRow(buttons);
}

}  // namespace veldrin
