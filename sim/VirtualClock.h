#pragma once
// A clock whose time moves only when someone sleeps on it or advances it, so that seconds of
// protocol run in microseconds and every run is the same. Whatever is due on the way (replies of
// a simulated logger, for example) happens synchronously, in time order, on the thread that moves
// the clock.
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <vector>

#include "logger/Clock.h"
#include "sim/SimLoggerConfig.h"

namespace veldrin {

class VirtualClock final : public Clock {
  public:
    // Something that has work at certain times.
    class Listener {
      public:
        virtual ~Listener() = default;
        // The next time (MonotonicMs) at which OnTime must run, if any.
        virtual std::optional<std::int64_t> NextDueMs() = 0;
        virtual void OnTime(std::int64_t nowMs) = 0;
    };

    // Now() shows `wallAtStart` while MonotonicMs() is 0.
    explicit VirtualClock(std::time_t wallAtStart = kSimDefaultClockStart);

    std::time_t Now() const override;
    std::int64_t MonotonicMs() const override;
    // Moves time on by `milliseconds`, running what falls due on the way.
    void SleepMs(int milliseconds) override;
    void Advance(std::int64_t milliseconds);
    // Moves time on to `monotonicMs` (never back).
    void RunUntil(std::int64_t monotonicMs);

    void AddListener(Listener* listener);
    // After it returns, the listener is not called any more.
    void RemoveListener(Listener* listener);

  private:
    std::time_t wallAtStart_;
    mutable std::mutex timeMutex_;  // guards nowMs_
    std::int64_t nowMs_ = 0;
    // Held while time moves and listeners run; recursive so that a listener may remove itself.
    std::recursive_mutex runMutex_;
    std::vector<Listener*> listeners_;
};

}  // namespace veldrin
