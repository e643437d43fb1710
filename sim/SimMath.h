#pragma once
#include <cstdint>

namespace veldrin {

// Division that rounds toward minus infinity, for times before an origin.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace veldrin
