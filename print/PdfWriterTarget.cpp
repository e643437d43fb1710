#include "print/PdfWriterTarget.h"

#include <QPdfWriter>

namespace veldrin {

bool PdfWriterTarget::BeginDocument() {
    return painter_.begin(&writer_);
}

// The first page begins with the document; every later one ends the page before it.
bool PdfWriterTarget::BeginPage(int page) {
    return page == 1 || writer_.newPage();
}

void PdfWriterTarget::AbortDocument() {
    if (painter_.isActive())
        painter_.end();
}

bool PdfWriterTarget::EndDocument() {
    return painter_.end();
}

int PdfWriterTarget::PixelsPerInchX() const {
    return writer_.logicalDpiX();
}

int PdfWriterTarget::PixelsPerInchY() const {
    return writer_.logicalDpiY();
}

QSize PdfWriterTarget::PrintableSize() const {
    return writer_.pageLayout().paintRectPixels(writer_.resolution()).size();
}

}  // namespace veldrin
