#pragma once
// Realtime frames amid other received bytes. A logger that streams readings on its own clock puts
// its 6-byte frames on the line whenever they fall due, so a frame may arrive alone, or glued to
// the front or the back of a reply when the two follow each other closely. The frames are taken
// out so that replies are judged without them and every reading reaches the realtime path.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "logger/LoggerModel.h"

namespace veldrin {

inline constexpr std::size_t kRealtimeFrameBytes = 6;
using RealtimeFrame = std::array<std::uint8_t, kRealtimeFrameBytes>;

// A delivery with the frames of one model taken off its ends: the frames in line order and the
// remaining bytes [begin, end) of the delivery.
struct SeparatedDelivery {
    std::vector<RealtimeFrame> frames;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Whether `six` is framed by `model`'s marker on both ends. A frame glued to other bytes must
// also hold two value pairs whose hundredths bytes are below 100 (`glued`), which no reply and no
// run of recorded value pairs matches.
bool IsRealtimeFrameOf(const std::uint8_t* six, LoggerModel model, bool glued);

// A delivery of exactly six bytes framed by `model`'s markers is one frame; a longer delivery
// loses the glued frames at its front and at its back. Nothing is taken for an unknown model.
SeparatedDelivery SeparateRealtimeFrames(const std::uint8_t* bytes, std::size_t count, LoggerModel model);

}  // namespace veldrin
