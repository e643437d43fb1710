#pragma once
// The tab control of both panels: "数据趋势", "数据列表", "报警列表" over the curve, data-list and
// alarm-list pages.
class QTabWidget;
class QWidget;

namespace veldrin {

QTabWidget* CreateDataTabs(QWidget* parent, QWidget* curve, QWidget* dataList, QWidget* alarmList);

}  // namespace veldrin
