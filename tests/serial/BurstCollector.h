#pragma once
// Records every burst a channel delivers, for the serial tests.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "serial/Link.h"

namespace veldrin::testing {

class BurstCollector {
  public:
    DataCallback Callback() {
        return [this](const std::uint8_t* bytes, std::size_t count) {
            std::lock_guard lock(mutex_);
            bursts_.emplace_back(bytes, bytes + count);
            total_ += count;
            arrived_.notify_all();
        };
    }

    // Waits until at least `count` bytes arrived in all; false on time-out.
    bool WaitForBytes(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, timeout, [&] { return total_ >= count; });
    }

    std::vector<std::vector<std::uint8_t>> Bursts() const {
        std::lock_guard lock(mutex_);
        return bursts_;
    }

    std::vector<std::uint8_t> Joined() const {
        std::lock_guard lock(mutex_);
        std::vector<std::uint8_t> all;
        for (const auto& burst : bursts_) {
            all.insert(all.end(), burst.begin(), burst.end());
        }
        return all;
    }

    void Clear() {
        std::lock_guard lock(mutex_);
        bursts_.clear();
        total_ = 0;
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::vector<std::uint8_t>> bursts_;
    std::size_t total_ = 0;
};

}  // namespace veldrin::testing
