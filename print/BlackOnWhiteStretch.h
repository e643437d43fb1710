#pragma once
// Stretched copies of page images for the preview. Where the copy shrinks, the pixels that fall
// together are ANDed, so thin dark lines of the page survive on the smaller screen image.
#include <QImage>
#include <QRect>
#include <QSize>

namespace veldrin {

// `source` of `image` (clipped to the image) stretched to `size`.
QImage StretchBlackOnWhite(const QImage& image, QRect source, QSize size);

}  // namespace veldrin
