#include "sim/SimHistoryBlocks.h"

#include <algorithm>

namespace veldrin {

std::array<std::uint8_t, 3> RecordCountBytes(std::size_t recordBytes) {
    auto count = static_cast<std::uint32_t>(recordBytes);
    return {static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 8),
            static_cast<std::uint8_t>(count)};
}

int HistoryBlockCount(std::size_t recordBytes) {
    return static_cast<int>(recordBytes / kHistoryBlockBytes) + 1;
}

int DecodeBlockRequest(std::uint8_t low, std::uint8_t high, int blockCount) {
    int block = 0;
    if (low == 0 && high == 0) {
        block = blockCount;
    } else if (low == 0 && (high & 0x80) != 0) {
        block = (high & 0x7F) * 256 + 0xFF;
    } else {
        block = high * 256 + low;
    }
    return block >= 1 && block <= blockCount ? block : 0;
}

std::array<std::uint8_t, 2> EncodeBlockRequest(int block, int blockCount) {
    if (block == blockCount)
        return {0, 0};
    auto low = static_cast<std::uint8_t>(block % 256);
    auto high = static_cast<std::uint8_t>((block / 256) % 256);
    if (low == 0xFF)
        return {0, static_cast<std::uint8_t>(high | 0x80)};
    return {low, high};
}

std::vector<std::uint8_t> HistoryBlockReply(const std::vector<std::uint8_t>& memory, int block) {
    int blockCount = HistoryBlockCount(memory.size());
    std::size_t from = std::min(memory.size(), static_cast<std::size_t>(block - 1) * kHistoryBlockBytes);
    std::size_t to = std::min(memory.size(), from + kHistoryBlockBytes);

    std::vector<std::uint8_t> reply;
    if (blockCount == 1) {
        reply = {0xFF, 0xF5, 0x00, 0x00};
    } else if (block == 1) {
        auto count = RecordCountBytes(memory.size());
        reply = {0xFF, 0xF5, 0x01, 0x00, count[0], count[1], count[2]};
    } else {
        auto request = EncodeBlockRequest(block, blockCount);
        reply = {request[0], request[1]};
    }
    reply.insert(reply.end(), memory.begin() + static_cast<std::ptrdiff_t>(from),
                 memory.begin() + static_cast<std::ptrdiff_t>(to));
    reply.push_back(0xFF);
    reply.push_back(0xFF);
    return reply;
}

}  // namespace veldrin
