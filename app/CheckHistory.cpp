#include "app/CheckHistory.h"

#include <QCheckBox>

namespace veldrin {

CheckHistory::Kind CheckHistory::KindForModel(LoggerModel model) {
    switch (model) {
        case LoggerModel::TemperatureHumidity:
            return TemperatureHumidity;
        case LoggerModel::DualTemperature:
            return DualTemperature;
        default:
            return SingleChannel;
    }
}

CheckHistory::CheckHistory(Kind kind, QWidget* parent) : QuestionDialog(parent), kind_(kind) {
    setWindowTitle(tr("读取历史数据"));
    const QString question = tr("停止记录并读取历史数据？");
    if (kind == SingleChannel) {
        SetLines({{QPoint(66, 60), question}});
        FirstCheck()->hide();
        SecondCheck()->hide();
        chosen_ = {true, false};
        return;
    }
    SetLines({{QPoint(66, 30), tr("请选择通道")}, {QPoint(66, 80), question}});
    const bool dual = kind == DualTemperature;
    FirstCheck()->setText(dual ? tr("温度I") : tr("温度"));
    SecondCheck()->setText(dual ? tr("温度II") : tr("湿度"));
    FirstCheck()->setChecked(true);
    SecondCheck()->setChecked(true);
    chosen_ = {true, true};
    connect(FirstCheck(), &QCheckBox::toggled, this, [this](bool on) { chosen_[0] = on; });
    connect(SecondCheck(), &QCheckBox::toggled, this, [this](bool on) { chosen_[1] = on; });
}

}  // namespace veldrin
