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
    "# > bytes written to the logger, < one burst received from it, open PORT, close.\n";

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
    Record(TraceRecord::Kind::Start, static_cast<std::int64_t>(wallAtStart));
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

void TraceLink::Open(int port, const LineSettings& settings) {
    Record(TraceRecord::Kind::Open, port);
    inner_.Open(port, settings);
}

void TraceLink::Close() {
    if (inner_.IsOpen())
        Record(TraceRecord::Kind::Close, 0);
    inner_.Close();
}

std::size_t TraceLink::Write(const std::uint8_t* bytes, std::size_t count) {
    Record(TraceRecord::Kind::Written, 0, bytes, count);
    return inner_.Write(bytes, count);
}

void TraceLink::SetDataCallback(DataCallback callback) {
    if (!callback) {
        inner_.SetDataCallback({});
        return;
    }
    inner_.SetDataCallback(
        [this, callback = std::move(callback)](const std::uint8_t* bytes, std::size_t count) {
            Record(TraceRecord::Kind::Received, 0, bytes, count);
            callback(bytes, count);
        });
}

void TraceLink::Record(TraceRecord::Kind kind, std::int64_t number, const std::uint8_t* bytes,
                       std::size_t count) {
    TraceRecord record;
    record.atMs = monotonicMs_() - originMs_;
    record.kind = kind;
    record.number = number;
    if (bytes != nullptr)
        record.bytes.assign(bytes, bytes + count);
    const std::string line = FormatTraceRecord(record) + "\n";
    std::lock_guard lock(mutex_);
    if (file_ == nullptr || !error_.empty())
        return;
    // Each record goes out at once, so that a trace of a program that crashed is whole.
    if (std::fputs(line.c_str(), file_) < 0 || std::fflush(file_) != 0)
        error_ = std::string("cannot write the trace: ") + std::strerror(errno);
}

}  // namespace veldrin
