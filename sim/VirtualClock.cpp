#include "sim/VirtualClock.h"

#include <algorithm>

namespace veldrin {

VirtualClock::VirtualClock(std::time_t wallAtStart) : wallAtStart_(wallAtStart) {}

std::time_t VirtualClock::Now() const {
    std::lock_guard lock(timeMutex_);
    return wallAtStart_ + static_cast<std::time_t>(nowMs_ / 1000);
}

std::int64_t VirtualClock::MonotonicMs() const {
    std::lock_guard lock(timeMutex_);
    return nowMs_;
}

void VirtualClock::SleepMs(int milliseconds) {
    Advance(milliseconds);
}

void VirtualClock::Advance(std::int64_t milliseconds) {
    RunUntil(MonotonicMs() + std::max<std::int64_t>(milliseconds, 0));
}

void VirtualClock::RunUntil(std::int64_t monotonicMs) {
    std::lock_guard run(runMutex_);
    while (true) {
        std::int64_t now = MonotonicMs();
        // The earliest listener due no later than the target goes first; one that is overdue
        // runs at the present time.
        Listener* next = nullptr;
        std::int64_t dueMs = monotonicMs;
        for (Listener* listener : listeners_) {
            auto due = listener->NextDueMs();
            if (due && *due <= dueMs && (next == nullptr || *due < dueMs)) {
                next = listener;
                dueMs = *due;
            }
        }
        if (next == nullptr)
            break;
        dueMs = std::max(dueMs, now);
        {
            std::lock_guard lock(timeMutex_);
            nowMs_ = dueMs;
        }
        next->OnTime(dueMs);
    }
    std::lock_guard lock(timeMutex_);
    nowMs_ = std::max(nowMs_, monotonicMs);
}

void VirtualClock::AddListener(Listener* listener) {
    std::lock_guard run(runMutex_);
    listeners_.push_back(listener);
}

void VirtualClock::RemoveListener(Listener* listener) {
    std::lock_guard run(runMutex_);
    std::erase(listeners_, listener);
}

}  // namespace veldrin
