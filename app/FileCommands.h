#pragma once
// The File menu's work on the current history: open a data file, save it as a data file, a text
// export, a workbook or CSV, print it, and write its report as a PDF. The dialogs ask for the names; the
// *Path calls do the work.
#include <QMetaObject>
#include <QString>
#include <string>

#include "archive/ArchiveTypes.h"
#include "files/DataFileCommands.h"

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
    // Loads the data file at `path` into the current history and shows it, its file name in the
    // window's title; a refused file shows "文件错误!" with the file's path and the reason, and leaves
    // the current history as it was. True when loaded.
    bool OpenPath(const QString& path);
    // A recent data file chosen in the File menu: opened like Open. A file that is gone or refused
    // gets a message, leaves the current history as it was and drops out of the list.
    bool OpenRecent(const QString& path);
    // Save proposes a name made of the history's title and the time of its first reading, and asks
    // before replacing a file: about the name that is written, with the extension the chosen format
    // appends. A name typed with a known extension is saved in that format whatever the filter.
    void Save();
    // Saves the current history at `chosenPath` as the save dialog's filter `filterIndex` (1-based)
    // and the name's extension decide. When written, the status bar says "已保存" with the path, and a
    // data file's name goes into the window's title. True when written.
    bool SavePath(const QString& chosenPath, int filterIndex);
    // Opens the print preview of the current history; with no readings the status bar says so.
    void PrintHistory();
    // File → "导出报告(PDF)…": asks for a PDF name and writes the report of the current history;
    // with no readings the status bar says so.
    void ExportReport();
    // Writes the report of the current history to `path`; a failure shows "报告保存出错" with the
    // reason. True when written.
    bool ExportReportPath(const QString& path);

    // A history just placed in the current history (a data file read, an archive entry) is shown
    // as a file is: history panel, file modes, `documentName` in the window's title.
    void ShowOpenedHistory(const QString& documentName);

  private:
    QString StartFolder() const;
    // Adds the save or export of the current history to the archive's trail, linked to its entry;
    // returns why not when the archive refused, else "".
    QString RecordSaved(SaveFormat format, const QString& path);
    QString RecordWritten(archive::EventKind kind, const char* format, const QString& path);
    // An export of the current history in the trail; the status bar says so when it is not.
    void RecordExported(const char* format, const QString& path);
    // True when the current history has readings; else the status bar shows `refusal` (a text
    // marked for translation), so that the command does not end in silence.
    bool HasReadings(const char* refusal);
    // True when `path` does not exist yet or the user agrees to replace it.
    bool ConfirmReplace(const QString& path);
    void SaveFailed(const QString& why);
    // "文件错误!", the path and the reason the file was refused.
    void FileRefused(const QString& path, const std::string& reason);
    // The window's title names the current history's file (or entry); none for a history not from
    // a file.
    void ShowDocumentName(const QString& name);
    // `path` was opened or saved as a data file: it heads the list and the File menu.
    void RememberRecent(const QString& path);
    void ForgetRecent(const QString& path);

    Workspace& workspace_;
    CMainFrame& frame_;
    RecentFileList* recent_;
    bool installed_ = false;
    QString lastFolder_;
    QMetaObject::Connection historyShown_;
    static constexpr int kSavedNoteMilliseconds = 15000;
};

}  // namespace veldrin
