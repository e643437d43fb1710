#include "logger/ProtocolEngine.h"

#include "logger/ByteSearch.h"
#include "logger/RealtimeFrames.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr int kGiveUpCalls = 101;
constexpr int kWaitCallsBeforeResend = 21;

}  // namespace

ProtocolEngine::ProtocolEngine(Link& link, Clock& clock, LoggerInfo& info, const SessionState& session,
                               ProtocolListener& listener)
    : link_(link), clock_(clock), info_(info), session_(session), listener_(listener) {
    states_.fill(CommandStatus::Answered);
    SetState(CommandId::ReadRealtime, CommandStatus::NotWanted);
}

void ProtocolEngine::ResetForConnect(LoggerModel chosen) {
    chosen_ = chosen;
    states_.fill(CommandStatus::Answered);
    historyState_ = HistoryState::Idle;
    SetState(CommandId::ReadRealtime, CommandStatus::NotWanted);
    realtimeTaken_ = false;
    awaitingBlock_ = false;
    frameModel_ = chosen;
    MarkPending(CommandId::Identify);
    MarkPending(CommandId::ReadAllParameters);
    MarkPending(CommandId::EndRealtime);
    current_.reset();
    giveUpCounter_ = 0;
    waitCounter_ = 0;
    for (auto& frame : sentFrames_)
        frame.clear();
    history_.Clear();
    nextBlock_ = 1;
    lastRequestedBlock_ = 0;
    repeatCounter_ = 0;
    chunkIndex_ = -1;
    chunkAcknowledged_ = false;
    expectedEcho_.clear();
    misses_ = 0;
    std::lock_guard lock(mutex_);
    reply_.clear();
    receiveLog_.Clear();
}

void ProtocolEngine::SetModel(LoggerModel model) {
    info_.model = model;
    info_.instrumentName = std::string(Traits(model).displayName);
    frameModel_ = model;
}

void ProtocolEngine::SetState(CommandId id, CommandStatus state) {
    states_[static_cast<std::size_t>(Index(id))] = state;
    // Once the logger has been asked for realtime readings in this connection, every frame it
    // sends is a reading, also while the request goes out again.
    if (id == CommandId::ReadRealtime && state == CommandStatus::Answered)
        realtimeTaken_ = true;
}

// ---- Sending -------------------------------------------------------------------------------

void ProtocolEngine::Send(CommandId id) {
    if (!session_.online)
        return;
    if (id == CommandId::WriteDescription) {
        // Its echoes are checked explicitly, so nothing becomes current.
        SendDescriptionChunk();
        current_.reset();
        return;
    }
    if (id == CommandId::ReadHistory && Traits(info_.model).channelCount == 0)
        return;
    ClearBuffersBeforeSending(id);
    awaitingBlock_ = id == CommandId::ReadHistory;
    if (id == CommandId::ReadHistory) {
        SendHistoryRequest();
    } else {
        std::time_t now = clock_.Now();
        Bytes frame = BuildFrame(id, info_, now);
        if (id == CommandId::SetChipClock)
            info_.chipClock = now;
        sentFrames_[static_cast<std::size_t>(Index(id))] = frame;
        Write(frame);
    }
    current_ = id;
}

void ProtocolEngine::ClearBuffersBeforeSending(CommandId id) {
    std::lock_guard lock(mutex_);
    reply_.clear();
    if (id != CommandId::ReadHistory)
        receiveLog_.Clear();
}

void ProtocolEngine::TakeRecordedSend(CommandId id, const Bytes& frame) {
    ClearBuffersBeforeSending(id);
    sentFrames_[static_cast<std::size_t>(Index(id))] = frame;
    current_ = id;
}

void ProtocolEngine::Write(const Bytes& frame) {
    link_.Write(frame.data(), frame.size());
}

// ---- Replies -------------------------------------------------------------------------------

ReplyResult ProtocolEngine::ProcessReply() {
    if (!current_)
        return ReplyResult::NoCommand;
    return ProcessReply(*current_);
}

ReplyResult ProtocolEngine::ProcessReply(CommandId id) {
    if (id == CommandId::WriteDescription)
        return ProcessDescriptionEcho();
    if (Accept(id, ReplyCopy()))
        return ReplyResult::Answered;
    return NoAcceptableReply(id);
}

// Waiting and giving up: a resend on every 22nd call without a usable reply, and after 101 calls
// the command counts as answered, except the history and realtime requests and set alarm.
ReplyResult ProtocolEngine::NoAcceptableReply(CommandId id) {
    if (id == CommandId::SetAlarm)
        return ReplyResult::SetAlarmAwaited;
    ++giveUpCounter_;
    if (giveUpCounter_ >= kGiveUpCalls && id != CommandId::ReadHistory && id != CommandId::ReadRealtime) {
        SetState(id, CommandStatus::GivenUp);
        current_.reset();
        giveUpCounter_ = 0;
        return ReplyResult::Answered;
    }
    if (waitCounter_ < kWaitCallsBeforeResend) {
        ++waitCounter_;
        return ReplyResult::Waiting;
    }
    waitCounter_ = 0;
    return ReplyResult::Resend;
}

// ---- Receiving ---------------------------------------------------------------------------

void ProtocolEngine::OnReceive(const std::uint8_t* bytes, std::size_t count) {
    // Frames of the connected model never reach the buffers: a reply is judged without them.
    const SeparatedDelivery delivery = SeparateRealtimeFrames(bytes, count, frameModel_);
    const std::uint8_t* rest = bytes + delivery.begin;
    const std::size_t restCount = delivery.end - delivery.begin;
    bool blockEnds = false;
    {
        std::lock_guard lock(mutex_);
        lastReceived_ = clock_.Now();
        receivedTotal_ += count;
        if (restCount > 0)
            receiveLog_.Append(rest, restCount);
        // Past the total the reply buffer is emptied once and the count starts again, so that
        // replies arriving in pieces are still put together afterwards.
        if (receivedTotal_ > kReceivedTotalReset) {
            reply_.clear();
            receivedTotal_ = 0;
        }
        if (reply_.size() < kReplyBufferLimit)
            reply_.insert(reply_.end(), rest, rest + restCount);
        blockEnds = awaitingBlock_ && restCount > 0 && EndsWith(reply_, {0xFF, 0xFF});
    }
    if (blockEnds)
        Report(BlockDelivered{});
    if (!realtimeTaken_)
        return;
    for (const RealtimeFrame& frame : delivery.frames)
        CheckRealtimeFrame(frame.data());
    // A lone frame with another model's markers is a logger of another model.
    if (delivery.frames.empty() && count == kRealtimeFrameBytes)
        CheckRealtimeFrame(bytes);
}

// A realtime frame: marker, channel-1 pair, channel-2 pair, marker; the markers name the model.
void ProtocolEngine::CheckRealtimeFrame(const std::uint8_t* frame) {
    const LoggerModel model = frameModel_;
    const LoggerModel marked =
        frame[0] == frame[5] ? ModelFromIdentification(frame[0]) : LoggerModel::Unknown;
    if (marked == LoggerModel::Unknown)
        return;
    if (marked != model) {
        Report(RealtimeMismatch{marked});
        return;
    }
    const ModelTraits& traits = Traits(model);
    const float value1 = DecodeTemperaturePair(frame[1], frame[2]);
    float value2 = 0;
    if (HasSecondChannel(model)) {
        value2 = traits.channel2IsHumidity ? DecodeHumidityPair(frame[3], frame[4])
                                           : DecodeTemperaturePair(frame[3], frame[4]);
    }
    Report(RealtimeReading{value1, value2});
}

Bytes ProtocolEngine::ReplyCopy() const {
    std::lock_guard lock(mutex_);
    return reply_;
}

std::size_t ProtocolEngine::ReplySize() const {
    std::lock_guard lock(mutex_);
    return reply_.size();
}

void ProtocolEngine::ClearReply() {
    std::lock_guard lock(mutex_);
    reply_.clear();
}

Bytes ProtocolEngine::ReceiveLogCopy() const {
    std::lock_guard lock(mutex_);
    return receiveLog_.Bytes();
}

std::time_t ProtocolEngine::LastReceived() const {
    std::lock_guard lock(mutex_);
    return lastReceived_;
}

void ProtocolEngine::SetLastReceived(std::time_t time) {
    std::lock_guard lock(mutex_);
    lastReceived_ = time;
}

std::uint64_t ProtocolEngine::ReceivedTotal() const {
    std::lock_guard lock(mutex_);
    return receivedTotal_;
}

}  // namespace veldrin
