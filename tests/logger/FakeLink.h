#pragma once
// Test doubles for the protocol engine and the connection: a link that records what is written
// and lets the test deliver bytes, and a listener that records the engine's events; the clock the
// test moves is tests/ManualClock.h.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "logger/Clock.h"
#include "logger/LoggerInfo.h"
#include "logger/ProtocolEngine.h"
#include "logger/ProtocolListener.h"
#include "logger/SessionState.h"
#include "serial/Link.h"
#include "tests/ManualClock.h"

namespace veldrin::test {

using Bytes = std::vector<std::uint8_t>;

class FakeLink : public Link {
  public:
    // Device paths that open; every one opens when empty.
    std::set<std::string> openable;
    std::vector<std::string> opened;  // every Open call, in order
    std::vector<Bytes> writes;
    // Called after each write with the bytes written (a scripted logger answers here).
    std::function<void(const Bytes&)> onWrite;

    void Open(const std::string& devicePath, const LineSettings& = {}) override {
        opened.push_back(devicePath);
        devicePath_ = devicePath;
        open_ = openable.empty() || openable.count(devicePath) > 0;
    }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }
    std::size_t Write(const std::uint8_t* bytes, std::size_t count) override {
        Bytes written(bytes, bytes + count);
        writes.push_back(written);
        if (onWrite)
            onWrite(written);
        return count;
    }
    void SetDataCallback(DataCallback callback) override { callback_ = std::move(callback); }
    bool EnableDtrRts() override { return true; }
    std::string DevicePath() const override { return devicePath_; }
    std::string LastError() const override { return open_ ? "" : "cannot open"; }

    void Deliver(const Bytes& bytes) {
        if (callback_)
            callback_(bytes.data(), bytes.size());
    }

  private:
    DataCallback callback_;
    bool open_ = false;
    std::string devicePath_;
};

// Records the engine's events. With a session it also moves that session with each event, as the
// connection moves its own, so that a test sees the phase, step and progress a reply leads to.
struct RecordingListener : ProtocolListener {
    explicit RecordingListener(SessionState* moved = nullptr) : session(moved) {}

    SessionState* session;
    std::vector<EngineEvent> events;  // every event but the realtime ones, in order
    std::vector<SessionChange> changes;
    std::vector<LoggerField> fields;
    std::vector<int> chunkPercents;
    int identifyMismatches = 0;
    std::atomic<int> realtimeMismatches{0};
    std::mutex readingsMutex;
    std::vector<std::pair<float, float>> readings;
    std::vector<LoggerModel> foreignMarkers;  // the model each mismatching frame was marked for

    void OnEvent(const EngineEvent& event) override {
        if (const auto* reading = std::get_if<RealtimeReading>(&event)) {
            std::lock_guard lock(readingsMutex);
            readings.emplace_back(reading->value1, reading->value2);
            return;
        }
        if (std::holds_alternative<BlockDelivered>(event))
            return;  // a hint for the connection's pace, not a change of state
        if (const auto* mismatch = std::get_if<RealtimeMismatch>(&event)) {
            std::lock_guard lock(readingsMutex);
            foreignMarkers.push_back(mismatch->marked);
            ++realtimeMismatches;
            return;
        }
        events.push_back(event);
        if (const auto* accepted = std::get_if<ReplyAccepted>(&event))
            fields.insert(fields.end(), accepted->fields.begin(), accepted->fields.end());
        if (const auto* chunk = std::get_if<DescriptionChunkEchoed>(&event))
            chunkPercents.push_back(chunk->percent);
        identifyMismatches += std::holds_alternative<IdentifyMismatch>(event) ? 1 : 0;
        if (session != nullptr)
            changes.push_back(session->Apply(event));
    }
};

// An engine on a fake link and a manual clock, with a recording listener that moves the session.
// Every byte the fake logger answers goes straight to the engine.
struct EngineRig {
    EngineRig() {
        link.SetDataCallback([this](const std::uint8_t* b, std::size_t n) { engine.OnReceive(b, n); });
    }

    FakeLink link;
    ManualClock clock;
    LoggerInfo info;
    SessionState session;
    RecordingListener listener{&session};
    ProtocolEngine engine{link, clock, info, session, listener};
};

}  // namespace veldrin::test
