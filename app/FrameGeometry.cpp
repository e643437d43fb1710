#include "app/FrameGeometry.h"

#include <algorithm>

namespace veldrin {

QRect InitialFrameRect(const QRect& screen) {
    const int width = std::min(kFrameWidth, screen.width());
    const int height = std::min(kFrameHeight, screen.height() - 10);
    return {screen.x() + (screen.width() - width) / 2, screen.y() + (screen.height() - height) / 2, width,
            height};
}

}  // namespace veldrin
