#pragma once
// A link for the fuzz targets: it keeps what is written and hands on what the target delivers.
// Their clock is the tests' ManualClock, started at kFuzzClockStart.
#include <cstdint>
#include <functional>
#include <string>

#include "logger/Clock.h"
#include "serial/Link.h"
#include "tests/ManualClock.h"

namespace veldrin::fuzz {

class FuzzLink final : public Link {
  public:
    std::function<void(const std::uint8_t*, std::size_t)> onWrite;

    void Open(const std::string&, const LineSettings&) override { open_ = true; }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }
    std::size_t Write(const std::uint8_t* bytes, std::size_t count) override {
        if (onWrite)
            onWrite(bytes, count);
        return count;
    }
    void SetDataCallback(DataCallback callback) override { callback_ = std::move(callback); }
    bool EnableDtrRts() override { return true; }
    std::string DevicePath() const override { return {}; }
    std::string LastError() const override { return {}; }
    void Deliver(const std::uint8_t* bytes, std::size_t count) {
        if (callback_ && count > 0)
            callback_(bytes, count);
    }

  private:
    DataCallback callback_;
    bool open_ = false;
};

// The clock of the fuzz targets starts here and moves only when they sleep on it.
inline constexpr std::time_t kFuzzClockStart = 1716166800;

// Reads the fuzz input piece by piece.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    // Up to `count` bytes; fewer at the end of the input.
    std::pair<const std::uint8_t*, std::size_t> Bytes(std::size_t count) {
        const std::size_t taken = std::min(count, size_ - std::min(at_, size_));
        const std::uint8_t* from = data_ + at_;
        at_ += taken;
        return {from, taken};
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace veldrin::fuzz
