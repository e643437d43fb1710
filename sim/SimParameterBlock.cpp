#include "sim/SimParameterBlock.h"

#include <algorithm>

#include "sim/SimHistoryBlocks.h"

namespace veldrin {

std::vector<std::uint8_t> BuildParameterBlock(std::uint8_t identificationByte, const SimSettings& settings,
                                              std::uint32_t recordBytes) {
    // The whole block is reserved first: growing it insert by insert makes GCC 12 at -O3 warn
    // falsely about the copy into the grown buffer.
    std::vector<std::uint8_t> block;
    block.reserve(129);
    block.insert(block.end(), {0xFF, 0xE9, 0x01, identificationByte, settings.stopMode});
    // Record state group (offset 5).
    block.insert(block.end(), {0xF2, settings.recordingState, settings.voltageState});
    // Interval group (offset 8), high byte first.
    block.insert(block.end(), {0xF9, static_cast<std::uint8_t>(settings.interval >> 8),
                               static_cast<std::uint8_t>(settings.interval & 0xFF)});
    // Start group (offset 11): flag, then the seven time bytes.
    block.insert(block.end(), {0xFA, settings.startFlag});
    block.insert(block.end(), settings.startTime.begin(), settings.startTime.end());
    // Channel-1 alarm group (offset 20).
    block.insert(block.end(),
                 {0xFC, settings.channel1Lower, settings.channel1Upper, settings.channel1Enable});
    // Description group (offset 24): 96 bytes, blank-padded.
    block.push_back(0xFE);
    std::string text = settings.description.substr(0, 96);
    text.resize(96, ' ');
    block.insert(block.end(), text.begin(), text.end());
    // Record count group (offset 121), high byte first.
    auto count = RecordCountBytes(recordBytes);
    block.insert(block.end(), {0xEE, count[0], count[1], count[2]});
    // Channel-2 alarm group (offset 125), then the end mark.
    block.insert(block.end(), {0xEA, settings.channel2Lower, settings.channel2Upper, 0xF0});
    return block;
}

}  // namespace veldrin
