#include "sim/SimRecorder.h"

#include <algorithm>

#include "sim/SimCurve.h"

namespace veldrin {

SimRecorder::SimRecorder(LoggerModel model, int readings, std::uint16_t interval, std::time_t clockAtZero,
                         bool recording, bool secondProbeUnplugged)
    : model_(model),
      interval_(std::max<std::uint16_t>(interval, 1)),
      recording_(recording),
      secondProbeUnplugged_(secondProbeUnplugged) {
    auto stored = std::min<std::size_t>(static_cast<std::size_t>(std::max(readings, 0)),
                                        CapacityBytes() / BytesPerReading(model));
    // The readings already stored end at line time 0; the next one is due an interval later.
    auto span = static_cast<std::int64_t>(interval_) * static_cast<std::int64_t>(stored);
    firstReadingTime_ = clockAtZero - span + interval_;
    nextReadingTime_ = firstReadingTime_;
    nextReadingMs_ = (interval_ - span) * 1000;
    memory_.reserve(stored * BytesPerReading(model));
    bool wasRecording = recording_;
    recording_ = true;
    CatchUp(0);
    recording_ = wasRecording;
}

void SimRecorder::CatchUp(std::int64_t nowMs) {
    while (recording_ && nextReadingMs_ <= nowMs)
        TakeReading();
    // A cyclic memory drops its oldest readings, all at once after a long catch-up.
    if (memory_.size() > CapacityBytes()) {
        std::size_t excess = memory_.size() - CapacityBytes();
        memory_.erase(memory_.begin(), memory_.begin() + static_cast<std::ptrdiff_t>(excess));
        firstReadingTime_ += static_cast<std::time_t>(excess / BytesPerReading(model_)) * interval_;
    }
}

void SimRecorder::Start(std::time_t startTime, std::int64_t startMs) {
    memory_.clear();
    recording_ = true;
    firstReadingTime_ = startTime;
    nextReadingTime_ = startTime;
    nextReadingMs_ = startMs;
}

void SimRecorder::SetInterval(std::uint16_t seconds) {
    interval_ = std::max<std::uint16_t>(seconds, 1);
}

std::size_t SimRecorder::CapacityBytes() const {
    auto size = static_cast<std::size_t>(BytesPerReading(model_));
    return kSimMemoryCapacityBytes / size * size;
}

void SimRecorder::TakeReading() {
    auto size = static_cast<std::size_t>(BytesPerReading(model_));
    if (!cyclic_ && memory_.size() + size > CapacityBytes()) {
        recording_ = false;  // stop when full
        return;
    }
    auto bytes = EncodeChannels(model_, MeasuredReading(model_, nextReadingTime_, secondProbeUnplugged_));
    memory_.insert(memory_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    nextReadingTime_ += interval_;
    nextReadingMs_ += static_cast<std::int64_t>(interval_) * 1000;
}

}  // namespace veldrin
