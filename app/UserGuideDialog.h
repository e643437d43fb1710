#pragma once
// Help → "使用说明": the user guide (docs/user-guide.md, compiled into the program's resources)
// shown as Qt renders Markdown, with its headings, lists and tables.
#include <QDialog>

class QTextBrowser;

namespace veldrin {

// The resource the guide is kept in.
inline constexpr const char* kUserGuideResource = ":/docs/user-guide.md";

class UserGuideDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit UserGuideDialog(QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

}  // namespace veldrin
