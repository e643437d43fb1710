#pragma once
// For the tests of readers that must refuse a pipe at once: opens the writing end of the pipe
// after a while, so that a reader that blocked on it is let go and its test fails instead of
// hanging. Going out of scope before then ends the wait at once.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace veldrin::test {

class PipeUnblocker {
  public:
    explicit PipeUnblocker(std::string path, std::chrono::seconds after = std::chrono::seconds(5))
        : thread_([this, path = std::move(path), after] {
              std::unique_lock lock(mutex_);
              if (wake_.wait_for(lock, after, [this] { return done_; }))
                  return;
              const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
              if (fd >= 0)
                  close(fd);
          }) {}
    ~PipeUnblocker() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    PipeUnblocker(const PipeUnblocker&) = delete;
    PipeUnblocker& operator=(const PipeUnblocker&) = delete;

  private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;  // last: starts once the members it uses exist
};

}  // namespace veldrin::test
