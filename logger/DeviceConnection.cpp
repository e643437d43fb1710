#include "logger/DeviceConnection.h"

#include "logger/ConnectMessages.h"
#include "logger/ConnectionTexts.h"
#include "logger/SupervisionTexts.h"
#include "logger/TextFormat.h"

namespace veldrin {
namespace {

// Commands whose pending requests an identify mismatch withdraws.
constexpr CommandId kWithdrawnOnMismatch[] = {
    CommandId::ReadRealtime,    CommandId::EndRealtime,   CommandId::ReadChipClock,
    CommandId::ReadInterval,    CommandId::ReadStopMode,  CommandId::ReadAlarm,
    CommandId::ReadDescription, CommandId::ReadStartTime, CommandId::ReadRecordState,
    CommandId::ReadRecordCount,
};

constexpr int kRealtimeEveryTicks = 25;
constexpr int kRecordCountCycle = 150;
constexpr int kRecordCountTick = 73;

}  // namespace

DeviceConnection::DeviceConnection(Link& link, Clock& clock, LoggerInfo& info, UserPrompts& prompts,
                                   PanelView& panel)
    : link_(link),
      clock_(clock),
      info_(info),
      prompts_(prompts),
      panel_(panel),
      engine_(link, clock, info, session_, *this) {
    link_.SetDataCallback(
        [this](const std::uint8_t* bytes, std::size_t count) { engine_.OnReceive(bytes, count); });
}

DeviceConnection::~DeviceConnection() {
    cancelConnect_ = true;
    if (worker_.joinable())
        worker_.join();
    link_.Close();
    link_.SetDataCallback({});
}

// ---- Connect -------------------------------------------------------------------------------

void DeviceConnection::ConnectCommand() {
    if (ConnectRunning())
        return;
    auto choice = prompts_.ChoosePort();
    if (!choice)
        return;
    Connect(*choice);
}

bool DeviceConnection::Connect(const PortChoice& choice) {
    if (ConnectRunning())
        return false;
    BeginConnect(choice);
    if (!backgroundConnect_) {
        ConnectTask task(link_, clock_, engine_, choice);
        FinishConnect(task.Run());
        return session_.online;
    }
    workerDone_ = false;
    cancelConnect_ = false;
    connectProgress_.Trying(choice.autoSearch ? std::nullopt : std::optional(choice.port), 0);
    worker_ = std::thread([this, choice] {
        ConnectTask task(link_, clock_, engine_, choice, &cancelConnect_, &connectProgress_);
        workerOutcome_ = task.Run();
        workerDone_ = true;
    });
    return false;
}

void DeviceConnection::CollectFinishedConnect() {
    if (!worker_.joinable() || !workerDone_)
        return;
    worker_.join();
    FinishConnect(workerOutcome_);
}

void DeviceConnection::BeginConnect(const PortChoice& choice) {
    choice_ = choice;
    if (session_.online) {
        session_.online = false;
        portState_ = PortState::Closed;
    }
    link_.Close();
    // Nothing of the previous connection may be taken for this one's answers.
    engine_.ResetForConnect(choice.instrument);
    panel_.ShowInstrumentChoice(choice.instrument);
}

void DeviceConnection::ShowConnectAttempt() {
    const std::optional<ChosenPort> port = connectProgress_.Port();
    std::string text = texts::Translated(texts::kConnecting);
    if (port)
        text += " " + PortLabel(*port);
    DrawProgress(connectProgress_.Percent(), text);
}

void DeviceConnection::FinishConnect(const ConnectOutcome& outcome) {
    using Result = ConnectOutcome::Result;
    HideProgress();
    // An attempt the user cancelled stays cancelled, even when the logger answered meanwhile.
    if (cancelConnect_ && outcome.result == Result::Connected) {
        link_.Close();
        ConnectOutcome cancelled = outcome;
        cancelled.result = Result::Cancelled;
        FinishConnect(cancelled);
        return;
    }
    if (outcome.foundBySearch)
        prompts_.ShowMessage(
            PortMessage(texts::kAutoSearchFound, texts::kAutoSearchFoundDevice, *outcome.foundBySearch));
    // An auto search that found nothing says first which ports it tried.
    const std::string searched = outcome.foundBySearch ? std::string() : SearchReport(outcome.searched);
    const auto failed = [&](const std::string& message) {
        prompts_.ShowMessage(searched.empty() ? message : searched + "\n\n" + message);
    };
    switch (outcome.result) {
        case Result::OpenFailed: {
            const std::string headline =
                PortMessage(texts::kOpenFailed, texts::kOpenDeviceFailed, outcome.port);
            failed(outcome.openFailure ? OpenFailedMessage(headline, *outcome.openFailure) : headline);
            return;
        }
        case Result::NotFound:
            failed(texts::Translated(texts::kDeviceNotFound));
            return;
        case Result::Mismatch:
            failed(texts::Translated(texts::kInstrumentMismatch));
            return;
        case Result::Cancelled:
            SetStatus(LinkStatus::NotConnected);
            return;
        case Result::Connected:
            break;
    }
    panel_.ClearRealtime();
    openedPort_ = outcome.port;
    portState_ = PortState::Open;
    info_.connected = true;
    engine_.ResetForConnect(choice_.instrument);
    engine_.SetModel(choice_.instrument);
    session_.Begin(Phase::Connecting, PhaseStep::None, 5);
    session_.online = true;
    linkMode_ = LinkMode::Logger;
    viewMode_ = ViewMode::LiveLogger;
    panel_.AllowSettingsEditing(true);
    panel_.AllowStartRecording(false);
    panel_.AllowStopRecording(false);
    connectTime_ = clock_.Now();
}

void DeviceConnection::Disconnect() {
    // A connect attempt still running is cancelled; the next timer call collects it.
    if (ConnectRunning()) {
        cancelConnect_ = true;
        HideProgress();
        return;
    }
    if (portState_ != PortState::Open && session_.mismatch != MismatchState::ReconnectChosen)
        return;
    HideProgress();
    portState_ = PortState::Closed;
    engine_.MarkPending(CommandId::EndRealtime);
    // Nothing outstanding may hold up closing the port on the next step.
    engine_.ClearCurrent();
    session_.phase = Phase::Disconnecting;
    linkMode_ = LinkMode::None;
    info_.connected = false;
    session_.online = false;
    viewMode_ = ViewMode::Nothing;
}

// ---- Protocol events -------------------------------------------------------------------------

void DeviceConnection::OnEvent(const EngineEvent& event) {
    // Reader thread: only queued, the user-interface thread runs them (HandleQueuedEvents).
    if (const auto* reading = std::get_if<RealtimeReading>(&event)) {
        QueueEvent({false, reading->value1, reading->value2, clock_.Now()});
        return;
    }
    if (std::holds_alternative<RealtimeMismatch>(event)) {
        QueueEvent({true, 0, 0, clock_.Now()});
        return;
    }
    if (std::holds_alternative<BlockDelivered>(event)) {
        QueuedEvent delivered;
        delivered.blockDelivered = true;
        QueueEvent(delivered);
        return;
    }
    if (const auto* accepted = std::get_if<ReplyAccepted>(&event)) {
        for (LoggerField field : accepted->fields)
            FieldDecoded(field);
    }
    const SessionChange change = session_.Apply(event);
    if (change.closePort)
        link_.Close();
    if (change.settingDone)
        DrawProgress(kFullProgress, texts::Translated(texts::kSettingDone));
    if (const auto* chunk = std::get_if<DescriptionChunkEchoed>(&event))
        DrawProgress(chunk->percent, texts::Translated(texts::kSettingUp));
    // A connect that lets the logger name its model takes any model it names; only an answer
    // naming none withdraws.
    if (const auto* mismatch = std::get_if<IdentifyMismatch>(&event);
        mismatch && (choice_.instrument != kModelFromIdentify || mismatch->reported == LoggerModel::Unknown))
        WithdrawAfterIdentifyMismatch(*mismatch);
}

void DeviceConnection::FieldDecoded(LoggerField field) {
    panel_.ShowLoggerField(field, info_);
    if (field == LoggerField::RecordingState) {
        bool recording = info_.Recording();
        panel_.AllowStartRecording(!recording);
        panel_.AllowStopRecording(recording);
    }
}

void DeviceConnection::DrawProgress(int percent, std::string_view text) {
    // A silent logger: whatever the activity would say, the strip counts down to the port's
    // closing and the status says "通信超时".
    if (timeoutSecondsLeft_ > 0) {
        prompts_.ShowProgress(
            percent, Printf(texts::Translated(texts::kLinkTimeoutCountdown).c_str(), timeoutSecondsLeft_));
        SetStatus(LinkStatus::Timeout);
        return;
    }
    // While a progress is on show the status stands blank.
    linkStatus_ = LinkStatus::Blank;
    prompts_.ShowProgress(percent, text);
    RepeatStatus();
}

void DeviceConnection::HideProgress() {
    linkStatus_ = LinkStatus::Blank;
    prompts_.HideProgress();
}

void DeviceConnection::WithdrawAfterIdentifyMismatch(const IdentifyMismatch& mismatch) {
    info_.connected = false;
    for (CommandId id : kWithdrawnOnMismatch) {
        if (engine_.IsPending(id))
            engine_.MarkDone(id);
    }
    viewMode_ = ViewMode::Nothing;
    // No logger is linked any more: nothing may be asked of it until one is connected.
    linkMode_ = LinkMode::None;
    session_.online = false;
    link_.Close();
    portState_ = PortState::Closed;
    if (prompts_.OfferReconnectAs(mismatch.chosen, mismatch.reported) &&
        mismatch.reported != LoggerModel::Unknown)
        reconnectAs_ = mismatch.reported;
}

void DeviceConnection::ReconnectAfterMismatch() {
    Disconnect();
    session_.online = false;
    session_.mismatch = MismatchState::ReconnectDue;
}

void DeviceConnection::QueueEvent(const QueuedEvent& event) {
    {
        std::lock_guard lock(queueMutex_);
        queue_.push_back(event);
    }
    panel_.EventsQueued();
}

void DeviceConnection::HandleQueuedEvents() {
    // A modal question below lets timer calls in; they must not run the queue a second time.
    if (handlingEvents_)
        return;
    handlingEvents_ = true;
    std::vector<QueuedEvent> events;
    {
        std::lock_guard lock(queueMutex_);
        events.swap(queue_);
    }
    bool blockDelivered = false;
    for (const QueuedEvent& event : events) {
        if (event.blockDelivered) {
            blockDelivered = true;
        } else if (event.mismatch) {
            AskMismatchQuestion();
        } else if (session_.mismatch == MismatchState::None) {
            panel_.RealtimeReading(event.value1, event.value2, event.time);
        }
    }
    handlingEvents_ = false;
    if (blockDelivered)
        TakeDeliveredBlock();
}

// The next block request goes out as soon as the previous block is complete, not at the next
// 200 ms step; the burst it came in already ended with 100 ms of quiet line.
void DeviceConnection::TakeDeliveredBlock() {
    if (historyMode_ && session_.online && session_.phase == Phase::ReadingHistory && !ConnectRunning() &&
        engine_.Current() == CommandId::ReadHistory) {
        HistorySequence();
    }
}

void DeviceConnection::AskMismatchQuestion() {
    if (session_.mismatch != MismatchState::None || !session_.online)
        return;
    session_.mismatch = MismatchState::QuestionOpen;
    bool reconnect = prompts_.AskReconnect();
    // The answer counts only while the question is still the open one.
    if (session_.mismatch == MismatchState::QuestionOpen)
        session_.mismatch = reconnect ? MismatchState::ReconnectChosen : MismatchState::None;
}

void DeviceConnection::SetStatus(LinkStatus status) {
    linkStatus_ = status;
    RepeatStatus();
}

void DeviceConnection::RepeatStatus() {
    prompts_.SetStatusText(texts::LinkStatusText(linkStatus_));
}

std::string DeviceConnection::StatusText() const {
    return texts::LinkStatusText(linkStatus_);
}

std::string DeviceConnection::PortStateText() const {
    return texts::PortStateText(portState_);
}

void DeviceConnection::Send(CommandId id) {
    // The user answered the mismatch question with "reconnect": close instead of sending.
    if (session_.mismatch == MismatchState::ReconnectChosen) {
        ReconnectAfterMismatch();
        return;
    }
    if (id == CommandId::ReadRealtime && session_.mismatch != MismatchState::None)
        return;
    engine_.Send(id);
}

bool DeviceConnection::SendFirstPending(std::initializer_list<CommandId> order) {
    for (CommandId id : order) {
        if (Pending(id)) {
            Send(id);
            return true;
        }
    }
    return false;
}

// ---- The 200 ms step -------------------------------------------------------------------------

void DeviceConnection::OnTimer() {
    CollectFinishedConnect();
    HandleQueuedEvents();

    // 1. Link-time bookkeeping.
    info_.lastReceived = engine_.LastReceived();
    panel_.KeepIntervalAtLeastOneSecond();
    if (ConnectRunning()) {
        // The background connect owns the link until it is done.
        if (!cancelConnect_)
            ShowConnectAttempt();
        panel_.AlarmTick();
        ++tick_;
        return;
    }
    // A reconnect as the model that identified itself, on the port it answered on.
    if (reconnectAs_) {
        PortChoice again = choice_;
        again.autoSearch = false;
        again.port = openedPort_;
        again.instrument = *reconnectAs_;
        reconnectAs_.reset();
        Connect(again);
        if (ConnectRunning())
            return;
    }
    // 2. A reconnect after the mismatch question.
    if (session_.mismatch == MismatchState::ReconnectDue) {
        engine_.ClearCurrent();
        session_.mismatch = MismatchState::Reconnecting;
        ConnectCommand();
        session_.mismatch = MismatchState::None;
        if (ConnectRunning())
            return;
    }
    // 3. Alarm countdown, 4. tick.
    panel_.AlarmTick();
    ++tick_;

    // 5. The current activity, first of all its link check.
    if (!SuperviseActivity())
        return;
    if (!ActivityStep())
        return;

    // 6–8. The sequences; a step that sends (or waits) ends the call.
    RunSequence();
}

bool DeviceConnection::ActivityStep() {
    switch (session_.phase) {
        case Phase::Connecting:
            return ConnectingStep();
        case Phase::SettingUp:
            SettingUpStep();
            return true;
        case Phase::ReadingHistory:
            ReadingHistoryStep();
            return true;
        case Phase::Polling:
            return PollingStep();
        case Phase::Disconnecting:
            return DisconnectingStep();
        case Phase::StoppingRecording:
            return StoppingRecordingStep();
    }
    return true;
}

void DeviceConnection::RunSequence() {
    if (info_.connected && session_.online && session_.phase == Phase::Connecting) {
        ConnectSequence();
        return;
    }
    if (historyMode_ && session_.online && session_.phase == Phase::ReadingHistory) {
        HistorySequence();
        return;
    }
    if (settingsWrite_ == SettingsWrite::Running && session_.online && session_.phase == Phase::SettingUp)
        SettingsSequence();
}

bool DeviceConnection::ConnectingStep() {
    if (session_.phaseStep == PhaseStep::Begun) {
        panel_.AllowStartRecording(false);
        panel_.AllowStopRecording(false);
        DrawProgress(session_.progress, texts::Translated(texts::kConnecting));
    }
    if (session_.stage == ActivityStage::LastReplyIn) {
        bool recording = info_.Recording();
        panel_.AllowStartRecording(!recording);
        panel_.AllowStopRecording(recording);
        session_.phase = Phase::Polling;
    }
    if (session_.stage != ActivityStage::Closed) {
        RepeatStatus();
        if (session_.stage == ActivityStage::LastReplyIn)
            session_.stage = ActivityStage::Closed;
    }
    return true;
}

void DeviceConnection::SettingUpStep() {
    if (session_.phaseStep != PhaseStep::Configuring)
        return;
    DrawProgress(session_.progress, texts::Translated(texts::kSettingUp));
    panel_.AllowStopRecording(false);
    panel_.AllowSettingsEditing(true);
}

void DeviceConnection::ReadingHistoryStep() {
    if (info_.recordBytes == 0)
        return;
    session_.progress = static_cast<int>(engine_.HistoryBytes().size() * 100 / info_.recordBytes);
    DrawProgress(session_.progress, texts::Translated(texts::kReadingHistory));
    std::size_t waiting = engine_.ReplySize();
    if (Traits(info_.model).progressCountsWaitingReply && waiting > 0) {
        session_.progress = static_cast<int>(waiting * 100 / (info_.recordBytes + 1));
        DrawProgress(session_.progress, texts::Translated(texts::kReadingHistory));
    }
}

bool DeviceConnection::PollingStep() {
    if (session_.progress > 0) {
        session_.progress = 0;
        session_.stage = ActivityStage::Running;
        DrawProgress(0, "");
    }
    if (ReplyWaits(engine_.ProcessReply()))
        return false;
    // A programmed start has passed: ask whether the logger began recording.
    if (info_.startFlag == 1 && chosenStart_ != 0 && clock_.Now() >= chosenStart_) {
        engine_.MarkPending(CommandId::ReadRecordState);
        info_.startFlag = 0;
    }
    // Several sends in one call: only the last one is awaited, the others go out again later.
    if (Pending(CommandId::Sync))
        Send(CommandId::Sync);
    if (Pending(CommandId::ReadRecordState))
        Send(CommandId::ReadRecordState);
    if (Pending(CommandId::ReadRealtime))
        Send(CommandId::ReadRealtime);
    if (tick_ % kRealtimeEveryTicks == 0)
        engine_.MarkPending(CommandId::ReadRealtime);
    if (Pending(CommandId::ReadRecordCount))
        Send(CommandId::ReadRecordCount);
    int cycleTick = tick_ % kRecordCountCycle;
    if (cycleTick == kRecordCountTick) {
        if (session_.mismatch == MismatchState::None) {
            engine_.MarkPending(CommandId::ReadRecordCount);
        } else {
            engine_.MarkDone(CommandId::ReadRecordCount);
        }
    } else if (cycleTick < kRecordCountTick) {
        engine_.MarkDone(CommandId::ReadRecordCount);
    }
    if (session_.mismatch != MismatchState::None)
        engine_.SetLastReceived(clock_.Now());
    return SuperviseLink();
}

bool DeviceConnection::SuperviseLink() {
    std::time_t silence = clock_.Now() - engine_.LastReceived();
    if (silence > kLinkTimeoutSeconds) {
        HideProgress();
        linkStatus_ = LinkStatus::Timeout;
        if (info_.connected && session_.online)
            RepeatStatus();
        if (silence > kLinkLostSeconds) {
            Disconnect();
            session_.online = false;
            if (link_.IsOpen())
                link_.Close();
            SetStatus(LinkStatus::NotConnected);
            return false;
        }
        return true;
    }
    HideProgress();
    SetStatus(LinkStatus::Normal);
    return true;
}

bool DeviceConnection::DisconnectingStep() {
    if (ReplyWaits(engine_.ProcessReply()))
        return false;
    if (session_.online && Pending(CommandId::EndRealtime))
        Send(CommandId::EndRealtime);
    link_.Close();
    session_.online = false;
    SetStatus(LinkStatus::NotConnected);
    return true;
}

bool DeviceConnection::StoppingRecordingStep() {
    if (ReplyWaits(engine_.ProcessReply()))
        return false;
    if (session_.online && SendFirstPending({CommandId::Sync, CommandId::EndRecording}))
        return false;
    return true;
}

void DeviceConnection::ConnectSequence() {
    if (ReplyWaits(engine_.ProcessReply()))
        return;
    if (SendFirstPending({CommandId::Sync, CommandId::Identify, CommandId::ReadAllParameters}))
        return;
    viewMode_ = ViewMode::LiveLogger;
    if (Pending(CommandId::ReadRealtime))
        Send(CommandId::ReadRealtime);
}

void DeviceConnection::HistorySequence() {
    if (ReplyWaits(engine_.ProcessReply()))
        return;
    if (SendFirstPending({CommandId::ReadStartTime, CommandId::ReadInterval, CommandId::EndRecording,
                          CommandId::ReadRecordCount})) {
        return;
    }
    const HistoryState state = engine_.HistoryStage();
    if (state == HistoryState::Starting) {
        engine_.ClearReply();
        engine_.ClearHistoryStore();
        Send(CommandId::ReadHistory);
        historyRequestMs_ = clock_.MonotonicMs();
        return;
    }
    if (state == HistoryState::NextBlock) {
        if (!Traits(info_.model).blockRequestsOnlyWhileBegun || session_.phaseStep == PhaseStep::Begun) {
            Send(CommandId::ReadHistory);
            historyRequestMs_ = clock_.MonotonicMs();
        }
        return;
    }
    if (state == HistoryState::Complete && session_.phaseStep != PhaseStep::HistoryDecoded &&
        info_.model != LoggerModel::Unknown) {
        engine_.SetHistoryStage(HistoryState::Decoding);
        if (historySink_) {
            HistoryHandover handover{engine_.HistoryBytes(), info_.model, info_, historyChannels_,
                                     engine_.HistoryAlarmLimits()};
            handover.blocksReceived = HistoryBlocksReceived();
            handover.blockCount = info_.blockCount;
            historySink_(handover);
        }
        session_.phase = Phase::Polling;
        viewMode_ = ViewMode::DownloadedHistory;
        engine_.MarkPending(CommandId::ReadRealtime);
        session_.phaseStep = PhaseStep::HistoryDecoded;
    }
}

void DeviceConnection::SettingsSequence() {
    if (settingsStartAtMs_) {
        if (clock_.MonotonicMs() < *settingsStartAtMs_)
            return;
        QueueSettingsWrite();
    }
    if (engine_.ProcessReply() == ReplyResult::Waiting)
        return;
    auto writeDescription = [&] {
        Send(CommandId::WriteDescription);
        if (tick_ % 3 == 2 && !engine_.DescriptionChunkAcknowledged()) {
            engine_.ProcessReply(CommandId::WriteDescription);
        }
    };
    // While the description goes out in chunks nothing else is sent.
    if (session_.phaseStep == PhaseStep::DescriptionWrite && Pending(CommandId::WriteDescription)) {
        writeDescription();
        return;
    }
    if (SendFirstPending({CommandId::Sync, CommandId::EndRealtime, CommandId::SetChipClock}))
        return;
    // The start time goes out only on every third call.
    if (Pending(CommandId::SetStartTime) && tick_ % 3 == 2) {
        Send(CommandId::SetStartTime);
        return;
    }
    if (SendFirstPending({CommandId::SetInterval, CommandId::SetAlarm, CommandId::SetChannel2Alarm}))
        return;
    if (Pending(CommandId::WriteDescription)) {
        writeDescription();
        return;
    }
    if (Pending(CommandId::SetStartTime))
        return;
    if (SendFirstPending({CommandId::StartRecording, CommandId::SetStopMode, CommandId::ReadRecordState}))
        return;
    if (engine_.State(CommandId::ReadRealtime) == CommandStatus::NotWanted) {
        Send(CommandId::ReadRealtime);
        return;
    }
    panel_.AllowSettingsEditing(true);
    settingsWrite_ = SettingsWrite::Finished;
    // Normally the realtime reply has already returned to polling; a given-up command must not
    // leave the connection in this phase.
    if (session_.phase == Phase::SettingUp)
        session_.phase = Phase::Polling;
}

}  // namespace veldrin
