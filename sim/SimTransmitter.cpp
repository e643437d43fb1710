#include "sim/SimTransmitter.h"

#include <algorithm>

namespace veldrin {

void SimTransmitter::SetSplit(std::size_t pieceBytes, int gapMs) {
    pieceBytes_ = pieceBytes;
    pieceGapMs_ = std::max(gapMs, 0);
}

void SimTransmitter::SetRandomSplit(bool on, std::uint32_t seed) {
    randomSplit_ = on;
    random_.seed(seed);
}

void SimTransmitter::Reply(std::vector<std::uint8_t> bytes, std::int64_t earliestMs) {
    Put(std::move(bytes), std::max({earliestMs, lineFreeMs_, quietUntilMs_}));
}

void SimTransmitter::Alone(std::vector<std::uint8_t> bytes, std::int64_t earliestMs) {
    Put(std::move(bytes), std::max({earliestMs, lineFreeMs_ + kQuietMs, quietUntilMs_}));
    quietUntilMs_ = lineFreeMs_ + kQuietMs;
}

void SimTransmitter::Stream(std::vector<std::uint8_t> bytes, std::int64_t earliestMs, bool holdReplies) {
    Put(std::move(bytes), std::max(earliestMs, lineFreeMs_), false);
    if (holdReplies)
        quietUntilMs_ = lineFreeMs_ + kQuietMs;
}

std::vector<std::size_t> SimTransmitter::PieceSizes(std::size_t size, bool splittable) {
    if (!splittable)
        return {size};
    if (randomSplit_ && size >= 2) {
        std::uniform_int_distribution<std::size_t> cut(1, size - 1);
        const std::size_t first = cut(random_);
        return {first, size - first};
    }
    std::size_t piece = pieceBytes_ == 0 ? size : pieceBytes_;
    std::vector<std::size_t> sizes;
    for (std::size_t from = 0; from < size; from += piece)
        sizes.push_back(std::min(piece, size - from));
    return sizes;
}

std::vector<Transmission> SimTransmitter::Take() {
    std::vector<Transmission> taken;
    taken.swap(queue_);
    return taken;
}

void SimTransmitter::Put(std::vector<std::uint8_t> bytes, std::int64_t startMs, bool splittable) {
    if (bytes.empty())
        return;
    if (corruptAt_) {
        std::size_t position = std::min(*corruptAt_, bytes.size() - 1);
        bytes[position] = static_cast<std::uint8_t>(~bytes[position]);
        corruptAt_.reset();
    }
    std::int64_t at = startMs;
    std::size_t from = 0;
    for (std::size_t piece : PieceSizes(bytes.size(), splittable)) {
        Transmission sent;
        sent.startMs = at;
        sent.bytesPerSecond = paced_ ? kPacedBytesPerSecond : 0;
        auto first = bytes.begin() + static_cast<std::ptrdiff_t>(from);
        sent.bytes.assign(first, first + static_cast<std::ptrdiff_t>(piece));
        from += piece;
        lineFreeMs_ = sent.EndMs();
        at = lineFreeMs_ + pieceGapMs_;
        if (silentFrom_ && sent.startMs >= *silentFrom_)
            continue;
        queue_.push_back(std::move(sent));
    }
}

}  // namespace veldrin
