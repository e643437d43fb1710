#include "app/DataTabs.h"

#include <QTabWidget>

namespace veldrin {

QTabWidget* CreateDataTabs(QWidget* parent, QWidget* curve, QWidget* dataList, QWidget* alarmList) {
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName(QStringLiteral("dataTabs"));
    tabs->addTab(curve, QStringLiteral("数据趋势"));
    tabs->addTab(dataList, QStringLiteral("数据列表"));
    tabs->addTab(alarmList, QStringLiteral("报警列表"));
    tabs->setCurrentIndex(0);
    return tabs;
}

}  // namespace veldrin
