#include "sim/SimLogger.h"

#include <algorithm>
#include <iterator>

#include "logger/Gbk.h"
#include "logger/LoggerInfo.h"
#include "logger/WireCodec.h"
#include "sim/SimCurve.h"
#include "sim/SimHistoryBlocks.h"
#include "sim/SimMath.h"
#include "sim/SimParameterBlock.h"

namespace veldrin {
namespace {

std::string PaddedGbk(const std::string& utf8, std::size_t bytes) {
    std::string gbk = CutGbk(ToGbk(utf8), bytes);
    gbk.resize(bytes, ' ');
    return gbk;
}

// Factory settings: limits that suit what each model is made to watch, and a description that
// names the logger.
SimSettings FactorySettings(LoggerModel model, std::uint16_t interval) {
    SimSettings settings;
    settings.interval = interval;
    settings.channel1Lower = EncodeTemperatureLimit(5);
    settings.channel1Upper = EncodeTemperatureLimit(30);
    settings.channel1Enable = 1;
    if (model == LoggerModel::TemperatureHumidity) {
        settings.channel2Lower = 20;
        settings.channel2Upper = 80;
    } else if (model == LoggerModel::DualTemperature) {
        settings.channel2Lower = EncodeTemperatureLimit(-25);
        settings.channel2Upper = EncodeTemperatureLimit(-10);
    }
    settings.description = PaddedGbk("模拟" + std::string(Traits(model).displayName), kLoggerTitleBytes) +
                           PaddedGbk("Veldrin 模拟记录仪", kLoggerDescriptionBytes);
    return settings;
}

void Append(std::vector<std::uint8_t>& to, std::initializer_list<std::uint8_t> bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

template <typename Bytes>
void Append(std::vector<std::uint8_t>& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

}  // namespace

LoggerModel OtherModel(LoggerModel model) {
    switch (model) {
        case LoggerModel::SingleTemperature:
            return LoggerModel::TemperatureHumidity;
        case LoggerModel::TemperatureHumidity:
            return LoggerModel::DualTemperature;
        default:
            return LoggerModel::SingleTemperature;
    }
}

SimLogger::SimLogger(const SimLoggerOptions& options)
    : options_(options),
      recorder_(options.model, options.records, options.interval, options.clockStart, options.recording,
                options.secondProbeUnplugged),
      settings_(FactorySettings(options.model, options.interval)),
      clockBase_(options.clockStart) {}

// ---- line side ----

void SimLogger::Receive(const std::uint8_t* bytes, std::size_t count, std::int64_t nowMs) {
    std::lock_guard lock(mutex_);
    nowMs = std::max(nowMs, lineMs_);
    if (SilentAt(nowMs))
        return;
    if (!firstContactMs_) {
        firstContactMs_ = nowMs;
        ApplyFaultsLocked();
    }
    AdvanceLocked(nowMs);
    std::size_t memoryBytes = reader_.InDownload() ? downloadMemory_.size() : recorder_.Memory().size();
    reader_.SetBlockCount(HistoryBlockCount(memoryBytes));
    for (const SimFrame& frame : reader_.Feed(bytes, count, nowMs))
        Handle(frame, nowMs);
}

void SimLogger::Advance(std::int64_t nowMs) {
    std::lock_guard lock(mutex_);
    AdvanceLocked(nowMs);
}

void SimLogger::AdvanceLocked(std::int64_t nowMs) {
    // Line time never goes back: a late caller acts at the latest time seen.
    nowMs = std::max(nowMs, lineMs_);
    lineMs_ = nowMs;
    for (const SimFrame& frame : reader_.Expire(nowMs))
        Handle(frame, nowMs);
    recorder_.CatchUp(nowMs);
    if (startArmed_ && ClockLocked(nowMs) >= *programmedStart_) {
        // The programmed start time has come: a new recording begins, labelled with it.
        BeginRecording(*programmedStart_, *ProgrammedStartMs(), nowMs);
    }
    if (StreamsAt(nowMs) && nowMs >= nextFrameMs_) {
        auto channels = EncodeChannels(options_.model, MeasuredReading(options_.model, ClockLocked(nowMs),
                                                                       options_.secondProbeUnplugged));
        std::uint8_t marker = IdentificationByte();
        std::vector<std::uint8_t> frame{marker, channels[0], channels[1], channels[2], channels[3], marker};
        // A logger on its own clock sends when the reading is due, right after whatever is on the line.
        if (faults_.chatty) {
            transmitter_.Stream(std::move(frame), nowMs, true);
        } else if (faults_.streamOnOwnClock) {
            transmitter_.Stream(std::move(frame), nowMs);
        } else {
            transmitter_.Alone(std::move(frame), nowMs);
        }
        ++framesSent_;
        nextFrameMs_ += options_.realtimePeriodMs;
        if (nextFrameMs_ <= nowMs)
            nextFrameMs_ = nowMs + options_.realtimePeriodMs;
    }
}

std::optional<std::int64_t> SimLogger::NextEventMs() const {
    std::lock_guard lock(mutex_);
    std::optional<std::int64_t> next = reader_.Deadline();
    auto consider = [&next](std::int64_t at) { next = next ? std::min(*next, at) : at; };
    if (startArmed_)
        consider(*ProgrammedStartMs());
    if (StreamsAt(lineMs_))
        consider(nextFrameMs_);
    return next;
}

bool SimLogger::StreamsAt(std::int64_t nowMs) const {
    // Realtime readings pause while the logger hands out its memory, unless it keeps streaming.
    const bool downloadPause = reader_.InDownload() && !faults_.streamDuringDownload && !faults_.chatty;
    return realtimeOn_ && !silent_ && !downloadPause && !SilentAt(nowMs);
}

std::vector<Transmission> SimLogger::TakeTransmissions() {
    std::lock_guard lock(mutex_);
    return transmitter_.Take();
}

// ---- commands ----

void SimLogger::Handle(const SimFrame& frame, std::int64_t nowMs) {
    ++framesHeard_;
    switch (frame.kind) {
        case SimFrameKind::Command:
            HandleCommand(frame.bytes, nowMs);
            break;
        case SimFrameKind::WakeUp:
            Echo(frame.bytes, nowMs);
            break;
        case SimFrameKind::BlockRequest: {
            const std::int64_t quiet = nowMs - transmitter_.LineFreeMs();
            shortestRequestQuietMs_ = std::min(shortestRequestQuietMs_.value_or(quiet), quiet);
            SendBlock(
                DecodeBlockRequest(frame.bytes[0], frame.bytes[1], HistoryBlockCount(downloadMemory_.size())),
                nowMs);
            break;
        }
        case SimFrameKind::DescriptionChunk:
            HandleDescription(frame, nowMs);
            break;
    }
}

void SimLogger::HandleCommand(const std::vector<std::uint8_t>& frame, std::int64_t nowMs) {
    if (frame.size() == 1) {
        Echo(frame, nowMs);  // sync
        return;
    }
    std::vector<std::uint8_t> reply(frame.begin(),
                                    frame.begin() + std::min<std::ptrdiff_t>(3, std::ssize(frame)));
    switch (frame[1]) {
        case 0xF1:  // set interval, low byte first
            settings_.interval = static_cast<std::uint16_t>(frame[2] | (frame[3] << 8));
            recorder_.SetInterval(settings_.interval);
            Echo(frame, nowMs);
            break;
        case 0xF2:
            HandleRecording(frame[2], frame, nowMs);
            break;
        case 0xF3:
            if (frame.size() == 4) {  // read stop mode: FF F3 02, then the mode
                reply.push_back(settings_.stopMode);
                Reply(reply, nowMs);
            } else {
                settings_.stopMode = frame[2];
                recorder_.SetCyclic(frame[2] == 1);
                Echo(frame, nowMs);
            }
            break;
        case 0xF4: {  // set start time: seven time bytes, then the start flag
            std::copy(frame.begin() + 2, frame.begin() + 9, settings_.startTime.begin());
            settings_.startFlag = frame[9];
            programmedStart_ = DecodeDateTime(&frame[2]).time;
            startArmed_ = settings_.startFlag == 1 && programmedStart_.has_value();
            startTimeFollowsMemory_ = false;
            if (startArmed_ && *programmedStart_ <= ClockLocked(nowMs)) {
                BeginRecording(ClockLocked(nowMs), nowMs, nowMs);  // a start time already past: now
            }
            Echo(frame, nowMs);
            break;
        }
        case 0xF5:
            HandleHistory(frame, nowMs);
            break;
        case 0xF6:
            if (frame[2] == 0x01) {
                Echo(frame, nowMs);
                StartRealtime(nowMs);
            } else if (frame[2] == 0x00) {
                Echo(frame, nowMs);
                // On its own clock it goes on.
                realtimeOn_ = realtimeOn_ && (faults_.streamOnOwnClock || faults_.chatty);
            }
            break;
        case 0xF7:  // set chip clock
            if (auto time = DecodeDateTime(&frame[2]).time) {
                clockBase_ = *time;
                clockBaseMs_ = nowMs;
            }
            Echo(frame, nowMs);
            break;
        case 0xF8:
            Append(reply, EncodeDateTime(ClockLocked(nowMs)));
            Reply(reply, nowMs);
            break;
        case 0xF9:
            Append(reply, {static_cast<std::uint8_t>(settings_.interval >> 8),
                           static_cast<std::uint8_t>(settings_.interval & 0xFF)});
            Reply(reply, nowMs);
            break;
        case 0xFA: {
            SimSettings current = SettingsLocked();
            reply.push_back(current.startFlag);
            Append(reply, current.startTime);
            Reply(reply, nowMs);
            break;
        }
        case 0xFB:  // set alarm: channel-1 lower, upper, enable
            settings_.channel1Lower = frame[2];
            settings_.channel1Upper = frame[3];
            settings_.channel1Enable = frame[4];
            Echo(frame, nowMs);
            break;
        case 0xFC:
            Append(reply, {settings_.channel1Lower, settings_.channel1Upper, settings_.channel1Enable});
            Reply(reply, nowMs);
            break;
        case 0xFD:  // description write: the header now, the text in chunks
            descriptionInput_.clear();
            Echo(frame, nowMs);
            break;
        case 0xFE:
            Append(reply, settings_.description);
            Reply(reply, nowMs);
            break;
        case 0xEE:
            Append(reply, RecordCountBytes(recorder_.Memory().size()));
            Reply(reply, nowMs);
            break;
        case 0xEC:
            reply.push_back(IdentificationByte());
            Reply(reply, nowMs);
            break;
        case 0xEB:  // set channel-2 alarm: lower, upper
            settings_.channel2Lower = frame[2];
            settings_.channel2Upper = frame[3];
            Echo(frame, nowMs);
            break;
        case 0xEA:
            Append(reply, {settings_.channel2Lower, settings_.channel2Upper});
            Reply(reply, nowMs);
            break;
        case 0xE9:
            Reply(BuildParameterBlock(IdentificationByte(), SettingsLocked(),
                                      static_cast<std::uint32_t>(recorder_.Memory().size())),
                  nowMs);
            break;
        default:
            break;
    }
}

void SimLogger::HandleRecording(std::uint8_t what, const std::vector<std::uint8_t>& frame,
                                std::int64_t nowMs) {
    switch (what) {
        case 0x01:  // start recording: a new recording from now
            BeginRecording(ClockLocked(nowMs), nowMs, nowMs);
            Echo(frame, nowMs);
            break;
        case 0x00:  // end recording
            recorder_.Stop();
            startArmed_ = false;
            Echo(frame, nowMs);
            break;
        case 0x02:  // read record state and voltage
            Reply({0xFF, 0xF2, 0x02, static_cast<std::uint8_t>(recorder_.Recording() ? 1 : 0),
                   settings_.voltageState},
                  nowMs);
            break;
        default:
            break;
    }
}

void SimLogger::BeginRecording(std::time_t label, std::int64_t startMs, std::int64_t nowMs) {
    recorder_.Start(label, startMs);
    recorder_.CatchUp(nowMs);
    startArmed_ = false;
    startTimeFollowsMemory_ = true;
}

void SimLogger::HandleHistory(const std::vector<std::uint8_t>& frame, std::int64_t nowMs) {
    if (frame.size() == 2) {
        // The bare FF F5: the last block once more.
        if (!lastBlockReply_.empty())
            Reply(lastBlockReply_, nowMs);
        return;
    }
    // A download begins: it hands out the memory as it is now, whatever is recorded meanwhile.
    downloadMemory_ = recorder_.Memory();
    SendBlock(DecodeBlockRequest(frame[2], frame[3], HistoryBlockCount(downloadMemory_.size())), nowMs);
}

void SimLogger::SendBlock(int block, std::int64_t nowMs) {
    if (block == 0)
        return;
    lastBlockReply_ = HistoryBlockReply(downloadMemory_, block);
    Reply(lastBlockReply_, nowMs);
}

void SimLogger::HandleDescription(const SimFrame& frame, std::int64_t nowMs) {
    Echo(frame.bytes, nowMs);
    descriptionInput_.append(frame.bytes.begin(), frame.bytes.end());
    if (descriptionInput_.size() ==
        SimFrameReader::kDescriptionChunks * SimFrameReader::kDescriptionChunkBytes) {
        settings_.description = descriptionInput_;
    }
}

void SimLogger::StartRealtime(std::int64_t nowMs) {
    if (realtimeOn_)
        return;  // already sending: keep the rhythm
    realtimeOn_ = true;
    nextFrameMs_ = nowMs + options_.realtimePeriodMs;
}

void SimLogger::Reply(std::vector<std::uint8_t> bytes, std::int64_t nowMs) {
    if (silent_)
        return;
    transmitter_.Reply(std::move(bytes), nowMs + options_.replyLatencyMs);
}

// ---- faults ----

void SimLogger::SetFaults(const SimFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    ApplyFaultsLocked();
}

void SimLogger::ApplyFaultsLocked() {
    transmitter_.SetPaced(faults_.paced);
    transmitter_.SetSplit(faults_.splitPieceBytes, faults_.splitGapMs);
    transmitter_.SetRandomSplit(faults_.splitAtRandom, faults_.splitSeed);
    std::optional<std::int64_t> silentFrom;
    if (firstContactMs_ && faults_.silentAfterSeconds) {
        silentFrom = *firstContactMs_ + static_cast<std::int64_t>(*faults_.silentAfterSeconds) * 1000;
    }
    transmitter_.SetSilentFrom(silentFrom);
    if (faults_.chatty && !realtimeOn_) {
        // Unasked: the first frame goes out as soon as the line is up.
        realtimeOn_ = true;
        nextFrameMs_ = lineMs_ == INT64_MIN ? 0 : lineMs_;
    }
}

SimFaults SimLogger::Faults() const {
    std::lock_guard lock(mutex_);
    return faults_;
}

void SimLogger::CorruptNextReply(std::size_t position) {
    std::lock_guard lock(mutex_);
    transmitter_.CorruptNext(position);
}

void SimLogger::SetSilent(bool silent) {
    std::lock_guard lock(mutex_);
    silent_ = silent;
}

bool SimLogger::SilentAt(std::int64_t nowMs) const {
    if (silent_)
        return true;
    return firstContactMs_ && faults_.silentAfterSeconds &&
           nowMs >= *firstContactMs_ + static_cast<std::int64_t>(*faults_.silentAfterSeconds) * 1000;
}

// ---- state ----

std::optional<std::int64_t> SimLogger::ShortestQuietBeforeBlockRequestMs() const {
    std::lock_guard lock(mutex_);
    return shortestRequestQuietMs_;
}

LoggerModel SimLogger::Model() const {
    return options_.model;
}

LoggerModel SimLogger::AnswersAs() const {
    std::lock_guard lock(mutex_);
    return faults_.answerAs.value_or(options_.model);
}

std::uint8_t SimLogger::IdentificationByte() const {
    return Traits(faults_.answerAs.value_or(options_.model)).identificationByte;
}

SimSettings SimLogger::Settings() const {
    std::lock_guard lock(mutex_);
    return SettingsLocked();
}

SimSettings SimLogger::SettingsLocked() const {
    SimSettings current = settings_;
    current.recordingState = recorder_.Recording() ? 1 : 0;
    if (startTimeFollowsMemory_)
        current.startTime = EncodeDateTime(recorder_.FirstReadingTime());
    return current;
}

void SimLogger::SetVoltageState(std::uint8_t state) {
    std::lock_guard lock(mutex_);
    settings_.voltageState = state;
}

std::vector<std::uint8_t> SimLogger::RecordMemory() const {
    std::lock_guard lock(mutex_);
    return recorder_.Memory();
}

std::time_t SimLogger::ClockAt(std::int64_t nowMs) const {
    std::lock_guard lock(mutex_);
    return ClockLocked(nowMs);
}

std::time_t SimLogger::ClockLocked(std::int64_t nowMs) const {
    return clockBase_ + static_cast<std::time_t>(FloorDiv(nowMs - clockBaseMs_, 1000));
}

std::optional<std::int64_t> SimLogger::ProgrammedStartMs() const {
    if (!programmedStart_)
        return std::nullopt;
    return clockBaseMs_ + static_cast<std::int64_t>(*programmedStart_ - clockBase_) * 1000;
}

bool SimLogger::RealtimeOn() const {
    std::lock_guard lock(mutex_);
    return realtimeOn_;
}

int SimLogger::RealtimeFramesSent() const {
    std::lock_guard lock(mutex_);
    return framesSent_;
}

int SimLogger::FramesHeard() const {
    std::lock_guard lock(mutex_);
    return framesHeard_;
}

}  // namespace veldrin
