#pragma once
// The tests' temporary folder (tests/TempFolder.h) with the path names of Qt's own temporary
// folder, for the window tests that hand its paths to Qt.
#include <QString>

#include "tests/TempFolder.h"

namespace veldrin::test {

class QtTempFolder : public TempFolder {
  public:
    bool isValid() const { return !Path().empty(); }
    QString path() const { return QString::fromStdString(Path()); }
    QString filePath(const QString& name) const { return QString::fromStdString(File(name.toStdString())); }
};

}  // namespace veldrin::test
