#include "serial/BurstReader.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

namespace veldrin {

using SteadyClock = std::chrono::steady_clock;

BurstReader::BurstReader(const CSerialPort& port, Deliver deliver)
    : port_(port), deliver_(std::move(deliver)) {}

BurstReader::~BurstReader() {
    Stop();
}

bool BurstReader::Start(std::string& error) {
    Stop();
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::string("cannot create the reader's stop pipe: ") + std::strerror(errno);
        return false;
    }
    stopRead_ = ends[0];
    stopWrite_ = ends[1];
    {
        std::lock_guard lock(reasonMutex_);
        endReason_.clear();
    }
    running_ = true;
    try {
        thread_ = std::thread(&BurstReader::Run, this);
    } catch (const std::system_error&) {
        running_ = false;
        ClosePipe();
        error = "CreateThread failed.";
        return false;
    }
    return true;
}

void BurstReader::Stop() {
    if (!thread_.joinable()) {
        return;
    }
    const char stop = 1;
    while (::write(stopWrite_, &stop, 1) < 0 && errno == EINTR) {
    }
    thread_.join();
    running_ = false;
    ClosePipe();
    std::lock_guard lock(reasonMutex_);
    endReason_.clear();
}

std::string BurstReader::EndReason() const {
    std::lock_guard lock(reasonMutex_);
    return endReason_;
}

void BurstReader::ClosePipe() {
    for (int* fd : {&stopRead_, &stopWrite_}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

void BurstReader::EndBecause(const std::string& reason) {
    {
        std::lock_guard lock(reasonMutex_);
        endReason_ = reason;
    }
    running_ = false;
}

int BurstReader::WaitMs(std::size_t gathered, SteadyClock::time_point lastByte) {
    if (gathered == 0) {
        return -1;
    }
    const auto quiet = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - lastByte);
    const auto left = kBurstGapMs - quiet.count();
    return left > 0 ? static_cast<int>(left) : 0;
}

void BurstReader::Run() {
    std::array<std::uint8_t, kBurstCapacity> burst{};
    std::size_t gathered = 0;
    SteadyClock::time_point lastByte{};
    const auto flush = [&] {
        if (gathered > 0) {
            deliver_(burst.data(), gathered);
            gathered = 0;
        }
    };
    const std::string device = port_.DevicePath();

    for (;;) {
        std::array<pollfd, 2> waits{{{port_.Handle(), POLLIN, 0}, {stopRead_, POLLIN, 0}}};
        const int ready = ::poll(waits.data(), waits.size(), WaitMs(gathered, lastByte));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int errorNumber = errno;
            flush();
            EndBecause("waiting on " + device + " failed: " + std::strerror(errorNumber));
            return;
        }
        if (waits[1].revents != 0) {
            // Asked to stop: the caller no longer wants what is still being gathered.
            return;
        }
        if (ready == 0) {
            flush();  // the line was quiet for the burst gap
            continue;
        }
        const short portEvents = waits[0].revents;
        if ((portEvents & POLLIN) != 0) {
            const CSerialPort::ReadResult result =
                port_.Read(burst.data() + gathered, burst.size() - gathered);
            if (result.count > 0) {
                gathered += result.count;
                lastByte = SteadyClock::now();
                if (gathered == burst.size()) {
                    flush();
                }
                continue;
            }
            if (result.ended) {
                flush();
                EndBecause(device + " is gone: " + std::strerror(result.error));
                return;
            }
            // Readable but nothing read: only a hang-up or a device that no longer answers ends
            // the reader; anything else is a spurious wake-up, waited out briefly.
            if ((portEvents & (POLLHUP | POLLERR | POLLNVAL)) == 0) {
                if (const int absent = port_.PresenceError(); absent != 0) {
                    flush();
                    EndBecause(device + " is gone: " + std::strerror(absent));
                    return;
                }
                ::poll(nullptr, 0, kEmptyReadPauseMs);
                continue;
            }
        }
        if ((portEvents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            flush();
            EndBecause(device + " is gone: hang-up");
            return;
        }
    }
}

}  // namespace veldrin
