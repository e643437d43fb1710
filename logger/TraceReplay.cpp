#include "logger/TraceReplay.h"

#include <algorithm>

#include "logger/ProtocolEngine.h"

namespace veldrin {
namespace {

constexpr std::uint8_t kBlockTrailer = 0xFF;

// The link of the replay: it takes what the engine writes and sends nothing itself.
class WriteSink final : public Link {
  public:
    Bytes lastWrite;
    void Open(const std::string&, const LineSettings&) override {}
    bool IsOpen() const override { return true; }
    void Close() override {}
    std::size_t Write(const std::uint8_t* bytes, std::size_t count) override {
        lastWrite.assign(bytes, bytes + count);
        return count;
    }
    void SetDataCallback(DataCallback) override {}
    bool EnableDtrRts() override { return true; }
    std::string DevicePath() const override { return {}; }
    std::string LastError() const override { return {}; }
};

// The time of the record being replayed.
class TraceClock final : public Clock {
  public:
    explicit TraceClock(std::time_t start) : start_(start) {}
    void At(std::int64_t ms) { ms_ = ms; }
    std::time_t Now() const override { return start_ + static_cast<std::time_t>(ms_ / 1000); }
    std::int64_t MonotonicMs() const override { return ms_; }
    void SleepMs(int milliseconds) override { ms_ += milliseconds; }

  private:
    std::time_t start_;
    std::int64_t ms_ = 0;
};

class Replayer final : private ProtocolListener {
  public:
    Replayer(LoggerModel model, std::time_t start)
        : clock_(start), engine_(link_, clock_, info_, session_, *this) {
        engine_.ResetForConnect(model);
        engine_.SetModel(model);
        session_.online = true;
        session_.phase = Phase::Polling;
        result_.model = model;
    }

    void Take(const TraceRecord& record) {
        clock_.At(record.atMs);
        switch (record.kind) {
            case TraceRecord::Kind::Start:
                break;
            case TraceRecord::Kind::Open:
            case TraceRecord::Kind::Close:
                engine_.ClearReply();  // opening purges the line
                break;
            case TraceRecord::Kind::Written:
                ++result_.writes;
                Settle();
                Written(record.bytes);
                break;
            case TraceRecord::Kind::Received:
                ++result_.bursts;
                engine_.OnReceive(record.bytes.data(), record.bytes.size());
                Settle();
                break;
        }
    }

    ReplayResult Finish() {
        Settle();
        result_.info = info_;
        result_.blockCount = info_.blockCount;
        const HistoryState state = engine_.HistoryStage();
        if (result_.historyStarted) {
            result_.historyComplete = state == HistoryState::Complete;
            result_.blocksReceived = state == HistoryState::Starting
                                         ? 0
                                         : std::clamp(engine_.NextBlock() - 1, 0, info_.blockCount);
            result_.history = engine_.HistoryBytes();
            if (!result_.historyComplete && result_.blocksReceived > 0) {
                result_.history.push_back(kBlockTrailer);
                result_.history.push_back(kBlockTrailer);
            }
            if (result_.blocksReceived == 0)
                result_.history.clear();
        }
        return result_;
    }

  private:
    // The reply to the outstanding command is judged, as the connection's next step would.
    void Settle() {
        const auto current = engine_.Current();
        if (current && engine_.ProcessReply() == ReplyResult::Answered)
            result_.answered.push_back(*current);
    }

    void Written(const Bytes& bytes) {
        const auto id = CommandOfFrame(bytes);
        const bool blockRequest =
            !id && bytes.size() == 2 && engine_.HistoryStage() == HistoryState::NextBlock;
        if (id == CommandId::ReadHistory || blockRequest) {
            if (bytes.size() == 4) {
                result_.historyStarted = true;
                engine_.SetHistoryStage(HistoryState::Starting);
                engine_.ClearHistoryStore();
            }
            // The engine asks for the block its own counters name; a trace of this program agrees.
            link_.lastWrite.clear();
            engine_.Send(CommandId::ReadHistory);
            if (link_.lastWrite != bytes)
                ++result_.requestsDiffering;
            return;
        }
        if (id && id != CommandId::WriteDescription) {
            engine_.TakeRecordedSend(*id, bytes);
            return;
        }
        // Wake-up knocks and probes come with a freshly emptied reply buffer; the description
        // text goes out behind its header and is judged by its echoes, which nothing here needs.
        if (!id && (bytes[0] == 0x55 || bytes[0] == 0xFF || bytes[0] == 0x01))
            engine_.ClearReply();
    }

    // The replay runs on one thread: realtime events are taken as they come, the others move the
    // replay's session as they move the connection's.
    void OnEvent(const EngineEvent& event) override {
        if (const auto* reading = std::get_if<RealtimeReading>(&event))
            result_.readings.push_back({clock_.Now(), reading->value1, reading->value2});
        else if (std::holds_alternative<RealtimeMismatch>(event))
            ++result_.foreignFrames;
        else
            session_.Apply(event);
    }

    WriteSink link_;
    TraceClock clock_;
    LoggerInfo info_;
    SessionState session_;
    ProtocolEngine engine_;
    ReplayResult result_;
};

}  // namespace

std::optional<LoggerModel> IdentifiedModel(const std::vector<TraceRecord>& records) {
    // The answer to a write may come in pieces: what arrived since the last write is searched.
    Bytes answer;
    for (const TraceRecord& record : records) {
        if (record.kind == TraceRecord::Kind::Written) {
            answer.clear();
            continue;
        }
        if (record.kind != TraceRecord::Kind::Received)
            continue;
        answer.insert(answer.end(), record.bytes.begin(), record.bytes.end());
        for (std::size_t at = 0; at + 4 <= answer.size(); ++at) {
            const LoggerModel model = ModelFromIdentification(answer[at + 3]);
            if (answer[at] == 0xFF && answer[at + 1] == 0xEC && answer[at + 2] == 0x01 &&
                model != LoggerModel::Unknown) {
                return model;
            }
        }
    }
    return std::nullopt;
}

ReplayResult ReplayTrace(const std::vector<TraceRecord>& records, LoggerModel model) {
    Replayer replayer(model, TraceStartTime(records).value_or(0));
    for (const TraceRecord& record : records)
        replayer.Take(record);
    return replayer.Finish();
}

}  // namespace veldrin
