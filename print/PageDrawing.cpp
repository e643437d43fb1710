#include "print/PageDrawing.h"

#include <QCoreApplication>
#include <QFontMetrics>

#include "history/HistoryText.h"
#include "print/PageText.h"

namespace veldrin {

QFont PageFont(int pixelHeight) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
    return font;
}

QFont ArchiveMarkFont(int pixelHeight) {
    QFont font = PageFont(pixelHeight);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void DrawTextOn(QPainter& painter, int x, int y, const QString& text, const QColor& background) {
    if (text.isEmpty())
        return;
    const QFontMetrics metrics = painter.fontMetrics();
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), background);
    DrawTextAt(painter, x, y, text);
}

bool DrawPageFrame(QPainter& painter, const PageFrame& frame, const PrintPageSource& source, int page) {
    painter.setPen(QPen(Qt::black, frame.outlineWidth));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(0, 0, frame.width - 1, frame.height - 1);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(PageFont(frame.fontPixels));
    DrawTextAt(painter, frame.numberX, frame.numberY,
               QStringLiteral("%1/%2").arg(page).arg(source.totalPages));
    if (!source.archiveMark.empty()) {
        // An archived history's entry and hash at the foot of the page, in a smaller face, so
        // that a printout can be traced back to its entry; unarchived pages have nothing here.
        const int markPixels = frame.fontPixels * 2 / 3;
        painter.setFont(ArchiveMarkFont(markPixels));
        DrawTextAt(painter, frame.summaryLeft, frame.height - markPixels * 2,
                   QString::fromStdString(source.archiveMark));
        painter.setFont(PageFont(frame.fontPixels));
    }
    if (source.selection.Empty()) {
        DrawTextAt(painter, page == 1 ? frame.summaryLeft : frame.bodyX,
                   page == 1 ? frame.summaryTop : frame.bodyY,
                   QCoreApplication::translate("PageDrawing", "无数据"));
        return true;
    }
    if (page != 1)
        return false;
    const bool second = HasSecondChannel(source.history);
    int y = frame.summaryTop;
    for (int line = 1; line <= kSummaryLineCount; ++line) {
        if (line >= 14 && line <= 19 && !second)
            continue;
        DrawTextAt(painter, frame.summaryLeft, y, source.selection.summaryLines[line - 1]);
        y += frame.summaryStep;
    }
    // A partial download says so under its summary; a whole history's page stays as it was.
    if (source.history.Partial())
        DrawTextAt(painter, frame.summaryLeft, y,
                   FilledText(QCoreApplication::translate("PageDrawing", "%1：%2"), CompletenessName(),
                              CompletenessText(source.history)));
    return true;
}

}  // namespace veldrin
