#pragma once
// History alarm limits: float copies taken when the logger's parameters are read, or the ones a
// data file stores.
#include <cstdint>

namespace veldrin {

struct HistoryLimits {
    float lower1 = 0, upper1 = 0, lower2 = 0, upper2 = 0;
    std::uint8_t enable1 = 0;
};

}  // namespace veldrin
