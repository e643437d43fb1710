#include "app/FleetSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldrin {
namespace {

// The placeholders stay as they are in every language; only what they stand for is translated.
constexpr const char* kPlaceholders =
    QT_TRANSLATE_NOOP("veldrin::FleetSettingsDialog",
                      "{title} 标题　{model} 型号　{start:%Y%m%d} 首个读数　{end:%Y%m%d} 末个读数\n"
                      "{count} 读数个数　{port} 端口　{device} 设备名　{date:%Y%m%d-%H%M} 下载时间");

}  // namespace

FleetSettingsDialog::FleetSettingsDialog(const FleetSettings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      folder_(new QLineEdit(settings.folder, this)),
      template_(new QLineEdit(settings.nameTemplate, this)),
      preview_(new QLabel(this)),
      vdr_(new QCheckBox(QStringLiteral(".Vdr"), this)),
      csv_(new QCheckBox(QStringLiteral(".csv"), this)),
      xls_(new QCheckBox(QStringLiteral(".xls"), this)),
      pdf_(new QCheckBox(QStringLiteral(".pdf"), this)),
      restart_(new QCheckBox(tr("下载后重新启动记录"), this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(tr("设置"));
    auto* browse = new QPushButton(tr("浏览…"), this);
    connect(browse, &QPushButton::clicked, this, &FleetSettingsDialog::ChooseFolder);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_);
    folderRow->addWidget(browse);

    auto* placeholders = new QLabel(tr(kPlaceholders), this);
    placeholders->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* formats = new QHBoxLayout;
    vdr_->setChecked(settings.vdr);
    csv_->setChecked(settings.csv);
    xls_->setChecked(settings.xls);
    pdf_->setChecked(settings.pdf);
    for (QCheckBox* box : {vdr_, csv_, xls_, pdf_})
        formats->addWidget(box);
    restart_->setChecked(settings.restart);

    auto* form = new QFormLayout;
    form->addRow(tr("文件夹:"), folderRow);
    form->addRow(tr("文件名模板:"), template_);
    form->addRow(QString(), placeholders);
    form->addRow(tr("下一个文件名:"), preview_);
    form->addRow(tr("格式:"), formats);
    form->addRow(QString(), restart_);

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);

    connect(template_, &QLineEdit::textChanged, this, &FleetSettingsDialog::UpdatePreview);
    connect(folder_, &QLineEdit::textChanged, this, &FleetSettingsDialog::UpdatePreview);
    for (QCheckBox* box : {vdr_, csv_, xls_, pdf_})
        connect(box, &QCheckBox::toggled, this, &FleetSettingsDialog::UpdatePreview);
    UpdatePreview();
}

FleetSettings FleetSettingsDialog::Settings() const {
    FleetSettings settings = settings_;
    settings.folder = folder_->text();
    settings.nameTemplate = template_->text();
    settings.vdr = vdr_->isChecked();
    settings.csv = csv_->isChecked();
    settings.xls = xls_->isChecked();
    settings.pdf = pdf_->isChecked();
    settings.restart = restart_->isChecked();
    return settings;
}

QCheckBox* FleetSettingsDialog::FormatBox(const QString& extension) const {
    for (QCheckBox* box : {vdr_, csv_, xls_, pdf_}) {
        if (box->text() == extension)
            return box;
    }
    return nullptr;
}

void FleetSettingsDialog::UpdatePreview() {
    const ExpandedName name = ExpandNameTemplate(TemplatesOf(Settings()).front(), SampleNameFields());
    preview_->setText(name ? QString::fromStdString(name.path) : QString::fromStdString(name.error));
    // A template that names no file cannot be kept.
    if (auto* ok = findChild<QDialogButtonBox*>()
                       ? findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)
                       : nullptr)
        ok->setEnabled(static_cast<bool>(name));
}

void FleetSettingsDialog::ChooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(this, tr("选择文件夹"), folder_->text());
    if (!folder.isEmpty())
        folder_->setText(folder);
}

}  // namespace veldrin
