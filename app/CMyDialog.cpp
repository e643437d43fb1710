#include "app/CMyDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ShellTime.h"

namespace veldrin {

CMyDialog::CMyDialog(std::time_t proposedStart, const Clock* clock, QWidget* parent)
    : PaintedTextDialog(parent),
      clock_(clock != nullptr ? *clock : systemClock_),
      proposedStart_(proposedStart),
      timeBox_(new QLineEdit(this)) {
    setWindowTitle(tr("启动记录"));
    SetLines({{QPoint(50, 5), tr("启动记录,将导致历史数据丢失")}});
    timeBox_->setObjectName(QStringLiteral("edit1005"));
    timeBox_->setReadOnly(true);
    timeBox_->setMinimumWidth(150);

    auto* question = new QHBoxLayout;
    question->addWidget(new QLabel(tr("是否把"), this));
    question->addWidget(timeBox_);
    question->addWidget(new QLabel(tr("设置为启动时间"), this));

    auto* yes = new QPushButton(tr("是"), this);
    auto* no = new QPushButton(tr("否"), this);
    yes->setObjectName(QStringLiteral("yesButton"));
    no->setObjectName(QStringLiteral("noButton"));
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 30, 12, 12);
    layout->addLayout(question);
    layout->addLayout(buttons);

    Refresh();
    connect(&ticker_, &QTimer::timeout, this, &CMyDialog::Refresh);
    ticker_.start(1000);
}

QString CMyDialog::ShownText() const {
    return timeBox_->text();
}

void CMyDialog::Refresh() {
    const std::time_t now = clock_.Now();
    const std::time_t shown = proposedStart_ > now ? proposedStart_ : now;
    timeBox_->setText(QString::fromStdString(FormatShellTime(shown)));
    update();
}

}  // namespace veldrin
