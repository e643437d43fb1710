#pragma once
// A behaviour model of one data logger: it hears the bytes the computer writes, answers every
// command the way a logger of its model does, keeps its settings, clock and record memory, sends
// realtime readings while asked to, and can be given line faults. It has no threads and no clock
// of its own: the caller says what line time (milliseconds) it is, and collects the bytes it puts
// on the line with the times they arrive. All members may be called from any thread.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <vector>

#include "sim/SimFrameReader.h"
#include "sim/SimLoggerConfig.h"
#include "sim/SimRecorder.h"
#include "sim/SimTransmitter.h"
#include "sim/Transmission.h"

namespace veldrin {

class SimLogger {
  public:
    explicit SimLogger(const SimLoggerOptions& options = {});

    // Line side.
    // Bytes written by the computer, arriving at line time `nowMs` (any split of the frames).
    void Receive(const std::uint8_t* bytes, std::size_t count, std::int64_t nowMs);
    // Lets line time pass: closes frames cut short by a pause, starts a programmed recording,
    // sends the realtime frames that fell due.
    void Advance(std::int64_t nowMs);
    // The next line time at which Advance has something to do.
    std::optional<std::int64_t> NextEventMs() const;
    // What the logger has put on the line since the last call, in line order.
    std::vector<Transmission> TakeTransmissions();

    // Faults.
    void SetFaults(const SimFaults& faults);
    SimFaults Faults() const;
    // The next reply (or realtime frame) gets byte `position` inverted (the last one when shorter).
    void CorruptNextReply(std::size_t position = 1);
    // A pulled cable: nothing is heard or answered while set.
    void SetSilent(bool silent);

    // State, for tests and the command-line tool.
    LoggerModel Model() const;
    // The model the logger answers as (its own unless a wrong-model fault is set).
    LoggerModel AnswersAs() const;
    SimSettings Settings() const;
    void SetVoltageState(std::uint8_t state);
    std::vector<std::uint8_t> RecordMemory() const;
    std::time_t ClockAt(std::int64_t nowMs) const;
    bool RealtimeOn() const;
    // Number of commands, wake-up bytes, block requests and description chunks heard so far.
    int FramesHeard() const;
    // Realtime frames put on the line so far (none while silent).
    int RealtimeFramesSent() const;
    // The shortest quiet line this logger saw before a block request of a running download (every
    // block after the first): from the last byte it had put on the line to the request's arrival.
    // Nothing before the first such request.
    std::optional<std::int64_t> ShortestQuietBeforeBlockRequestMs() const;

  private:
    void AdvanceLocked(std::int64_t nowMs);
    void Handle(const SimFrame& frame, std::int64_t nowMs);
    void HandleCommand(const std::vector<std::uint8_t>& frame, std::int64_t nowMs);
    void HandleRecording(std::uint8_t what, const std::vector<std::uint8_t>& frame, std::int64_t nowMs);
    // A new recording whose first reading is taken at line time `startMs`, labelled `label`.
    void BeginRecording(std::time_t label, std::int64_t startMs, std::int64_t nowMs);
    void HandleHistory(const std::vector<std::uint8_t>& frame, std::int64_t nowMs);
    void HandleDescription(const SimFrame& frame, std::int64_t nowMs);
    void SendBlock(int block, std::int64_t nowMs);
    void StartRealtime(std::int64_t nowMs);
    void Reply(std::vector<std::uint8_t> bytes, std::int64_t nowMs);
    void Echo(const std::vector<std::uint8_t>& frame, std::int64_t nowMs) { Reply(frame, nowMs); }
    bool SilentAt(std::int64_t nowMs) const;
    // Whether realtime frames go out at line time `nowMs`.
    bool StreamsAt(std::int64_t nowMs) const;
    void ApplyFaultsLocked();
    std::time_t ClockLocked(std::int64_t nowMs) const;
    std::optional<std::int64_t> ProgrammedStartMs() const;
    std::uint8_t IdentificationByte() const;
    SimSettings SettingsLocked() const;

    mutable std::mutex mutex_;
    SimLoggerOptions options_;
    SimFaults faults_;
    SimFrameReader reader_;
    SimTransmitter transmitter_;
    SimRecorder recorder_;
    SimSettings settings_;  // recordingState is the recorder's; the rest lives here

    std::int64_t lineMs_ = INT64_MIN;  // the latest line time seen
    std::time_t clockBase_;            // the logger's clock …
    std::int64_t clockBaseMs_ = 0;     // … at this line time
    bool startArmed_ = false;          // start recording by itself at the programmed start time
    std::optional<std::time_t> programmedStart_;
    bool startTimeFollowsMemory_ = true;  // report the first reading's time, not a programmed one
    bool realtimeOn_ = false;
    std::int64_t nextFrameMs_ = 0;
    std::optional<std::int64_t> firstContactMs_;
    bool silent_ = false;
    std::vector<std::uint8_t> downloadMemory_;  // the memory as it was when the download began
    std::vector<std::uint8_t> lastBlockReply_;
    std::string descriptionInput_;
    std::optional<std::int64_t> shortestRequestQuietMs_;
    int framesHeard_ = 0;
    int framesSent_ = 0;
};

}  // namespace veldrin
