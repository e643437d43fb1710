#include "serial/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "serial/TermiosSettings.h"

namespace veldrin {

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Fail(const std::string& what, int errorNumber) {
    error_ = what + ": " + std::strerror(errorNumber);
    errorNumber_ = errorNumber;
    return false;
}

bool CSerialPort::Open(const std::string& devicePath, const LineSettings& settings) {
    Close();
    path_ = devicePath;
    error_.clear();
    errorNumber_ = 0;
    // Non-blocking so that opening does not wait for a carrier; it stays so because every read and
    // write waits with poll() instead.
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Fail("cannot open " + devicePath, errno);
    }
    fd_ = fd;
    // Keep other programs off the line while we talk to the logger; not every device supports it.
    exclusive_ = ::ioctl(fd_, TIOCEXCL) == 0;

    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) {
        const int errorNumber = errno;
        Close();
        return Fail(devicePath + " is not a serial device", errorNumber);
    }
    std::string reason;
    if (!ApplyLineSettings(tio, settings, reason)) {
        Close();
        error_ = devicePath + ": " + reason;
        return false;
    }
    if (!SetLineSettings(tio) || !Purge()) {
        const std::string failure = error_;
        Close();
        error_ = failure;
        return false;
    }
    return true;
}

void CSerialPort::Close() {
    if (fd_ >= 0) {
        // The claim outlives the descriptor on a pseudo-terminal whose other end stays open, and
        // would keep every later open out (ours included), so it is given up explicitly.
        if (exclusive_) {
            ::ioctl(fd_, TIOCNXCL);
            exclusive_ = false;
        }
        ::close(fd_);
        fd_ = -1;
    }
}

bool CSerialPort::GetLineSettings(termios& tio) {
    if (::tcgetattr(fd_, &tio) != 0) {
        return Fail("cannot read the line settings of " + path_, errno);
    }
    return true;
}

bool CSerialPort::SetLineSettings(const termios& tio) {
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
        return Fail("cannot set the line settings of " + path_, errno);
    }
    return true;
}

bool CSerialPort::EnableDtrRts() {
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd_, TIOCMBIS, &lines) == 0) {
        return true;
    }
    // Pseudo-terminals and some adapters have no modem lines; there is nothing to assert.
    if (errno == ENOTTY || errno == EINVAL) {
        return true;
    }
    return Fail("cannot assert DTR and RTS on " + path_, errno);
}

bool CSerialPort::Purge() {
    if (::tcflush(fd_, TCIOFLUSH) != 0) {
        return Fail("cannot purge " + path_, errno);
    }
    return true;
}

CSerialPort::ReadResult CSerialPort::Read(std::uint8_t* buffer, std::size_t size) const {
    ReadResult result;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got > 0) {
            result.count = static_cast<std::size_t>(got);
            return result;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        // Nothing there yet, or a read of no bytes: neither says that the device has gone.
        if (got == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
            return result;
        }
        result.ended = true;
        result.error = errno;
        return result;
    }
}

int CSerialPort::PresenceError() const {
    termios tio{};
    return ::tcgetattr(fd_, &tio) == 0 ? 0 : errno;
}

std::size_t CSerialPort::Write(const std::uint8_t* bytes, std::size_t count, int stallTimeoutMs) const {
    std::size_t written = 0;
    while (fd_ >= 0 && written < count) {
        const ssize_t sent = ::write(fd_, bytes + written, count - written);
        if (sent > 0) {
            written += static_cast<std::size_t>(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd room{fd_, POLLOUT, 0};
            const int ready = ::poll(&room, 1, stallTimeoutMs);
            if (ready < 0 && errno == EINTR) {
                continue;
            }
            if (ready <= 0 || (room.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
                break;
            }
            continue;
        }
        break;
    }
    return written;
}

}  // namespace veldrin
