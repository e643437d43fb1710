#pragma once
// The main window: menu, toolbar, status bar with its clock, and the main view. It routes the
// commands to their handlers and enables each command by the rules of CommandEnabling.
#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <array>
#include <functional>

#include "app/CommandEnabling.h"
#include "logger/LoggerInfo.h"

class QLabel;
class QMenu;

namespace veldrin {

class CVeldrinView;
class UnitMenu;

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    // `info` is the connected logger's record; it must outlive the frame.
    explicit CMainFrame(LoggerInfo& info, QWidget* parent = nullptr);

    CVeldrinView* View() const { return view_; }
    QAction* Action(Command command) const { return actions_[static_cast<std::size_t>(command)]; }
    QAction* AboutAction() const { return aboutAction_; }
    // Help → "使用说明": opens the user guide beside the window.
    QAction* GuideAction() const { return guideAction_; }
    // File → "导入到档案库" and "档案库…": what they do is installed from outside (ArchiveCommands).
    QAction* ArchiveImportAction() const { return archiveImportAction_; }
    QAction* ArchiveBrowserAction() const { return archiveBrowserAction_; }
    QAction* StartTimeAction() const { return startTimeAction_; }
    // "设备(&E)", where the device panels add their actions.
    QMenu* DeviceMenu() const { return deviceMenu_; }
    // "数据(&V)" → "温度单位": the unit every temperature is shown in.
    UnitMenu* Units() const { return units_; }
    // "数据(&V)" → "显示露点(计算)": the computed dew point of a temperature-humidity history in
    // its list and statistics; off at the start.
    QAction* DewPointAction() const { return dewPointAction_; }

    // Installs what a command does for the commands whose work lies outside the window (open,
    // save, print history, connect, disconnect, read history). A command without a handler does
    // nothing.
    void SetCommandHandler(Command command, std::function<void()> handler);

    // The recent data files, newest first, listed in the File menu between Print history and
    // Exit; choosing one calls the recent-file handler with its path.
    void SetRecentFiles(const QStringList& paths);
    void SetRecentFileHandler(std::function<void(const QString&)> handler);
    const QList<QAction*>& RecentFileActions() const { return recentActions_; }

    // Status pane 2: the link status text.
    void SetLinkStatusText(const QString& text);
    // Status panes 0 to 3.
    QLabel* StatusPane(int index) const { return panes_.at(static_cast<std::size_t>(index)); }
    // The alarm pane beside them: the live readings' alarm in red while there is one, else empty.
    void SetAlarmText(const QString& text);
    QLabel* AlarmPane() const { return alarmPane_; }
    // Says in status pane 0 that the alarm cannot be heard.
    void SayAlarmSilent();

    // Applies the enabling rules to the commands now.
    void RefreshCommands();
    // What the clock does every second.
    void ClockTick();

  protected:
    // Menu prompts go to status pane 0, which says "就绪" when there is none.
    bool event(QEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* AddCommand(Command command, const QString& text);
    void RunHandler(Command command);

    CVeldrinView* view_;
    std::array<QAction*, kMenuCommandCount> actions_{};
    std::array<std::function<void()>, kMenuCommandCount> handlers_{};
    QMenu* fileMenu_ = nullptr;
    QMenu* deviceMenu_ = nullptr;
    QAction* exitSeparator_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    std::function<void(const QString&)> recentHandler_;
    QAction* exitAction_ = nullptr;
    QAction* toolBarAction_ = nullptr;
    QAction* statusBarAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* guideAction_ = nullptr;
    QAction* archiveImportAction_ = nullptr;
    QAction* archiveBrowserAction_ = nullptr;
    QAction* startTimeAction_ = nullptr;
    UnitMenu* units_ = nullptr;
    QAction* dewPointAction_ = nullptr;
    std::array<QLabel*, 4> panes_{};
    QLabel* alarmPane_ = nullptr;
    QTimer clock_;
};

}  // namespace veldrin
