#include "sim/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace veldrin {
namespace {

// Longest poll wait while nothing is due: keeps the thread responsive without spinning.
constexpr std::int64_t kIdleWaitMs = 1000;

bool MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

PtyServer::PtyServer(const SimLoggerOptions& options, const SimFaults& faults)
    : logger_(options), origin_(std::chrono::steady_clock::now()) {
    logger_.SetFaults(faults);
}

PtyServer::~PtyServer() {
    Stop();
}

std::int64_t PtyServer::LineMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now() - origin_).count();
}

bool PtyServer::Start() {
    if (thread_.joinable())
        return true;
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0)
        return Fail("posix_openpt");
    if (grantpt(master_) != 0 || unlockpt(master_) != 0)
        return Fail("grantpt/unlockpt");
    char name[256] = {};
    if (ptsname_r(master_, name, sizeof name) != 0)
        return Fail("ptsname_r");
    devicePath_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        return Fail("open " + devicePath_);
    if (!MakeRaw(slave_))
        return Fail("raw mode on " + devicePath_);
    if (pipe2(stopPipe_, O_CLOEXEC) != 0)
        return Fail("pipe2");
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void PtyServer::Stop() {
    if (thread_.joinable()) {
        char stop = 1;
        while (write(stopPipe_[1], &stop, 1) < 0 && errno == EINTR) {
        }
        thread_.join();
    }
    CloseAll();
}

bool PtyServer::Fail(const std::string& what) {
    error_ = what + ": " + std::strerror(errno);
    CloseAll();
    devicePath_.clear();
    return false;
}

void PtyServer::CloseAll() {
    for (int* fd : {&master_, &slave_, &stopPipe_[0], &stopPipe_[1]}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
}

void PtyServer::Serve() {
    std::vector<std::uint8_t> buffer(4096);
    while (true) {
        std::int64_t now = LineMs();
        logger_.Advance(now);
        Collect();
        WriteDue(now);

        // Sleep until the logger or the line has something to do, a byte comes, or Stop.
        // Bytes already due but not taken mean the terminal is full: wait until it can take more.
        std::int64_t wake = now + kIdleWaitMs;
        if (auto event = logger_.NextEventMs())
            wake = std::min(wake, *event);
        pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (!outgoing_.empty() && outgoing_.front().first <= now) {
            fds[0].events |= POLLOUT;
        } else if (!outgoing_.empty()) {
            wake = std::min(wake, outgoing_.front().first);
        }
        int timeout = static_cast<int>(std::clamp<std::int64_t>(wake - now, 0, kIdleWaitMs));
        int ready = poll(fds, 2, timeout);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        if (fds[1].revents != 0)
            break;
        if ((fds[0].revents & POLLOUT) != 0)
            continue;  // room again: the loop writes
        if ((fds[0].revents & POLLIN) != 0) {
            ssize_t got = read(master_, buffer.data(), buffer.size());
            if (got > 0)
                logger_.Receive(buffer.data(), static_cast<std::size_t>(got), LineMs());
        } else if ((fds[0].revents & (POLLHUP | POLLERR)) != 0) {
            usleep(10000);  // nobody on the other side for a moment: do not spin
        }
    }
}

void PtyServer::Collect() {
    for (const Transmission& sent : logger_.TakeTransmissions()) {
        for (std::size_t i = 0; i < sent.bytes.size(); ++i)
            outgoing_.emplace_back(sent.ArrivalMs(i), sent.bytes[i]);
    }
}

void PtyServer::WriteDue(std::int64_t nowMs) {
    std::vector<std::uint8_t> due;
    for (auto it = outgoing_.begin(); it != outgoing_.end() && it->first <= nowMs; ++it)
        due.push_back(it->second);
    if (due.empty())
        return;
    ssize_t written = write(master_, due.data(), due.size());
    if (written > 0) {
        outgoing_.erase(outgoing_.begin(), outgoing_.begin() + written);
    }
}

}  // namespace veldrin
