#pragma once
// Chooses the port and the logger model before connecting. Below the com entries and the auto
// search the port list shows the serial devices found on the machine, and follows adapters being
// plugged in and out while the dialog is open.
#include <QDialog>
#include <QFileSystemWatcher>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "logger/PortChoice.h"
#include "serial/PortMap.h"
#include "serial/SerialDevices.h"

class QComboBox;

namespace veldrin {

class CLinkDlg : public QDialog {
    Q_OBJECT
  public:
    // The port list's last fixed entry, which searches the ports instead of naming one.
    static constexpr int kAutoSearchPort = veldrin::kAutoSearchPort;
    static constexpr int kFixedEntries = 5;

    // Only the com entries and the auto search. `sources` map the com entries to device paths (by
    // default the process's environment, without a profile).
    explicit CLinkDlg(QWidget* parent = nullptr, PortSources sources = PortSources::OfProcess());
    // Also the serial devices under `roots`; the entry `remembered` (a ChoiceKey of an earlier
    // dialog) is chosen at the start when the list holds it.
    CLinkDlg(const DeviceRoots& roots, const QString& remembered, QWidget* parent = nullptr,
             PortSources sources = PortSources::OfProcess());

    // The chosen port and instrument: "com1" … "com4" as their device paths, "自动搜索" as the
    // search over com8 … com1 and then the devices listed that no com port reaches (com5 when it
    // finds nothing), a device entry by its path.
    PortChoice Choice() const;
    QString PortText() const;
    // The device path of the chosen device entry; empty for the fixed entries.
    QString ChosenDevicePath() const;
    // What identifies the chosen entry in the profile: the device path, or the entry's text.
    QString ChoiceKey() const;
    // The devices listed now, in list order.
    const std::vector<SerialDevice>& Devices() const { return devices_; }
    // Instrument number: list index + 1 in the order "单温度记录仪", "双温度记录仪", "温湿度记录仪".
    int InstrumentNumber() const { return instrumentNumber_; }
    const QString& InstrumentText() const { return instrumentText_; }

    QComboBox* PortList() const { return portList_; }
    QComboBox* InstrumentList() const { return instrumentList_; }

  signals:
    // The device entries were listed again after a change under the device tree.
    void DevicesRefreshed();

  private:
    void BuildLayout();
    void ListDevices();
    void WatchDeviceFolders();

    PortSources sources_;
    QComboBox* portList_;
    QComboBox* instrumentList_;
    int instrumentNumber_ = 1;
    QString instrumentText_;
    std::optional<DeviceRoots> roots_;
    std::vector<SerialDevice> devices_;
    QFileSystemWatcher watcher_;
    // Gathers the bursts of changes that one plug or unplug makes into one new look.
    QTimer refreshTimer_;
};

// The port list's text for a device: its path, what it is, and a note when the user may not open it.
QString DeviceEntryText(const SerialDevice& device);

}  // namespace veldrin
