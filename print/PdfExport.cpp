#include "print/PdfExport.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "print/PrintJob.h"

namespace veldrin {
namespace {

// Without a screen the curve resolution is that of a common 96 pixels-per-inch display, so the
// file shows the curves a preview on such a display shows.
constexpr int kScreenPixelsPerInch = 96;
// A laser printer's resolution; pen widths are device pixels, so this fixes how bold lines are.
constexpr int kPdfPixelsPerInch = 600;

// Margins that leave the pages' 290 mm × 200 mm drawing area centred on A4.
QMarginsF MarginsFor(PrintMode mode) {
    return mode == PrintMode::Curve ? QMarginsF(3.5, 5, 3.5, 5) : QMarginsF(5, 3.5, 5, 3.5);
}

PdfExportResult Failure(PdfExportStatus status, std::string message) {
    return {status, 0, std::move(message)};
}

}  // namespace

PdfExportResult ExportPdf(const HistoryDataSet& history, const PdfExportOptions& options,
                          const std::string& path) {
    if (history.samples.Count() == 0)
        return Failure(PdfExportStatus::EmptyHistory, "the history holds no samples");
    const std::vector<std::time_t> times = ParseHistoryTimes(history);
    const std::time_t start = options.from.value_or(times.front());
    const std::time_t stop = options.to.value_or(times.back());
    if (OutsideHistory(times, start) || start > stop) {
        return Failure(PdfExportStatus::StartOutsideHistory,
                       "the start time lies outside the history or after the stop time");
    }
    if (OutsideHistory(times, stop)) {
        return Failure(PdfExportStatus::StopOutsideHistory, "the stop time lies outside the history");
    }

    const PrintSelection selection = SelectForPrint(history, times, start, stop);
    const int curvePages = std::clamp(options.curvePages, kMinCurvePages, kMaxCurvePages);
    const SurfaceMetrics screen = MetricsFor(kScreenPixelsPerInch, kScreenPixelsPerInch);
    const PrintJob job{history,
                       selection,
                       options.mode,
                       PageCountFor(options.mode, selection, curvePages),
                       screen,
                       ColumnUnitFor(screen),
                       StripCountFor(curvePages)};

    // The pages go to a file beside the target that replaces it only when complete, so a failed
    // export never leaves a truncated file or destroys the one that was there.
    const std::string partial = path + ".partial-" + std::to_string(getpid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(partial));
    printer.setResolution(kPdfPixelsPerInch);
    const QPageLayout::Orientation orientation =
        options.mode == PrintMode::Curve ? QPageLayout::Landscape : QPageLayout::Portrait;
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, MarginsFor(options.mode)));
    printer.setDocName(QString::fromStdString(history.summary.title));
    printer.setCreator(QStringLiteral("Veldrin"));

    PrinterTarget target(printer);
    const PrintOutcome outcome = PrintAllPages(target, job);
    std::error_code error;
    if (outcome == PrintOutcome::Printed)
        std::filesystem::rename(partial, path, error);
    if (outcome != PrintOutcome::Printed || error) {
        std::filesystem::remove(partial, error);
        return Failure(PdfExportStatus::CannotWrite, "cannot write " + path);
    }
    return {PdfExportStatus::Written, job.totalPages, {}};
}

}  // namespace veldrin
