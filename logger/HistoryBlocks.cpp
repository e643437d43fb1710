// The protocol engine's history download: the block requests and the acceptance of the blocks
// into the history byte store.
#include "logger/ByteSearch.h"
#include "logger/ProtocolEngine.h"

namespace veldrin {
namespace {

constexpr std::size_t kFirstBlockBytes = 1033;
constexpr std::size_t kMiddleBlockBytes = 1028;

}  // namespace

// The request for the next block; the very first one carries the header FF F5.
void ProtocolEngine::SendHistoryRequest() {
    int block = nextBlock_;
    // Asking for the same block a third time sends the bare header instead.
    if (block == lastRequestedBlock_ && ++repeatCounter_ >= 3) {
        repeatCounter_ = 0;
        Write({0xFF, 0xF5});
        return;
    }
    const auto request = BlockRequestBytes(block, info_.blockCount);
    lastRequestedBlock_ = block;
    if (historyState_ == HistoryState::Starting)
        Write({0xFF, 0xF5, request[0], request[1]});
    else
        Write({request[0], request[1]});
}

// A history block: it ends with FF FF and has the shape of the block asked for.
bool ProtocolEngine::AcceptHistoryBlock(const Bytes& reply) {
    if (!EndsWith(reply, {0xFF, 0xFF}))
        return false;
    HistoryState state = historyState_;
    if (!StoreHistoryBlock(reply, state))
        return false;
    historyState_ = state;
    awaitingBlock_ = false;
    current_.reset();
    giveUpCounter_ = 0;
    waitCounter_ = 0;
    repeatCounter_ = 0;
    ++nextBlock_;
    Report(BlockStored{lastRequestedBlock_, info_.blockCount, state, history_.Size()});
    return true;
}

bool ProtocolEngine::StoreHistoryBlock(const Bytes& reply, HistoryState& state) {
    const int block = lastRequestedBlock_;
    const int count = info_.blockCount;
    const std::uint8_t* data = reply.data();
    const std::size_t n = reply.size();
    if (count == 1 && block == 1) {
        // The only block: a fixed header stands in for the first block's, so the store always
        // starts the same way.
        if (!StartsWith(reply, {0xFF, 0xF5, 0x00, 0x00}))
            return false;
        static constexpr std::uint8_t kHeader[] = {0xFF, 0xF5, 0x01, 0x01, 0x02, 0x03, 0x04};
        history_.Append(kHeader, sizeof kHeader);
        history_.Append(data + 4, n - 4);
        state = HistoryState::Complete;
    } else if (block == 1) {
        if (!StartsWith(reply, {0xFF, 0xF5, 0x01, 0x00}) || n != kFirstBlockBytes)
            return false;
        history_.Append(data, n - 2);
        state = HistoryState::NextBlock;
    } else if (block == count) {
        if (!StartsWith(reply, {0x00, 0x00}))
            return false;
        history_.Append(data + 2, n - 2);
        state = HistoryState::Complete;
    } else {
        // A middle block begins with the request it answers: a late answer to an earlier block
        // must not be stored as this one.
        const auto request = BlockRequestBytes(block, count);
        if (n != kMiddleBlockBytes || data[0] != request[0] || data[1] != request[1])
            return false;
        history_.Append(data + 2, n - 4);
    }
    return true;
}

}  // namespace veldrin
