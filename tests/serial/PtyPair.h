#pragma once
// A pseudo-terminal pair for the serial tests: the channel opens the device end (the slave path),
// the test plays the logger on the master end.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

namespace veldrin::testing {

class PtyPair {
  public:
    PtyPair() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            char name[128] = {};
            if (::ptsname_r(master_, name, sizeof name) == 0) {
                devicePath_ = name;
            }
        }
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0 && !devicePath_.empty(); }
    const std::string& DevicePath() const { return devicePath_; }
    int Master() const { return master_; }

    void CloseMaster() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

    // Sends bytes as the logger would; returns false if not all of them went out.
    bool Send(const std::vector<std::uint8_t>& bytes) const {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + sent, bytes.size() - sent);
            if (n <= 0) {
                return false;
            }
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Reads what the channel wrote until `count` bytes arrived or nothing came for `quietMs`.
    std::vector<std::uint8_t> Receive(std::size_t count, int quietMs = 2000) const {
        std::vector<std::uint8_t> bytes;
        std::uint8_t chunk[4096];
        while (bytes.size() < count) {
            pollfd wait{master_, POLLIN, 0};
            if (::poll(&wait, 1, quietMs) <= 0) {
                break;
            }
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n <= 0) {
                break;
            }
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }

  private:
    int master_ = -1;
    std::string devicePath_;
};

// Bytes 0, 1, 2, ... wrapping at 251, so that a lost or reordered byte shows.
inline std::vector<std::uint8_t> Pattern(std::size_t count, std::size_t offset = 0) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i + offset) % 251);
    }
    return bytes;
}

}  // namespace veldrin::testing
