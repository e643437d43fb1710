#include "app/preview/PageCountUpDown.h"

#include <algorithm>

#include <QVBoxLayout>

namespace veldrin {

PageCountUpDown::PageCountUpDown(QLineEdit& buddy, int rangeStart, int rangeEnd, QWidget* parent)
    : QWidget(parent), buddy_(buddy), rangeStart_(rangeStart), rangeEnd_(rangeEnd) {
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    up_->setObjectName(QStringLiteral("pageCountUp"));
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    down_->setObjectName(QStringLiteral("pageCountDown"));
    for (QToolButton* arrow : {up_, down_})
        arrow->setFixedSize(16, 11);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    // The up arrow moves toward the upper bound of the range, which is its end.
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void PageCountUpDown::Step(int towardEnd) {
    const int low = std::min(rangeStart_, rangeEnd_);
    const int high = std::max(rangeStart_, rangeEnd_);
    const int direction = rangeEnd_ >= rangeStart_ ? towardEnd : -towardEnd;
    const int position = std::clamp(buddy_.text().toInt(), low, high);
    buddy_.setText(QString::number(std::clamp(position + direction, low, high)));
}

}  // namespace veldrin
