#include "app/DataTabs.h"

#include <QCoreApplication>
#include <QTabWidget>

namespace veldrin {

QTabWidget* CreateDataTabs(QWidget* parent, QWidget* curve, QWidget* dataList, QWidget* alarmList) {
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName(QStringLiteral("dataTabs"));
    tabs->addTab(curve, QCoreApplication::translate("DataTabs", "数据趋势"));
    tabs->addTab(dataList, QCoreApplication::translate("DataTabs", "数据列表"));
    tabs->addTab(alarmList, QCoreApplication::translate("DataTabs", "报警列表"));
    tabs->setCurrentIndex(0);
    return tabs;
}

}  // namespace veldrin
