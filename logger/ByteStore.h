#pragma once
// A bounded append-only byte store. A block is appended while it fits (held + block < capacity);
// a block that does not fit restarts the store, which then holds only that block.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldrin {

class ByteStore {
  public:
    explicit ByteStore(std::size_t capacity) : capacity_(capacity) { bytes_.reserve(capacity); }

    void Append(const std::uint8_t* data, std::size_t count) {
        if (bytes_.size() + count >= capacity_)
            bytes_.clear();
        if (count >= capacity_)
            count = capacity_ - 1;
        bytes_.insert(bytes_.end(), data, data + count);
    }
    void Clear() { bytes_.clear(); }
    std::size_t Size() const { return bytes_.size(); }
    std::size_t Capacity() const { return capacity_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  private:
    std::size_t capacity_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace veldrin
