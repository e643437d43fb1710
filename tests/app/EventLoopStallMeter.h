#pragma once
// Measures how long the user-interface thread's event loop went without turning: a heartbeat timer
// fires every few milliseconds, and the longest gap between two beats is what the user would have
// felt as a frozen window. Time the thread spent waiting for a CPU (a busy machine, not the
// program) is taken off each gap when the kernel reports it.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>

namespace veldrin::testing {

class EventLoopStallMeter final : public QObject {
  public:
    explicit EventLoopStallMeter(int periodMs = 5);

    // Starts beating on the calling thread, which must run an event loop; forgets earlier gaps.
    void Start();
    void Stop();

    // The longest gap so far, less the run-queue wait within it, in milliseconds.
    std::int64_t LongestGapMs() const { return longestNs_ / 1000000; }
    // When that gap ended, in milliseconds since Start.
    std::int64_t LongestGapEndMs() const { return longestEndNs_ / 1000000; }
    // The same gap without the run-queue wait taken off.
    std::int64_t LongestRawGapMs() const { return longestRawNs_ / 1000000; }
    // Whether the run-queue wait could be read (otherwise gaps count whole).
    bool WaitKnown() const { return waitKnown_; }
    int Beats() const { return beats_; }

  private:
    void Beat();

    QTimer timer_;
    QElapsedTimer clock_;
    std::int64_t lastNs_ = 0;
    std::optional<std::int64_t> lastWaitNs_;
    std::int64_t longestNs_ = 0;
    std::int64_t longestEndNs_ = 0;
    std::int64_t longestRawNs_ = 0;
    bool waitKnown_ = false;
    int beats_ = 0;
};

// Nanoseconds the calling thread has spent runnable but waiting for a CPU, from the kernel's
// scheduler statistics; nothing when they cannot be read.
std::optional<std::int64_t> ThreadRunQueueWaitNs();

}  // namespace veldrin::testing
