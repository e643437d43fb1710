#include "serial/CommChannel.h"

#include <utility>

namespace veldrin {

CommChannel::~CommChannel() {
    Close();
}

bool CommChannel::OpenDevice(const std::string& devicePath, const LineSettings& settings) {
    Open(devicePath, settings);
    return IsOpen();
}

void CommChannel::Open(const std::string& devicePath, const LineSettings& settings) {
    std::lock_guard lock(stateMutex_);
    CloseLocked();
    devicePath_ = devicePath;
    error_.clear();
    errorNumber_ = 0;

    auto serialPort = std::make_unique<CSerialPort>();
    if (!serialPort->Open(devicePath, settings)) {
        error_ = serialPort->LastError();
        errorNumber_ = serialPort->LastErrorNumber();
        return;
    }
    auto reader = std::make_unique<BurstReader>(
        *serialPort, [this](const std::uint8_t* bytes, std::size_t count) { Deliver(bytes, count); });
    if (!reader->Start(error_)) {
        return;
    }
    port_ = std::move(serialPort);
    reader_ = std::move(reader);
}

bool CommChannel::IsOpen() const {
    std::lock_guard lock(stateMutex_);
    return port_ != nullptr && port_->IsOpen();
}

void CommChannel::Close() {
    std::lock_guard lock(stateMutex_);
    CloseLocked();
}

void CommChannel::CloseLocked() {
    // The reader goes first: it must not wait on a descriptor that is being closed.
    reader_.reset();
    port_.reset();
}

std::size_t CommChannel::Write(const std::uint8_t* bytes, std::size_t count) {
    std::lock_guard lock(stateMutex_);
    if (port_ == nullptr) {
        return 0;
    }
    return port_->Write(bytes, count, kWriteStallMs);
}

void CommChannel::SetDataCallback(DataCallback callback) {
    std::lock_guard lock(callbackMutex_);
    callback_ = std::move(callback);
}

void CommChannel::Deliver(const std::uint8_t* bytes, std::size_t count) {
    std::lock_guard lock(callbackMutex_);
    if (callback_) {
        callback_(bytes, count);
    }
}

bool CommChannel::EnableDtrRts() {
    std::lock_guard lock(stateMutex_);
    if (port_ == nullptr) {
        return false;
    }
    if (!port_->EnableDtrRts()) {
        error_ = port_->LastError();
        return false;
    }
    return true;
}

std::string CommChannel::LastError() const {
    std::lock_guard lock(stateMutex_);
    return error_;
}

int CommChannel::LastErrorNumber() const {
    std::lock_guard lock(stateMutex_);
    return errorNumber_;
}

std::string CommChannel::DevicePath() const {
    std::lock_guard lock(stateMutex_);
    return devicePath_;
}

bool CommChannel::IsReceiving() const {
    std::lock_guard lock(stateMutex_);
    return reader_ != nullptr && reader_->IsRunning();
}

std::string CommChannel::ReceiveError() const {
    std::lock_guard lock(stateMutex_);
    return reader_ != nullptr ? reader_->EndReason() : std::string();
}

}  // namespace veldrin
