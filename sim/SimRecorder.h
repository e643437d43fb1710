#pragma once
// The logger's record memory: while recording it takes one reading per interval (of elapsed line
// time, whatever the logger's clock says) and stores it as 2 or 4 bytes; starting a recording
// clears it. When the memory is full it stops, or in cyclic mode drops its oldest reading.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <vector>

#include "logger/LoggerModel.h"

namespace veldrin {

// Room for whole readings of every model; a full memory still fits, framed, into the computer's
// 300000-byte history store.
constexpr std::size_t kSimMemoryCapacityBytes = 299520;

class SimRecorder {
  public:
    // A recorder whose memory holds `readings` readings, the last one taken at line time 0 when
    // the logger's clock showed `clockAtZero`; `recording` says whether it goes on taking readings.
    // Channel 2 reads 0 throughout when `secondProbeUnplugged`.
    SimRecorder(LoggerModel model, int readings, std::uint16_t interval, std::time_t clockAtZero,
                bool recording, bool secondProbeUnplugged = false);

    // Takes the readings that fell due up to line time `nowMs`.
    void CatchUp(std::int64_t nowMs);
    // Clears the memory and records from line time `startMs`, labelled `startTime` on the clock.
    void Start(std::time_t startTime, std::int64_t startMs);
    void Stop() { recording_ = false; }
    bool Recording() const { return recording_; }
    void SetInterval(std::uint16_t seconds);
    void SetCyclic(bool cyclic) { cyclic_ = cyclic; }

    const std::vector<std::uint8_t>& Memory() const { return memory_; }
    // Clock time of the oldest reading in memory.
    std::time_t FirstReadingTime() const { return firstReadingTime_; }
    std::size_t CapacityBytes() const;

  private:
    void TakeReading();

    LoggerModel model_;
    std::uint16_t interval_;
    bool recording_;
    bool cyclic_ = false;
    bool secondProbeUnplugged_;
    std::vector<std::uint8_t> memory_;
    std::time_t firstReadingTime_ = 0;
    std::time_t nextReadingTime_ = 0;  // clock label of the next reading
    std::int64_t nextReadingMs_ = 0;   // line time at which it is taken
};

}  // namespace veldrin
