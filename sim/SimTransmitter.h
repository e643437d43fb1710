#pragma once
// The logger's sending side: puts replies on the line one after another, at the 9600-baud byte
// rate when paced, keeps realtime frames apart from everything else so that each arrives as a
// burst of its own, and applies the line faults (pieces, a corrupted byte, silence).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "sim/Transmission.h"

namespace veldrin {

class SimTransmitter {
  public:
    static constexpr int kPacedBytesPerSecond = 960;
    // Quiet line kept before and after a realtime frame; the computer ends a burst after 100 ms
    // without a byte.
    static constexpr int kQuietMs = 150;

    void SetPaced(bool paced) { paced_ = paced; }
    // Replies go out in pieces of `pieceBytes` bytes with `gapMs` between them; 0 sends them whole.
    void SetSplit(std::size_t pieceBytes, int gapMs);
    // Every reply goes out in two pieces cut at a random point (repeatable for one seed).
    void SetRandomSplit(bool on, std::uint32_t seed);
    // Nothing leaves the logger at or after this line time.
    void SetSilentFrom(std::optional<std::int64_t> lineMs) { silentFrom_ = lineMs; }
    // The next piece of output gets byte `position` (the last byte when it is shorter) inverted.
    void CorruptNext(std::size_t position) { corruptAt_ = position; }

    // Queues a reply that starts no earlier than `earliestMs`.
    void Reply(std::vector<std::uint8_t> bytes, std::int64_t earliestMs);
    // Queues bytes that must reach the computer as a burst of their own.
    void Alone(std::vector<std::uint8_t> bytes, std::int64_t earliestMs);
    // Queues bytes as soon as the line is free from `earliestMs` on, right next to whatever else
    // goes out, and never split. With `holdReplies` the replies after them wait for a quiet line.
    void Stream(std::vector<std::uint8_t> bytes, std::int64_t earliestMs, bool holdReplies = false);
    // The queued transmissions, in line order.
    std::vector<Transmission> Take();
    // When the last byte put on the line so far has arrived at the computer.
    std::int64_t LineFreeMs() const { return lineFreeMs_; }

  private:
    void Put(std::vector<std::uint8_t> bytes, std::int64_t startMs, bool splittable = true);
    // The sizes of the pieces `size` bytes go out in.
    std::vector<std::size_t> PieceSizes(std::size_t size, bool splittable);

    bool paced_ = false;
    std::size_t pieceBytes_ = 0;
    int pieceGapMs_ = 0;
    bool randomSplit_ = false;
    std::mt19937 random_;
    std::optional<std::int64_t> silentFrom_;
    std::optional<std::size_t> corruptAt_;
    std::int64_t lineFreeMs_ = INT64_MIN / 2;  // when the last queued byte has left
    std::int64_t quietUntilMs_ = INT64_MIN / 2;
    std::vector<Transmission> queue_;
};

}  // namespace veldrin
