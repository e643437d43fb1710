#include "app/PanelPages.h"

#include <QHeaderView>
#include <algorithm>

#include "app/CurvePage.h"
#include "app/StatisticsPage.h"
#include "measure/TextTableModel.h"

namespace veldrin {
namespace {

template <typename Page>
Page* NamedPage(const char* name) {
    auto* page = new Page;
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

// The lists' pixel widths suit a dialog font whose digits are six pixels wide; a wider desktop
// font widens the columns alike, so that a full time text still fits its column.
int ScaledToFont(int width, const QFontMetrics& metrics) {
    constexpr int kDesignedDigitWidth = 6;
    return std::max(width, width * metrics.horizontalAdvance(QLatin1Char('0')) / kDesignedDigitWidth);
}

}  // namespace

ListPage::ListPage() {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    // Fixed row heights: a history list may hold a hundred thousand rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // One line of text per row, as a report list shows it.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setWordWrap(false);
    horizontalHeader()->setStretchLastSection(true);
}

void ListPage::SetList(QAbstractItemModel* list, bool followNewest) {
    setModel(list);
    if (list == nullptr) {
        return;
    }
    if (followNewest) {
        connect(list, &QAbstractItemModel::rowsInserted, this, [this] { scrollToBottom(); });
    }
    // The lists replace their value columns to suit each model; every new set of columns gets
    // the widths the list asks for.
    connect(list, &QAbstractItemModel::modelReset, this, &ListPage::ApplyColumnWidths);
    connect(list, &QAbstractItemModel::layoutChanged, this, &ListPage::ApplyColumnWidths);
    connect(list, &QAbstractItemModel::columnsInserted, this, &ListPage::ApplyColumnWidths);
    connect(list, &QAbstractItemModel::columnsRemoved, this, &ListPage::ApplyColumnWidths);
    connect(list, &QAbstractItemModel::headerDataChanged, this, &ListPage::ApplyColumnWidths);
    ApplyColumnWidths();
}

void ListPage::SetWholeValuesShown() {
    wholeValues_ = true;
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ApplyColumnWidths();
}

void ListPage::ApplyColumnWidths() {
    const QAbstractItemModel* list = model();
    if (list == nullptr) {
        return;
    }
    if (wholeValues_) {
        horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        horizontalHeader()->setStretchLastSection(true);
        return;
    }
    for (int column = 0; column < list->columnCount(); ++column) {
        const QVariant width = list->headerData(column, Qt::Horizontal, TextTableModel::kColumnWidthRole);
        if (width.isValid()) {
            horizontalHeader()->resizeSection(column, ScaledToFont(width.toInt(), fontMetrics()));
        }
    }
}

RealtimePages CreateRealtimePages() {
    return {NamedPage<CurvePage>("CPage1"), NamedPage<ListPage>("CPage2"), NamedPage<ListPage>("CPage3")};
}

HistoryPages CreateHistoryPages() {
    return {NamedPage<CurvePage>("CPage11"), NamedPage<ListPage>("CPage12"), NamedPage<ListPage>("CPage13"),
            NamedPage<ListPage>("CPage4"), NamedPage<StatisticsPage>("statisticsPage")};
}

}  // namespace veldrin
