#include "app/CAboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/ShellIcons.h"

namespace veldrin {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("关于 Veldrin"));
    setFixedSize(350, 90);
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("Veldrin Version 2.106"), this);
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(text, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
}

}  // namespace veldrin
