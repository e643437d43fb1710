#pragma once
// How the logger hands out its record memory: 1024-byte blocks, each framed so that the
// computer can tell the first, middle and last block apart.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldrin {

constexpr std::size_t kHistoryBlockBytes = 1024;

// The record memory count as the logger sends it: 24 bits, high byte first.
std::array<std::uint8_t, 3> RecordCountBytes(std::size_t recordBytes);

// Blocks needed for a memory of `recordBytes` bytes: one more than the whole blocks, so the last
// block is empty when the memory fills whole blocks exactly.
int HistoryBlockCount(std::size_t recordBytes);

// The block number a two-byte request stands for, or 0 when it names no block of `blockCount`.
// 00 00 asks for the last block; 00 with bit 7 of the high byte set stands for a low byte of FF.
int DecodeBlockRequest(std::uint8_t low, std::uint8_t high, int blockCount);
// The two bytes that request `block` (1-based) of `blockCount`.
std::array<std::uint8_t, 2> EncodeBlockRequest(int block, int blockCount);

// The logger's answer to a request for `block` (1-based) of the memory:
// - the only block:       FF F5 00 00, the record bytes, FF FF
// - the first of several: FF F5 01 00, the 24-bit record count, 1024 record bytes, FF FF
// - a middle block:       its two request bytes, 1024 record bytes, FF FF
// - the last of several:  00 00, the remaining record bytes (maybe none), FF FF
std::vector<std::uint8_t> HistoryBlockReply(const std::vector<std::uint8_t>& memory, int block);

}  // namespace veldrin
