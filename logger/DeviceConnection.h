#pragma once
// The device connection: connects to a logger, identifies it, keeps polling it, runs the
// multi-step activities (setting it up, downloading its history, stopping its recording),
// supervises the link and disconnects. OnTimer is its 200 ms step. The protocol engine does the
// byte work and reports what the logger answered as events; the connection owns the session
// (phase, phase step, progress, on line, the mismatch question) and alone changes it, applying
// the engine's events with SessionState::Apply. It asks and tells the user through UserPrompts
// and shows the logger through PanelView.
// Everything runs on the user-interface thread except the link's reader (which feeds the engine;
// its realtime events are queued for the user-interface thread) and, when enabled, the
// background part of Connect.
#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "logger/Clock.h"
#include "logger/ConnectTask.h"
#include "logger/ConnectionState.h"
#include "logger/LoggerInfo.h"
#include "logger/PanelView.h"
#include "logger/ProtocolEngine.h"
#include "logger/SessionState.h"
#include "logger/UserPrompts.h"
#include "serial/Link.h"

namespace veldrin {

// The history byte store, handed to the history decoding: the whole download, or the blocks that
// arrived before the logger fell silent (then `complete` is false and the store ends with the
// FF FF trailer a complete one has).
struct HistoryHandover {
    const Bytes& bytes;
    LoggerModel model;
    const LoggerInfo& info;
    std::array<bool, 2> shownChannels;
    const HistoryLimits& limits;
    bool complete = true;
    int blocksReceived = 0;
    int blockCount = 0;
    // The readings the logger held, of which the blocks received carry part (when not complete).
    int expectedReadings = 0;
};
using HistorySink = std::function<void(const HistoryHandover&)>;

class DeviceConnection : private ProtocolListener {
  public:
    static constexpr int kTimerMs = kConnectionStepMs;

    // `prompts` is how it reaches the user, `panel` what it shows the logger in; both must outlive
    // the connection (one object may be both).
    DeviceConnection(Link& link, Clock& clock, LoggerInfo& info, UserPrompts& prompts, PanelView& panel);
    ~DeviceConnection() override;
    DeviceConnection(const DeviceConnection&) = delete;
    DeviceConnection& operator=(const DeviceConnection&) = delete;

    // Connect's waits run on a worker thread (the default) or in the calling thread.
    void SetBackgroundConnect(bool background) { backgroundConnect_ = background; }
    // Menu "连接仪器": asks for port and instrument, then connects.
    void ConnectCommand();
    // Connects with `choice`: in the background when enabled (OnTimer applies the result), else
    // here. Returns true when connected here; false when it failed or still runs in the background.
    bool Connect(const PortChoice& choice);
    bool ConnectRunning() const { return worker_.joinable(); }
    // Menu "断开仪器", also on communication loss.
    void Disconnect();
    // The 200 ms step.
    void OnTimer();
    // Runs the realtime readings and mismatch signals the reader thread queued.
    void HandleQueuedEvents();

    // Configuration commands: whether the request was taken or declined.
    RequestResult ApplySettings();
    RequestResult StopRecording();
    void ReadHistory();
    void SetHistorySink(HistorySink sink) { historySink_ = std::move(sink); }

    // State.
    bool Online() const { return session_.online; }
    bool Connected() const { return info_.connected; }
    // Set by the realtime panel's start button.
    void SetConnected(bool connected) { info_.connected = connected; }
    PortState CurrentPortState() const { return portState_; }
    // The port the last connect opened.
    const ChosenPort& OpenedPort() const { return openedPort_; }
    // The port state as the connect button names it.
    std::string PortStateText() const;
    const SessionState& Session() const { return session_; }
    Phase CurrentPhase() const { return session_.phase; }
    PhaseStep CurrentStep() const { return session_.phaseStep; }
    int Progress() const { return session_.progress; }
    LinkStatus CurrentLinkStatus() const { return linkStatus_; }
    // The link status as the status pane shows it.
    std::string StatusText() const;
    int Tick() const { return tick_; }
    MismatchState Mismatch() const { return session_.mismatch; }
    ViewMode CurrentViewMode() const { return viewMode_; }
    void SetViewMode(ViewMode mode) { viewMode_ = mode; }
    LinkMode CurrentLinkMode() const { return linkMode_; }
    void SetLinkMode(LinkMode mode) { linkMode_ = mode; }
    SettingsWrite SettingsWriteState() const { return settingsWrite_; }
    bool HistoryMode() const { return historyMode_; }
    void SetHistoryMode(bool on) { historyMode_ = on; }
    std::array<bool, 2> HistoryChannels() const { return historyChannels_; }
    std::time_t ConnectTime() const { return connectTime_; }
    ProtocolEngine& Engine() { return engine_; }
    const ProtocolEngine& Engine() const { return engine_; }

  private:
    struct QueuedEvent {
        bool mismatch = false;
        float value1 = 0, value2 = 0;
        std::time_t time = 0;
        bool blockDelivered = false;
    };

    // ProtocolListener: realtime events are queued, the others applied at once.
    void OnEvent(const EngineEvent& event) override;
    void QueueEvent(const QueuedEvent& event);
    void FieldDecoded(LoggerField field);
    void WithdrawAfterIdentifyMismatch(const IdentifyMismatch& mismatch);
    void ReconnectAfterMismatch();

    void BeginConnect(const PortChoice& choice);
    // "正在连接" and the port the running attempt tries, in the progress strip.
    void ShowConnectAttempt();
    // The progress of the running activity (percent −1: none runs any more); the status text stands
    // blank while one is on show.
    void DrawProgress(int percent, std::string_view text);
    void HideProgress();
    void FinishConnect(const ConnectOutcome& outcome);
    void CollectFinishedConnect();
    void AskMismatchQuestion();
    // Says `status` in the status pane.
    void SetStatus(LinkStatus status);
    // Says the current status again.
    void RepeatStatus();
    // Sends `id` unless the mismatch question decides otherwise: once the user chose to reconnect
    // the connection closes instead, and while the question is handled no realtime is asked for.
    void Send(CommandId id);
    bool Pending(CommandId id) const { return engine_.IsPending(id); }
    // Sends the first pending command of `order`; true when one was sent.
    bool SendFirstPending(std::initializer_list<CommandId> order);

    // The phase work of OnTimer; false when the call ends there.
    bool ActivityStep();
    bool ConnectingStep();
    void SettingUpStep();
    void ReadingHistoryStep();
    // A history block has come in: it is taken, and the next one asked for, now.
    void TakeDeliveredBlock();
    bool PollingStep();
    bool DisconnectingStep();
    bool StoppingRecordingStep();
    // The sequences of OnTimer: the one of the current activity, if any.
    void RunSequence();
    void ConnectSequence();
    void HistorySequence();
    void SettingsSequence();
    // The settings write of taken settings: the setting-up activity and its short wait begin.
    void BeginSettingsWrite();
    // Marks the settings write's commands pending once the wait after ApplySettings is over.
    void QueueSettingsWrite();
    // The link check at the end of a polling step; false when it disconnected.
    bool SuperviseLink();
    // The link check of every other activity on line (connecting, setting up, reading history,
    // stopping recording): after kLinkTimeoutSeconds without a byte "通信超时", after
    // kLinkLostSeconds the activity ends.
    // False when it ended.
    bool SuperviseActivity();
    // Ends the activity of a silent logger: what arrived of a download goes to the history sink,
    // the port is closed, and the user is told what did not finish.
    void EndSilentActivity();
    std::string UnfinishedActivityText(Phase phase) const;
    // True when blocks had arrived and went to the sink.
    bool HandOverPartialHistory();
    int HistoryBlocksReceived() const;
    // Readings in `bytes` of downloaded payload of the connected model.
    int ReadingsIn(std::size_t bytes) const;

    Link& link_;
    Clock& clock_;
    LoggerInfo& info_;
    UserPrompts& prompts_;
    PanelView& panel_;
    SessionState session_;
    ProtocolEngine engine_;
    HistorySink historySink_;

    PortState portState_ = PortState::Closed;
    LinkStatus linkStatus_ = LinkStatus::Unsaid;
    int tick_ = 0;
    ViewMode viewMode_ = ViewMode::Nothing;
    LinkMode linkMode_ = LinkMode::None;
    SettingsWrite settingsWrite_ = SettingsWrite::None;
    bool historyMode_ = false;
    std::array<bool, 2> historyChannels_{true, false};
    std::time_t chosenStart_ = 0;
    // The activity the link check last saw and when it began: the logger's silence counts from
    // the later of its last byte and the activity's beginning (the user may have taken minutes to
    // answer the question that began it).
    Phase supervisedPhase_ = Phase::Polling;
    // While the logger of an activity is silent past kLinkTimeoutSeconds: the whole seconds left
    // before the activity ends (0 while it answers). The progress then says so.
    int timeoutSecondsLeft_ = 0;
    std::time_t supervisedSince_ = 0;
    // When the settings write may start (monotonic ms); nothing while none waits.
    std::optional<std::int64_t> settingsStartAtMs_;
    std::time_t connectTime_ = 0;
    std::int64_t historyRequestMs_ = 0;
    PortChoice choice_;
    // The port the last attempt opened (the one the auto search found, if it searched).
    ChosenPort openedPort_;
    // A reconnect as the model that answered, which the next step begins.
    std::optional<LoggerModel> reconnectAs_;

    bool backgroundConnect_ = true;
    std::thread worker_;
    std::atomic<bool> workerDone_{false};
    std::atomic<bool> cancelConnect_{false};
    ConnectProgress connectProgress_;
    ConnectOutcome workerOutcome_;

    std::mutex queueMutex_;
    std::vector<QueuedEvent> queue_;
    bool handlingEvents_ = false;
};

}  // namespace veldrin
