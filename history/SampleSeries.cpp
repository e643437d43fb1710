#include "history/SampleSeries.h"

namespace veldrin {

SampleSeries::SampleSeries() : storage_(std::make_unique<Storage>()) {}

SampleSeries::SampleSeries(const SampleSeries& other)
    : currentValue1(other.currentValue1),
      currentValue2(other.currentValue2),
      storage_(std::make_unique<Storage>(*other.storage_)),
      count_(other.count_) {}

SampleSeries& SampleSeries::operator=(const SampleSeries& other) {
    if (this != &other) {
        if (storage_)
            *storage_ = *other.storage_;
        else
            storage_ = std::make_unique<Storage>(*other.storage_);
        count_ = other.count_;
        currentValue1 = other.currentValue1;
        currentValue2 = other.currentValue2;
    }
    return *this;
}

SampleSeries::~SampleSeries() = default;

void SampleSeries::Reset() {
    count_ = 0;
    currentValue1 = 0;
    currentValue2 = 0;
}

int SampleSeries::AppendRealtime(float value1, float value2, std::time_t time) {
    ++count_;
    if (count_ >= kCapacity)
        count_ = 0;
    storage_->values1[count_] = value1;
    storage_->values2[count_] = value2;
    storage_->times[count_] = time;
    return count_;
}

void SampleSeries::SetHistorySample(int index, float value1, float value2, std::time_t time) {
    storage_->values1[index] = value1;
    storage_->values2[index] = value2;
    storage_->times[index] = time;
    count_ = index + 1;
}

}  // namespace veldrin
