#pragma once
// The application object: the profile with its recent-file list and port map, the logger record,
// the data file named on the command line, and the main window.
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/CommandLine.h"
#include "app/RecentFileList.h"
#include "logger/LoggerInfo.h"

namespace veldrin {

class ArchiveCommands;
class CMainFrame;
class FileCommands;
class Workspace;

class CVeldrinApp {
  public:
    // `arguments` as the program got them: a data file to load, and --archive LOCATION.
    explicit CVeldrinApp(const QStringList& arguments);
    ~CVeldrinApp();
    CVeldrinApp(const CVeldrinApp&) = delete;
    CVeldrinApp& operator=(const CVeldrinApp&) = delete;

    // Connects the port map to the profile, creates the main window titled "Veldrin", joins it to
    // the records and shows it; then loads the data file named on the command line.
    bool InitInstance();

    CMainFrame* MainFrame() const { return frame_.get(); }
    Workspace* Records() const { return workspace_.get(); }
    FileCommands* Files() const { return files_.get(); }
    ArchiveCommands* Archive() const { return archiveCommands_.get(); }
    // The data file path from the command line, empty when none was given.
    const QString& CommandLineFile() const { return commandLineFile_; }
    RecentFileList& RecentFiles() { return recentFiles_; }
    LoggerInfo& Logger() { return info_; }

  private:
    WindowArguments arguments_;
    QString commandLineFile_;
    std::unique_ptr<QSettings> profile_;
    RecentFileList recentFiles_;
    LoggerInfo info_;
    std::unique_ptr<CMainFrame> frame_;
    // Declared after the frame: it goes first, while the frame it is joined to still stands.
    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<ArchiveCommands> archiveCommands_;
};

}  // namespace veldrin
