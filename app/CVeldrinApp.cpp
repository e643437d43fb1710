#include "app/CVeldrinApp.h"

#include <QGuiApplication>

#include "app/CMainFrame.h"
#include "app/FileCommands.h"
#include "app/Profile.h"
#include "app/Workspace.h"
#include "files/DataFileCommands.h"

namespace veldrin {

CVeldrinApp::CVeldrinApp(const QStringList& arguments)
    : commandLineFile_(arguments.value(1)), profile_(OpenProfile()), recentFiles_(*profile_) {}

CVeldrinApp::~CVeldrinApp() {
    files_.reset();
    workspace_.reset();
    frame_.reset();
}

bool CVeldrinApp::InitInstance() {
    // Names the installed menu entry, so that desktops show its name and icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.veldrin.Veldrin"));
    frame_ = std::make_unique<CMainFrame>(info_);
    frame_->setWindowTitle(QStringLiteral("Veldrin"));
    workspace_ = std::make_unique<Workspace>(info_, *frame_);
    files_ = std::make_unique<FileCommands>(*workspace_, *frame_, &recentFiles_);
    files_->Install();
    frame_->show();
    if (!commandLineFile_.isEmpty() && PlanOpen(commandLineFile_.toStdString()) == OpenAction::Load) {
        files_->OpenPath(commandLineFile_);
    }
    return true;
}

}  // namespace veldrin
