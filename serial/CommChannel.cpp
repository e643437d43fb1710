#include "serial/CommChannel.h"

#include <utility>

#include "serial/PortMap.h"

namespace veldrin {

CommChannel::~CommChannel() {
    Close();
}

void CommChannel::Open(int port, const LineSettings& settings) {
    OpenPath(DevicePathForPort(port), port, settings);
}

bool CommChannel::OpenDevice(const std::string& devicePath, const LineSettings& settings) {
    return OpenPath(devicePath, 0, settings);
}

bool CommChannel::OpenPath(const std::string& devicePath, int port, const LineSettings& settings) {
    std::lock_guard lock(stateMutex_);
    CloseLocked();
    portNumber_ = port;
    devicePath_ = devicePath;
    error_.clear();
    errorNumber_ = 0;

    auto serialPort = std::make_unique<CSerialPort>();
    if (!serialPort->Open(devicePath, settings, port)) {
        error_ = serialPort->LastError();
        errorNumber_ = serialPort->LastErrorNumber();
        return false;
    }
    auto reader = std::make_unique<BurstReader>(
        *serialPort, [this](const std::uint8_t* bytes, std::size_t count) { Deliver(bytes, count); });
    if (!reader->Start(error_)) {
        return false;
    }
    port_ = std::move(serialPort);
    reader_ = std::move(reader);
    return true;
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

int CommChannel::Port() const {
    std::lock_guard lock(stateMutex_);
    return portNumber_;
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
