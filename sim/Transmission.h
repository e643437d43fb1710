#pragma once
// Bytes the simulated logger puts on the line, with the time each one arrives at the computer.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldrin {

struct Transmission {
    std::int64_t startMs = 0;  // line time at which the first byte leaves the logger
    std::vector<std::uint8_t> bytes;
    int bytesPerSecond = 0;  // 0: the whole piece arrives at startMs; else one byte after another

    // Line time at which byte `index` has fully arrived.
    std::int64_t ArrivalMs(std::size_t index) const {
        if (bytesPerSecond <= 0)
            return startMs;
        auto sent = static_cast<std::int64_t>(index) + 1;
        return startMs + (sent * 1000 + bytesPerSecond - 1) / bytesPerSecond;
    }
    std::int64_t EndMs() const { return bytes.empty() ? startMs : ArrivalMs(bytes.size() - 1); }
};

}  // namespace veldrin
