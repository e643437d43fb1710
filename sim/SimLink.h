#pragma once
// The link to simulated loggers, in process: device paths with a SimLogger attached (or with
// nothing behind them), driven by a VirtualClock. What is written goes to the logger of the open
// port at the clock's present time; its replies reach the data callback as the serial reader would
// deliver them (a burst ends after 100 ms without a byte or at 2048 bytes), synchronously, while
// the clock is moved past their time.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "serial/Link.h"
#include "sim/SimBurstAssembler.h"
#include "sim/SimLogger.h"
#include "sim/VirtualClock.h"

namespace veldrin {

class SimLink final : public Link, private VirtualClock::Listener {
  public:
    // One write, as the logger heard it.
    struct WriteRecord {
        std::string devicePath;
        std::int64_t atMs = 0;
        std::vector<std::uint8_t> bytes;
    };

    explicit SimLink(VirtualClock& clock);
    ~SimLink() override;
    SimLink(const SimLink&) = delete;
    SimLink& operator=(const SimLink&) = delete;

    // Puts `logger` behind the port at `devicePath`; it stays there across Open and Close.
    void AttachLogger(const std::string& devicePath, std::shared_ptr<SimLogger> logger);
    // A port that opens but where nothing ever answers (a cable without a logger).
    void AddEmptyPort(const std::string& devicePath);
    // Unplugs whatever is behind `devicePath`: it no longer opens, and an open link to it goes quiet.
    void RemovePort(const std::string& devicePath);
    std::shared_ptr<SimLogger> LoggerAt(const std::string& devicePath) const;

    // Every device path Open was called with, in order (also the ones that failed).
    std::vector<std::string> OpenAttempts() const;
    // Every write made while a port was open, in order.
    std::vector<WriteRecord> Writes() const;

    // Link
    void Open(const std::string& devicePath, const LineSettings& settings = {}) override;
    bool IsOpen() const override;
    void Close() override;
    std::size_t Write(const std::uint8_t* bytes, std::size_t count) override;
    void SetDataCallback(DataCallback callback) override;
    bool EnableDtrRts() override;
    std::string DevicePath() const override;
    std::string LastError() const override;

  private:
    struct PortEntry {
        std::shared_ptr<SimLogger> logger;  // empty: the port opens but stays silent
    };

    std::optional<std::int64_t> NextDueMs() override;
    void OnTime(std::int64_t nowMs) override;
    // Moves what the open port's logger has put on the line into the burst assembler.
    void CollectLocked();
    std::shared_ptr<SimLogger> OpenLoggerLocked() const;

    VirtualClock& clock_;
    std::mutex deliveryMutex_;  // held while the data callback runs; taken before mutex_
    mutable std::mutex mutex_;
    std::map<std::string, PortEntry> ports_;
    bool open_ = false;
    std::uint64_t session_ = 0;  // counts Opens, so that bursts of an earlier opening are dropped
    bool understood_ = true;     // the line settings match the logger's 9600 8N1
    std::string devicePath_;
    std::string lastError_;
    DataCallback callback_;
    SimBurstAssembler line_;
    std::vector<std::string> openAttempts_;
    std::vector<WriteRecord> writes_;
};

}  // namespace veldrin
