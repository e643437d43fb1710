#pragma once
// One print job: the pages of the current mode over the current selection, rendered for any
// target resolution. The preview's page images, the printer and the PDF output all come from
// here, so they show the same pages.
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <string>

#include "print/CurveDecimation.h"
#include "print/PrintSelection.h"
#include "print/SurfaceMetrics.h"

namespace veldrin {

struct PrintJob {
    const HistoryDataSet& history;
    const PrintSelection& selection;
    PrintMode mode = PrintMode::Curve;
    int totalPages = 2;
    SurfaceMetrics screen;  // ReferenceScreenMetrics(): the curve resolution of every target
    int columnUnit = 0;
    int stripCount = 3;
    std::string archiveMark = {};  // an archived history's entry and hash, at the foot of each page
};

// The name of the print job and the PDF's title: the history's title without the blanks a data
// file pads it with.
QString DocumentName(const HistoryDataSet& history);

// A page-wise output device: a printer (on the desktop program's side), a PDF file, or a stand-in
// in tests.
class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    virtual bool BeginDocument() = 0;
    // Begins page `page` (1-based); false when the device cannot.
    virtual bool BeginPage(int page) = 0;
    virtual QPainter& Painter() = 0;
    virtual void EndPage() = 0;
    virtual void AbortDocument() = 0;
    virtual bool EndDocument() = 0;
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;
    // The printable area in device pixels; pages are drawn from its top-left corner.
    virtual QSize PrintableSize() const = 0;
};

enum class PrintOutcome { Printed, DocumentNotStarted, PageNotStarted, DocumentNotFinished };

// Draws page `page` of the job onto `painter` for a surface of the given resolution. The page
// covers `pageSize` when given (a printer's printable area), else the layout's page size.
void RenderJobPage(QPainter& painter, const PrintJob& job, int page, int pixelsPerInchX, int pixelsPerInchY,
                   QSize pageSize, CurveBuffers& buffers);

// The layout's page size of a mode on a surface of the given resolution.
QSize PageSizeFor(PrintMode mode, int pixelsPerInchX, int pixelsPerInchY);

// The page image of page `page` at the given resolution, as large as the layout's page.
QImage RenderPageImage(const PrintJob& job, int page, int pixelsPerInchX, int pixelsPerInchY,
                       CurveBuffers& buffers);

// Every page of the job, each begun, drawn and ended; the document is aborted when a page
// cannot be begun.
PrintOutcome PrintAllPages(PrintTarget& target, const PrintJob& job);

}  // namespace veldrin
