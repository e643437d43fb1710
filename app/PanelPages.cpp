#include "app/PanelPages.h"

#include <QHeaderView>

#include "app/CurvePage.h"

namespace veldrin {
namespace {

template <typename Page>
Page* NamedPage(const char* name) {
    auto* page = new Page;
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

}  // namespace

ListPage::ListPage() {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    // Fixed row heights: a history list may hold a hundred thousand rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
}

void ListPage::SetList(QAbstractItemModel* list, bool followNewest) {
    setModel(list);
    if (followNewest && list != nullptr) {
        connect(list, &QAbstractItemModel::rowsInserted, this, [this] { scrollToBottom(); });
    }
}

RealtimePages CreateRealtimePages() {
    return {NamedPage<CurvePage>("CPage1"), NamedPage<ListPage>("CPage2"), NamedPage<ListPage>("CPage3")};
}

HistoryPages CreateHistoryPages() {
    return {NamedPage<CurvePage>("CPage11"), NamedPage<ListPage>("CPage12"), NamedPage<ListPage>("CPage13"),
            NamedPage<ListPage>("CPage4")};
}

}  // namespace veldrin
