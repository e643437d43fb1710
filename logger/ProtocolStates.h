#pragma once
// The numbers of the contract between the protocol engine and the connection, as named values:
// what a reply check found, where a command stands, where a history download stands, and the
// connection's activities and their steps. Each enumerator carries the logger protocol's own number.

namespace veldrin {

// What checking the reply buffer found.
enum class ReplyResult : int {
    Resend = -4,              // nothing usable for the 22nd call in a row: send the pending commands again
    Waiting = -3,             // nothing usable yet
    NoCommand = -2,           // no command is awaited
    Answered = -1,            // the awaited command was answered, or given up
    SetAlarmAwaited = 12,     // set alarm is still awaited (never given up)
    DescriptionAwaited = 14,  // the description write is still running
};

// True for the results after which a connection step must end its call.
constexpr bool ReplyWaits(ReplyResult result) {
    return result == ReplyResult::Waiting || result == ReplyResult::SetAlarmAwaited ||
           result == ReplyResult::DescriptionAwaited;
}

// Where one command stands. The logger protocol writes the command's own id for both "answered"
// and "given up"; the engine keeps the two apart, and neither is ever pending or unwanted.
enum class CommandStatus : int {
    NotWanted = -2,  // sync after the channel-2 alarm reply; realtime until it is asked for
    Pending = -1,    // wanted: the connection sends it when its turn comes
    Answered,
    GivenUp,  // no acceptable reply within the give-up limit
};

// Where the history download stands.
enum class HistoryState : int {
    Starting = -2,  // the first request goes out with its header
    NextBlock = 0,
    Complete = 2,  // every block arrived: ready for decoding
    Decoding = 4,
    Idle = 5,  // no download (the history command's own id)
};

// The connection's current activity.
enum class Phase : int {
    Connecting = 1,
    SettingUp = 2,
    ReadingHistory = 3,
    Polling = 4,
    Disconnecting = 5,
    StoppingRecording = 10,
};

// The step within the current activity.
enum class PhaseStep : int {
    None = 0,
    // Connecting: a first connect command was answered, so the strip shows progress. Setting up:
    // the write was asked for. Reading history: the download was asked for.
    Begun = 1,
    Configuring = 2,       // setting up: realtime ended, the strip shows the write's progress
    DescriptionWrite = 7,  // setting up: the description goes out in chunks, nothing else is sent
    HistoryDecoded = 102,  // reading history: the download went to the history decoding
};

}  // namespace veldrin
