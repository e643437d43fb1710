#pragma once
// A paged paint device as a print target: a PDF file written with QPdfWriter, or a printer. The
// pages are drawn at the device's resolution from the top-left corner of its page layout's paint
// area. Needs no widgets; the printer's own target (app/preview/) adds what only a QPrinter can do.
#include <QPainter>

#include "print/PrintJob.h"

class QPagedPaintDevice;

namespace veldrin {

class PagedDeviceTarget : public PrintTarget {
  public:
    explicit PagedDeviceTarget(QPagedPaintDevice& device) : device_(device) {}
    bool BeginDocument() override;
    bool BeginPage(int page) override;
    QPainter& Painter() override { return painter_; }
    void EndPage() override {}
    // A PDF cannot be taken back once begun: the painter is ended and the caller throws the
    // unfinished file away.
    void AbortDocument() override;
    bool EndDocument() override;
    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    QSize PrintableSize() const override;

  private:
    QPagedPaintDevice& device_;
    QPainter painter_;
};

}  // namespace veldrin
