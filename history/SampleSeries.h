#pragma once
// The fixed-capacity store of readings: values and times as numbers. Two instances live for the
// whole run: the realtime store (first reading at index 1, wrapping to 0 when full) and the
// history store (first sample at index 0, count = number of samples). Time texts are made from
// the times when a page or a file shows them (history/HistoryText.h).
#include <ctime>
#include <memory>

namespace veldrin {

class SampleSeries {
  public:
    static constexpr int kCapacity = 100000;

    SampleSeries();
    SampleSeries(const SampleSeries& other);
    SampleSeries& operator=(const SampleSeries& other);
    // A moved-from series holds no storage: it may only be assigned to or destroyed.
    SampleSeries(SampleSeries&&) noexcept = default;
    SampleSeries& operator=(SampleSeries&&) noexcept = default;
    ~SampleSeries();

    // Forgets every reading (count 0); storage stays allocated.
    void Reset();
    // Realtime convention: advances the newest index (1, 2, …, wrapping to 0 after the last
    // slot) and stores the reading there. Returns the index used.
    int AppendRealtime(float value1, float value2, std::time_t time);
    // History convention: stores sample `index` (0-based) and makes count = index + 1.
    void SetHistorySample(int index, float value1, float value2, std::time_t time);

    int Count() const { return count_; }
    void SetCount(int count) { count_ = count; }
    int Capacity() const { return kCapacity; }

    float Value1(int i) const { return storage_->values1[i]; }
    float Value2(int i) const { return storage_->values2[i]; }
    std::time_t Time(int i) const { return storage_->times[i]; }
    const float* Values1() const { return storage_->values1; }
    const float* Values2() const { return storage_->values2; }
    float* MutableValues1() { return storage_->values1; }
    float* MutableValues2() { return storage_->values2; }
    std::time_t* MutableTimes() { return storage_->times; }

    float currentValue1 = 0;
    float currentValue2 = 0;

  private:
    // Every slot of a new series reads 0. The three arrays share one allocation: a history read
    // into a new record then takes one block of 1.6 MB, which the allocator hands out again
    // after the previous record is freed, where three separate blocks of 0.4, 0.4 and 0.8 MB are
    // given back to the system and each load pays the page faults of fresh memory again.
    struct Storage {
        std::time_t times[kCapacity];
        float values1[kCapacity];
        float values2[kCapacity];
    };

    std::unique_ptr<Storage> storage_;
    int count_ = 0;
};

}  // namespace veldrin
