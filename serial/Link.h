#pragma once
// The byte link to a logger: what the protocol engine and the connection need of a serial line.
// CommChannel implements it over a real (or pseudo-terminal) serial device; the simulated logger
// implements it in-process so that the connection can be driven without hardware.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace veldrin {

// Called for every burst of received bytes. Runs on the link's reader thread (CommChannel) or on
// the thread that drives the simulated logger; it must not call back into the link.
using DataCallback = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

// Line settings in the codes the logger protocol uses (parity 2 = none, stopBits 0 = one stop bit,
// flowControl 0 = none). The logger always runs at 9600 8N1 without flow control.
struct LineSettings {
    int baud = 9600;
    int parity = 2;
    int dataBits = 8;
    int stopBits = 0;
    int flowControl = 0;
};

class Link {
  public:
    virtual ~Link() = default;

    // Opens the port at `devicePath`. Reports nothing: the caller checks IsOpen() afterwards and
    // reads LastError() for the reason of a failure.
    virtual void Open(const std::string& devicePath, const LineSettings& settings = {}) = 0;
    virtual bool IsOpen() const = 0;
    // Stops delivery and closes the port. After it returns no callback runs any more.
    // Closing a closed link does nothing.
    virtual void Close() = 0;
    // Writes all bytes in order and returns how many went out.
    virtual std::size_t Write(const std::uint8_t* bytes, std::size_t count) = 0;
    virtual void SetDataCallback(DataCallback callback) = 0;
    // Asserts DTR and RTS. Devices without modem lines (pseudo-terminals) report success.
    virtual bool EnableDtrRts() = 0;
    // The device path last opened.
    virtual std::string DevicePath() const = 0;
    // Why the last Open failed (device path and system reason), empty after a success.
    virtual std::string LastError() const = 0;
    // Why delivery ended by itself while the link was open (the device has gone), empty while it
    // still receives.
    virtual std::string ReceiveError() const { return {}; }
    // The system's error number of the last failed Open (EACCES, ENOENT …), 0 when there is none
    // or the link has no system behind it.
    virtual int LastErrorNumber() const { return 0; }
};

}  // namespace veldrin
