#pragma once
// What the protocol engine tells its owner (the device connection) besides the session numbers it
// writes directly. RealtimeReading and RealtimeMismatch run on the link's reader thread; every
// other call runs on the thread that calls Send and ProcessReply.
#include <string_view>

namespace veldrin {

// The LoggerInfo fields a reply has just filled, one notification per panel field group.
enum class LoggerField {
    Instrument,      // model, instrumentName
    RecordingState,  // recordingState: the panel text and the start/stop buttons follow it
    VoltageState,
    Interval,
    StopMode,
    StartTime,      // startFlag, startTime (shown in the pickers only when it has a calendar time)
    Channel1Alarm,  // limits and enable flag
    Channel2Alarm,
    Description,  // title and description
    RecordCount,  // recordBytes, blockCount
};

class ProtocolListener {
  public:
    virtual ~ProtocolListener() = default;

    virtual void FieldDecoded(LoggerField field) = 0;
    // A reply asks for a progress strip text of its own ("正在设置仪器", "设置完成").
    virtual void ProgressText(int percent, std::string_view text) = 0;
    // The identify reply named another instrument than the one chosen.
    virtual void IdentifyMismatch() = 0;
    // Send found the mismatch question answered with "reconnect": the connection must close.
    virtual void ReconnectRequested() = 0;
    // Reader thread: a realtime frame with this logger's markers.
    virtual void RealtimeReading(float value1, float value2) = 0;
    // Reader thread: a realtime frame with another model's markers.
    virtual void RealtimeMismatch() = 0;
};

}  // namespace veldrin
