#pragma once
// What the computer's serial reader makes of the bytes on the line: it delivers a burst once no
// byte has come for kGapMs, or as soon as it holds kMaxBurst bytes. The in-process link uses this
// to hand over the simulated logger's output exactly as a serial port would.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "sim/Transmission.h"

namespace veldrin {

class SimBurstAssembler {
  public:
    static constexpr int kGapMs = 100;
    static constexpr std::size_t kMaxBurst = 2048;

    // Adds bytes put on the line; they arrive at the times the transmission says.
    void Add(const Transmission& transmission);
    // When the next burst is complete, if any bytes are on their way.
    std::optional<std::int64_t> NextBurstMs() const;
    // The bursts complete at or before `nowMs`, in order.
    std::vector<std::vector<std::uint8_t>> TakeDue(std::int64_t nowMs);
    void Clear() { arrivals_.clear(); }

  private:
    // Length of the first burst and the time it is complete.
    std::pair<std::size_t, std::int64_t> FirstBurst() const;

    std::deque<std::pair<std::int64_t, std::uint8_t>> arrivals_;  // (arrival time, byte), in time order
};

}  // namespace veldrin
