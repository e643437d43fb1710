#include "logger/Clock.h"

#include <chrono>
#include <thread>

namespace veldrin {

std::time_t SystemClock::Now() const {
    return std::time(nullptr);
}

std::int64_t SystemClock::MonotonicMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::SleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace veldrin
