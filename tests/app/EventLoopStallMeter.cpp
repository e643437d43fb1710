#include "tests/app/EventLoopStallMeter.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace veldrin::testing {

std::optional<std::int64_t> ThreadRunQueueWaitNs() {
    // Fields: time on the CPU, time waiting on a run queue (both ns), time slices run.
    const auto tid = static_cast<long>(::syscall(SYS_gettid));
    std::ifstream stats("/proc/self/task/" + std::to_string(tid) + "/schedstat");
    std::int64_t running = 0;
    std::int64_t waiting = 0;
    if (!(stats >> running >> waiting)) {
        return std::nullopt;
    }
    return waiting;
}

EventLoopStallMeter::EventLoopStallMeter(int periodMs) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(periodMs);
    connect(&timer_, &QTimer::timeout, this, &EventLoopStallMeter::Beat);
}

void EventLoopStallMeter::Start() {
    longestNs_ = 0;
    longestEndNs_ = 0;
    longestRawNs_ = 0;
    beats_ = 0;
    clock_.start();
    lastNs_ = clock_.nsecsElapsed();
    lastWaitNs_ = ThreadRunQueueWaitNs();
    waitKnown_ = lastWaitNs_.has_value();
    timer_.start();
}

void EventLoopStallMeter::Stop() {
    timer_.stop();
}

void EventLoopStallMeter::Beat() {
    const std::int64_t now = clock_.nsecsElapsed();
    const std::optional<std::int64_t> wait = ThreadRunQueueWaitNs();
    const std::int64_t raw = now - lastNs_;
    std::int64_t gap = raw;
    if (wait && lastWaitNs_) {
        gap = std::max<std::int64_t>(0, raw - (*wait - *lastWaitNs_));
    } else {
        waitKnown_ = false;
    }
    if (gap > longestNs_) {
        longestNs_ = gap;
        longestEndNs_ = now;
    }
    longestRawNs_ = std::max(longestRawNs_, raw);
    lastNs_ = now;
    lastWaitNs_ = wait;
    ++beats_;
}

}  // namespace veldrin::testing
