#pragma once
// The pages the two panels host. Created here in one place, so that the panels need not know
// which page classes stand behind each tab.
#include <QTableView>
#include <QWidget>

namespace veldrin {

// A list page: a read-only table over one of the measurement lists.
class ListPage : public QTableView {
    Q_OBJECT
  public:
    ListPage();
    // `followNewest`: the newest row is scrolled into view as rows arrive (the realtime lists).
    void SetList(QAbstractItemModel* list, bool followNewest);
    // A short list of names and long values (the summary): the names take the width they need,
    // the values the rest, and a value too long for its line goes on over further lines.
    void SetWholeValuesShown();

  private:
    // Sizes each column as the list's column-width header role says.
    void ApplyColumnWidths();
    bool wholeValues_ = false;
};

struct RealtimePages {
    QWidget* curve;      // "数据趋势"
    QWidget* dataList;   // "数据列表"
    QWidget* alarmList;  // "报警列表"
};

struct HistoryPages {
    QWidget* curve;
    QWidget* dataList;
    QWidget* alarmList;
    QWidget* summary;     // placed beside the tabs
    QWidget* statistics;  // "统计", the tab after the alarm list
};

// Parentless pages; the panel that receives them takes ownership.
RealtimePages CreateRealtimePages();
HistoryPages CreateHistoryPages();

}  // namespace veldrin
