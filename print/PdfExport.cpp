#include "print/PdfExport.h"

#include <algorithm>

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "files/SafeSave.h"
#include "print/PagedDeviceTarget.h"
#include "print/PrintJob.h"

namespace veldrin {
namespace {

// A laser printer's resolution: the lines are scaled to it, so only their smoothness depends on it.
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

    const PrintSelection selection = SelectForPrint(history, times, start, stop, options.unit);
    const int curvePages = std::clamp(options.curvePages, kMinCurvePages, kMaxCurvePages);
    const SurfaceMetrics screen = ReferenceScreenMetrics();
    const PrintJob job{history,
                       selection,
                       options.mode,
                       PageCountFor(options.mode, selection, curvePages),
                       screen,
                       ColumnUnitFor(screen),
                       StripCountFor(curvePages),
                       options.archiveMark};

    return WritePdfPages(job, path);
}

PdfExportResult WritePdfPages(const PrintJob& job, const std::string& path) {
    // The pages go to a private folder beside the target (the file a link points to) and replace
    // it only when complete, so a failed export never leaves a truncated file or destroys the one
    // that was there; a replaced file keeps its permissions.
    const auto target = ResolveSaveTarget(path);
    if (!target)
        return Failure(PdfExportStatus::CannotWrite, "cannot follow the symbolic link " + path);
    ScratchFolder scratch(*target);
    if (!scratch.Ok())
        return Failure(PdfExportStatus::CannotWrite, scratch.Error());
    const std::string partial = scratch.File("pages.pdf");
    QPdfWriter writer(QString::fromStdString(partial));
    writer.setResolution(kPdfPixelsPerInch);
    const QPageLayout::Orientation orientation =
        job.mode == PrintMode::Curve ? QPageLayout::Landscape : QPageLayout::Portrait;
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, MarginsFor(job.mode)));
    writer.setTitle(DocumentName(job.history));
    writer.setCreator(QStringLiteral("Veldrin"));

    PagedDeviceTarget pages(writer);
    if (PrintAllPages(pages, job) != PrintOutcome::Printed)
        return Failure(PdfExportStatus::CannotWrite, "cannot write " + path);
    if (Status moved = MoveIntoPlace(partial, *target); !moved)
        return Failure(PdfExportStatus::CannotWrite, moved.reason);
    return {PdfExportStatus::Written, job.totalPages, {}};
}

}  // namespace veldrin
