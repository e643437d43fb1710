#include "sim/SimBurstAssembler.h"

#include <algorithm>

namespace veldrin {

void SimBurstAssembler::Add(const Transmission& transmission) {
    for (std::size_t i = 0; i < transmission.bytes.size(); ++i) {
        std::int64_t at = transmission.ArrivalMs(i);
        if (!arrivals_.empty())
            at = std::max(at, arrivals_.back().first);  // the line keeps byte order
        arrivals_.emplace_back(at, transmission.bytes[i]);
    }
}

std::pair<std::size_t, std::int64_t> SimBurstAssembler::FirstBurst() const {
    std::size_t length = 1;
    while (length < arrivals_.size() && length < kMaxBurst &&
           arrivals_[length].first - arrivals_[length - 1].first <= kGapMs) {
        ++length;
    }
    std::int64_t last = arrivals_[length - 1].first;
    return {length, length == kMaxBurst ? last : last + kGapMs};
}

std::optional<std::int64_t> SimBurstAssembler::NextBurstMs() const {
    if (arrivals_.empty())
        return std::nullopt;
    return FirstBurst().second;
}

std::vector<std::vector<std::uint8_t>> SimBurstAssembler::TakeDue(std::int64_t nowMs) {
    std::vector<std::vector<std::uint8_t>> bursts;
    while (!arrivals_.empty()) {
        auto [length, completeMs] = FirstBurst();
        if (completeMs > nowMs)
            break;
        std::vector<std::uint8_t> burst;
        burst.reserve(length);
        for (std::size_t i = 0; i < length; ++i)
            burst.push_back(arrivals_[i].second);
        arrivals_.erase(arrivals_.begin(), arrivals_.begin() + static_cast<std::ptrdiff_t>(length));
        bursts.push_back(std::move(burst));
    }
    return bursts;
}

}  // namespace veldrin
