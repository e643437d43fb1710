#pragma once
// Chooses the port and the logger model before connecting.
#include <QDialog>

class QComboBox;

namespace veldrin {

class CLinkDlg : public QDialog {
    Q_OBJECT
public:
    // The port list's last entry, which searches the ports instead of naming one.
    static constexpr int kAutoSearchPort = 5;

    explicit CLinkDlg(QWidget* parent = nullptr);

    // Port number: list index + 1 ("com1" … "com4", 5 for "自动搜索").
    int PortNumber() const { return portNumber_; }
    const QString& PortText() const { return portText_; }
    // Instrument number: list index + 1 in the order "单温度记录仪", "双温度记录仪", "温湿度记录仪".
    int InstrumentNumber() const { return instrumentNumber_; }
    const QString& InstrumentText() const { return instrumentText_; }

    QComboBox* PortList() const { return portList_; }
    QComboBox* InstrumentList() const { return instrumentList_; }

private:
    QComboBox* portList_;
    QComboBox* instrumentList_;
    int portNumber_ = 1;
    QString portText_;
    int instrumentNumber_ = 1;
    QString instrumentText_;
};

}  // namespace veldrin
