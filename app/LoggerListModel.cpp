#include "app/LoggerListModel.h"

#include <QCoreApplication>
#include <algorithm>

#include "files/FileNameTemplate.h"
#include "serial/PortMap.h"

namespace veldrin {

QString IdleState() {
    return QCoreApplication::translate("veldrin::LoggerListModel", "空闲");
}

int LoggerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LoggerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LoggerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const LoggerRow& row = Row(index.row());
    if (role == Qt::ToolTipRole && index.column() == PortColumn)
        return QString::fromStdString(row.port);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
        case PortColumn:
            return QString::fromStdString(DeviceFileName(row.port));
        case StateColumn:
            return row.busy ? tr("忙 (实时面板)") : row.state;
        case ModelColumn:
            return row.model;
        case TitleColumn:
            return row.title;
        default:
            return {};
    }
}

QVariant LoggerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[] = {QT_TRANSLATE_NOOP("veldrin::LoggerListModel", "端口"),
                                          QT_TRANSLATE_NOOP("veldrin::LoggerListModel", "状态"),
                                          QT_TRANSLATE_NOOP("veldrin::LoggerListModel", "型号"),
                                          QT_TRANSLATE_NOOP("veldrin::LoggerListModel", "标题")};
    return section >= 0 && section < ColumnCount ? tr(kTitles[section]) : QVariant();
}

void LoggerListModel::SetDevices(const std::vector<SerialDevice>& devices) {
    for (int row = rowCount() - 1; row >= 0; --row) {
        LoggerRow& listed = rows_[static_cast<std::size_t>(row)];
        const bool present = std::any_of(devices.begin(), devices.end(), [&](const SerialDevice& device) {
            return device.path == listed.port;
        });
        if (present || listed.working) {
            listed.gone = !present;
            continue;
        }
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    }
    for (const SerialDevice& device : devices) {
        if (RowOf(device.path) >= 0)
            continue;
        beginInsertRows({}, rowCount(), rowCount());
        LoggerRow added;
        added.port = device.path;
        rows_.push_back(std::move(added));
        endInsertRows();
    }
}

void LoggerListModel::SetBusyPort(const std::string& busyPort) {
    const std::string busyDevice = busyPort.empty() ? std::string() : ResolvedDevicePath(busyPort);
    for (int row = 0; row < rowCount(); ++row) {
        LoggerRow& listed = rows_[static_cast<std::size_t>(row)];
        const bool busy = !busyDevice.empty() && ResolvedDevicePath(listed.port) == busyDevice;
        if (busy != listed.busy) {
            listed.busy = busy;
            emit dataChanged(index(row, StateColumn), index(row, StateColumn));
        }
    }
}

int LoggerListModel::RowOf(const std::string& port) const {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].port == port)
            return static_cast<int>(row);
    }
    return -1;
}

void LoggerListModel::DropGone() {
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (rows_[static_cast<std::size_t>(row)].gone && !rows_[static_cast<std::size_t>(row)].working) {
            beginRemoveRows({}, row, row);
            rows_.erase(rows_.begin() + row);
            endRemoveRows();
        }
    }
}

}  // namespace veldrin
