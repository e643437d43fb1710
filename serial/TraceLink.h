#pragma once
// A link that records everything passing through another one: every write with the bytes written,
// every burst received, every open and close, each with its time, one trace record a line (see
// TraceRecord.h). Whoever debugs a real logger keeps the trace; the replay feeds it back.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>

#include "serial/Link.h"
#include "serial/TraceRecord.h"

namespace veldrin {

class TraceLink final : public Link {
  public:
    // Milliseconds of a monotonic clock.
    using MonotonicMs = std::function<std::int64_t()>;

    // Traces `inner` into the file at `path` (created or emptied). The times come from the
    // computer's clocks unless `monotonicMs` and `wallAtStart` say otherwise (a virtual clock).
    TraceLink(Link& inner, const std::string& path, MonotonicMs monotonicMs = {},
              std::time_t wallAtStart = std::time(nullptr));
    ~TraceLink() override;
    TraceLink(const TraceLink&) = delete;
    TraceLink& operator=(const TraceLink&) = delete;

    // False when the trace file could not be written; Error() says why.
    bool Ok() const;
    std::string Error() const;

    void Open(const std::string& devicePath, const LineSettings& settings = {}) override;
    bool IsOpen() const override { return inner_.IsOpen(); }
    void Close() override;
    std::size_t Write(const std::uint8_t* bytes, std::size_t count) override;
    void SetDataCallback(DataCallback callback) override;
    bool EnableDtrRts() override { return inner_.EnableDtrRts(); }
    std::string DevicePath() const override { return inner_.DevicePath(); }
    std::string LastError() const override { return inner_.LastError(); }
    std::string ReceiveError() const override { return inner_.ReceiveError(); }
    int LastErrorNumber() const override { return inner_.LastErrorNumber(); }

  private:
    void Record(TraceRecord record);

    Link& inner_;
    MonotonicMs monotonicMs_;
    std::int64_t originMs_ = 0;
    // Guards the file: writes come on the caller's thread, bursts on the link's reader thread.
    mutable std::mutex mutex_;
    std::FILE* file_ = nullptr;
    std::string error_;
};

}  // namespace veldrin
