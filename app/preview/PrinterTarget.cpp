#include "app/preview/PrinterTarget.h"

#include <QPrinter>

namespace veldrin {

bool PrinterTarget::BeginDocument() {
    return painter_.begin(&printer_);
}

// The first page begins with the document; every later one ends the page before it.
bool PrinterTarget::BeginPage(int page) {
    return page == 1 || printer_.newPage();
}

void PrinterTarget::AbortDocument() {
    printer_.abort();
    if (painter_.isActive())
        painter_.end();
}

bool PrinterTarget::EndDocument() {
    return painter_.end();
}

int PrinterTarget::PixelsPerInchX() const {
    return printer_.logicalDpiX();
}

int PrinterTarget::PixelsPerInchY() const {
    return printer_.logicalDpiY();
}

QSize PrinterTarget::PrintableSize() const {
    return printer_.pageRect(QPrinter::DevicePixel).toRect().size();
}

}  // namespace veldrin
