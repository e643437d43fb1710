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
    // Takes back what Install gave the frame.
    ~FileCommands();
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    // Installs Open, Save and Print history as the frame's command handlers, and lists the recent
    // data files in the File menu.
    void Install();

    // The Open and Save dialogs start in the folder last used, else in the folder of the newest
    // recent file, else in the user's home.
    void Open();
    // Loads the data file at `path` into the current history and shows it; a refused file shows
    // "文件错误!" and leaves the current history as it was. True when loaded.
    bool OpenPath(const QString& path);
    // A recent data file chosen in the File menu: opened like Open. A file that is gone or refused
    // gets a message, leaves the current history as it was and drops out of the list.
    bool OpenRecent(const QString& path);
    // Save asks before replacing a file: about the name that is written, with the extension the
    // chosen format appends.
    void Save();
    // Saves the current history at `chosenPath` as the save dialog's filter `filterIndex` (1-based)
    // and the name's extension decide. True when written.
    bool SavePath(const QString& chosenPath, int filterIndex);
    void PrintHistory();

  private:
    QString StartFolder() const;
    // True when `path` does not exist yet or the user agrees to replace it.
    bool ConfirmReplace(const QString& path);
    void SaveFailed(const QString& why);
    // `path` was opened or saved as a data file: it heads the list and the File menu.
    void RememberRecent(const QString& path);
    void ForgetRecent(const QString& path);

    Workspace& workspace_;
    CMainFrame& frame_;
    RecentFileList* recent_;
    bool installed_ = false;
    QString lastFolder_;
};

}  // namespace veldrin
