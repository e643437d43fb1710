#pragma once
// CommChannel: the serial link to a logger. Opens a device path, writes byte blocks, and delivers every
// received burst to the data callback from a reader thread of its own.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "serial/BurstReader.h"
#include "serial/Link.h"
#include "serial/SerialPort.h"

namespace veldrin {

class CommChannel final : public Link {
  public:
    // How long a write may find no room in the output queue before it gives up. At 9600 baud the
    // queue drains by about one byte per millisecond, so only a dead line stalls this long.
    static constexpr int kWriteStallMs = 2000;

    CommChannel() = default;
    ~CommChannel() override;
    CommChannel(const CommChannel&) = delete;
    CommChannel& operator=(const CommChannel&) = delete;

    // Opens the port at `devicePath`. An open channel is closed first.
    void Open(const std::string& devicePath, const LineSettings& settings = {}) override;
    // Open that returns IsOpen().
    bool OpenDevice(const std::string& devicePath, const LineSettings& settings = {});
    bool IsOpen() const override;
    // Stops the reader (no callback runs after this returns) and closes the port.
    void Close() override;
    std::size_t Write(const std::uint8_t* bytes, std::size_t count) override;
    // May be called at any time; once it returns, the previous callback is no longer running.
    void SetDataCallback(DataCallback callback) override;
    bool EnableDtrRts() override;
    std::string LastError() const override;
    int LastErrorNumber() const override;

    // The device path of the last open.
    std::string DevicePath() const override;
    // True while the channel is open and its reader still receives; false once the device has gone.
    bool IsReceiving() const;
    // Why the reader ended by itself (e.g. the device was unplugged); empty while it runs.
    std::string ReceiveError() const override;

  private:
    void CloseLocked();
    void Deliver(const std::uint8_t* bytes, std::size_t count);

    // Guards the port, the reader, the path and the error text.
    mutable std::mutex stateMutex_;
    std::unique_ptr<CSerialPort> port_;
    std::unique_ptr<BurstReader> reader_;
    std::string devicePath_;
    std::string error_;
    int errorNumber_ = 0;

    // Held while the callback runs, so that replacing it waits for a delivery in progress.
    std::mutex callbackMutex_;
    DataCallback callback_;
};

}  // namespace veldrin
