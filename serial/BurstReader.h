#pragma once
// The reader thread of a serial channel: waits on the port and on a stop pipe, gathers received
// bytes into bursts and hands each burst on in one call. A burst ends when no new byte arrived
// for 100 ms or when it holds 2048 bytes.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "serial/SerialPort.h"

namespace veldrin {

class BurstReader {
  public:
    static constexpr std::size_t kBurstCapacity = 2048;
    static constexpr int kBurstGapMs = 100;
    // Pause after the port reported data that a read then did not find.
    static constexpr int kEmptyReadPauseMs = 5;

    using Deliver = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

    // `port` must stay open until Stop() has returned.
    BurstReader(const CSerialPort& port, Deliver deliver);
    ~BurstReader();
    BurstReader(const BurstReader&) = delete;
    BurstReader& operator=(const BurstReader&) = delete;

    // Starts the thread. False when the stop pipe or the thread cannot be made, with the reason
    // in `error`.
    bool Start(std::string& error);
    // Stops the thread and waits for it; a burst still being gathered is dropped. No delivery runs
    // after Stop() returns. Stopping a stopped reader does nothing.
    void Stop();

    // True while the thread still waits for bytes: false once stopped or once the device has gone.
    bool IsRunning() const { return running_.load(); }
    // Why the thread ended by itself (device gone, read error); empty while running or after Stop().
    std::string EndReason() const;

  private:
    void Run();
    // How long poll() may wait: for ever while nothing is gathered, else until the burst's gap ends.
    static int WaitMs(std::size_t gathered, std::chrono::steady_clock::time_point lastByte);
    void EndBecause(const std::string& reason);
    void ClosePipe();

    const CSerialPort& port_;
    Deliver deliver_;
    int stopRead_ = -1;
    int stopWrite_ = -1;
    std::thread thread_;
    std::atomic<bool> running_{false};
    mutable std::mutex reasonMutex_;
    std::string endReason_;
};

}  // namespace veldrin
