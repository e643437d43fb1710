#pragma once
// Drawing steps shared by the curve and the table pages.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <string>

#include "history/HistoryDataSet.h"
#include "print/PrintSelection.h"

namespace veldrin {

// What the pages of one print job show.
struct PrintPageSource {
    const HistoryDataSet& history;
    const PrintSelection& selection;
    int totalPages;
    std::string archiveMark = {};  // drawn at the foot of each page when not empty
};

// The "Arial" face of the pages at a pixel height of the surface.
QFont PageFont(int pixelHeight);
// The same face for the archive mark: its hash is read and compared digit by digit, so no
// ligature may join two of its letters ("ff", "fi" would become one glyph, also when copied).
QFont ArchiveMarkFont(int pixelHeight);

// Text with its top-left corner at (x, y), as the pages place every text.
void DrawTextAt(QPainter& painter, int x, int y, const QString& text);
// The same on an opaque background of `background`.
void DrawTextOn(QPainter& painter, int x, int y, const QString& text, const QColor& background);
inline void DrawTextAt(QPainter& painter, int x, int y, const std::string& utf8) {
    DrawTextAt(painter, x, y, QString::fromStdString(utf8));
}

// Where the parts that both page kinds share go on one surface.
struct PageFrame {
    int width, height;  // page size in device pixels
    int fontPixels;     // the 12-point page font
    int numberX, numberY;
    int summaryLeft, summaryTop, summaryStep;
    int bodyX, bodyY;     // where the table or the strips begin
    double outlineWidth;  // of the page's outline, in device pixels
};

// A white page with a black outline and "n/total" in the page font. Page 1 then gets the summary
// lines (1–13, 14–19 when the model has a second channel, then 20); a page of an empty selection
// gets "无数据" (no data) in place of its summary, table or strips. True when that completes the page.
bool DrawPageFrame(QPainter& painter, const PageFrame& frame, const PrintPageSource& source, int page);

}  // namespace veldrin
