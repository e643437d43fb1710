#pragma once
// The fixed-capacity store of readings: values and times as numbers. Two instances live for the
// whole run: the realtime store (first reading at index 1, wrapping to 0 when full) and the
// history store (first sample at index 0, count = number of samples). Time texts are made from
// the times when a page or a file shows them (history/HistoryText.h).
#include <ctime>
#include <vector>

namespace veldrin {

class SampleSeries {
  public:
    static constexpr int kCapacity = 100000;

    SampleSeries();

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

    float Value1(int i) const { return values1_[i]; }
    float Value2(int i) const { return values2_[i]; }
    std::time_t Time(int i) const { return times_[i]; }
    const float* Values1() const { return values1_.data(); }
    const float* Values2() const { return values2_.data(); }
    float* MutableValues1() { return values1_.data(); }
    float* MutableValues2() { return values2_.data(); }
    std::time_t* MutableTimes() { return times_.data(); }

    float currentValue1 = 0;
    float currentValue2 = 0;

  private:
    std::vector<float> values1_;
    std::vector<float> values2_;
    std::vector<std::time_t> times_;
    int count_ = 0;
};

}  // namespace veldrin
