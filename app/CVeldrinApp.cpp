#include "app/CVeldrinApp.h"

#include <QGuiApplication>

#include "app/ArchiveCommands.h"
#include "app/CMainFrame.h"
#include "app/CommandLine.h"
#include "app/FileCommands.h"
#include "app/Profile.h"
#include "app/Workspace.h"
#include "archive/ArchiveLocation.h"
#include "files/DataFileCommands.h"

namespace veldrin {

CVeldrinApp::CVeldrinApp(const QStringList& arguments)
    : arguments_(ReadWindowArguments(arguments)),
      commandLineFile_(arguments_.file),
      profile_(OpenProfile()),
      recentFiles_(*profile_) {}

CVeldrinApp::~CVeldrinApp() {
    archiveCommands_.reset();
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
    workspace_->Archiving().SetLocation(
        archive::ChooseLocation(arguments_.archive.toStdString(), ProfileArchiveLocation(*profile_)));
    files_ = std::make_unique<FileCommands>(*workspace_, *frame_, &recentFiles_);
    files_->Install();
    archiveCommands_ = std::make_unique<ArchiveCommands>(*workspace_, *frame_, *files_);
    archiveCommands_->Install();
    frame_->show();
    if (!commandLineFile_.isEmpty() && PlanOpen(commandLineFile_.toStdString()) == OpenAction::Load) {
        files_->OpenPath(commandLineFile_);
    }
    return true;
}

}  // namespace veldrin
