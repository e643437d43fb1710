#include "print/ReportPdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "files/SafeSave.h"
#include "history/HistoryStatistics.h"
#include "print/ReportPages.h"

namespace veldrin {
namespace {

// A laser printer's resolution: fine enough for the chart's hairlines.
constexpr int kPdfPixelsPerInch = 600;

ReportResult Failure(ReportStatus status, std::string message) {
    return {status, 0, std::move(message)};
}

// The pages as PDF bytes; empty when the painter could not start.
QByteArray RenderPdf(const ReportSource& source, const std::string& title, int pages) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfPixelsPerInch);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("Veldrin"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        for (int page = 1; page <= pages; ++page) {
            if (page > 1 && !writer.newPage())
                return {};
            RenderReportPage(painter, source, page, writer.logicalDpiX(), writer.logicalDpiY());
        }
        if (!painter.end())
            return {};
    }
    return buffer.data();
}

}  // namespace

ReportResult ExportReportPdf(const HistoryDataSet& history, const ReportOptions& options,
                             const std::string& path) {
    const SampleSeries& samples = history.samples;
    if (samples.Count() == 0)
        return Failure(ReportStatus::EmptyHistory, "the history holds no readings");
    const SampleRange range = RangeBetween(history, options.from.value_or(samples.Time(0)),
                                           options.to.value_or(samples.Time(samples.Count() - 1)));
    if (range.Empty())
        return Failure(ReportStatus::NoReadingsInRange, "no reading lies in the chosen time range");

    const HistoryStatistics statistics = StatisticsInUnit(ComputeStatistics(history, range), options.unit);
    const ReportSource source{history,           statistics,          range,       options.withReadings,
                              options.generated, options.archiveMark, options.unit};
    const int pages = ReportPageCount(source);
    const QByteArray pdf = RenderPdf(source, history.summary.title, pages);
    if (pdf.isEmpty())
        return Failure(ReportStatus::CannotWrite, "the report pages could not be drawn");

    // The same safe save as every other file: through a link to its target, keeping its mode.
    if (Status saved = SaveFileAtomically(path, std::string_view(pdf.constData(), pdf.size())); !saved)
        return Failure(ReportStatus::CannotWrite, "cannot write " + path + ": " + saved.reason);
    return {ReportStatus::Written, pages, {}};
}

}  // namespace veldrin
