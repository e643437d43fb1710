// The protocol engine's acceptance rules: for each command, when the reply buffer holds its reply,
// and what the reply decodes into. Every accepted reply goes through Accepted, which reports it.
#include <algorithm>
#include <utility>

#include "logger/ByteSearch.h"
#include "logger/Gbk.h"
#include "logger/ProtocolEngine.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr std::size_t kParameterBlockBytes = 129;

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

// Whether an accepted reply sets the sync command pending, so that a sync byte precedes the next
// command.
bool SyncFollows(CommandId id) {
    switch (id) {
        case CommandId::ReadHistory:
        case CommandId::ReadRealtime:
        case CommandId::ReadDescription:
        case CommandId::Sync:
        case CommandId::SetChannel2Alarm:
        case CommandId::ReadAllParameters:
            return false;
        default:
            return true;
    }
}

// The progress an accepted reply stands for, each in the activity named; the parameter block's
// as its fields are taken.
std::vector<ProgressReached> ProgressOf(CommandId id) {
    switch (id) {
        case CommandId::SetInterval:
            return {{Phase::SettingUp, 25}};
        case CommandId::EndRecording:
            return {{Phase::Connecting, 10}};
        case CommandId::SetStopMode:
            return {{Phase::SettingUp, 100}};
        case CommandId::SetStartTime:
            return {{Phase::SettingUp, 15}};
        case CommandId::ReadRealtime:
            return {{Phase::Connecting, 100}};
        case CommandId::EndRealtime:
            return {{Phase::Connecting, 20}, {Phase::SettingUp, 5}};
        case CommandId::SetChipClock:
            return {{Phase::SettingUp, 10}};
        case CommandId::ReadInterval:
            return {{Phase::Connecting, 50}};
        case CommandId::SetAlarm:
            return {{Phase::SettingUp, 20}};
        case CommandId::WriteDescription:
            return {{Phase::SettingUp, 90}};
        case CommandId::ReadStartTime:
            return {{Phase::Connecting, 40}};
        case CommandId::ReadRecordState:
            return {{Phase::Connecting, 30}};
        case CommandId::ReadAllParameters:
            return {{Phase::Connecting, 30},
                    {Phase::Connecting, 50},
                    {Phase::Connecting, 40},
                    {Phase::Connecting, 70},
                    {Phase::Connecting, 80}};
        default:
            return {};
    }
}

}  // namespace

void ProtocolEngine::Accepted(CommandId id) {
    SetState(id, CommandStatus::Answered);
    current_.reset();
    giveUpCounter_ = 0;
    if (SyncFollows(id))
        MarkPending(CommandId::Sync);
    for (const ProgressReached& progress : ProgressOf(id))
        Report(progress);
    Report(ReplyAccepted{id, std::exchange(decoded_, {})});
}

namespace {

// The length of a reply that has exactly one; 0 for the others.
std::size_t FixedReplyBytes(CommandId id) {
    switch (id) {
        case CommandId::Identify:
        case CommandId::SetChannel2Alarm:
            return 4;
        case CommandId::ReadAllParameters:
            return kParameterBlockBytes;
        default:
            return 0;
    }
}

}  // namespace

bool ProtocolEngine::Accept(CommandId id, const Bytes& reply) {
    if (AcceptAsReceived(id, reply))
        return true;
    // A logger that holds its replies back behind its own realtime frames may answer the previous
    // command only just before this one's reply, in the same burst. A reply of fixed length that
    // arrived whole at the end of the buffer is then judged on its own, without those bytes.
    const std::size_t whole = FixedReplyBytes(id);
    if (whole == 0 || reply.size() <= whole)
        return false;
    return AcceptAsReceived(id, Bytes(reply.end() - static_cast<std::ptrdiff_t>(whole), reply.end()));
}

bool ProtocolEngine::AcceptAsReceived(CommandId id, const Bytes& reply) {
    decoded_.clear();
    switch (id) {
        case CommandId::SetInterval:
        case CommandId::SetStopMode:
        case CommandId::SetStartTime:
        case CommandId::ReadRealtime:
        case CommandId::ReadChipClock:
        case CommandId::SetAlarm:
            return AcceptEcho(id, reply);
        case CommandId::StartRecording:
        case CommandId::EndRecording:
            return AcceptRecordingSwitch(id, reply);
        case CommandId::EndRealtime:
            return AcceptEndRealtime(reply);
        case CommandId::SetChipClock:
            return AcceptSetChipClock(reply);
        case CommandId::ReadInterval:
            return AcceptInterval(reply);
        case CommandId::ReadStopMode:
            return AcceptStopMode(reply);
        case CommandId::ReadAlarm:
            return AcceptChannel1Alarm(reply);
        case CommandId::ReadDescription:
            return AcceptDescription(reply);
        case CommandId::ReadStartTime:
            return AcceptStartTime(reply);
        case CommandId::ReadRecordState:
            return AcceptRecordState(reply);
        case CommandId::ReadRecordCount:
            return AcceptRecordCount(reply);
        case CommandId::Sync:
            return AcceptSync(reply);
        case CommandId::Identify:
            return AcceptIdentify(reply);
        case CommandId::SetChannel2Alarm:
            return AcceptSetChannel2Alarm(reply);
        case CommandId::ReadChannel2Alarm:
            return AcceptChannel2Alarm(reply);
        case CommandId::ReadAllParameters:
            return AcceptParameterBlock(reply);
        case CommandId::ReadHistory:
            return AcceptHistoryBlock(reply);
        case CommandId::WriteDescription:
            break;
    }
    return false;
}

bool ProtocolEngine::EchoFound(CommandId id, const Bytes& reply) const {
    // The echo is searched in the whole buffer: an earlier reply in it may hold 00 bytes.
    const Bytes& sent = sentFrames_[static_cast<std::size_t>(Index(id))];
    return FindBytes(reply, EchoOf(sent)).has_value();
}

std::optional<Bytes> ProtocolEngine::PayloadOf(CommandId id, const Bytes& reply, std::size_t needed) const {
    Bytes payload = ExtractPayload(reply, id);
    if (!EchoFound(id, reply) || payload.size() < needed)
        return std::nullopt;
    return payload;
}

Bytes ProtocolEngine::ExtractPayload(const Bytes& reply, CommandId id) {
    Bytes request = PayloadRequest(id);
    auto at = FindBytes(reply, request);
    if (!at)
        return {};
    return Bytes(reply.begin() + static_cast<std::ptrdiff_t>(*at + request.size()), reply.end());
}

// Set interval, stop mode, start time and alarm, read chip clock and read realtime: the echo of
// the frame is the whole answer.
bool ProtocolEngine::AcceptEcho(CommandId id, const Bytes& reply) {
    if (!EchoFound(id, reply))
        return false;
    Accepted(id);
    return true;
}

// Start and end recording: the echo; the recording state follows the command.
bool ProtocolEngine::AcceptRecordingSwitch(CommandId id, const Bytes& reply) {
    if (!EchoFound(id, reply))
        return false;
    info_.recordingState =
        id == CommandId::StartRecording ? LoggerInfo::kRecordingStarted : LoggerInfo::kRecordingStopped;
    Decoded(LoggerField::RecordingState);
    Accepted(id);
    return true;
}

// End realtime: FF F6 00 within the first (n mod 50) bytes of the n in the buffer.
bool ProtocolEngine::AcceptEndRealtime(const Bytes& reply) {
    if (!FindBytes(reply, {0xFF, 0xF6, 0x00}, reply.size() % 50))
        return false;
    Accepted(CommandId::EndRealtime);
    return true;
}

// Set chip clock: the nine frame bytes within the first 200 bytes.
bool ProtocolEngine::AcceptSetChipClock(const Bytes& reply) {
    const Bytes& sent = sentFrames_[static_cast<std::size_t>(Index(CommandId::SetChipClock))];
    if (sent.empty() || !FindBytes(reply, sent, 200))
        return false;
    Accepted(CommandId::SetChipClock);
    return true;
}

// Read interval: two payload bytes, high byte first.
bool ProtocolEngine::AcceptInterval(const Bytes& reply) {
    const auto data = PayloadOf(CommandId::ReadInterval, reply, 2);
    if (!data)
        return false;
    info_.interval = DecodeInterval((*data)[0], (*data)[1]);
    Decoded(LoggerField::Interval);
    Accepted(CommandId::ReadInterval);
    return true;
}

// Read stop mode: one payload byte.
bool ProtocolEngine::AcceptStopMode(const Bytes& reply) {
    const auto data = PayloadOf(CommandId::ReadStopMode, reply, 1);
    if (!data)
        return false;
    info_.stopMode = (*data)[0];
    Decoded(LoggerField::StopMode);
    Accepted(CommandId::ReadStopMode);
    return true;
}

// Read alarm: channel-1 lower and upper limit bytes and the enable flag.
bool ProtocolEngine::AcceptChannel1Alarm(const Bytes& reply) {
    const auto data = PayloadOf(CommandId::ReadAlarm, reply, 3);
    if (!data)
        return false;
    TakeChannel1Limits((*data)[0], (*data)[1], (*data)[2]);
    Accepted(CommandId::ReadAlarm);
    return true;
}

// Read description: 96 payload bytes, title then description.
bool ProtocolEngine::AcceptDescription(const Bytes& reply) {
    const auto data = PayloadOf(CommandId::ReadDescription, reply, 96);
    if (!data)
        return false;
    TakeDescription(data->data());
    Accepted(CommandId::ReadDescription);
    return true;
}

// Read start time: the start flag and the seven calendar bytes, years up to 2049.
bool ProtocolEngine::AcceptStartTime(const Bytes& reply) {
    const auto data = PayloadOf(CommandId::ReadStartTime, reply, 8);
    if (!data)
        return false;
    info_.startFlag = (*data)[0];
    info_.startTime = DecodeDateTime(&(*data)[1], 2049);
    Decoded(LoggerField::StartTime);
    Accepted(CommandId::ReadStartTime);
    return true;
}

// Read record state: a reply of 5 bytes, or the last 5 of 7, holding FF F2 02.
bool ProtocolEngine::AcceptRecordState(const Bytes& reply) {
    if (reply.size() != 5 && reply.size() != 7)
        return false;
    const Bytes last(reply.end() - 5, reply.end());
    if (!FindBytes(last, {0xFF, 0xF2, 0x02}))
        return false;
    TakeRecordState(last[3], last[4]);
    Accepted(CommandId::ReadRecordState);
    return true;
}

// Read record count: FF EE 02 and the three count bytes after it, in more than 5 bytes.
bool ProtocolEngine::AcceptRecordCount(const Bytes& reply) {
    const auto at = FindBytes(reply, {0xFF, 0xEE, 0x02});
    if (!at || reply.size() <= 5 || *at + 6 > reply.size())
        return false;
    TakeRecordCount(&reply[*at + 3]);
    Accepted(CommandId::ReadRecordCount);
    return true;
}

// Sync: the buffer starts with FF.
bool ProtocolEngine::AcceptSync(const Bytes& reply) {
    if (reply.empty() || reply[0] != 0xFF)
        return false;
    Accepted(CommandId::Sync);
    return true;
}

// Identify: FF EC 01 and the model byte, read only from a reply of exactly 4 bytes; then the
// model is compared with the instrument chosen.
bool ProtocolEngine::AcceptIdentify(const Bytes& reply) {
    if (reply.size() < 4 || !StartsWith(reply, {0xFF, 0xEC, 0x01}))
        return false;
    const LoggerModel model = reply.size() == 4 ? ModelFromIdentification(reply[3]) : LoggerModel::Unknown;
    TakeModel(model);
    Accepted(CommandId::Identify);
    if (Traits(model).displayName != Traits(chosen_).displayName)
        Report(IdentifyMismatch{chosen_, model});
    return true;
}

// Set channel-2 alarm: exactly the frame sent; no sync wanted after it.
bool ProtocolEngine::AcceptSetChannel2Alarm(const Bytes& reply) {
    const Bytes& sent = sentFrames_[static_cast<std::size_t>(Index(CommandId::SetChannel2Alarm))];
    if (sent.empty() || reply != sent)
        return false;
    SetState(CommandId::Sync, CommandStatus::NotWanted);
    Accepted(CommandId::SetChannel2Alarm);
    return true;
}

// Read channel-2 alarm: FF EA 01 and the two limit bytes after it.
bool ProtocolEngine::AcceptChannel2Alarm(const Bytes& reply) {
    const auto at = FindBytes(reply, {0xFF, 0xEA, 0x01});
    if (!at || *at + 5 > reply.size())
        return false;
    TakeChannel2Limits(reply[*at + 3], reply[*at + 4]);
    Accepted(CommandId::ReadChannel2Alarm);
    return true;
}

// Read all parameters: exactly 129 bytes, FF E9 01 … F0, every field group at its offset.
bool ProtocolEngine::AcceptParameterBlock(const Bytes& r) {
    if (r.size() != kParameterBlockBytes || !StartsWith(r, {0xFF, 0xE9, 0x01}) ||
        r[kParameterBlockBytes - 1] != 0xF0) {
        return false;
    }
    TakeRecordState(r[6], r[7]);
    info_.interval = DecodeInterval(r[9], r[10]);
    Decoded(LoggerField::Interval);
    info_.startTime = DecodeDateTime(&r[13]);
    Decoded(LoggerField::StartTime);
    TakeChannel1Limits(r[21], r[22], r[23]);
    TakeDescription(&r[25]);
    TakeRecordCount(&r[122]);
    if (HasSecondChannel(info_.model))
        TakeChannel2Limits(r[126], r[127]);
    Accepted(CommandId::ReadAllParameters);
    return true;
}

// ---- Decoding into LoggerInfo ------------------------------------------------------------

void ProtocolEngine::TakeRecordState(std::uint8_t recording, std::uint8_t voltage) {
    info_.recordingState = recording;
    info_.voltageState = voltage;
    Decoded(LoggerField::RecordingState);
    Decoded(LoggerField::VoltageState);
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
    Decoded(LoggerField::RecordCount);
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
    Decoded(LoggerField::Channel1Alarm);
}

void ProtocolEngine::TakeChannel2Limits(std::uint8_t lower, std::uint8_t upper) {
    const bool unsignedBytes = !Traits(info_.model).signedChannel2Limits;
    AlarmLimits& limits = info_.channel2Alarm;
    limits.lowerByte = lower;
    limits.upperByte = upper;
    limits.lower = static_cast<float>(DecodeLimitByte(lower, unsignedBytes));
    limits.upper = static_cast<float>(DecodeLimitByte(upper, unsignedBytes));
    historyLimits_.lower2 = limits.lower;
    historyLimits_.upper2 = limits.upper;
    Decoded(LoggerField::Channel2Alarm);
}

void ProtocolEngine::TakeDescription(const std::uint8_t* ninetySix) {
    info_.title = TextField(ninetySix, kLoggerTitleBytes);
    info_.description = TextField(ninetySix + kLoggerTitleBytes, kLoggerDescriptionBytes);
    Decoded(LoggerField::Description);
}

void ProtocolEngine::TakeModel(LoggerModel model) {
    SetModel(model);
    Decoded(LoggerField::Instrument);
}

}  // namespace veldrin
