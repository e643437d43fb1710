#include "serial/TraceLink.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace veldrin {
namespace {

std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

constexpr const char* kHeader =
    "# Veldrin byte trace: milliseconds since the start, then what passed:\n"
    "# > bytes written to the logger, < one burst received from it, open DEVICE, close.\n";

// A record of what passed the link: a close, or the bytes written or received.
TraceRecord Passed(TraceRecord::Kind kind, const std::uint8_t* bytes = nullptr, std::size_t count = 0) {
    TraceRecord record;
    record.kind = kind;
    if (bytes != nullptr)
        record.bytes.assign(bytes, bytes + count);
    return record;
}

}  // namespace

TraceLink::TraceLink(Link& inner, const std::string& path, MonotonicMs monotonicMs, std::time_t wallAtStart)
    : inner_(inner), monotonicMs_(monotonicMs ? std::move(monotonicMs) : MonotonicMs(SteadyMs)) {
    originMs_ = monotonicMs_();
    file_ = std::fopen(path.c_str(), "w");
    if (file_ == nullptr) {
        error_ = "cannot write the trace " + path + ": " + std::strerror(errno);
        return;
    }
    std::fputs(kHeader, file_);
    TraceRecord start;
    start.kind = TraceRecord::Kind::Start;
    start.number = static_cast<std::int64_t>(wallAtStart);
    Record(std::move(start));
}

TraceLink::~TraceLink() {
    // Nothing may reach this object once it is gone.
    inner_.SetDataCallback({});
    std::lock_guard lock(mutex_);
    if (file_ != nullptr)
        std::fclose(file_);
}

bool TraceLink::Ok() const {
    std::lock_guard lock(mutex_);
    return error_.empty();
}

std::string TraceLink::Error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

void TraceLink::Open(const std::string& devicePath, const LineSettings& settings) {
    TraceRecord open;
    open.kind = TraceRecord::Kind::Open;
    open.devicePath = devicePath;
    Record(std::move(open));
    inner_.Open(devicePath, settings);
}

void TraceLink::Close() {
    if (inner_.IsOpen())
        Record(Passed(TraceRecord::Kind::Close));
    inner_.Close();
}

std::size_t TraceLink::Write(const std::uint8_t* bytes, std::size_t count) {
    Record(Passed(TraceRecord::Kind::Written, bytes, count));
    return inner_.Write(bytes, count);
}

void TraceLink::SetDataCallback(DataCallback callback) {
    if (!callback) {
        inner_.SetDataCallback({});
        return;
    }
    inner_.SetDataCallback(
        [this, callback = std::move(callback)](const std::uint8_t* bytes, std::size_t count) {
            Record(Passed(TraceRecord::Kind::Received, bytes, count));
            callback(bytes, count);
        });
}

void TraceLink::Record(TraceRecord record) {
    record.atMs = monotonicMs_() - originMs_;
    const std::string line = FormatTraceRecord(record) + "\n";
    std::lock_guard lock(mutex_);
    if (file_ == nullptr || !error_.empty())
        return;
    // Each record goes out at once, so that a trace of a program that crashed is whole.
    if (std::fputs(line.c_str(), file_) < 0 || std::fflush(file_) != 0)
        error_ = std::string("cannot write the trace: ") + std::strerror(errno);
}

}  // namespace veldrin
