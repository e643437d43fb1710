// The protocol engine's description write: the header FF FD, then the 96 text bytes in six chunks
// of 16, each sent once the logger echoed everything before it; the echoes are checked against the
// receive log.
#include <algorithm>

#include "logger/ByteSearch.h"
#include "logger/ProtocolEngine.h"

namespace veldrin {
namespace {

constexpr std::size_t kChunkBytes = 16;
constexpr int kChunkCount = 6;
constexpr int kDescriptionMisses = 10;
constexpr std::size_t kDescriptionEchoBytes = 2 + 96;
constexpr int kFirstChunkPercent = 25;
constexpr int kPercentPerChunk = 10;

}  // namespace

void ProtocolEngine::BeginDescriptionWrite(const std::array<std::uint8_t, 96>& text) {
    description_ = text;
    chunkIndex_ = -1;
    chunkAcknowledged_ = false;
    expectedEcho_.clear();
    misses_ = 0;
}

void ProtocolEngine::SendDescriptionChunk() {
    // Step 1: the header FF FD, from a fresh start or after a restart.
    if (chunkIndex_ == -1 || (chunkAcknowledged_ && chunkIndex_ < 1)) {
        SendDescriptionHeader();
        return;
    }
    // Step 2: chunk k once chunk k − 1 (or the header) was echoed.
    if (chunkAcknowledged_ && chunkIndex_ >= 1 && chunkIndex_ <= kChunkCount) {
        auto begin = description_.begin() + static_cast<std::ptrdiff_t>((chunkIndex_ - 1) * kChunkBytes);
        Write(Bytes(begin, begin + kChunkBytes));
        expectedEcho_ = {0xFF, 0xFD};
        expectedEcho_.insert(expectedEcho_.end(), description_.begin(),
                             description_.begin() + static_cast<std::ptrdiff_t>(chunkIndex_ * kChunkBytes));
        chunkAcknowledged_ = false;
    }
}

void ProtocolEngine::SendDescriptionHeader() {
    {
        std::lock_guard lock(mutex_);
        if (reply_.size() > 2)
            reply_.clear();
        if (receiveLog_.Size() > 2)
            receiveLog_.Clear();
    }
    Report(DescriptionHeaderSent{});
    Write({0xFF, 0xFD});
    chunkIndex_ = 0;
    chunkAcknowledged_ = false;
    expectedEcho_ = {0xFF, 0xFD};
}

// The description write's echoes: complete once the whole text went out and the log holds the
// echo of header and text; a chunk is acknowledged when the log holds everything sent so far;
// ten checks with too little in the log start the write over from the header.
ReplyResult ProtocolEngine::ProcessDescriptionEcho() {
    if (session_.phaseStep != PhaseStep::DescriptionWrite)
        return ReplyResult::DescriptionAwaited;
    const Bytes log = ReceiveLogCopy();
    if (log.size() >= kDescriptionEchoBytes && chunkIndex_ >= kChunkCount) {
        decoded_.clear();
        Accepted(CommandId::WriteDescription);
        return ReplyResult::Answered;
    }
    if (!chunkAcknowledged_ && !expectedEcho_.empty() && FindBytes(log, expectedEcho_)) {
        chunkIndex_ = std::max(chunkIndex_ + 1, 1);
        chunkAcknowledged_ = true;
        Report(DescriptionChunkEchoed{chunkIndex_, kFirstChunkPercent + kPercentPerChunk * chunkIndex_});
    }
    if (log.size() < expectedEcho_.size() && ++misses_ >= kDescriptionMisses) {
        chunkIndex_ = -1;
        chunkAcknowledged_ = true;
        misses_ = 0;
    }
    return ReplyResult::DescriptionAwaited;
}

}  // namespace veldrin
