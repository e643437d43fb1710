#include "history/SampleSeries.h"

namespace veldrin {

SampleSeries::SampleSeries() : values1_(kCapacity), values2_(kCapacity), times_(kCapacity) {}

void SampleSeries::Reset() {
    count_ = 0;
    currentValue1 = 0;
    currentValue2 = 0;
}

int SampleSeries::AppendRealtime(float value1, float value2, std::time_t time) {
    ++count_;
    if (count_ >= kCapacity)
        count_ = 0;
    values1_[count_] = value1;
    values2_[count_] = value2;
    times_[count_] = time;
    return count_;
}

void SampleSeries::SetHistorySample(int index, float value1, float value2, std::time_t time) {
    values1_[index] = value1;
    values2_[index] = value2;
    times_[index] = time;
    count_ = index + 1;
}

}  // namespace veldrin
