#pragma once
// Wakes a driving loop that is not Qt's when the connection's reader thread has queued events, so
// that a complete history block is taken at once rather than at the next 200 ms step — as the
// desktop program's event loop is woken through PanelView::EventsQueued.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "logger/DeviceConnection.h"

namespace veldrin {

class EventWaker {
  public:
    // From the reader thread (PanelView::EventsQueued).
    void Wake() {
        std::lock_guard lock(mutex_);
        queued_ = true;
        wake_.notify_one();
    }

    // On the driving thread: runs what the reader queues until `until`, then returns.
    void RunQueuedUntil(DeviceConnection& connection, std::chrono::steady_clock::time_point until) {
        std::unique_lock lock(mutex_);
        while (wake_.wait_until(lock, until, [&] { return queued_; })) {
            queued_ = false;
            lock.unlock();
            connection.HandleQueuedEvents();
            lock.lock();
        }
    }

  private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool queued_ = false;
};

}  // namespace veldrin
