#include "logger/SampleSeries.h"

#include <utility>

namespace veldrin {

SampleSeries::SampleSeries()
    : values1_(kCapacity), values2_(kCapacity), times_(kCapacity), timeTexts_(kCapacity) {}

void SampleSeries::Reset() {
    count_ = 0;
    currentValue1 = 0;
    currentValue2 = 0;
}

int SampleSeries::AppendRealtime(float value1, float value2, std::time_t time, std::string timeText) {
    ++count_;
    if (count_ >= kCapacity)
        count_ = 0;
    values1_[count_] = value1;
    values2_[count_] = value2;
    times_[count_] = time;
    timeTexts_[count_] = std::move(timeText);
    return count_;
}

void SampleSeries::SetHistorySample(int index, float value1, float value2, std::time_t time,
                                    std::string timeText) {
    values1_[index] = value1;
    values2_[index] = value2;
    times_[index] = time;
    timeTexts_[index] = std::move(timeText);
    count_ = index + 1;
}

}  // namespace veldrin
