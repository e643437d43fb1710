#pragma once
// The one test clock: wall-clock seconds and a monotonic millisecond count that move only when the
// test moves them or something sleeps on it, so that seconds of protocol run in microseconds.
// Both read one atomic count, so a link's reader thread may read it while the test moves it.
// Qt-free, so that the core tests and the ThreadSanitizer build use it too.
#include <atomic>
#include <cstdint>
#include <ctime>

#include "logger/Clock.h"

namespace veldrin::test {

class ManualClock final : public Clock {
  public:
    static constexpr std::time_t kDefaultStart = 1'700'000'000;

    // Now() shows `start` until the clock is moved.
    explicit ManualClock(std::time_t start = kDefaultStart) : ms_(Milliseconds(start)) {}

    std::time_t Now() const override { return static_cast<std::time_t>(ms_.load() / 1000); }
    std::int64_t MonotonicMs() const override { return ms_.load(); }
    void SleepMs(int milliseconds) override { ms_ += milliseconds; }

    void Advance(std::int64_t milliseconds) { ms_ += milliseconds; }
    void AdvanceSeconds(std::time_t seconds) { ms_ += Milliseconds(seconds); }
    // Sets the wall clock to `now`, a whole second.
    void Set(std::time_t now) { ms_ = Milliseconds(now); }

  private:
    static std::int64_t Milliseconds(std::time_t seconds) {
        return static_cast<std::int64_t>(seconds) * 1000;
    }

    std::atomic<std::int64_t> ms_;
};

}  // namespace veldrin::test
