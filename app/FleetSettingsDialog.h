#pragma once
// "设置…" of the list of loggers: the folder the downloads are saved in, the name template with
// its placeholders and a preview of the next name, the formats, and "下载后重新启动记录".
#include <QDialog>

#include "app/FleetSettings.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace veldrin {

class FleetSettingsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit FleetSettingsDialog(const FleetSettings& settings, QWidget* parent = nullptr);

    // The settings as the dialog holds them (the station and panel flags as they came in).
    FleetSettings Settings() const;

    QLineEdit* FolderEdit() const { return folder_; }
    QLineEdit* TemplateEdit() const { return template_; }
    QLabel* Preview() const { return preview_; }
    QCheckBox* FormatBox(const QString& extension) const;
    QCheckBox* RestartBox() const { return restart_; }

  private:
    void UpdatePreview();
    void ChooseFolder();

    FleetSettings settings_;
    QLineEdit* folder_;
    QLineEdit* template_;
    QLabel* preview_;
    QCheckBox* vdr_;
    QCheckBox* csv_;
    QCheckBox* xls_;
    QCheckBox* pdf_;
    QCheckBox* restart_;
    QDialogButtonBox* buttons_;
};

}  // namespace veldrin
