#pragma once
// A QPrinter (a paper printer chosen in the print dialog) as a print target. QPrinter belongs to
// Qt's print support, which needs the widgets; the PDF files of print/ use QPdfWriter instead.
#include <QPainter>

#include "print/PrintJob.h"

class QPrinter;

namespace veldrin {

class PrinterTarget final : public PrintTarget {
  public:
    explicit PrinterTarget(QPrinter& printer) : printer_(printer) {}
    bool BeginDocument() override;
    bool BeginPage(int page) override;
    QPainter& Painter() override { return painter_; }
    void EndPage() override {}
    void AbortDocument() override;
    bool EndDocument() override;
    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    QSize PrintableSize() const override;

  private:
    QPrinter& printer_;
    QPainter painter_;
};

}  // namespace veldrin
