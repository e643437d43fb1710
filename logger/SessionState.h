#pragma once
// The connection's session numbers (activity, step, progress, how far the activity has come, on
// line, the mismatch question) and the rules by which the protocol engine's events move them. The
// connection owns the one SessionState of a connection and alone writes it; the engine only reads
// it (whether a logger is on line, whether the description write runs).
// User-interface thread only.
#include "logger/ProtocolListener.h"
#include "logger/ProtocolStates.h"

namespace veldrin {

// Where the instrument mismatch question of realtime frames stands.
enum class MismatchState : int {
    None = 0,
    QuestionOpen = 1,
    ReconnectChosen = 2,  // the next send closes the connection instead
    ReconnectDue = 3,     // the next timer call connects again
    Reconnecting = 4,
};

// Where the settings write started by ApplySettings stands.
enum class SettingsWrite : int { None = 0, Running = 1, Finished = 2 };

// What the connection made of a user's request (apply the settings, stop recording).
enum class RequestResult : int { Declined = 0, Taken = 1 };

// What the main view shows (read by the menu enabling).
enum class ViewMode : int { DownloadedHistory = 0, Nothing = 2, FileHistory = 3, LiveLogger = 4 };
// What the program is linked to.
enum class LinkMode : int { None = 0, Logger = 1, HistoryFile = 2 };

// How far the current activity has come beyond its percentage. Connecting and setting up end with
// a last reply (the realtime reply of a connect, the stop-mode reply of a settings write) that
// brings the progress to 100 %; the connection then closes the activity.
enum class ActivityStage : int {
    Running = 0,
    LastReplyIn = 1,  // the last reply was accepted: the strip stands full
    Closed = 2,       // connecting: the buttons follow the recording state and polling began
};

// The percentage at which an activity is complete.
inline constexpr int kFullProgress = 100;

// What an event asks of the connection beyond the session numbers.
struct SessionChange {
    bool closePort = false;    // end realtime answered while disconnecting
    bool settingDone = false;  // the settings write is complete: the strip shows "设置完成"
};

struct SessionState {
    Phase phase = Phase::Disconnecting;
    PhaseStep phaseStep = PhaseStep::None;
    int progress = 0;  // percent, for the progress strip
    ActivityStage stage = ActivityStage::Running;
    bool online = false;
    MismatchState mismatch = MismatchState::None;

    // An activity begins at `step`, `percent` done.
    void Begin(Phase activity, PhaseStep step, int percent);
    // Applies what `event` means for the session; events that mean nothing for it change nothing.
    SessionChange Apply(const EngineEvent& event);

  private:
    void TakeProgress(Phase in, int percent);
    SessionChange TakeAccepted(CommandId id);
};

}  // namespace veldrin
