#include "app/CMainFrame.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <ctime>
#include <utility>

#include "app/CAboutDlg.h"
#include "app/CVeldrinView.h"
#include "app/FrameGeometry.h"
#include "app/LanguageMenu.h"
#include "app/RecentFileList.h"
#include "app/ShellIcons.h"
#include "app/ShellTime.h"
#include "app/UnitMenu.h"
#include "app/UserGuideDialog.h"

namespace veldrin {
namespace {

constexpr int kToolBarHeight = 30;
constexpr int kStatusBarHeight = 22;
constexpr int kPaneWidth = 200;
constexpr int kAlarmPaneWidth = 260;

QString ReadyText() {
    return CMainFrame::tr("就绪");
}

}  // namespace

CMainFrame::CMainFrame(LoggerInfo& info, QWidget* parent)
    : QMainWindow(parent), view_(new CVeldrinView(info, this)) {
    setWindowTitle(QStringLiteral("Veldrin"));
    setWindowIcon(ApplicationIcon());
    // On a screen smaller than the view the view scrolls; the frame, its buttons and status bar
    // stay on the screen.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("viewScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(view_);
    setCentralWidget(scroller);
    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    CreateMenus();

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect place =
        InitialFrameRect(screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768));
    resize(place.size());
    move(place.topLeft());

    connect(view_, &CVeldrinView::stateChanged, this, &CMainFrame::RefreshCommands);
    connect(&clock_, &QTimer::timeout, this, &CMainFrame::ClockTick);
    clock_.start(1000);
    RefreshCommands();
}

QAction* CMainFrame::AddCommand(Command command, const QString& text) {
    auto* action = new QAction(text, this);
    actions_[static_cast<std::size_t>(command)] = action;
    connect(action, &QAction::triggered, this, [this, command] { RunHandler(command); });
    return action;
}

void CMainFrame::CreateActions() {
    AddCommand(Command::Open, tr("打开...\tCtrl+O(&O)"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(Command::Save, tr("保存\tCtrl+S(&S)"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    AddCommand(Command::PrintHistory, tr("打印历史数据\t(&P)"));
    AddCommand(Command::ExportReport, tr("导出报告(PDF)…"));
    AddCommand(Command::Connect, tr("连接仪器"));
    AddCommand(Command::Disconnect, tr("断开仪器"));
    AddCommand(Command::RealtimeView, tr("即时数据界面"));
    AddCommand(Command::HistoryView, tr("历史数据界面"));
    AddCommand(Command::ReadHistory, tr("读取历史数据"));
    handlers_[static_cast<std::size_t>(Command::RealtimeView)] = [this] { view_->ShowRealtimeView(); };
    handlers_[static_cast<std::size_t>(Command::HistoryView)] = [this] { view_->ShowHistoryView(); };

    exitAction_ = new QAction(tr("退出(&X)"), this);
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);
    statusBarAction_ = new QAction(tr("状态栏(&S)"), this);
    statusBarAction_->setCheckable(true);
    statusBarAction_->setChecked(true);
    aboutAction_ = new QAction(tr("关于 Veldrin(&A)..."), this);
    connect(aboutAction_, &QAction::triggered, this, [this] {
        CAboutDlg about(this);
        about.exec();
    });

    archiveImportAction_ = new QAction(tr("导入到档案库"), this);
    archiveBrowserAction_ = new QAction(tr("档案库…"), this);
    guideAction_ = new QAction(tr("使用说明"), this);
    guideAction_->setShortcut(QKeySequence::HelpContents);
    connect(guideAction_, &QAction::triggered, this, [this] {
        // One guide window, kept open beside the main window while the user follows it.
        auto* guide = findChild<UserGuideDialog*>();
        if (guide == nullptr)
            guide = new UserGuideDialog(this);
        guide->show();
        guide->raise();
        guide->activateWindow();
    });

    // Ctrl+Z and Alt+Backspace ask the start-time question, whatever the state.
    startTimeAction_ = new QAction(this);
    startTimeAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    connect(startTimeAction_, &QAction::triggered, view_, &CVeldrinView::AskStartTime);
    addAction(startTimeAction_);
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("文件(&F)"));
    fileMenu_ = file;
    file->addAction(Action(Command::Open));
    file->addAction(Action(Command::Save));
    file->addAction(Action(Command::PrintHistory));
    file->addAction(Action(Command::ExportReport));
    file->addSeparator();
    file->addAction(archiveImportAction_);
    file->addAction(archiveBrowserAction_);
    exitSeparator_ = file->addSeparator();
    file->addAction(exitAction_);

    QMenu* device = menuBar()->addMenu(tr("设备(&E)"));
    deviceMenu_ = device;
    device->addAction(Action(Command::Connect));
    device->addAction(Action(Command::Disconnect));

    QMenu* dataMenu = menuBar()->addMenu(tr("数据(&V)"));
    dataMenu->addAction(toolBarAction_);
    dataMenu->addAction(statusBarAction_);
    dataMenu->addSeparator();
    dataMenu->addAction(Action(Command::RealtimeView));
    dataMenu->addAction(Action(Command::HistoryView));
    dataMenu->addAction(Action(Command::ReadHistory));
    dataMenu->addSeparator();
    units_ = new UnitMenu(*dataMenu);
    dewPointAction_ = dataMenu->addAction(tr("显示露点(计算)"));
    dewPointAction_->setCheckable(true);

    QMenu* help = menuBar()->addMenu(tr("帮助(&H)"));
    help->addAction(guideAction_);
    help->addMenu(new LanguageMenu(OpenProfile, this));
    help->addSeparator();
    help->addAction(aboutAction_);

    for (QMenu* menu : {file, device, dataMenu, help}) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommands);
    }
}

void CMainFrame::CreateToolBar() {
    auto* bar = addToolBar(tr("工具栏"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setIconSize(QSize(20, 20));
    bar->setMinimumHeight(kToolBarHeight);
    const std::array<std::pair<Command, ToolbarImage>, 5> buttons{{
        {Command::Open, ToolbarImage::Open},
        {Command::Save, ToolbarImage::Save},
        {Command::Connect, ToolbarImage::Connect},
        {Command::RealtimeView, ToolbarImage::RealtimeView},
        {Command::HistoryView, ToolbarImage::HistoryView},
    }};
    const std::array<QString, 5> tips{tr("打开"), tr("保存"), tr("连接仪器"), tr("即时数据界面"),
                                      tr("历史数据界面")};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QAction* action = Action(buttons[i].first);
        action->setIcon(ToolbarIcon(buttons[i].second));
        action->setIconVisibleInMenu(false);
        action->setToolTip(tips[i]);
        bar->addAction(action);
    }
    // The toolbar's own show/hide action keeps its check mark right however the bar is closed.
    toolBarAction_ = bar->toggleViewAction();
    toolBarAction_->setText(tr("工具栏(&T)"));
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setMinimumHeight(kStatusBarHeight);
    const std::array<QString, 4> startTexts{ReadyText(), QStringLiteral("   Hello  Veldrin"),
                                            QStringLiteral("   None"), QStringLiteral("SCRL")};
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        panes_[i] = new QLabel(startTexts[i], bar);
        panes_[i]->setObjectName(QStringLiteral("pane%1").arg(i));
    }
    panes_[0]->setFixedWidth(kPaneWidth);
    panes_[1]->setFixedWidth(kPaneWidth);
    panes_[2]->setMinimumWidth(kPaneWidth);
    // The scroll-lock indicator: the desktop does not tell the program the lock state, so it
    // shows as an indicator that is off (greyed).
    panes_[3]->setFixedWidth(panes_[3]->fontMetrics().horizontalAdvance(panes_[3]->text()) + 8);
    panes_[3]->setEnabled(false);
    bar->addWidget(panes_[0]);
    bar->addWidget(panes_[1]);
    bar->addWidget(panes_[2], 1);
    alarmPane_ = new QLabel(bar);
    alarmPane_->setObjectName(QStringLiteral("alarmPane"));
    // Red in the panes' own font: a font or style of its own would be looked up when the first
    // alarm comes, in the middle of the readings.
    QPalette alarmColours = alarmPane_->palette();
    alarmColours.setColor(QPalette::WindowText, QColor(200, 0, 0));
    alarmPane_->setPalette(alarmColours);
    // Of a fixed width, so that an alarm coming and going never lays the window out again.
    alarmPane_->setFixedWidth(kAlarmPaneWidth);
    bar->addPermanentWidget(alarmPane_);
    bar->addPermanentWidget(panes_[3]);
    connect(statusBarAction_, &QAction::toggled, bar, &QStatusBar::setVisible);
}

void CMainFrame::SetCommandHandler(Command command, std::function<void()> handler) {
    handlers_[static_cast<std::size_t>(command)] = std::move(handler);
}

void CMainFrame::SetRecentFiles(const QStringList& paths) {
    // Later deletion: the list may be rebuilt while one of its entries is being triggered.
    for (QAction* action : std::as_const(recentActions_)) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    if (recentSeparator_ != nullptr) {
        fileMenu_->removeAction(recentSeparator_);
        recentSeparator_->deleteLater();
        recentSeparator_ = nullptr;
    }
    if (paths.isEmpty()) {
        return;
    }
    // The entries get a separator of their own above the one before Exit.
    recentSeparator_ = new QAction(this);
    recentSeparator_->setSeparator(true);
    fileMenu_->insertAction(exitSeparator_, recentSeparator_);
    for (qsizetype i = 0; i < paths.size() && i < RecentFileList::kSize; ++i) {
        const QString path = paths[i];
        auto* action = new QAction(RecentFileMenuText(static_cast<int>(i), path), this);
        action->setStatusTip(tr("打开此文档"));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (recentHandler_) {
                recentHandler_(path);
            }
        });
        fileMenu_->insertAction(exitSeparator_, action);
        recentActions_.append(action);
    }
}

void CMainFrame::SetRecentFileHandler(std::function<void(const QString&)> handler) {
    recentHandler_ = std::move(handler);
}

void CMainFrame::RunHandler(Command command) {
    const auto& handler = handlers_[static_cast<std::size_t>(command)];
    if (handler) {
        handler();
    }
}

void CMainFrame::SetLinkStatusText(const QString& text) {
    panes_[2]->setText(text);
}

void CMainFrame::SetAlarmText(const QString& text) {
    alarmPane_->setText(text);
}

void CMainFrame::SayAlarmSilent() {
    panes_[0]->setText(tr("报警无声：没有音频输出设备"));
}

void CMainFrame::RefreshCommands() {
    const EnabledCommands enabled = EnabledCommandsFor(view_->CurrentCommandState());
    for (std::size_t i = 0; i < kMenuCommandCount; ++i) {
        actions_[i]->setEnabled(enabled[static_cast<Command>(i)]);
    }
}

void CMainFrame::ClockTick() {
    panes_[1]->setText(QString::fromStdString(ClockPaneText(std::time(nullptr))));
    RefreshCommands();
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        panes_[0]->setText(tip.isEmpty() ? ReadyText() : tip);
        return true;
    }
    return QMainWindow::event(event);
}

}  // namespace veldrin
