#include "print/PagedDeviceTarget.h"

#include <QPagedPaintDevice>

namespace veldrin {

bool PagedDeviceTarget::BeginDocument() {
    return painter_.begin(&device_);
}

// The first page begins with the document; every later one ends the page before it.
bool PagedDeviceTarget::BeginPage(int page) {
    return page == 1 || device_.newPage();
}

void PagedDeviceTarget::AbortDocument() {
    if (painter_.isActive())
        painter_.end();
}

bool PagedDeviceTarget::EndDocument() {
    return painter_.end();
}

int PagedDeviceTarget::PixelsPerInchX() const {
    return device_.logicalDpiX();
}

int PagedDeviceTarget::PixelsPerInchY() const {
    return device_.logicalDpiY();
}

QSize PagedDeviceTarget::PrintableSize() const {
    return device_.pageLayout().paintRectPixels(device_.logicalDpiX()).size();
}

}  // namespace veldrin
