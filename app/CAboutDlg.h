#pragma once
// The about box: the program's icon, name and version.
#include <QDialog>

namespace veldrin {

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace veldrin
