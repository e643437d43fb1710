#pragma once
// Test doubles for the protocol engine and the connection: a link that records what is written
// and lets the test deliver bytes, a clock the test moves, and a listener that records calls.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "logger/Clock.h"
#include "logger/ProtocolListener.h"
#include "serial/Link.h"

namespace veldrin::test {

using Bytes = std::vector<std::uint8_t>;

class FakeLink : public Link {
  public:
    // Ports that open; every port opens when empty.
    std::set<int> openable;
    std::vector<int> opened;  // every Open call, in order
    std::vector<Bytes> writes;
    // Called after each write with the bytes written (a scripted logger answers here).
    std::function<void(const Bytes&)> onWrite;

    void Open(int port, const LineSettings& = {}) override {
        opened.push_back(port);
        port_ = port;
        open_ = openable.empty() || openable.count(port) > 0;
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
    int Port() const override { return port_; }
    std::string LastError() const override { return open_ ? "" : "cannot open"; }

    void Deliver(const Bytes& bytes) {
        if (callback_)
            callback_(bytes.data(), bytes.size());
    }

  private:
    DataCallback callback_;
    bool open_ = false;
    int port_ = 0;
};

class ManualClock : public Clock {
  public:
    explicit ManualClock(std::time_t start = 1'700'000'000) : ms_(static_cast<std::int64_t>(start) * 1000) {}
    std::time_t Now() const override { return static_cast<std::time_t>(ms_.load() / 1000); }
    std::int64_t MonotonicMs() const override { return ms_.load(); }
    void SleepMs(int milliseconds) override { ms_ += milliseconds; }
    void Advance(std::int64_t milliseconds) { ms_ += milliseconds; }

  private:
    std::atomic<std::int64_t> ms_;
};

struct RecordingListener : ProtocolListener {
    std::vector<LoggerField> fields;
    std::vector<std::pair<int, std::string>> texts;
    int identifyMismatches = 0;
    int reconnects = 0;
    std::atomic<int> realtimeMismatches{0};
    std::mutex readingsMutex;
    std::vector<std::pair<float, float>> readings;

    void FieldDecoded(LoggerField field) override { fields.push_back(field); }
    void ProgressText(int percent, std::string_view text) override { texts.emplace_back(percent, text); }
    void IdentifyMismatch() override { ++identifyMismatches; }
    void ReconnectRequested() override { ++reconnects; }
    void RealtimeReading(float value1, float value2) override {
        std::lock_guard lock(readingsMutex);
        readings.emplace_back(value1, value2);
    }
    void RealtimeMismatch() override { ++realtimeMismatches; }
};

}  // namespace veldrin::test
