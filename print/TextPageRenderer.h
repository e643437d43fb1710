#pragma once
// Draws one table page onto any painter whose device has the layout's resolution: the screen
// page image, a printer page or a PDF page.
#include <QPainter>

#include "print/PageDrawing.h"
#include "print/TextPageLayout.h"

namespace veldrin {

// Page `page` (1-based): the summary on page 1, up to rowsPerPage sample rows on every later
// page, numbered across the whole selection.
void RenderTextPage(QPainter& painter, TextPageLayout layout, const PrintPageSource& source, int page);

// The texts of one table row, empty where a cell is not drawn.
struct TextRow {
    std::string number, time, value1, value2, alarm1, alarm2;
    bool alarmCells = false;  // the history's alarm flag: alarm cells are drawn, even when empty
};
// Row of selection sample `index`.
TextRow TextRowOf(const PrintPageSource& source, int index);

// Rows of page `page` (≥ 2): the first selection index and how many rows follow.
struct PageRows {
    int first = 0;
    int count = 0;
};
PageRows RowsOfPage(int page, int rowsPerPage, int selectionCount);

}  // namespace veldrin
