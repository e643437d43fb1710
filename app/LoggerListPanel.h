#pragma once
// The dockable "仪器列表": every serial device found (following plug and unplug), each with the
// state of its logger; "全部下载" downloads them all at once, "下载" the selected ones, "设置…"
// opens the folder, name template and formats, and "插入即下载" makes the list a download station.
// A finished entry double-clicked shows its history in the history panel. The device the realtime
// panel holds is shown busy and never opened here.
#include <QDockWidget>
#include <QTimer>
#include <functional>
#include <string>

#include "app/FleetSettings.h"
#include "app/LoggerJobs.h"
#include "app/LoggerListModel.h"
#include "serial/SerialDevices.h"

class QCheckBox;
class QPushButton;
class QTableView;

namespace veldrin {

class LoggerListPanel : public QDockWidget {
    Q_OBJECT

  public:
    // How often the devices are looked for again.
    static constexpr int kRescanMs = 1000;

    explicit LoggerListPanel(QWidget* parent = nullptr);
    ~LoggerListPanel() override;

    // The sysfs and device trees the devices are found in (by default the machine's own).
    void SetDeviceRoots(DeviceRoots roots);
    // The device path the realtime panel's connection holds, "" when none.
    void SetBusyPortSource(std::function<std::string()> source) { busyPort_ = std::move(source); }
    // Where the downloads are archived: the window's archive ("" the default file), read at each
    // download.
    void SetArchiveLocationSource(std::function<std::string()> source) {
        archiveLocation_ = std::move(source);
    }
    // Shows a downloaded history as the realtime panel's download shows it.
    void SetHistoryHandler(std::function<void(const fleet::ReceivedHistory&)> handler) {
        showHistory_ = std::move(handler);
    }

    // Looks for the devices now, marks the busy one and, as a station, waits on the new ones.
    void Rescan();

    LoggerListModel& Model() { return model_; }
    const LoggerJobs& Jobs() const { return jobs_; }
    QTableView* Table() const { return table_; }
    QPushButton* DownloadAllButton() const { return downloadAll_; }
    QPushButton* DownloadButton() const { return download_; }
    QPushButton* SettingsButton() const { return settings_; }
    QCheckBox* StationBox() const { return station_; }

  private:
    void DownloadRows(const std::vector<int>& rows);
    void EditSettings();
    void SetStation(bool on);
    void ShowHistoryOfRow(int row);
    void RefreshButtons();
    bool Downloadable(int row) const;
    fleet::FleetOptions Options() const;

    DeviceRoots roots_;
    std::function<std::string()> busyPort_;
    std::function<std::string()> archiveLocation_;
    std::function<void(const fleet::ReceivedHistory&)> showHistory_;
    LoggerListModel model_;
    LoggerJobs jobs_;
    QTableView* table_;
    QPushButton* downloadAll_;
    QPushButton* download_;
    QPushButton* settings_;
    QCheckBox* station_;
    QTimer rescan_;
};

}  // namespace veldrin
