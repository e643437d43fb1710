#include "app/UserGuideDialog.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace veldrin {

UserGuideDialog::UserGuideDialog(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(tr("使用说明"));
    browser_->setObjectName(QStringLiteral("userGuide"));
    browser_->setOpenExternalLinks(true);
    QFile guide(QString::fromLatin1(kUserGuideResource));
    if (guide.open(QIODevice::ReadOnly)) {
        browser_->setMarkdown(QString::fromUtf8(guide.readAll()));
    } else {
        browser_->setPlainText(tr("找不到使用说明。"));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 640);
}

}  // namespace veldrin
