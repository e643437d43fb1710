#pragma once
// The File menu's work on the current history: open a data file, save it as a data file, a text
// export or a workbook, and print it. The dialogs ask for the names; the *Path calls do the work.
#include <QString>

namespace veldrin {

class CMainFrame;
class RecentFileList;
class Workspace;

class FileCommands {
  public:
    // All must outlive this object; `recent` may be null (no recent-file list kept).
    FileCommands(Workspace& workspace, CMainFrame& frame, RecentFileList* recent);

    // Installs Open, Save and Print history as the frame's command handlers.
    void Install();

    void Open();
    // Loads the data file at `path` into the current history and shows it; a refused file shows
    // "文件错误!" and leaves the current history as it was. True when loaded.
    bool OpenPath(const QString& path);
    void Save();
    // Saves the current history at `chosenPath` as the save dialog's filter `filterIndex` (1-based)
    // and the name's extension decide. True when written.
    bool SavePath(const QString& chosenPath, int filterIndex);
    void PrintHistory();

  private:
    void SaveFailed(const QString& why);

    Workspace& workspace_;
    CMainFrame& frame_;
    RecentFileList* recent_;
};

}  // namespace veldrin
