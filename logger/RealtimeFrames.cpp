#include "logger/RealtimeFrames.h"

#include <algorithm>

namespace veldrin {
namespace {

constexpr std::uint8_t kLargestHundredths = 99;

RealtimeFrame FrameAt(const std::uint8_t* bytes) {
    RealtimeFrame frame{};
    std::copy(bytes, bytes + kRealtimeFrameBytes, frame.begin());
    return frame;
}

}  // namespace

bool IsRealtimeFrameOf(const std::uint8_t* six, LoggerModel model, bool glued) {
    if (model == LoggerModel::Unknown)
        return false;
    const std::uint8_t marker = Traits(model).identificationByte;
    if (six[0] != marker || six[5] != marker)
        return false;
    return !glued || (six[2] <= kLargestHundredths && six[4] <= kLargestHundredths);
}

SeparatedDelivery SeparateRealtimeFrames(const std::uint8_t* bytes, std::size_t count, LoggerModel model) {
    SeparatedDelivery result;
    result.end = count;
    if (count == kRealtimeFrameBytes && IsRealtimeFrameOf(bytes, model, false)) {
        result.frames.push_back(FrameAt(bytes));
        result.begin = count;
        return result;
    }
    // Frames glued to the front, then to the back, of the other bytes.
    while (result.end - result.begin >= kRealtimeFrameBytes &&
           IsRealtimeFrameOf(bytes + result.begin, model, true)) {
        result.frames.push_back(FrameAt(bytes + result.begin));
        result.begin += kRealtimeFrameBytes;
    }
    std::vector<RealtimeFrame> back;
    while (result.end - result.begin >= kRealtimeFrameBytes &&
           IsRealtimeFrameOf(bytes + result.end - kRealtimeFrameBytes, model, true)) {
        back.push_back(FrameAt(bytes + result.end - kRealtimeFrameBytes));
        result.end -= kRealtimeFrameBytes;
    }
    result.frames.insert(result.frames.end(), back.rbegin(), back.rend());
    return result;
}

}  // namespace veldrin
