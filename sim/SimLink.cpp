#include "sim/SimLink.h"

#include <algorithm>

namespace veldrin {

SimLink::SimLink(VirtualClock& clock) : clock_(clock) {
    clock_.AddListener(this);
}

SimLink::~SimLink() {
    clock_.RemoveListener(this);
    Close();
}

void SimLink::AttachLogger(const std::string& devicePath, std::shared_ptr<SimLogger> logger) {
    std::lock_guard lock(mutex_);
    ports_[devicePath] = PortEntry{std::move(logger)};
}

void SimLink::AddEmptyPort(const std::string& devicePath) {
    std::lock_guard lock(mutex_);
    ports_[devicePath] = PortEntry{};
}

void SimLink::RemovePort(const std::string& devicePath) {
    std::lock_guard lock(mutex_);
    ports_.erase(devicePath);
    if (open_ && devicePath_ == devicePath)
        line_.Clear();
}

std::shared_ptr<SimLogger> SimLink::LoggerAt(const std::string& devicePath) const {
    std::lock_guard lock(mutex_);
    auto found = ports_.find(devicePath);
    return found == ports_.end() ? nullptr : found->second.logger;
}

std::vector<std::string> SimLink::OpenAttempts() const {
    std::lock_guard lock(mutex_);
    return openAttempts_;
}

std::vector<SimLink::WriteRecord> SimLink::Writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

void SimLink::Open(const std::string& devicePath, const LineSettings& settings) {
    Close();
    std::int64_t now = clock_.MonotonicMs();
    std::lock_guard lock(mutex_);
    openAttempts_.push_back(devicePath);
    devicePath_ = devicePath;
    if (ports_.find(devicePath) == ports_.end()) {
        lastError_ = devicePath + ": no simulated logger or cable on this port";
        return;
    }
    open_ = true;
    ++session_;
    lastError_.clear();
    LineSettings logger;
    understood_ = settings.baud == logger.baud && settings.dataBits == logger.dataBits &&
                  settings.parity == logger.parity && settings.stopBits == logger.stopBits;
    // Opening purges: whatever the logger sent while the port was closed is gone.
    if (auto attached = OpenLoggerLocked()) {
        attached->Advance(now);
        attached->TakeTransmissions();
    }
}

bool SimLink::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

void SimLink::Close() {
    std::lock_guard delivery(deliveryMutex_);
    std::lock_guard lock(mutex_);
    open_ = false;
    line_.Clear();
}

std::size_t SimLink::Write(const std::uint8_t* bytes, std::size_t count) {
    std::int64_t now = clock_.MonotonicMs();
    std::lock_guard lock(mutex_);
    if (!open_)
        return 0;
    writes_.push_back({devicePath_, now, {bytes, bytes + count}});
    auto logger = OpenLoggerLocked();
    if (logger && understood_) {
        logger->Receive(bytes, count, now);
        CollectLocked();
    }
    return count;
}

void SimLink::SetDataCallback(DataCallback callback) {
    std::lock_guard delivery(deliveryMutex_);
    std::lock_guard lock(mutex_);
    callback_ = std::move(callback);
}

bool SimLink::EnableDtrRts() {
    return IsOpen();
}

std::string SimLink::DevicePath() const {
    std::lock_guard lock(mutex_);
    return devicePath_;
}

std::string SimLink::LastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

std::optional<std::int64_t> SimLink::NextDueMs() {
    std::lock_guard lock(mutex_);
    if (!open_)
        return std::nullopt;
    std::optional<std::int64_t> due = line_.NextBurstMs();
    if (auto logger = OpenLoggerLocked()) {
        if (auto event = logger->NextEventMs())
            due = due ? std::min(*due, *event) : *event;
    }
    return due;
}

void SimLink::OnTime(std::int64_t nowMs) {
    std::vector<std::vector<std::uint8_t>> bursts;
    DataCallback callback;
    std::uint64_t session = 0;
    {
        std::lock_guard lock(mutex_);
        if (!open_)
            return;
        if (auto logger = OpenLoggerLocked()) {
            logger->Advance(nowMs);
            CollectLocked();
        }
        bursts = line_.TakeDue(nowMs);
        callback = callback_;
        session = session_;
    }
    for (const auto& burst : bursts) {
        std::lock_guard delivery(deliveryMutex_);
        {
            std::lock_guard lock(mutex_);
            if (!open_ || session_ != session)
                return;  // closed meanwhile: the bytes are lost
        }
        if (callback)
            callback(burst.data(), burst.size());
    }
}

void SimLink::CollectLocked() {
    auto logger = OpenLoggerLocked();
    if (!logger)
        return;
    for (const Transmission& sent : logger->TakeTransmissions()) {
        if (understood_)
            line_.Add(sent);
    }
}

std::shared_ptr<SimLogger> SimLink::OpenLoggerLocked() const {
    auto found = ports_.find(devicePath_);
    return found == ports_.end() ? nullptr : found->second.logger;
}

}  // namespace veldrin
