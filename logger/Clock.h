#pragma once
// Time source of the connection: wall-clock seconds for readings and link supervision, a
// monotonic millisecond count and a sleep for the connect waits. Tests and the in-process
// simulated logger use a virtual clock so that seconds of protocol run in microseconds.
#include <cstdint>
#include <ctime>

namespace veldrin {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::time_t Now() const = 0;
    virtual std::int64_t MonotonicMs() const = 0;
    virtual void SleepMs(int milliseconds) = 0;
};

// The computer's clock.
class SystemClock final : public Clock {
  public:
    std::time_t Now() const override;
    std::int64_t MonotonicMs() const override;
    void SleepMs(int milliseconds) override;
};

}  // namespace veldrin
