#pragma once
// The File menu's archive commands: "导入到档案库" archives chosen data files, "档案库…" opens the
// archive browser, whose "打开" puts an entry into the history panel as a file open does.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/ArchiveBrowser.h"

namespace veldrin {

class CMainFrame;
class FileCommands;
class Workspace;

class ArchiveCommands {
  public:
    // All must outlive this object.
    ArchiveCommands(Workspace& workspace, CMainFrame& frame, FileCommands& files);
    ~ArchiveCommands();
    ArchiveCommands(const ArchiveCommands&) = delete;
    ArchiveCommands& operator=(const ArchiveCommands&) = delete;

    // Joins the two File menu entries to Import and Browse.
    void Install();

    // Asks for data files and imports them.
    void Import();
    // Archives the data files at `paths`, each with an import event, then says in a message how
    // many were new, how many were archived before, and which failed and why.
    void ImportPaths(const QStringList& paths);
    // Opens the archive browser, or brings the open one to the front with its list read again.
    ArchiveBrowser* Browse();
    ArchiveBrowser* Browser() const { return browser_; }

  private:
    // The entry's history becomes the window's current history, "档案 N" in the title.
    void OpenEntry(const archive::EntrySummary& entry, std::unique_ptr<HistoryDataSet> history);

    Workspace& workspace_;
    CMainFrame& frame_;
    FileCommands& files_;
    QPointer<ArchiveBrowser> browser_;
    QList<QMetaObject::Connection> connections_;
};

}  // namespace veldrin
