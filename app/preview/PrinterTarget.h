#pragma once
// A QPrinter (a paper printer chosen in the print dialog) as a print target: a paged device that
// can also cancel a job it has begun and knows the printable area of its paper. QPrinter belongs to
// Qt's print support, which needs the widgets.
#include "print/PagedDeviceTarget.h"

class QPrinter;

namespace veldrin {

class PrinterTarget final : public PagedDeviceTarget {
  public:
    explicit PrinterTarget(QPrinter& printer);
    void AbortDocument() override;
    QSize PrintableSize() const override;

  private:
    QPrinter& printer_;
};

}  // namespace veldrin
