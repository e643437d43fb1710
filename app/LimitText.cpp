#include "app/LimitText.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace veldrin {

int LimitFromText(const std::string& text) {
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

}  // namespace veldrin
