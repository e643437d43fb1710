#include "app/preview/PrinterTarget.h"

#include <QPrinter>

namespace veldrin {

PrinterTarget::PrinterTarget(QPrinter& printer) : PagedDeviceTarget(printer), printer_(printer) {}

void PrinterTarget::AbortDocument() {
    printer_.abort();
    PagedDeviceTarget::AbortDocument();
}

QSize PrinterTarget::PrintableSize() const {
    return printer_.pageRect(QPrinter::DevicePixel).toRect().size();
}

}  // namespace veldrin
