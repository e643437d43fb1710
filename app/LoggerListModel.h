#pragma once
// The rows of the list of loggers: every serial device found, with its state in words ("空闲",
// "正在读取 37%", "已保存 …", the failure message …), the model and the title of the logger on it,
// and the history of its last download.
#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "fleet/FleetDownload.h"
#include "serial/SerialDevices.h"

namespace veldrin {

// The state of a logger nothing runs on, in the language of the run.
QString IdleState();

struct LoggerRow {
    std::string port;  // the device path as found
    QString state = IdleState();
    QString model;
    QString title;
    bool busy = false;     // the realtime panel's connection holds the device
    bool working = false;  // a download or the station runs on it
    bool gone = false;     // unplugged while working: the row goes once the work ends
    std::shared_ptr<const fleet::ReceivedHistory> history;  // the last download's, when one arrived
};

class LoggerListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { PortColumn, StateColumn, ModelColumn, TitleColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Follows the devices found now: new ones are added idle, vanished ones dropped (or marked
    // gone while work runs on them).
    void SetDevices(const std::vector<SerialDevice>& devices);
    // Marks the row whose device is `busyPort` (any path leading to the same device) as held by
    // the realtime panel, and frees the others; "" frees all.
    void SetBusyPort(const std::string& busyPort);

    // The row of `port`, or −1.
    int RowOf(const std::string& port) const;
    const LoggerRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    // Changes the row of `port` (when it is still listed) through `change`, and tells the views.
    template <typename Change>
    void Update(const std::string& port, Change change) {
        const int row = RowOf(port);
        if (row < 0)
            return;
        change(rows_[static_cast<std::size_t>(row)]);
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    }
    // Drops the rows marked gone whose work has ended.
    void DropGone();

  private:
    std::vector<LoggerRow> rows_;
};

}  // namespace veldrin
