#include "app/CLinkDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QPushButton>

#include <utility>

namespace veldrin {
namespace {

constexpr int kRefreshDelayMs = 300;
constexpr int kDevicePathRole = Qt::UserRole;

// The instrument list holds single temperature, dual temperature, temperature and humidity, then
// the entry that lets the logger's identify answer name the model.
LoggerModel ModelForInstrumentNumber(int number) {
    switch (number) {
        case 4:
            return kModelFromIdentify;
        case 2:
            return LoggerModel::DualTemperature;
        case 3:
            return LoggerModel::TemperatureHumidity;
        default:
            return LoggerModel::SingleTemperature;
    }
}

}  // namespace

QString DeviceEntryText(const SerialDevice& device) {
    QString text = QStringLiteral("%1  %2").arg(QString::fromStdString(device.path),
                                                QString::fromStdString(DeviceSummary(device)));
    if (!device.accessible) {
        text += CLinkDlg::tr("  （无权限，需加入 %1 组）").arg(QString::fromStdString(device.group));
    }
    return text;
}

CLinkDlg::CLinkDlg(QWidget* parent, PortSources sources)
    : QDialog(parent),
      sources_(std::move(sources)),
      portList_(new QComboBox(this)),
      instrumentList_(new QComboBox(this)) {
    BuildLayout();
}

CLinkDlg::CLinkDlg(const DeviceRoots& roots, const QString& remembered, QWidget* parent, PortSources sources)
    : CLinkDlg(parent, std::move(sources)) {
    roots_ = roots;
    ListDevices();
    const int rememberedIndex = portList_->findData(remembered, kDevicePathRole);
    const int fixedIndex = portList_->findText(remembered);
    if (rememberedIndex >= 0) {
        portList_->setCurrentIndex(rememberedIndex);
    } else if (fixedIndex >= 0 && fixedIndex < kFixedEntries) {
        portList_->setCurrentIndex(fixedIndex);
    }
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(kRefreshDelayMs);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] {
        ListDevices();
        WatchDeviceFolders();
        emit DevicesRefreshed();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { refreshTimer_.start(); });
    WatchDeviceFolders();
}

void CLinkDlg::BuildLayout() {
    setWindowTitle(tr("连接仪器"));
    portList_->setObjectName(QStringLiteral("portList"));
    instrumentList_->setObjectName(QStringLiteral("instrumentList"));
    portList_->addItems({QStringLiteral("com1"), QStringLiteral("com2"), QStringLiteral("com3"),
                         QStringLiteral("com4"), tr("自动搜索")});
    // Each com entry tells which device it opens, so that a user can check the mapping.
    for (int port = 1; port <= 4; ++port) {
        portList_->setItemData(port - 1, QString::fromStdString(DevicePathForPort(port, sources_)),
                               Qt::ToolTipRole);
    }
    instrumentList_->addItems({tr("单温度记录仪"), tr("双温度记录仪"), tr("温湿度记录仪"), tr("自动识别")});
    instrumentText_ = instrumentList_->itemText(0);
    connect(instrumentList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        instrumentNumber_ = index + 1;
        instrumentText_ = instrumentList_->itemText(index);
    });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(tr("串口"), portList_);
    layout->addRow(tr("仪器"), instrumentList_);
    layout->addRow(buttons);
}

void CLinkDlg::ListDevices() {
    // The chosen device stays chosen while it is there; when it goes the choice falls back to the
    // first entry.
    const QString chosen = ChosenDevicePath();
    const int fixedChoice = chosen.isEmpty() ? portList_->currentIndex() : 0;
    devices_ = FindSerialDevices(*roots_);
    while (portList_->count() > kFixedEntries) {
        portList_->removeItem(kFixedEntries);
    }
    for (const SerialDevice& device : devices_) {
        const QString path = QString::fromStdString(device.path);
        portList_->addItem(DeviceEntryText(device), path);
        portList_->setItemData(portList_->count() - 1, path, Qt::ToolTipRole);
    }
    const int again = chosen.isEmpty() ? -1 : portList_->findData(chosen, kDevicePathRole);
    portList_->setCurrentIndex(again >= 0 ? again : fixedChoice);
}

void CLinkDlg::WatchDeviceFolders() {
    // An adapter adds its node under /dev and its stable name under /dev/serial/by-id, which
    // itself comes and goes with the first and last adapter.
    const QString dev = QString::fromStdString(roots_->dev);
    for (const QString& folder :
         {dev, dev + QStringLiteral("/serial"), dev + QStringLiteral("/serial/by-id")}) {
        if (QDir(folder).exists() && !watcher_.directories().contains(folder)) {
            watcher_.addPath(folder);
        }
    }
}

PortChoice CLinkDlg::Choice() const {
    const LoggerModel instrument = ModelForInstrumentNumber(instrumentNumber_);
    const QString device = ChosenDevicePath();
    if (!device.isEmpty()) {
        return PortChoice{ChosenPort{device.toStdString(), 0}, false, instrument};
    }
    std::vector<std::string> found;
    for (const SerialDevice& listed : devices_) {
        found.push_back(listed.path);
    }
    const int entry = portList_->currentIndex() + 1;
    return ComPortChoice(entry, entry == kAutoSearchPort, instrument, sources_, found);
}

QString CLinkDlg::PortText() const {
    return portList_->currentText();
}

QString CLinkDlg::ChosenDevicePath() const {
    return portList_->currentData(kDevicePathRole).toString();
}

QString CLinkDlg::ChoiceKey() const {
    const QString device = ChosenDevicePath();
    return device.isEmpty() ? PortText() : device;
}

}  // namespace veldrin
