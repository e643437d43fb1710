#include "print/PrintJob.h"

#include "print/CurvePageLayout.h"
#include "print/CurvePageRenderer.h"
#include "print/TextPageLayout.h"
#include "print/TextPageRenderer.h"

namespace veldrin {
namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

CurvePageLayout CurveLayoutFor(const PrintJob& job, int pixelsPerInchX, int pixelsPerInchY) {
    return ComputeCurvePageLayout(pixelsPerInchX, pixelsPerInchY, job.screen, job.columnUnit,
                                  job.columnUnit * job.stripCount, job.selection);
}

}  // namespace

void RenderJobPage(QPainter& painter, const PrintJob& job, int page, int pixelsPerInchX, int pixelsPerInchY,
                   QSize pageSize, CurveBuffers& buffers) {
    const PrintPageSource source{job.history, job.selection, job.totalPages, job.archiveMark};
    if (job.mode == PrintMode::Curve) {
        CurvePageLayout layout = CurveLayoutFor(job, pixelsPerInchX, pixelsPerInchY);
        if (pageSize.isValid()) {
            layout.pageWidth = pageSize.width();
            layout.pageHeight = pageSize.height();
        }
        RenderCurvePage(painter, layout, source, page, buffers);
        return;
    }
    TextPageLayout layout = ComputeTextPageLayout(pixelsPerInchX, pixelsPerInchY, kRowsPerPage);
    if (pageSize.isValid()) {
        layout.pageWidth = pageSize.width();
        layout.pageHeight = pageSize.height();
    }
    RenderTextPage(painter, layout, source, page);
}

QString DocumentName(const HistoryDataSet& history) {
    return QString::fromStdString(history.summary.title).trimmed();
}

QSize PageSizeFor(PrintMode mode, int pixelsPerInchX, int pixelsPerInchY) {
    if (mode == PrintMode::Curve) {
        const CurvePageLayout layout =
            ComputeCurvePageLayout(pixelsPerInchX, pixelsPerInchY, SurfaceMetrics{}, 0, 0, PrintSelection{});
        return {layout.pageWidth, layout.pageHeight};
    }
    const TextPageLayout layout = ComputeTextPageLayout(pixelsPerInchX, pixelsPerInchY, kRowsPerPage);
    return {layout.pageWidth, layout.pageHeight};
}

QImage RenderPageImage(const PrintJob& job, int page, int pixelsPerInchX, int pixelsPerInchY,
                       CurveBuffers& buffers) {
    const QSize size = PageSizeFor(job.mode, pixelsPerInchX, pixelsPerInchY);
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(pixelsPerInchX * kInchesPerMetre + 0.5));
    image.setDotsPerMeterY(static_cast<int>(pixelsPerInchY * kInchesPerMetre + 0.5));
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderJobPage(painter, job, page, pixelsPerInchX, pixelsPerInchY, QSize(), buffers);
    return image;
}

PrintOutcome PrintAllPages(PrintTarget& target, const PrintJob& job) {
    if (!target.BeginDocument())
        return PrintOutcome::DocumentNotStarted;
    CurveBuffers buffers(job.columnUnit);
    for (int page = 1; page <= job.totalPages; ++page) {
        if (!target.BeginPage(page)) {
            target.AbortDocument();
            return PrintOutcome::PageNotStarted;
        }
        RenderJobPage(target.Painter(), job, page, target.PixelsPerInchX(), target.PixelsPerInchY(),
                      target.PrintableSize(), buffers);
        target.EndPage();
    }
    return target.EndDocument() ? PrintOutcome::Printed : PrintOutcome::DocumentNotFinished;
}

}  // namespace veldrin
