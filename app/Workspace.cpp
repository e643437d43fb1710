#include "app/Workspace.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>

#include <cstdio>
#include <cstdlib>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CurvePage.h"
#include "app/LoggerListPanel.h"
#include "app/PanelPages.h"
#include "app/Profile.h"
#include "app/StatisticsPage.h"
#include "app/UnitMenu.h"
#include "logger/ConnectionTexts.h"

namespace veldrin {
namespace {

// Puts the lists on the list pages of a panel's tabs (curve, data list, alarm list, in that
// order). Returns the curve page.
CurvePage* AttachPages(QTabWidget* tabs, QAbstractItemModel& dataList, QAbstractItemModel& alarmList,
                       bool followNewest) {
    if (auto* page = qobject_cast<ListPage*>(tabs->widget(1))) {
        page->SetList(&dataList, followNewest);
    }
    if (auto* page = qobject_cast<ListPage*>(tabs->widget(2))) {
        page->SetList(&alarmList, followNewest);
    }
    return qobject_cast<CurvePage*>(tabs->widget(0));
}

std::unique_ptr<TraceLink> TraceFromEnvironment(Link& channel) {
    const char* path = std::getenv("VELDRIN_TRACE");
    if (path == nullptr || *path == '\0')
        return nullptr;
    auto trace = std::make_unique<TraceLink>(channel, path);
    if (!trace->Ok())
        std::fprintf(stderr, "%s\n", trace->Error().c_str());
    return trace;
}

}  // namespace

Workspace::Workspace(LoggerInfo& info, CMainFrame& frame, Link* link, Clock* clock)
    : info_(info),
      frame_(frame),
      trace_(link == nullptr ? TraceFromEnvironment(channel_) : nullptr),
      clock_(clock != nullptr ? *clock : systemClock_),
      link_(link != nullptr ? *link
            : trace_        ? static_cast<Link&>(*trace_)
                            : static_cast<Link&>(channel_)),
      measurements_(std::make_unique<Measurements>(info, clock_, sound_)),
      prompts_(std::make_unique<DesktopPrompts>(frame, *measurements_)),
      panel_(std::make_unique<DesktopPanelView>(frame, *measurements_, info)),
      connection_(std::make_unique<DeviceConnection>(link_, clock_, info, *prompts_, *panel_)) {
    // A queued event may finish the history download between two steps: the view learns of it at
    // once, as after a step.
    panel_->SetQueuedEventsHandler([this] {
        connection_->HandleQueuedEvents();
        PublishState();
    });
    connection_->SetHistorySink([this](const HistoryHandover& handover) {
        const DownloadIngestResult result = measurements_->TakeDownloadedHistory(
            handover.bytes, handover.shownChannels, handover.complete ? 0 : handover.expectedReadings);
        // The realtime panel's recorded amount: the values the download stored.
        if (result.stored) {
            ArchiveDownload(handover);
            frame_.View()->RealtimePanel()->SetRecordedAmount(QString::number(result.recordedAmount));
        }
    });
    QObject::connect(measurements_.get(), &Measurements::historyShown, frame_.View(),
                     &CVeldrinView::ShowHistoryView);
    QObject::connect(measurements_.get(), &Measurements::historyShown, frame_.View(),
                     [this] { frame_.View()->SetPartialHistory(measurements_->History().Partial()); });
    // The live readings' alarm is seen in the status bar, and a sound that cannot play is said.
    QObject::connect(&measurements_->Realtime(), &RealtimeMonitor::alarmStatusChanged, &frame_,
                     &CMainFrame::SetAlarmText);
    QObject::connect(&measurements_->Realtime(), &RealtimeMonitor::alarmSoundSilent, &frame_,
                     &CMainFrame::SayAlarmSilent);
    audit_ = std::make_unique<LoggerAudit>(archive_, info_, *connection_, link_, [this](const QString& text) {
        frame_.statusBar()->showMessage(text);
    });
    frame_.View()->SetStepHandler([this] { Step(); });
    measurements_->SetTemperatureUnit(frame_.Units()->Chosen());
    QObject::connect(frame_.Units(), &UnitMenu::unitChosen, measurements_.get(),
                     [this](TemperatureUnit unit) { ShowInUnit(unit); });
    QObject::connect(frame_.DewPointAction(), &QAction::toggled, measurements_.get(),
                     [this](bool shown) { measurements_->SetDewPointShown(shown); });
    AttachPages();
    InstallCommands();
    AttachLoggerList();
    PublishState();
}

void Workspace::ShowInUnit(TemperatureUnit unit) {
    const TemperatureUnit before = measurements_->Unit();
    measurements_->SetTemperatureUnit(unit);
    panel_->ShowLimitsInUnit(before, unit);
    for (QTabWidget* tabs :
         {frame_.View()->RealtimePanel()->DataTabs(), frame_.View()->HistoryPanel()->DataTabs()}) {
        tabs->widget(0)->update();
    }
}

Workspace::~Workspace() {
    // The view outlives the workspace: nothing of it may call back in here afterwards.
    frame_.View()->SetStepHandler({});
    CFormDialog* panel = frame_.View()->RealtimePanel();
    panel->SetStartHandler({});
    panel->SetStopHandler({});
    for (QTabWidget* tabs : {panel->DataTabs(), frame_.View()->HistoryPanel()->DataTabs()}) {
        if (auto* curve = qobject_cast<CurvePage*>(tabs->widget(0))) {
            curve->SetChart(nullptr, {});
        }
    }
    if (auto* statistics = frame_.View()->HistoryPanel()->DataTabs()->findChild<StatisticsPage*>()) {
        statistics->SetLists(nullptr, nullptr);
    }
    for (std::size_t index = 0; index < kMenuCommandCount; ++index) {
        frame_.SetCommandHandler(static_cast<Command>(index), {});
    }
    delete loggerList_;
    audit_.reset();
    connection_.reset();
}

void Workspace::AttachLoggerList() {
    loggerList_ = new LoggerListPanel(&frame_);
    frame_.addDockWidget(Qt::RightDockWidgetArea, loggerList_);
    // Off until the user shows it; then shown again at each start until hidden.
    const bool shown = ReadFleetSettings(*OpenProfile()).panelShown;
    loggerList_->setVisible(shown);
    // The frame may not be shown yet: the menu's check follows what was asked, not the show event.
    loggerList_->toggleViewAction()->setChecked(shown);
    frame_.DeviceMenu()->addSeparator();
    frame_.DeviceMenu()->addAction(loggerList_->toggleViewAction());
    loggerList_->SetBusyPortSource(
        [this] { return connection_->Online() ? connection_->OpenedPort().devicePath : std::string(); });
    loggerList_->SetHistoryHandler(
        [this](const fleet::ReceivedHistory& history) { ShowListedDownload(history); });
    loggerList_->SetArchiveLocationSource([this] { return archive_.Location(); });
}

void Workspace::ShowListedDownload(const fleet::ReceivedHistory& history) {
    // Decoded with the record of the logger it came from; the realtime panel's logger keeps its own.
    const LoggerInfo own = info_;
    info_ = history.info;
    info_.model = history.model;
    measurements_->TakeDownloadedHistory(history.raw, history.shown,
                                         history.complete ? 0 : history.expectedReadings);
    info_ = own;
    // The list archived it when it arrived: its pages carry that entry's mark.
    archive_.SetShown(history.entry ? archive_.Find(*history.entry) : std::nullopt);
}

void Workspace::AttachPages() {
    Measurements& records = *measurements_;
    CVeldrinView* view = frame_.View();
    CurvePage* realtimeCurve = veldrin::AttachPages(
        view->RealtimePanel()->DataTabs(), records.RealtimeDataList(), records.RealtimeAlarmList(), true);
    CurvePage* historyCurve = veldrin::AttachPages(
        view->HistoryPanel()->DataTabs(), records.HistoryDataList(), records.HistoryAlarmList(), false);
    if (auto* summary = qobject_cast<ListPage*>(view->HistoryPanel()->SummaryPage())) {
        summary->SetList(&records.Summary(), false);
        summary->SetWholeValuesShown();
    }
    if (realtimeCurve != nullptr) {
        realtimeCurve->SetChart(&records.RealtimeChart(), [this](CurveChart& chart) {
            return DrawRealtimeCurvePage(chart, measurements_->RealtimeSeries(), info_.model,
                                         &info_.channel1Alarm, &info_.channel2Alarm, measurements_->Unit());
        });
        // A new recording's chart starts at its first reading, wherever the trackbar stood.
        QObject::connect(&records.Realtime(), &RealtimeMonitor::recordingRestarted, realtimeCurve,
                         &CurvePage::FollowChart);
        QObject::connect(&records.Realtime(), &RealtimeMonitor::readingShown, realtimeCurve,
                         [realtimeCurve](int chartCount) {
                             realtimeCurve->SetTrackbarMaximum(chartCount);
                             realtimeCurve->update();
                         });
    }
    if (historyCurve != nullptr) {
        historyCurve->SetChart(&records.HistoryChart(), [this](CurveChart& chart) {
            return DrawHistoryCurvePage(chart, measurements_->History(), measurements_->Unit());
        });
        historyCurve->SetTrackbarReachesLastScreen(true);
        QObject::connect(&records, &Measurements::historyShown, historyCurve, &CurvePage::FollowChart);
    }
    AttachStatisticsPage(historyCurve);
}

void Workspace::AttachStatisticsPage(CurvePage* historyCurve) {
    QTabWidget* tabs = frame_.View()->HistoryPanel()->DataTabs();
    auto* page = tabs->findChild<StatisticsPage*>();
    if (page == nullptr) {
        return;
    }
    page->SetLists(&measurements_->StatisticsList(), &measurements_->ExcursionList());
    if (historyCurve != nullptr) {
        // A chosen excursion: the curve page comes up with the cursor on its first reading.
        QObject::connect(page, &StatisticsPage::excursionChosen, historyCurve,
                         [tabs, historyCurve](int index) {
                             historyCurve->ShowSample(index);
                             tabs->setCurrentWidget(historyCurve);
                         });
    }
}

void Workspace::InstallCommands() {
    frame_.SetCommandHandler(Command::Connect, [this] {
        connection_->ConnectCommand();
        PublishState();
    });
    frame_.SetCommandHandler(Command::Disconnect, [this] {
        connection_->Disconnect();
        measurements_->Realtime().SetMonitoring(false);
        PublishState();
    });
    frame_.SetCommandHandler(Command::ReadHistory, [this] {
        connection_->ReadHistory();
        PublishState();
    });
    CFormDialog* panel = frame_.View()->RealtimePanel();
    panel->SetStartHandler([this] {
        // Without a logger on line there is nothing to start: the user is told so at once instead
        // of being asked for a start time that nothing would follow.
        if (!connection_->Online()) {
            prompts_->ShowMessage(texts::Translated(texts::kDeviceNotConnected));
            return false;
        }
        // Only a logger on line begins the start sequence; settings the user declines leave the
        // buttons and the monitoring as they are.
        audit_->SettingsAsked();
        const bool taken = connection_->ApplySettings() == RequestResult::Taken;
        audit_->SettingsTaken(taken);
        const bool started = taken && connection_->CurrentPhase() == Phase::SettingUp;
        if (started) {
            info_.connected = true;
            // A new recording: its readings start an empty store and curve.
            measurements_->Realtime().RestartRecording();
            measurements_->Realtime().SetMonitoring(true);
        }
        PublishState();
        return started;
    });
    panel->SetStopHandler([this] {
        if (!connection_->Online()) {
            prompts_->ShowMessage(texts::Translated(texts::kDeviceNotConnected));
            return;
        }
        connection_->StopRecording();
        audit_->StopAsked();
        PublishState();
    });
}

void Workspace::ArchiveDownload(const HistoryHandover& handover) {
    QString failure;
    const archive::DecodedDownload download{handover.bytes,    measurements_->History(), handover.info,
                                            handover.model,    handover.shownChannels,   handover.complete,
                                            link_.DevicePath()};
    archive_.SetShown(archive_.ArchiveDownload(download, failure));
    if (archive_.Shown()) {
        frame_.statusBar()->showMessage(
            QCoreApplication::translate("Workspace", "历史数据已存入档案库：档案 %1")
                .arg(archive_.Shown()->id));
    } else {
        // Kept in the status bar until something else is said: the history itself is shown as ever.
        frame_.statusBar()->showMessage(QCoreApplication::translate("Workspace", "历史数据未存入档案库：") +
                                        failure);
    }
}

void Workspace::Step() {
    connection_->OnTimer();
    PublishState();
}

void Workspace::PublishState() {
    CVeldrinView* view = frame_.View();
    const ViewMode viewMode = connection_->CurrentViewMode();
    const LinkMode linkMode = connection_->CurrentLinkMode();
    if (view->CurrentViewMode() != viewMode) {
        view->SetViewMode(viewMode);
    }
    if (view->CurrentLinkMode() != linkMode) {
        view->SetLinkMode(linkMode);
    }
    view->SetOnline(connection_->Online());
    view->SetDownloadedHistory(measurements_->HistoryDownloaded());
    view->SetConnecting(connection_->ConnectRunning());
    if (audit_ != nullptr)
        audit_->Observe();
}

}  // namespace veldrin
