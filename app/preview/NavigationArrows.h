#pragma once
// The small arrow images of the page navigation buttons.
#include <QPixmap>

namespace veldrin {

enum class NavigationArrow { First, Back, Next, End };

// 12 × 12 for First and End (an arrow against a bar), 8 × 14 for Back and Next.
QPixmap NavigationArrowImage(NavigationArrow arrow);

}  // namespace veldrin
