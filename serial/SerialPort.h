#pragma once
// CSerialPort: one open serial device (a file descriptor over termios), configured from the
// logger protocol's line-setting codes.
#include <termios.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "serial/Link.h"

namespace veldrin {

class CSerialPort {
  public:
    // Outcome of one read: the bytes taken, or whether the read failed (an error other than
    // "nothing there yet"; `error` is the errno value). A read of no bytes is not a failure.
    struct ReadResult {
        std::size_t count = 0;
        bool ended = false;
        int error = 0;
    };

    CSerialPort() = default;
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens `devicePath` for reading and writing, exclusively where the system allows, sets raw mode
    // and the line settings, and purges both directions. On failure the port stays closed and
    // LastError() names the path and the reason.
    bool Open(const std::string& devicePath, const LineSettings& settings);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The descriptor, for poll(); -1 when closed. It stays in non-blocking mode.
    int Handle() const { return fd_; }
    const std::string& DevicePath() const { return path_; }
    const std::string& LastError() const { return error_; }
    // The errno value behind LastError(), 0 when the failure had none.
    int LastErrorNumber() const { return errorNumber_; }

    // Reads and writes the line settings as a termios record.
    bool GetLineSettings(termios& tio);
    bool SetLineSettings(const termios& tio);

    // Asserts DTR and RTS. A device without modem lines (a pseudo-terminal) counts as success.
    bool EnableDtrRts();
    // Discards what is queued in both directions.
    bool Purge();

    // Takes what has arrived, up to `size` bytes, without waiting.
    ReadResult Read(std::uint8_t* buffer, std::size_t size) const;
    // 0 while the device still answers for its line settings, else the errno value of the refusal
    // (EIO once an adapter has been unplugged).
    int PresenceError() const;
    // Writes all bytes in order, waiting for room in the output queue. Gives up when the device is
    // gone or no byte could be written for `stallTimeoutMs`; returns how many bytes went out.
    std::size_t Write(const std::uint8_t* bytes, std::size_t count, int stallTimeoutMs) const;

  private:
    bool Fail(const std::string& what, int errorNumber);

    int fd_ = -1;
    bool exclusive_ = false;
    std::string path_;
    std::string error_;
    int errorNumber_ = 0;
};

}  // namespace veldrin
