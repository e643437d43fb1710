#pragma once
// A PDF file written with QPdfWriter as a print target: the pages at the writer's resolution,
// drawn from the top-left corner of the page layout's paint area. Needs no widgets.
#include <QPainter>

#include "print/PrintJob.h"

class QPdfWriter;

namespace veldrin {

class PdfWriterTarget final : public PrintTarget {
  public:
    explicit PdfWriterTarget(QPdfWriter& writer) : writer_(writer) {}
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
    QPdfWriter& writer_;
    QPainter painter_;
};

}  // namespace veldrin
