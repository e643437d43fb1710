#pragma once
// Serves a simulated logger on a pseudo-terminal in real time, so that the real serial code, the
// command-line tool and the desktop program can talk to it: the logger sits on the master side,
// the program opens the slave device (DevicePath) like any serial port. A thread of its own polls
// the master, feeds the logger what arrives and writes its replies when they fall due.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <thread>
#include <utility>

#include "sim/SimLogger.h"

namespace veldrin {

class PtyServer {
  public:
    // Line time 0 of the logger is the moment the server is made.
    explicit PtyServer(const SimLoggerOptions& options, const SimFaults& faults = {});
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal (raw: no echo, no line editing) and starts serving. On failure
    // returns false and Error() says why.
    bool Start();
    // Stops serving and closes the pseudo-terminal. Safe to call more than once.
    void Stop();

    // The slave device to open, for example /dev/pts/3 (empty before Start).
    const std::string& DevicePath() const { return devicePath_; }
    const std::string& Error() const { return error_; }
    SimLogger& Logger() { return logger_; }
    // Milliseconds since the server was made: the logger's line time.
    std::int64_t LineMs() const;

  private:
    void Serve();
    bool Fail(const std::string& what);  // records why Start failed; returns false
    void CloseAll();
    void Collect();
    // Writes the bytes that have arrived by now; keeps what the terminal did not take.
    void WriteDue(std::int64_t nowMs);

    SimLogger logger_;
    std::chrono::steady_clock::time_point origin_;
    int master_ = -1;
    int slave_ = -1;  // held open so that the master never sees a hang-up between two users
    int stopPipe_[2] = {-1, -1};
    std::string devicePath_;
    std::string error_;
    std::thread thread_;
    std::deque<std::pair<std::int64_t, std::uint8_t>> outgoing_;  // (arrival time, byte)
};

}  // namespace veldrin
