#include "app/LoggerListPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/FleetSettingsDialog.h"
#include "app/Profile.h"
#include "logger/PortChoice.h"

namespace veldrin {
namespace {}  // namespace

LoggerListPanel::LoggerListPanel(QWidget* parent)
    : QDockWidget(tr("仪器列表"), parent),
      model_(this),
      jobs_(model_, this),
      table_(new QTableView),
      downloadAll_(new QPushButton(tr("全部下载"))),
      download_(new QPushButton(tr("下载"))),
      settings_(new QPushButton(tr("设置…"))),
      station_(new QCheckBox(tr("插入即下载"))) {
    setObjectName(QStringLiteral("LoggerListDock"));
    toggleViewAction()->setText(tr("仪器列表"));

    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(downloadAll_), static_cast<QWidget*>(download_),
                            static_cast<QWidget*>(settings_), static_cast<QWidget*>(station_)})
        buttons->addWidget(widget);
    buttons->addStretch();
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    setWidget(content);

    station_->setChecked(ReadFleetSettings(*OpenProfile()).station);
    // Shown or hidden by the menu or the panel's close button: remembered for the next start.
    connect(toggleViewAction(), &QAction::toggled, this, [](bool shown) {
        const std::unique_ptr<QSettings> profile = OpenProfile();
        FleetSettings settings = ReadFleetSettings(*profile);
        settings.panelShown = shown;
        WriteFleetSettings(*profile, settings);
    });

    connect(downloadAll_, &QPushButton::clicked, this, [this] {
        std::vector<int> rows;
        for (int row = 0; row < model_.rowCount(); ++row)
            rows.push_back(row);
        DownloadRows(rows);
    });
    connect(download_, &QPushButton::clicked, this, [this] {
        std::vector<int> rows;
        for (const QModelIndex& index : table_->selectionModel()->selectedRows())
            rows.push_back(index.row());
        DownloadRows(rows);
    });
    connect(settings_, &QPushButton::clicked, this, &LoggerListPanel::EditSettings);
    connect(station_, &QCheckBox::toggled, this, &LoggerListPanel::SetStation);
    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { ShowHistoryOfRow(index.row()); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LoggerListPanel::RefreshButtons);
    connect(&model_, &QAbstractItemModel::dataChanged, this, &LoggerListPanel::RefreshButtons);
    connect(&jobs_, &LoggerJobs::jobEnded, this, &LoggerListPanel::Rescan);

    connect(&rescan_, &QTimer::timeout, this, &LoggerListPanel::Rescan);
    rescan_.start(kRescanMs);
    Rescan();
}

LoggerListPanel::~LoggerListPanel() {
    // Going away with the window is no choice of the user's.
    toggleViewAction()->disconnect(this);
}

void LoggerListPanel::SetDeviceRoots(DeviceRoots roots) {
    roots_ = std::move(roots);
    Rescan();
}

void LoggerListPanel::Rescan() {
    const std::vector<SerialDevice> devices = FindSerialDevices(roots_);
    model_.SetDevices(devices);
    for (int row = 0; row < model_.rowCount(); ++row) {
        if (model_.Row(row).gone)
            jobs_.Abandon(model_.Row(row).port);
    }
    model_.SetBusyPort(busyPort_ ? busyPort_() : std::string());
    // The station leaves the device the realtime panel took meanwhile: no port is opened twice.
    for (int row = 0; row < model_.rowCount(); ++row) {
        if (model_.Row(row).busy)
            jobs_.StopStation(model_.Row(row).port);
    }
    if (station_->isChecked()) {
        const fleet::FleetOptions options = Options();
        for (int row = 0; row < model_.rowCount(); ++row) {
            if (Downloadable(row))
                jobs_.Serve(model_.Row(row).port, options);
        }
    }
    RefreshButtons();
}

bool LoggerListPanel::Downloadable(int row) const {
    const LoggerRow& listed = model_.Row(row);
    return !listed.busy && !listed.gone && !jobs_.Running(listed.port);
}

void LoggerListPanel::DownloadRows(const std::vector<int>& rows) {
    model_.SetBusyPort(busyPort_ ? busyPort_() : std::string());
    const fleet::FleetOptions options = Options();
    std::vector<std::string> ports;
    for (int row : rows) {
        if (row >= 0 && row < model_.rowCount() && Downloadable(row))
            ports.push_back(model_.Row(row).port);
    }
    for (const std::string& port : ports)
        jobs_.Download(port, options);
    RefreshButtons();
}

void LoggerListPanel::EditSettings() {
    const std::unique_ptr<QSettings> profile = OpenProfile();
    FleetSettingsDialog dialog(ReadFleetSettings(*profile), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WriteFleetSettings(*profile, dialog.Settings());
}

void LoggerListPanel::SetStation(bool on) {
    const std::unique_ptr<QSettings> profile = OpenProfile();
    FleetSettings settings = ReadFleetSettings(*profile);
    settings.station = on;
    WriteFleetSettings(*profile, settings);
    if (!on)
        jobs_.StopStations();
    Rescan();
}

void LoggerListPanel::ShowHistoryOfRow(int row) {
    if (row < 0 || row >= model_.rowCount() || !model_.Row(row).history || !showHistory_)
        return;
    // A copy: the row may get a new download while the history panel takes this one.
    const std::shared_ptr<const fleet::ReceivedHistory> history = model_.Row(row).history;
    showHistory_(*history);
}

void LoggerListPanel::RefreshButtons() {
    bool anyDownloadable = false;
    for (int row = 0; row < model_.rowCount(); ++row)
        anyDownloadable = anyDownloadable || Downloadable(row);
    bool selectedDownloadable = false;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        selectedDownloadable = selectedDownloadable || Downloadable(index.row());
    downloadAll_->setEnabled(anyDownloadable && !station_->isChecked());
    download_->setEnabled(selectedDownloadable && !station_->isChecked());
}

fleet::FleetOptions LoggerListPanel::Options() const {
    const std::unique_ptr<QSettings> profile = OpenProfile();
    const FleetSettings settings = ReadFleetSettings(*profile);
    fleet::FleetOptions options;
    options.model = kModelFromIdentify;
    options.templates = TemplatesOf(settings);
    options.restart = settings.restart;
    options.archiving = fleet::ArchiveAt(archiveLocation_ ? archiveLocation_() : std::string(),
                                         archive::CurrentActor(VELDRIN_VERSION));
    return options;
}

}  // namespace veldrin
