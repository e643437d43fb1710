#pragma once
// The records the main window works with, owned in one place: the clock, the serial channel, the
// alarm sound, the measurements, the connection, its dialogs and its panel writes. It joins them to
// the frame: the view's step drives the connection, the commands reach it, and the enabling state
// follows it.
#include <memory>

#include "app/DesktopPanelView.h"
#include "app/DesktopPrompts.h"
#include "app/LoggerAudit.h"
#include "app/WindowArchive.h"
#include "fleet/FleetDownload.h"
#include "logger/Clock.h"
#include "logger/DeviceConnection.h"
#include "measure/Measurements.h"
#include "measure/QtAlarmSound.h"
#include "serial/CommChannel.h"
#include "serial/TraceLink.h"

namespace veldrin {

class CMainFrame;
class CurvePage;
class LoggerListPanel;

class Workspace {
  public:
    // `info` and `frame` must outlive the workspace. A test passes its own `link` and `clock`
    // (they must outlive it too); otherwise the serial channel and the computer's clock are used.
    Workspace(LoggerInfo& info, CMainFrame& frame, Link* link = nullptr, Clock* clock = nullptr);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    DeviceConnection& Connection() { return *connection_; }
    Measurements& Records() { return *measurements_; }
    DesktopPrompts& Prompts() { return *prompts_; }
    // The archive every download goes into, and the entry of the history shown.
    WindowArchive& Archiving() { return archive_; }

    // The dockable list of loggers, listed in the device menu.
    LoggerListPanel& LoggerList() { return *loggerList_; }

    // Shows a history the list of loggers downloaded in the history panel, as a download through
    // the realtime panel is shown.
    void ShowListedDownload(const fleet::ReceivedHistory& history);

    // Copies the connection's modes and online flag to the view, whose enabling rules read them.
    void PublishState();

  private:
    // The curve, list and summary pages of both panels show the measurement records.
    void AttachPages();
    // The statistics page shows the statistics of the history; a chosen excursion moves the
    // history curve's cursor.
    void AttachStatisticsPage(CurvePage* historyCurve);
    void InstallCommands();
    void AttachLoggerList();
    void Step();
    // Archives a download as soon as it is decoded; a refusal is said in the status bar.
    void ArchiveDownload(const HistoryHandover& handover);

    // Every temperature the window shows from now on in `unit`: the history curve, lists and
    // statistics, the realtime lists and the panel's limit boxes.
    void ShowInUnit(TemperatureUnit unit);

    LoggerInfo& info_;
    CMainFrame& frame_;
    SystemClock systemClock_;
    CommChannel channel_;
    // With VELDRIN_TRACE=FILE in the environment every byte on the serial line is traced into FILE.
    std::unique_ptr<TraceLink> trace_;
    QtAlarmSound sound_;
    Clock& clock_;
    Link& link_;
    std::unique_ptr<Measurements> measurements_;
    std::unique_ptr<DesktopPrompts> prompts_;
    std::unique_ptr<DesktopPanelView> panel_;
    std::unique_ptr<DeviceConnection> connection_;
    WindowArchive archive_;
    std::unique_ptr<LoggerAudit> audit_;
    // A child of the frame, deleted with the workspace: its downloads end with what they report to.
    LoggerListPanel* loggerList_ = nullptr;
};

}  // namespace veldrin
