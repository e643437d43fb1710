#pragma once
// The protocol engine between the link and the logger data: it builds and writes command frames,
// collects what the logger sends back, decides whether the reply to the outstanding command has
// arrived, decodes it into LoggerInfo, the history byte store and the realtime path, and reports
// what happened to its listener as typed events (ProtocolListener.h). It keeps the command states
// and the download and description-write counters; the phase, the phase step and the progress
// belong to the connection's SessionState, which the engine only reads.
// Each command's reply has a small accept-and-decode function of its own (ReplyAcceptance.cpp);
// the history blocks and the description write have theirs (HistoryBlocks.cpp, DescriptionWrite.cpp).
// It has no timers and no threads of its own: the device connection calls Send and ProcessReply
// from its 200 ms step, and the link's reader thread calls OnReceive.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <vector>

#include "logger/ByteStore.h"
#include "logger/Clock.h"
#include "logger/CommandFrames.h"
#include "logger/HistoryLimits.h"
#include "logger/LoggerInfo.h"
#include "logger/ProtocolListener.h"
#include "logger/ProtocolStates.h"
#include "logger/SessionState.h"
#include "serial/Link.h"

namespace veldrin {

inline constexpr std::size_t kReplyBufferLimit = 6000;
inline constexpr std::size_t kReceiveLogCapacity = 300000;
// Room for the largest download: a record count below 300000 plus 7 header and 2 trailer bytes.
inline constexpr std::size_t kHistoryStoreCapacity = 300000 + 1024 + 16;
inline constexpr std::uint64_t kReceivedTotalReset = 400000;

class ProtocolEngine {
  public:
    // `session` is the connection's: the engine reads it and never writes it.
    ProtocolEngine(Link& link, Clock& clock, LoggerInfo& info, const SessionState& session,
                   ProtocolListener& listener);
    ProtocolEngine(const ProtocolEngine&) = delete;
    ProtocolEngine& operator=(const ProtocolEngine&) = delete;

    // A connection starts: every state, counter and buffer back to its start, no current
    // command, end recording and set chip clock done, identify, read all parameters and end
    // realtime pending. `chosen` is the instrument the identify reply is compared with.
    void ResetForConnect(LoggerModel chosen);
    // The model whose markers realtime frames must carry (also LoggerInfo::model).
    void SetModel(LoggerModel model);
    LoggerModel ChosenModel() const { return chosen_; }

    // Builds the frame of `id` and writes it, with the buffer rules of the command; nothing while
    // no logger is on line. Whether a command goes out at all while the instrument mismatch
    // question stands is the connection's decision, made before it calls this.
    void Send(CommandId id);
    // Takes `frame`, written earlier by a connection (a replayed trace), as the frame of `id` just
    // sent: the buffer rules of Send apply and `id` becomes current; nothing is written. For the
    // commands that Send builds from LoggerInfo only.
    void TakeRecordedSend(CommandId id, const Bytes& frame);
    // Checks the reply buffer against the current command.
    ReplyResult ProcessReply();
    // Checks the reply buffer for `id` (the description write's echoes are checked this way).
    ReplyResult ProcessReply(CommandId id);

    CommandStatus State(CommandId id) const { return states_[static_cast<std::size_t>(Index(id))]; }
    void SetState(CommandId id, CommandStatus state);
    bool IsPending(CommandId id) const { return State(id) == CommandStatus::Pending; }
    void MarkPending(CommandId id) { SetState(id, CommandStatus::Pending); }
    void MarkDone(CommandId id) { SetState(id, CommandStatus::Answered); }
    std::optional<CommandId> Current() const { return current_; }
    void ClearCurrent() { current_.reset(); }

    // Reader thread: one delivery of received bytes.
    void OnReceive(const std::uint8_t* bytes, std::size_t count);
    Bytes ReplyCopy() const;
    std::size_t ReplySize() const;
    void ClearReply();
    Bytes ReceiveLogCopy() const;
    std::time_t LastReceived() const;
    void SetLastReceived(std::time_t time);
    std::uint64_t ReceivedTotal() const;

    // The payload of a reply to ids 10, 11, 13, 15 and 16: everything after the first occurrence
    // of the id's three-byte request; empty when the request is not found.
    static Bytes ExtractPayload(const Bytes& reply, CommandId id);

    // History download.
    HistoryState HistoryStage() const { return historyState_; }
    void SetHistoryStage(HistoryState state) { historyState_ = state; }
    const Bytes& HistoryBytes() const { return history_.Bytes(); }
    void ClearHistoryStore() { history_.Clear(); }
    int NextBlock() const { return nextBlock_; }
    int LastRequestedBlock() const { return lastRequestedBlock_; }
    // Float copies of both channels' limits taken from the parameter block, for the history.
    const HistoryLimits& HistoryAlarmLimits() const { return historyLimits_; }

    // Description write: the 96 bytes to write, from the first chunk on.
    void BeginDescriptionWrite(const std::array<std::uint8_t, 96>& text);
    bool DescriptionChunkAcknowledged() const { return chunkAcknowledged_; }
    int DescriptionChunkIndex() const { return chunkIndex_; }

  private:
    void Report(const EngineEvent& event) { listener_.OnEvent(event); }
    void Write(const Bytes& frame);
    void ClearBuffersBeforeSending(CommandId id);
    void SendHistoryRequest();
    void SendDescriptionChunk();
    void SendDescriptionHeader();
    ReplyResult NoAcceptableReply(CommandId id);
    // The reply to `id` is accepted: its state, the current command, the give-up counter and the
    // sync command follow, and its progress and the fields decoded are reported.
    void Accepted(CommandId id);

    // Accept-and-decode, one per command or group of commands sharing a rule (ReplyAcceptance.cpp):
    // each returns true when it accepted and decoded the reply.
    bool Accept(CommandId id, const Bytes& reply);
    bool AcceptAsReceived(CommandId id, const Bytes& reply);
    bool EchoFound(CommandId id, const Bytes& reply) const;
    std::optional<Bytes> PayloadOf(CommandId id, const Bytes& reply, std::size_t needed) const;
    bool AcceptEcho(CommandId id, const Bytes& reply);
    bool AcceptRecordingSwitch(CommandId id, const Bytes& reply);
    bool AcceptEndRealtime(const Bytes& reply);
    bool AcceptSetChipClock(const Bytes& reply);
    bool AcceptInterval(const Bytes& reply);
    bool AcceptStopMode(const Bytes& reply);
    bool AcceptChannel1Alarm(const Bytes& reply);
    bool AcceptDescription(const Bytes& reply);
    bool AcceptStartTime(const Bytes& reply);
    bool AcceptRecordState(const Bytes& reply);
    bool AcceptRecordCount(const Bytes& reply);
    bool AcceptSync(const Bytes& reply);
    bool AcceptIdentify(const Bytes& reply);
    bool AcceptSetChannel2Alarm(const Bytes& reply);
    bool AcceptChannel2Alarm(const Bytes& reply);
    bool AcceptParameterBlock(const Bytes& reply);
    bool AcceptHistoryBlock(const Bytes& reply);
    // The block of the store a history reply holds; false when the reply is no such block.
    bool StoreHistoryBlock(const Bytes& reply, HistoryState& state);
    ReplyResult ProcessDescriptionEcho();

    // Decoding into LoggerInfo; each notes the field it filled for the ReplyAccepted event.
    void TakeRecordCount(const std::uint8_t* three);
    void TakeChannel1Limits(std::uint8_t lower, std::uint8_t upper, std::uint8_t enable);
    void TakeChannel2Limits(std::uint8_t lower, std::uint8_t upper);
    void TakeRecordState(std::uint8_t recording, std::uint8_t voltage);
    void TakeDescription(const std::uint8_t* ninetySix);
    void TakeModel(LoggerModel model);
    void Decoded(LoggerField field) { decoded_.push_back(field); }
    void CheckRealtimeFrame(const std::uint8_t* frame);

    Link& link_;
    Clock& clock_;
    LoggerInfo& info_;
    const SessionState& session_;
    ProtocolListener& listener_;
    LoggerModel chosen_ = LoggerModel::Unknown;

    std::array<CommandStatus, kCommandCount> states_{};
    std::array<Bytes, kCommandCount> sentFrames_;
    std::optional<CommandId> current_;
    int giveUpCounter_ = 0;
    int waitCounter_ = 0;
    std::vector<LoggerField> decoded_;

    HistoryState historyState_ = HistoryState::Idle;
    ByteStore history_{kHistoryStoreCapacity};
    int nextBlock_ = 1;
    int lastRequestedBlock_ = 0;
    int repeatCounter_ = 0;
    HistoryLimits historyLimits_;

    std::array<std::uint8_t, 96> description_{};
    int chunkIndex_ = -1;
    bool chunkAcknowledged_ = false;
    Bytes expectedEcho_;
    int misses_ = 0;

    // Shared with the reader thread.
    mutable std::mutex mutex_;
    Bytes reply_;
    ByteStore receiveLog_{kReceiveLogCapacity};
    std::uint64_t receivedTotal_ = 0;
    std::time_t lastReceived_ = 0;
    std::atomic<bool> realtimeTaken_{false};
    std::atomic<bool> awaitingBlock_{false};  // a block request went out and its block is not in
    std::atomic<LoggerModel> frameModel_{LoggerModel::Unknown};
};

}  // namespace veldrin
