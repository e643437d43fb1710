#include "print/ReportPages.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "history/HistoryText.h"
#include "history/StatisticsText.h"
#include "logger/Gbk.h"
#include "logger/TextFormat.h"
#include "print/PageText.h"
#include "print/ReportCanvas.h"
#include "print/ReportChart.h"
#include "print/ReportReadings.h"

namespace veldrin {
namespace {

constexpr double kPageWidth = 210;
constexpr double kPageHeight = 297;
constexpr double kLeft = 15;
constexpr double kRight = 195;
constexpr double kContentWidth = kRight - kLeft;

const QColor kGreyText(90, 90, 90);
const QColor kRowShade(242, 242, 242);

struct VerdictLook {
    QColor fill, outline;
};

VerdictLook LookOf(Verdict verdict) {
    switch (verdict) {
        case Verdict::WithinLimits:
            return {QColor(222, 244, 222), QColor(0, 128, 0)};
        case Verdict::Excursions:
            return {QColor(255, 226, 226), QColor(200, 0, 0)};
        case Verdict::AlarmOff:
        case Verdict::NoReadings:
            break;
    }
    return {QColor(236, 236, 236), QColor(120, 120, 120)};
}

void DrawHeading(ReportCanvas& canvas, const ReportSource& source, int page) {
    canvas.SetFont(16, true);
    canvas.Text(kLeft, 11,
                (page == 1 ? QCoreApplication::translate("ReportPages", "数据记录报告")
                           : QCoreApplication::translate("ReportPages", "读数"))
                    .toStdString());
    canvas.SetFont(9);
    canvas.TextRightAligned(kRight, 13, Printf("%d/%d", page, ReportPageCount(source)));
    canvas.SetFont(12);
    canvas.Text(
        page == 1 ? kLeft : 45, page == 1 ? 20 : 12,
        FilledText(QCoreApplication::translate("ReportPages", "标题：%1"), source.history.summary.title));
}

// Instrument, description, period, interval and, for a part of the history, which part.
double DrawIdentity(ReportCanvas& canvas, const ReportSource& source, double y) {
    const HistorySummary& summary = source.history.summary;
    const RecordingPeriod& period = source.statistics.period;
    std::vector<std::string> lines{
        FilledText(QCoreApplication::translate("ReportPages", "仪表名称：%1"),
                   ShownModelText(summary.instrumentName)),
        FilledText(QCoreApplication::translate("ReportPages", "记录仪描述：%1"),
                   CutUtf8ToGbkBytes(summary.description, 96)),
        FilledText(QCoreApplication::translate("ReportPages", "记录时段：%1 至 %2（跨度%3）"),
                   FormatStatisticsTime(period.first), FormatStatisticsTime(period.last),
                   FormatDuration(period.spanSeconds)),
        FilledText(QCoreApplication::translate("ReportPages", "记录间隔：%1s    读数：%2条    记录时长：%3"),
                   std::to_string(period.intervalSeconds), std::to_string(period.readings),
                   FormatDuration(period.recordedSeconds))};
    if (source.history.Partial())
        lines.push_back(FilledText(QCoreApplication::translate("ReportPages", "%1：%2"), CompletenessName(),
                                   CompletenessText(source.history)));
    const int total = source.history.samples.Count();
    if (source.range.count != total)
        lines.push_back(
            FilledText(QCoreApplication::translate("ReportPages", "报告范围：全部%1条读数中的第%2至%3条"),
                       std::to_string(total), std::to_string(source.range.first + 1),
                       std::to_string(source.range.Last() + 1)));
    canvas.SetFont(9);
    for (const std::string& line : lines) {
        canvas.Text(kLeft, y, line);
        y += 4.8;
    }
    return y;
}

// Per channel and limit with excursions: how many and how long, one piece each.
std::vector<std::string> VerdictDetails(const HistoryStatistics& statistics) {
    std::vector<std::string> pieces;
    for (const ChannelStatistics& channel : statistics.channels) {
        for (const LimitStatistics* limit : {&channel.below, &channel.above}) {
            if (!channel.alarmOn || limit->Count() == 0)
                continue;
            pieces.push_back(FilledText(QCoreApplication::translate("ReportPages", "%1%2 %3次（%4）"),
                                        channel.name, LimitText(channel, *limit),
                                        std::to_string(limit->Count()),
                                        FormatDuration(limit->secondsBeyond)));
        }
    }
    return pieces;
}

std::string JoinedDetails(const std::vector<std::string>& pieces, std::size_t from, std::size_t to) {
    const std::string separator = QCoreApplication::translate("ReportPages", "；").toStdString();
    std::string text;
    for (std::size_t i = from; i < to; ++i)
        text += (i == from ? "" : separator) + pieces[i];
    return text;
}

// The details split into two lines where the longer of them is shortest.
std::pair<std::string, std::string> DetailLines(const ReportCanvas& canvas,
                                                const std::vector<std::string>& pieces) {
    std::pair<std::string, std::string> best;
    double bestWidth = -1;
    for (std::size_t split = 1; split < pieces.size(); ++split) {
        std::string first = JoinedDetails(pieces, 0, split);
        std::string second = JoinedDetails(pieces, split, pieces.size());
        const double width = std::max(canvas.TextWidthMm(first), canvas.TextWidthMm(second));
        if (bestWidth < 0 || width < bestWidth) {
            bestWidth = width;
            best = {std::move(first), std::move(second)};
        }
    }
    return best;
}

double DrawVerdict(ReportCanvas& canvas, const ReportSource& source, double y) {
    const VerdictLook look = LookOf(VerdictOf(source.statistics));
    constexpr double kDetailsWidth = kContentWidth - 6;
    // The details take the box's width on one line, in a smaller face for many limits crossed; when
    // even the smallest face is too wide (long channel and limit names, as in English), two lines.
    const std::vector<std::string> pieces = VerdictDetails(source.statistics);
    const std::string details = JoinedDetails(pieces, 0, pieces.size());
    double points = 8;
    for (canvas.SetFont(points); points > 5 && canvas.TextWidthMm(details) > kDetailsWidth;
         canvas.SetFont(points))
        points -= 0.5;
    const bool twoLines = canvas.TextWidthMm(details) > kDetailsWidth && pieces.size() > 1;
    const double height = twoLines ? 16 : 13;
    canvas.Box(kLeft, y, kContentWidth, height, look.fill, look.outline);
    canvas.SetFont(12, true);
    canvas.Text(
        kLeft + 3, y + 1.5,
        FilledText(QCoreApplication::translate("ReportPages", "结论：%1"), VerdictText(source.statistics)),
        look.outline);
    if (!twoLines) {
        canvas.SetFont(points);
        canvas.Text(kLeft + 3, y + 7.8, details);
        return y + height;
    }
    points = 7;
    canvas.SetFont(points);
    std::pair<std::string, std::string> lines = DetailLines(canvas, pieces);
    while (points > 5 &&
           std::max(canvas.TextWidthMm(lines.first), canvas.TextWidthMm(lines.second)) > kDetailsWidth) {
        points -= 0.5;
        canvas.SetFont(points);
        lines = DetailLines(canvas, pieces);
    }
    canvas.Text(kLeft + 3, y + 7.6, lines.first);
    canvas.Text(kLeft + 3, y + 10.9, lines.second);
    return y + height;
}

double DrawFigures(ReportCanvas& canvas, const ReportSource& source, double y) {
    constexpr double kRowHeight = 4.1;
    constexpr double kNameWidth = 50;
    const double channelWidth = (kContentWidth - kNameWidth) / 2;
    canvas.SetFont(10, true);
    canvas.Text(kLeft, y, QCoreApplication::translate("ReportPages", "统计").toStdString());
    y += 5.5;
    canvas.SetFont(8);
    const std::vector<FigureRow> rows = FigureRows(source.statistics);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r % 2 == 0)
            canvas.Box(kLeft, y - 0.4, kContentWidth, kRowHeight, kRowShade);
        canvas.Text(kLeft + 1, y, rows[r].name, r == 0 ? QColor(Qt::black) : kGreyText);
        for (std::size_t c = 0; c < rows[r].texts.size(); ++c)
            canvas.Text(kLeft + kNameWidth + channelWidth * static_cast<double>(c), y, rows[r].texts[c]);
        y += kRowHeight;
    }
    return y;
}

constexpr std::size_t kExcursionColumns = 7;
using ExcursionRow = std::array<std::string, kExcursionColumns>;
// Where each column starts, and last where the widest text of the last column ends.
using ExcursionColumnPlaces = std::array<double, kExcursionColumns + 1>;

// The excursion table's columns at their usual places, or further right where the column before
// holds wider texts (longer names, as in English), so that no text runs into the next.
ExcursionColumnPlaces ExcursionColumns(const ReportCanvas& canvas, const std::vector<ExcursionRow>& rows) {
    static constexpr double kUsual[kExcursionColumns] = {kLeft,      kLeft + 10,  kLeft + 24, kLeft + 60,
                                                         kLeft + 97, kLeft + 134, kLeft + 162};
    constexpr double kGap = 2.5;
    ExcursionColumnPlaces places{};
    for (std::size_t c = 0; c < kExcursionColumns; ++c) {
        double widest = 0;
        for (const ExcursionRow& row : rows)
            widest = std::max(widest, canvas.TextWidthMm(row[c]));
        places[c] = c == 0 ? kUsual[0] : std::max(kUsual[c], places[c]);
        places[c + 1] = places[c] + widest + (c + 1 < kExcursionColumns ? kGap : 0);
    }
    return places;
}

void DrawExcursionTable(ReportCanvas& canvas, const ReportSource& source, double y, double bottom) {
    constexpr double kRowHeight = 4;
    const std::vector<ListedExcursion> excursions = ExcursionsInTimeOrder(source.statistics);
    canvas.SetFont(10, true);
    canvas.Text(kLeft, y,
                FilledText(QCoreApplication::translate("ReportPages", "超限记录（%1次）"),
                           std::to_string(excursions.size())));
    y += 5.5;
    canvas.SetFont(8);
    if (!source.statistics.alarmOn || excursions.empty()) {
        canvas.Text(kLeft, y,
                    (source.statistics.alarmOn
                         ? QCoreApplication::translate("ReportPages", "无超限。")
                         : QCoreApplication::translate("ReportPages", "报警未启用，未按限值判定。"))
                        .toStdString(),
                    kGreyText);
        return;
    }
    const QString headings[] = {QCoreApplication::translate("ReportPages", "序号"),
                                QCoreApplication::translate("ReportPages", "通道"),
                                QCoreApplication::translate("ReportPages", "超限"),
                                QCoreApplication::translate("ReportPages", "开始"),
                                QCoreApplication::translate("ReportPages", "结束"),
                                QCoreApplication::translate("ReportPages", "持续"),
                                QCoreApplication::translate("ReportPages", "极值")};
    const int fitting = static_cast<int>((bottom - y - kRowHeight) / kRowHeight);
    const int listed = static_cast<int>(excursions.size()) <= fitting ? static_cast<int>(excursions.size())
                                                                      : std::max(fitting - 1, 0);
    std::vector<ExcursionRow> rows{{headings[0].toStdString(), headings[1].toStdString(),
                                    headings[2].toStdString(), headings[3].toStdString(),
                                    headings[4].toStdString(), headings[5].toStdString(),
                                    headings[6].toStdString()}};
    for (int i = 0; i < listed; ++i) {
        const ExcursionCells cells = ExcursionCellsOf(excursions[static_cast<std::size_t>(i)]);
        rows.push_back({Printf("%d", i + 1), cells.channel, cells.limit, cells.start, cells.end,
                        cells.duration, cells.extreme});
    }
    // A smaller face when the texts are too wide for the page even with the columns moved.
    double points = 8;
    ExcursionColumnPlaces columns = ExcursionColumns(canvas, rows);
    while (points > 6 && columns.back() > kRight) {
        points -= 0.5;
        canvas.SetFont(points);
        columns = ExcursionColumns(canvas, rows);
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < kExcursionColumns; ++c)
            canvas.Text(columns[c], y, rows[r][c], r == 0 ? kGreyText : QColor(Qt::black));
        y += kRowHeight;
        if (r == 0)
            canvas.Line(kLeft, y - 0.6, kRight, y - 0.6, kGreyText, 0.15);
    }
    if (listed < static_cast<int>(excursions.size())) {
        canvas.Text(kLeft, y,
                    FilledText(QCoreApplication::translate(
                                   "ReportPages",
                                   "……另有%1次超限未列出，完整列表见统计页或 veldrin-cli info --stats"),
                               std::to_string(static_cast<int>(excursions.size()) - listed)),
                    kGreyText);
    }
}

void DrawFooter(ReportCanvas& canvas, const ReportSource& source) {
    canvas.SetFont(6.5);
    canvas.Line(kLeft, 286, kRight, 286, kGreyText, 0.15);
    canvas.Text(kLeft, 287,
                FilledText(QCoreApplication::translate("ReportPages", "Veldrin 生成于 %1"),
                           FormatStatisticsTime(source.generated)),
                kGreyText);
    canvas.TextRightAligned(
        kRight, 287,
        QCoreApplication::translate("ReportPages",
                                    "MKT：ΔH = 83.14472 kJ/mol，R = 8.314472 J/(mol·K)；读数等于限值不算超限")
            .toStdString(),
        kGreyText);
}

// An archived history's entry and hash, under the footer line of every page, so that a printout
// can be traced back to its entry and checked against it.
void DrawArchiveMark(ReportCanvas& canvas, const ReportSource& source) {
    if (source.archiveMark.empty())
        return;
    canvas.SetArchiveMarkFont(6.5);
    canvas.Text(kLeft, 290.5, source.archiveMark, kGreyText);
}

void DrawFirstPage(ReportCanvas& canvas, const ReportSource& source) {
    double y = DrawIdentity(canvas, source, 28);
    y = DrawVerdict(canvas, source, y + 1.5);
    y = DrawFigures(canvas, source, y + 3.5);
    constexpr double kChartHeight = 62;
    DrawReportChart(canvas, source, kLeft, y + 2.5, kContentWidth, kChartHeight);
    DrawExcursionTable(canvas, source, y + 2.5 + kChartHeight + 3, 284);
}

}  // namespace

int ReportPageCount(const ReportSource& source) {
    if (!source.withReadings || source.range.count <= 0)
        return 1;
    return 1 + (source.range.count + kReportReadingsPerPage - 1) / kReportReadingsPerPage;
}

void RenderReportPage(QPainter& painter, const ReportSource& source, int page, int pixelsPerInchX,
                      int pixelsPerInchY) {
    ReportCanvas canvas(painter, pixelsPerInchX, pixelsPerInchY);
    canvas.Box(0, 0, kPageWidth, kPageHeight, Qt::white);
    DrawHeading(canvas, source, page);
    if (page == 1) {
        DrawFirstPage(canvas, source);
        DrawFooter(canvas, source);
        DrawArchiveMark(canvas, source);
        return;
    }
    DrawReadingsPage(canvas, source, page);
    DrawArchiveMark(canvas, source);
}

}  // namespace veldrin
