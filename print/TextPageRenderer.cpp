#include "print/TextPageRenderer.h"

#include <QCoreApplication>
#include <algorithm>

#include "history/HistoryText.h"
#include "logger/Gbk.h"
#include "logger/LoggerModel.h"
#include "logger/TextFormat.h"
#include "print/PrintFormat.h"

namespace veldrin {
namespace {

// The table title is cut to this many GBK bytes.
constexpr std::size_t kTitleBytes = 20;

struct Headings {
    QString value1, value2, alarm1, alarm2;
};

Headings HeadingsFor(LoggerModel model) {
    if (model == LoggerModel::DualTemperature)
        return {QCoreApplication::translate("TextPageRenderer", "温度I"),
                QCoreApplication::translate("TextPageRenderer", "温度II"),
                QCoreApplication::translate("TextPageRenderer", "温度I报警"),
                QCoreApplication::translate("TextPageRenderer", "温度II报警")};
    return {QCoreApplication::translate("TextPageRenderer", "温度"),
            QCoreApplication::translate("TextPageRenderer", "湿度"),
            QCoreApplication::translate("TextPageRenderer", "温度报警"),
            QCoreApplication::translate("TextPageRenderer", "湿度报警")};
}

// Empty inside the limits (a value equal to a limit included), else the crossed limit. `value`
// and the limits are in °C; the limit is shown in `unit` followed by `unitText`.
std::string AlarmText(float value, float lower, float upper, TemperatureUnit unit, const char* unitText) {
    std::string text;
    if (value < lower)
        text = Printf(QCoreApplication::translate("TextPageRenderer", "小于%.2f").toStdString().c_str(),
                      static_cast<double>(ValueInUnit(lower, unit))) +
               unitText;
    if (value > upper)
        text = Printf(QCoreApplication::translate("TextPageRenderer", "大于%.2f").toStdString().c_str(),
                      static_cast<double>(ValueInUnit(upper, unit))) +
               unitText;
    return text;
}

void DrawHeadings(QPainter& painter, const TextPageLayout& layout, const HistoryDataSet& history) {
    const Headings headings = HeadingsFor(history.model);
    DrawTextAt(painter, layout.numberX, layout.headingY,
               QCoreApplication::translate("TextPageRenderer", "序号"));
    DrawTextAt(painter, layout.timeX, layout.headingY,
               QCoreApplication::translate("TextPageRenderer", "时间"));
    if (ChannelPrinted(history, 1)) {
        DrawTextAt(painter, layout.value1X, layout.headingY, headings.value1);
        DrawTextAt(painter, layout.alarm1X, layout.headingY, headings.alarm1);
    }
    if (ChannelPrinted(history, 2)) {
        DrawTextAt(painter, layout.value2X, layout.headingY, headings.value2);
        DrawTextAt(painter, layout.alarm2X, layout.headingY, headings.alarm2);
    }
}

void DrawRows(QPainter& painter, const TextPageLayout& layout, const PrintPageSource& source, int page) {
    const PageRows rows = RowsOfPage(page, layout.rowsPerPage, source.selection.count);
    const bool channel1 = ChannelPrinted(source.history, 1);
    const bool channel2 = ChannelPrinted(source.history, 2);
    for (int r = 1; r <= rows.count; ++r) {
        const TextRow row = TextRowOf(source, rows.first + r - 1);
        const int grey = 245 + r % 10;
        const QColor background(grey, grey, grey);
        const int y = r * layout.rowHeight + layout.headingY;
        auto cell = [&](int x, const std::string& text) {
            DrawTextOn(painter, x, y, QString::fromStdString(text), background);
        };
        cell(layout.numberX, row.number);
        cell(layout.timeX, row.time);
        if (channel1) {
            cell(layout.value1X, row.value1);
            if (row.alarmCells)
                cell(layout.alarm1X, row.alarm1);
        }
        if (channel2) {
            cell(layout.value2X, row.value2);
            if (row.alarmCells)
                cell(layout.alarm2X, row.alarm2);
        }
    }
}

}  // namespace

PageRows RowsOfPage(int page, int rowsPerPage, int selectionCount) {
    PageRows rows;
    rows.first = (page - 2) * rowsPerPage;
    rows.count = (page - 1) * rowsPerPage <= selectionCount ? rowsPerPage : selectionCount - rows.first;
    rows.count = std::max(rows.count, 0);
    return rows;
}

TextRow TextRowOf(const PrintPageSource& source, int index) {
    const HistoryDataSet& history = source.history;
    const HistoryLimits& limits = history.limits;
    const PrintSelection& selection = source.selection;
    const bool humidity = Traits(history.model).channel2IsHumidity;
    const float value1 = selection.values1[static_cast<std::size_t>(index)];
    const float value2 = selection.values2[static_cast<std::size_t>(index)];

    TextRow row;
    row.alarmCells = limits.enable1 != 0;
    row.number = Printf("%d", index + 1);
    row.time = " " + FormatPrintTime(selection.times[static_cast<std::size_t>(index)]);
    const TemperatureUnit unit = selection.unit;
    if (ChannelPrinted(history, 1)) {
        row.value1 = FormatTemperature(value1, unit);
        if (row.alarmCells)
            row.alarm1 = AlarmText(value1, limits.lower1, limits.upper1, unit, UnitText(unit));
    }
    if (ChannelPrinted(history, 2)) {
        row.value2 = FormatChannelValue(value2, humidity, unit);
        if (row.alarmCells)
            row.alarm2 = AlarmText(value2, limits.lower2, limits.upper2, ChannelUnit(history, 2, unit),
                                   humidity ? "%RH" : UnitText(unit));
    }
    return row;
}

void RenderTextPage(QPainter& painter, TextPageLayout layout, const PrintPageSource& source, int page) {
    const PageFrame frame{layout.pageWidth,   layout.pageHeight,  layout.pageFontPixels, layout.pageNumberX,
                          layout.pageNumberY, layout.summaryLeft, layout.summaryTop,     layout.summaryStep,
                          layout.numberX,     layout.headingY,    layout.fineLineWidth};
    if (DrawPageFrame(painter, frame, source, page))
        return;
    DrawTextAt(painter, layout.titleX, layout.titleY,
               CutUtf8ToGbkBytes(source.history.summary.title, kTitleBytes));
    painter.setFont(PageFont(layout.tableFontPixels));
    DrawHeadings(painter, layout, source.history);
    DrawRows(painter, layout, source, page);
}

}  // namespace veldrin
