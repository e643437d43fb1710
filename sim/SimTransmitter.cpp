#include "sim/SimTransmitter.h"

#include <algorithm>

namespace veldrin {

void SimTransmitter::SetSplit(std::size_t pieceBytes, int gapMs) {
    pieceBytes_ = pieceBytes;
    pieceGapMs_ = std::max(gapMs, 0);
}

void SimTransmitter::Reply(std::vector<std::uint8_t> bytes, std::int64_t earliestMs) {
    Put(std::move(bytes), std::max({earliestMs, lineFreeMs_, quietUntilMs_}));
}

void SimTransmitter::Alone(std::vector<std::uint8_t> bytes, std::int64_t earliestMs) {
    Put(std::move(bytes), std::max({earliestMs, lineFreeMs_ + kQuietMs, quietUntilMs_}));
    quietUntilMs_ = lineFreeMs_ + kQuietMs;
}

std::vector<Transmission> SimTransmitter::Take() {
    std::vector<Transmission> taken;
    taken.swap(queue_);
    return taken;
}

void SimTransmitter::Put(std::vector<std::uint8_t> bytes, std::int64_t startMs) {
    if (bytes.empty())
        return;
    if (corruptAt_) {
        std::size_t position = std::min(*corruptAt_, bytes.size() - 1);
        bytes[position] = static_cast<std::uint8_t>(~bytes[position]);
        corruptAt_.reset();
    }
    std::size_t piece = pieceBytes_ == 0 ? bytes.size() : pieceBytes_;
    std::int64_t at = startMs;
    for (std::size_t from = 0; from < bytes.size(); from += piece) {
        Transmission sent;
        sent.startMs = at;
        sent.bytesPerSecond = paced_ ? kPacedBytesPerSecond : 0;
        auto first = bytes.begin() + static_cast<std::ptrdiff_t>(from);
        sent.bytes.assign(first, first + static_cast<std::ptrdiff_t>(std::min(piece, bytes.size() - from)));
        lineFreeMs_ = sent.EndMs();
        at = lineFreeMs_ + pieceGapMs_;
        if (silentFrom_ && sent.startMs >= *silentFrom_)
            continue;
        queue_.push_back(std::move(sent));
    }
}

}  // namespace veldrin
