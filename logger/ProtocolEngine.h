#pragma once
// The protocol engine between the link and the logger data: it builds and writes command frames,
// collects what the logger sends back, decides whether the reply to the outstanding command has
// arrived and decodes it into LoggerInfo, the history byte store and the realtime path.
// It has no timers and no threads of its own: the device connection calls Send and ProcessReply
// from its 200 ms step, and the link's reader thread calls OnReceive.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>

#include "logger/ByteStore.h"
#include "logger/Clock.h"
#include "logger/CommandFrames.h"
#include "logger/HistoryDataSet.h"
#include "logger/LoggerInfo.h"
#include "logger/ProtocolListener.h"
#include "serial/Link.h"

namespace veldrin {

// The connection's current activity.
enum class Phase : int {
    Connecting = 1,
    SettingUp = 2,
    ReadingHistory = 3,
    Polling = 4,
    Disconnecting = 5,
    StoppingRecording = 10,
};

// Sub-steps of an activity kept in SessionState::phaseStep.
inline constexpr int kStepDescriptionWrite = 7;
inline constexpr int kStepHistoryDecoded = 102;

// The session numbers the engine and the connection share. Replies write progress, phase and
// phase step as the acceptance rules say; the connection writes the rest. User-interface thread only.
struct SessionState {
    Phase phase = Phase::Disconnecting;
    int phaseStep = 0;
    int progress = 0;
    bool online = false;
    // 0 normal, 1 mismatch question open, 2 user chose to reconnect, 3 reconnect due, 4 reconnecting
    int mismatchState = 0;
};

// Command states besides "answered" (the command's own id).
inline constexpr int kStatePending = -1;
inline constexpr int kStateNotWanted = -2;  // sync after id 21; realtime until it is asked for
// History (id 5) states.
inline constexpr int kHistoryStarting = -2;
inline constexpr int kHistoryNextBlock = 0;
inline constexpr int kHistoryComplete = 2;
inline constexpr int kHistoryDecoding = 4;

// ProcessReply results; 12 and 14 mean set alarm / the description write is still awaited.
inline constexpr int kReplyNoCommand = -2;
inline constexpr int kReplyAnswered = -1;
inline constexpr int kReplyWaiting = -3;
inline constexpr int kReplyResend = -4;

// True for the results after which a connection step must end its call.
constexpr bool ReplyWaits(int result) {
    return result == kReplyWaiting || result >= 0;
}

inline constexpr std::size_t kReplyBufferLimit = 6000;
inline constexpr std::size_t kReceiveLogCapacity = 300000;
// Room for the largest download: a record count below 300000 plus 7 header and 2 trailer bytes.
inline constexpr std::size_t kHistoryStoreCapacity = 300000 + 1024 + 16;
inline constexpr std::uint64_t kReceivedTotalReset = 400000;

class ProtocolEngine {
  public:
    ProtocolEngine(Link& link, Clock& clock, LoggerInfo& info, ProtocolListener& listener);
    ProtocolEngine(const ProtocolEngine&) = delete;
    ProtocolEngine& operator=(const ProtocolEngine&) = delete;

    // A connection starts: every state, counter and buffer back to its start, no current
    // command, end recording and set chip clock done, identify, read all parameters and end
    // realtime pending. `chosen` is the instrument the identify reply is compared with.
    void ResetForConnect(LoggerModel chosen);
    // The model whose markers realtime frames must carry (also LoggerInfo::model).
    void SetModel(LoggerModel model);
    LoggerModel ChosenModel() const { return chosen_; }

    // Builds the frame of `id` and writes it, with the buffer rules of the command.
    void Send(CommandId id);
    // Takes `frame`, written earlier by a connection (a replayed trace), as the frame of `id` just
    // sent: the buffer rules of Send apply and `id` becomes current; nothing is written. For the
    // commands that Send builds from LoggerInfo only.
    void TakeRecordedSend(CommandId id, const Bytes& frame);
    // Checks the reply buffer against the current command.
    int ProcessReply();
    // Checks the reply buffer for `id` (the description write's echoes are checked this way).
    int ProcessReply(CommandId id);

    int State(CommandId id) const { return states_[static_cast<std::size_t>(Index(id))]; }
    void SetState(CommandId id, int state);
    bool IsPending(CommandId id) const { return State(id) == kStatePending; }
    void MarkPending(CommandId id) { SetState(id, kStatePending); }
    void MarkDone(CommandId id) { SetState(id, Index(id)); }
    std::optional<CommandId> Current() const { return current_; }
    void ClearCurrent() { current_.reset(); }

    SessionState& Session() { return session_; }
    const SessionState& Session() const { return session_; }

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
    void Write(const Bytes& frame);
    void ClearBuffersBeforeSending(CommandId id);
    void SendHistoryRequest();
    void SendDescriptionChunk();
    void Acknowledge(CommandId id, bool sync);
    void SetProgressIn(Phase phase, int progress);
    bool Accept(CommandId id, const Bytes& reply);
    bool AcceptHistoryBlock(const Bytes& reply);
    int ProcessDescriptionEcho();
    void DecodeParameterBlock(const Bytes& reply);
    void TakeRecordCount(const std::uint8_t* three);
    void TakeChannel1Limits(std::uint8_t lower, std::uint8_t upper, std::uint8_t enable);
    void TakeChannel2Limits(std::uint8_t lower, std::uint8_t upper);
    void TakeRecordState(std::uint8_t recording, std::uint8_t voltage);
    void TakeDescription(const std::uint8_t* ninetySix);
    void TakeModel(LoggerModel model);
    void CheckRealtimeFrame(const std::uint8_t* frame);

    Link& link_;
    Clock& clock_;
    LoggerInfo& info_;
    ProtocolListener& listener_;
    SessionState session_;
    LoggerModel chosen_ = LoggerModel::Unknown;

    std::array<int, kCommandCount> states_{};
    std::array<Bytes, kCommandCount> sentFrames_;
    std::optional<CommandId> current_;
    int giveUpCounter_ = 0;
    int waitCounter_ = 0;

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
    std::atomic<LoggerModel> frameModel_{LoggerModel::Unknown};
};

}  // namespace veldrin
