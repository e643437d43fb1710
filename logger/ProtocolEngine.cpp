#include "logger/ProtocolEngine.h"

#include <algorithm>

#include "logger/ByteSearch.h"
#include "logger/ConnectionTexts.h"
#include "logger/Gbk.h"
#include "logger/RealtimeFrames.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr int kGiveUpCalls = 101;
constexpr int kWaitCallsBeforeResend = 21;
constexpr std::size_t kChunkBytes = 16;
constexpr int kChunkCount = 6;
constexpr int kDescriptionMisses = 10;
constexpr std::size_t kDescriptionEchoBytes = 2 + 96;
constexpr std::size_t kParameterBlockBytes = 129;
constexpr std::size_t kFirstBlockBytes = 1033;
constexpr std::size_t kMiddleBlockBytes = 1028;

// The echo of a frame: its bytes up to the first 00 byte.
Bytes EchoOf(const Bytes& frame) {
    auto end = std::find(frame.begin(), frame.end(), std::uint8_t{0});
    return Bytes(frame.begin(), end);
}

// Text bytes as the logger stores them: cut at a NUL, trailing blanks dropped, GBK → UTF-8.
std::string TextField(const std::uint8_t* bytes, std::size_t count) {
    std::size_t end = 0;
    while (end < count && bytes[end] != 0)
        ++end;
    while (end > 0 && bytes[end - 1] == ' ')
        --end;
    return FromGbk(std::string(reinterpret_cast<const char*>(bytes), end));
}

}  // namespace

ProtocolEngine::ProtocolEngine(Link& link, Clock& clock, LoggerInfo& info, ProtocolListener& listener)
    : link_(link), clock_(clock), info_(info), listener_(listener) {
    for (int i = 0; i < kCommandCount; ++i)
        states_[static_cast<std::size_t>(i)] = i;
    SetState(CommandId::ReadRealtime, kStateNotWanted);
}

void ProtocolEngine::ResetForConnect(LoggerModel chosen) {
    chosen_ = chosen;
    for (int i = 0; i < kCommandCount; ++i)
        SetState(CommandFromIndex(i), i);
    SetState(CommandId::ReadRealtime, kStateNotWanted);
    realtimeTaken_ = false;
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

void ProtocolEngine::SetState(CommandId id, int state) {
    states_[static_cast<std::size_t>(Index(id))] = state;
    // Once the logger has been asked for realtime readings in this connection, every frame it
    // sends is a reading, also while the request goes out again.
    if (id == CommandId::ReadRealtime && state == Index(CommandId::ReadRealtime))
        realtimeTaken_ = true;
}

// ---- Sending -------------------------------------------------------------------------------

void ProtocolEngine::Send(CommandId id) {
    // The user answered the mismatch question with "reconnect": close instead of sending.
    if (session_.mismatchState == 2) {
        listener_.ReconnectRequested();
        return;
    }
    if (!session_.online)
        return;
    if (id == CommandId::ReadRealtime && session_.mismatchState != 0)
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

void ProtocolEngine::SendHistoryRequest() {
    int block = nextBlock_;
    // Asking for the same block a third time sends the bare header instead.
    if (block == lastRequestedBlock_ && ++repeatCounter_ >= 3) {
        repeatCounter_ = 0;
        Write({0xFF, 0xF5});
        return;
    }
    auto request = BlockRequestBytes(block, info_.blockCount);
    Bytes frame;
    if (State(CommandId::ReadHistory) == kHistoryStarting)
        frame = {0xFF, 0xF5};
    frame.insert(frame.end(), request.begin(), request.end());
    lastRequestedBlock_ = block;
    Write(frame);
}

void ProtocolEngine::BeginDescriptionWrite(const std::array<std::uint8_t, 96>& text) {
    description_ = text;
    chunkIndex_ = -1;
    chunkAcknowledged_ = false;
    expectedEcho_.clear();
    misses_ = 0;
}

void ProtocolEngine::SendDescriptionChunk() {
    // Step 1: the header FF FD, from a fresh start or after a restart.
    if (chunkIndex_ == -1 || (chunkAcknowledged_ && chunkIndex_ < 1)) {
        {
            std::lock_guard lock(mutex_);
            if (reply_.size() > 2)
                reply_.clear();
            if (receiveLog_.Size() > 2)
                receiveLog_.Clear();
        }
        session_.phaseStep = kStepDescriptionWrite;
        Write({0xFF, 0xFD});
        chunkIndex_ = 0;
        chunkAcknowledged_ = false;
        expectedEcho_ = {0xFF, 0xFD};
        return;
    }
    // Step 2: chunk k once chunk k − 1 (or the header) was echoed.
    if (chunkAcknowledged_ && chunkIndex_ >= 1 && chunkIndex_ <= kChunkCount) {
        auto begin = description_.begin() + static_cast<std::ptrdiff_t>((chunkIndex_ - 1) * kChunkBytes);
        Write(Bytes(begin, begin + kChunkBytes));
        expectedEcho_ = {0xFF, 0xFD};
        expectedEcho_.insert(expectedEcho_.end(), description_.begin(),
                             description_.begin() + static_cast<std::ptrdiff_t>(chunkIndex_ * kChunkBytes));
        chunkAcknowledged_ = false;
    }
}

// ---- Replies -------------------------------------------------------------------------------

int ProtocolEngine::ProcessReply() {
    if (!current_)
        return kReplyNoCommand;
    return ProcessReply(*current_);
}

int ProtocolEngine::ProcessReply(CommandId id) {
    if (id == CommandId::WriteDescription)
        return ProcessDescriptionEcho();
    Bytes reply = ReplyCopy();
    bool accepted = id == CommandId::ReadHistory ? AcceptHistoryBlock(reply) : Accept(id, reply);
    if (accepted)
        return kReplyAnswered;
    // Set alarm is awaited without the give-up limit.
    if (id == CommandId::SetAlarm)
        return Index(CommandId::SetAlarm);
    ++giveUpCounter_;
    if (giveUpCounter_ >= kGiveUpCalls && id != CommandId::ReadHistory && id != CommandId::ReadRealtime) {
        MarkDone(id);
        current_.reset();
        giveUpCounter_ = 0;
        return kReplyAnswered;
    }
    if (waitCounter_ < kWaitCallsBeforeResend) {
        ++waitCounter_;
        return kReplyWaiting;
    }
    waitCounter_ = 0;
    return kReplyResend;
}

void ProtocolEngine::Acknowledge(CommandId id, bool sync) {
    MarkDone(id);
    current_.reset();
    giveUpCounter_ = 0;
    if (sync)
        MarkPending(CommandId::Sync);
}

void ProtocolEngine::SetProgressIn(Phase phase, int progress) {
    if (session_.phase == phase)
        session_.progress = progress;
}

bool ProtocolEngine::Accept(CommandId id, const Bytes& reply) {
    const Bytes& sent = sentFrames_[static_cast<std::size_t>(Index(id))];
    // The echo is searched in the whole buffer: an earlier reply in it may hold 00 bytes.
    auto echoed = [&] { return FindBytes(reply, EchoOf(sent)).has_value(); };
    auto payload = [&](std::size_t needed, Bytes& out) {
        out = ExtractPayload(reply, id);
        return echoed() && out.size() >= needed;
    };
    Bytes data;
    switch (id) {
        case CommandId::SetInterval:
            if (!echoed())
                return false;
            Acknowledge(id, true);
            SetProgressIn(Phase::SettingUp, 25);
            return true;
        case CommandId::StartRecording:
        case CommandId::EndRecording:
            if (!echoed())
                return false;
            Acknowledge(id, true);
            info_.recordingState = id == CommandId::StartRecording ? 1 : 0;
            listener_.FieldDecoded(LoggerField::RecordingState);
            if (id == CommandId::EndRecording) {
                if (session_.phase == Phase::Connecting)
                    session_.phaseStep = 1;
                if (session_.phase == Phase::StoppingRecording)
                    session_.phase = Phase::Polling;
                SetProgressIn(Phase::Connecting, 10);
            }
            return true;
        case CommandId::SetStopMode:
        case CommandId::SetStartTime:
        case CommandId::ReadChipClock:
            if (!echoed())
                return false;
            Acknowledge(id, true);
            if (id == CommandId::SetStopMode)
                SetProgressIn(Phase::SettingUp, 100);
            if (id == CommandId::SetStartTime)
                SetProgressIn(Phase::SettingUp, 15);
            return true;
        case CommandId::ReadRealtime:
            if (!echoed())
                return false;
            Acknowledge(id, false);
            SetProgressIn(Phase::Connecting, 100);
            if (session_.phase == Phase::SettingUp && session_.progress == 100) {
                listener_.ProgressText(100, texts::kSettingDone);
                session_.phase = Phase::Polling;
            }
            return true;
        case CommandId::EndRealtime:
            // Only the first (n mod 50) bytes are searched.
            if (!FindBytes(reply, {0xFF, 0xF6, 0x00}, reply.size() % 50))
                return false;
            Acknowledge(id, true);
            if (session_.phase == Phase::Connecting)
                session_.phaseStep = 1;
            if (session_.phase == Phase::SettingUp)
                session_.phaseStep = 2;
            if (session_.phase == Phase::Disconnecting) {
                link_.Close();
                session_.online = false;
            }
            SetProgressIn(Phase::Connecting, 20);
            SetProgressIn(Phase::SettingUp, 5);
            return true;
        case CommandId::SetChipClock:
            if (sent.empty() || !FindBytes(reply, sent, 200))
                return false;
            Acknowledge(id, true);
            if (session_.phase == Phase::Connecting)
                session_.phaseStep = 1;
            SetProgressIn(Phase::SettingUp, 10);
            return true;
        case CommandId::ReadInterval:
            if (!payload(2, data))
                return false;
            Acknowledge(id, true);
            info_.interval = DecodeInterval(data[0], data[1]);
            listener_.FieldDecoded(LoggerField::Interval);
            SetProgressIn(Phase::Connecting, 50);
            return true;
        case CommandId::ReadStopMode:
            if (!payload(1, data))
                return false;
            Acknowledge(id, true);
            info_.stopMode = data[0];
            listener_.FieldDecoded(LoggerField::StopMode);
            return true;
        case CommandId::SetAlarm:
            if (!echoed())
                return false;
            Acknowledge(id, true);
            SetProgressIn(Phase::SettingUp, 20);
            return true;
        case CommandId::ReadAlarm:
            if (!payload(3, data))
                return false;
            Acknowledge(id, true);
            TakeChannel1Limits(data[0], data[1], data[2]);
            return true;
        case CommandId::ReadDescription:
            if (!payload(96, data))
                return false;
            Acknowledge(id, false);
            TakeDescription(data.data());
            return true;
        case CommandId::ReadStartTime:
            if (!payload(8, data))
                return false;
            Acknowledge(id, true);
            info_.startFlag = data[0];
            info_.startTime = DecodeDateTime(&data[1], 2049);
            listener_.FieldDecoded(LoggerField::StartTime);
            SetProgressIn(Phase::Connecting, 40);
            return true;
        case CommandId::ReadRecordState: {
            if (reply.size() != 5 && reply.size() != 7)
                return false;
            Bytes last(reply.end() - 5, reply.end());
            if (!FindBytes(last, {0xFF, 0xF2, 0x02}))
                return false;
            Acknowledge(id, true);
            TakeRecordState(last[3], last[4]);
            SetProgressIn(Phase::Connecting, 30);
            return true;
        }
        case CommandId::ReadRecordCount: {
            auto at = FindBytes(reply, {0xFF, 0xEE, 0x02});
            if (!at || reply.size() <= 5 || *at + 6 > reply.size())
                return false;
            Acknowledge(id, true);
            TakeRecordCount(&reply[*at + 3]);
            return true;
        }
        case CommandId::Sync:
            if (reply.empty() || reply[0] != 0xFF)
                return false;
            Acknowledge(id, false);
            return true;
        case CommandId::Identify: {
            // The model byte is read only from a reply of exactly 4 bytes; wait until it is there.
            if (reply.size() < 4 || !StartsWith(reply, {0xFF, 0xEC, 0x01}))
                return false;
            LoggerModel model = reply.size() == 4 ? ModelFromIdentification(reply[3]) : LoggerModel::Unknown;
            Acknowledge(id, true);
            TakeModel(model);
            if (Traits(model).displayName != Traits(chosen_).displayName)
                listener_.IdentifyMismatch();
            return true;
        }
        case CommandId::SetChannel2Alarm:
            if (sent.empty() || reply != sent)
                return false;
            Acknowledge(id, false);
            SetState(CommandId::Sync, kStateNotWanted);
            return true;
        case CommandId::ReadChannel2Alarm: {
            auto at = FindBytes(reply, {0xFF, 0xEA, 0x01});
            if (!at || *at + 5 > reply.size())
                return false;
            Acknowledge(id, true);
            TakeChannel2Limits(reply[*at + 3], reply[*at + 4]);
            return true;
        }
        case CommandId::ReadAllParameters:
            if (reply.size() != kParameterBlockBytes || !StartsWith(reply, {0xFF, 0xE9, 0x01}) ||
                reply[kParameterBlockBytes - 1] != 0xF0) {
                return false;
            }
            Acknowledge(id, false);
            DecodeParameterBlock(reply);
            return true;
        case CommandId::ReadHistory:
        case CommandId::WriteDescription:
            break;
    }
    return false;
}

Bytes ProtocolEngine::ExtractPayload(const Bytes& reply, CommandId id) {
    Bytes request = PayloadRequest(id);
    auto at = FindBytes(reply, request);
    if (!at)
        return {};
    return Bytes(reply.begin() + static_cast<std::ptrdiff_t>(*at + request.size()), reply.end());
}

bool ProtocolEngine::AcceptHistoryBlock(const Bytes& reply) {
    if (!EndsWith(reply, {0xFF, 0xFF}))
        return false;
    const int block = lastRequestedBlock_;
    const int count = info_.blockCount;
    const std::uint8_t* data = reply.data();
    const std::size_t n = reply.size();
    int state = State(CommandId::ReadHistory);
    if (count == 1 && block == 1) {
        // The only block: a fixed header stands in for the first block's, so the store always
        // starts the same way.
        if (!StartsWith(reply, {0xFF, 0xF5, 0x00, 0x00}))
            return false;
        static constexpr std::uint8_t kHeader[] = {0xFF, 0xF5, 0x01, 0x01, 0x02, 0x03, 0x04};
        history_.Append(kHeader, sizeof kHeader);
        history_.Append(data + 4, n - 4);
        state = kHistoryComplete;
    } else if (block == 1) {
        if (!StartsWith(reply, {0xFF, 0xF5, 0x01, 0x00}) || n != kFirstBlockBytes)
            return false;
        history_.Append(data, n - 2);
        state = kHistoryNextBlock;
    } else if (block == count) {
        if (!StartsWith(reply, {0x00, 0x00}))
            return false;
        history_.Append(data + 2, n - 2);
        state = kHistoryComplete;
    } else {
        // A middle block begins with the request it answers: a late answer to an earlier block
        // must not be stored as this one.
        const auto request = BlockRequestBytes(block, count);
        if (n != kMiddleBlockBytes || data[0] != request[0] || data[1] != request[1])
            return false;
        history_.Append(data + 2, n - 4);
    }
    SetState(CommandId::ReadHistory, state);
    current_.reset();
    giveUpCounter_ = 0;
    waitCounter_ = 0;
    repeatCounter_ = 0;
    ++nextBlock_;
    return true;
}

int ProtocolEngine::ProcessDescriptionEcho() {
    constexpr int kStillWriting = Index(CommandId::WriteDescription);
    if (session_.phaseStep != kStepDescriptionWrite)
        return kStillWriting;
    Bytes log = ReceiveLogCopy();
    // Complete once the whole text went out and the log holds the echo of header and text.
    if (log.size() >= kDescriptionEchoBytes && chunkIndex_ >= kChunkCount) {
        session_.phaseStep = 0;
        Acknowledge(CommandId::WriteDescription, true);
        SetProgressIn(Phase::SettingUp, 90);
        return kReplyAnswered;
    }
    if (!chunkAcknowledged_ && !expectedEcho_.empty() && FindBytes(log, expectedEcho_)) {
        chunkIndex_ = std::max(chunkIndex_ + 1, 1);
        chunkAcknowledged_ = true;
        int progress = 25 + 10 * chunkIndex_;
        SetProgressIn(Phase::SettingUp, progress);
        listener_.ProgressText(progress, texts::kSettingUp);
    }
    if (log.size() < expectedEcho_.size() && ++misses_ >= kDescriptionMisses) {
        // Start the write over from the header.
        chunkIndex_ = -1;
        chunkAcknowledged_ = true;
        misses_ = 0;
    }
    return kStillWriting;
}

// ---- Decoding into LoggerInfo ------------------------------------------------------------

void ProtocolEngine::DecodeParameterBlock(const Bytes& r) {
    TakeRecordState(r[6], r[7]);
    SetProgressIn(Phase::Connecting, 30);
    info_.interval = DecodeInterval(r[9], r[10]);
    listener_.FieldDecoded(LoggerField::Interval);
    SetProgressIn(Phase::Connecting, 50);
    info_.startTime = DecodeDateTime(&r[13]);
    listener_.FieldDecoded(LoggerField::StartTime);
    SetProgressIn(Phase::Connecting, 40);
    TakeChannel1Limits(r[21], r[22], r[23]);
    SetProgressIn(Phase::Connecting, 70);
    TakeDescription(&r[25]);
    SetProgressIn(Phase::Connecting, 80);
    TakeRecordCount(&r[122]);
    if (Traits(info_.model).channelCount == 2)
        TakeChannel2Limits(r[126], r[127]);
    session_.phase = Phase::Polling;
}

void ProtocolEngine::TakeRecordState(std::uint8_t recording, std::uint8_t voltage) {
    info_.recordingState = recording;
    info_.voltageState = voltage;
    listener_.FieldDecoded(LoggerField::RecordingState);
    listener_.FieldDecoded(LoggerField::VoltageState);
}

void ProtocolEngine::TakeRecordCount(const std::uint8_t* three) {
    auto count = DecodeRecordCount(three);
    if (!count)
        return;
    info_.recordBytes = *count;
    info_.blockCount = BlockCountFor(*count);
    nextBlock_ = 1;
    lastRequestedBlock_ = 0;
    repeatCounter_ = 0;
    listener_.FieldDecoded(LoggerField::RecordCount);
}

void ProtocolEngine::TakeChannel1Limits(std::uint8_t lower, std::uint8_t upper, std::uint8_t enable) {
    AlarmLimits& limits = info_.channel1Alarm;
    limits.lowerByte = lower;
    limits.upperByte = upper;
    limits.enable = enable;
    limits.lower = static_cast<float>(DecodeLimitByte(lower, false));
    limits.upper = static_cast<float>(DecodeLimitByte(upper, false));
    historyLimits_.lower1 = limits.lower;
    historyLimits_.upper1 = limits.upper;
    historyLimits_.enable1 = enable;
    listener_.FieldDecoded(LoggerField::Channel1Alarm);
}

void ProtocolEngine::TakeChannel2Limits(std::uint8_t lower, std::uint8_t upper) {
    bool humidity = info_.model != LoggerModel::DualTemperature;
    AlarmLimits& limits = info_.channel2Alarm;
    limits.lowerByte = lower;
    limits.upperByte = upper;
    limits.lower = static_cast<float>(DecodeLimitByte(lower, humidity));
    limits.upper = static_cast<float>(DecodeLimitByte(upper, humidity));
    historyLimits_.lower2 = limits.lower;
    historyLimits_.upper2 = limits.upper;
    listener_.FieldDecoded(LoggerField::Channel2Alarm);
}

void ProtocolEngine::TakeDescription(const std::uint8_t* ninetySix) {
    info_.title = TextField(ninetySix, 36);
    info_.description = TextField(ninetySix + 36, 60);
    listener_.FieldDecoded(LoggerField::Description);
}

void ProtocolEngine::TakeModel(LoggerModel model) {
    SetModel(model);
    listener_.FieldDecoded(LoggerField::Instrument);
}

// ---- Receiving ---------------------------------------------------------------------------

void ProtocolEngine::OnReceive(const std::uint8_t* bytes, std::size_t count) {
    // Frames of the connected model never reach the buffers: a reply is judged without them.
    const SeparatedDelivery delivery = SeparateRealtimeFrames(bytes, count, frameModel_);
    const std::uint8_t* rest = bytes + delivery.begin;
    const std::size_t restCount = delivery.end - delivery.begin;
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
    }
    if (!realtimeTaken_)
        return;
    for (const RealtimeFrame& frame : delivery.frames)
        CheckRealtimeFrame(frame.data());
    // A lone frame with another model's markers is a logger of another model.
    if (delivery.frames.empty() && count == kRealtimeFrameBytes)
        CheckRealtimeFrame(bytes);
}

void ProtocolEngine::CheckRealtimeFrame(const std::uint8_t* frame) {
    LoggerModel model = frameModel_;
    LoggerModel marked = frame[0] == frame[5] ? ModelFromIdentification(frame[0]) : LoggerModel::Unknown;
    if (marked == LoggerModel::Unknown)
        return;
    if (marked != model) {
        listener_.RealtimeMismatch();
        return;
    }
    float value1 = DecodeTemperaturePair(frame[1], frame[2]);
    float value2 = 0;
    if (model == LoggerModel::TemperatureHumidity)
        value2 = DecodeHumidityPair(frame[3], frame[4]);
    if (model == LoggerModel::DualTemperature)
        value2 = DecodeTemperaturePair(frame[3], frame[4]);
    listener_.RealtimeReading(value1, value2);
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
