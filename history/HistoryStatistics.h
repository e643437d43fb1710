#pragma once
// The figures an audit of a cold chain asks of a history: per channel the extremes with the time
// they first occurred, the average, the standard deviation, the mean kinetic temperature of a
// temperature channel, and, while the alarm is on, the excursions beyond each limit; and the
// period the readings cover. Pure functions over the samples of the current history or of a
// range of them; the statistics page, the report and the command-line tool all read them.
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

// The activation energy pharmacopoeias use for the mean kinetic temperature, and the gas
// constant: ΔH / R = 10000 K.
inline constexpr double kActivationEnergyJoulePerMole = 83144.72;
inline constexpr double kGasConstant = 8.314472;
inline constexpr double kZeroCelsiusInKelvin = 273.15;

// History samples first … first + count − 1.
struct SampleRange {
    int first = 0;
    int count = 0;
    bool Empty() const { return count <= 0; }
    int Last() const { return first + count - 1; }
};

// Every sample of the history.
SampleRange WholeHistory(const HistoryDataSet& history);
// The samples whose time lies between `from` and `to`, both included; empty when none does.
SampleRange RangeBetween(const HistoryDataSet& history, std::time_t from, std::time_t to);

// The mean kinetic temperature in °C of readings in °C: ΔH/R divided by −ln of the mean of
// exp(−ΔH / (R·T)). The terms are summed relative to the largest one, so that no term underflows
// and a hundred thousand readings lose no precision. Nothing for no readings or a reading at or
// below absolute zero.
std::optional<double> MeanKineticTemperature(std::span<const float> celsius);

enum class LimitSide { Below, Above };

// One run of consecutive readings beyond a limit.
struct Excursion {
    int firstIndex = 0;  // history sample indices
    int lastIndex = 0;
    std::time_t start = 0;  // times of the first and the last reading beyond
    std::time_t end = 0;
    long long seconds = 0;  // readings × interval
    float extreme = 0;      // the lowest reading of a run below, the highest of a run above
    int extremeIndex = 0;

    int Readings() const { return lastIndex - firstIndex + 1; }
};

// The excursions beyond one limit. A reading equal to the limit is not beyond it.
struct LimitStatistics {
    explicit LimitStatistics(LimitSide beyond) : side(beyond) {}

    LimitSide side;
    float limit = 0;
    std::vector<Excursion> excursions;  // in time order
    int readingsBeyond = 0;
    long long secondsBeyond = 0;  // readings beyond × interval

    int Count() const { return static_cast<int>(excursions.size()); }
    // The run of most readings (the earliest of equal ones); null without excursions.
    const Excursion* Longest() const;
    const Excursion* First() const { return excursions.empty() ? nullptr : &excursions.front(); }
};

// A smallest or largest reading and where it first occurred.
struct Extreme {
    float value = 0;
    int index = 0;
    std::time_t time = 0;
};

struct ChannelStatistics {
    int channel = 1;   // 1 or 2, kDewPointChannel for the computed dew point
    std::string name;  // as the user reads it, in the language of the run
    std::string unit;
    bool temperature = true;
    int readings = 0;
    Extreme minimum;
    Extreme maximum;
    double average = 0;
    double standardDeviation = 0;                  // of a sample (n − 1); 0 for a single reading
    std::optional<double> meanKineticTemperature;  // temperature channels only, °C
    bool alarmOn = false;                          // the limits below are looked at
    LimitStatistics below{LimitSide::Below};
    LimitStatistics above{LimitSide::Above};

    int ExcursionCount() const { return alarmOn ? below.Count() + above.Count() : 0; }
    long long SecondsBeyond() const { return alarmOn ? below.secondsBeyond + above.secondsBeyond : 0; }
};

// The first and last reading, their span, and the recording duration (readings × interval).
struct RecordingPeriod {
    int readings = 0;
    int intervalSeconds = 0;
    std::time_t first = 0;
    std::time_t last = 0;
    long long spanSeconds = 0;
    long long recordedSeconds = 0;
};

struct HistoryStatistics {
    RecordingPeriod period;
    bool alarmOn = false;
    std::vector<ChannelStatistics> channels;  // the channels with values, in channel order

    int ExcursionCount() const;
    long long SecondsBeyond() const;
};

// The statistics of the samples of `range`; an empty range gives no channels and an empty period.
HistoryStatistics ComputeStatistics(const HistoryDataSet& history, SampleRange range);
inline HistoryStatistics ComputeStatistics(const HistoryDataSet& history) {
    return ComputeStatistics(history, WholeHistory(history));
}

// The statistics as they are shown in `unit`: every figure of a temperature channel (extremes,
// average, MKT, limits, excursion extremes) converted, the standard deviation scaled without the
// offset, and the channel's unit text changed. The MKT stays computed in kelvin from the readings
// in °C; counts, times and the verdict they give do not depend on the unit.
HistoryStatistics StatisticsInUnit(HistoryStatistics statistics, TemperatureUnit unit);
// A reading in °C of the channel as shown beside statistics in `unit`: converted for a
// temperature channel, as it is for humidity.
double ReadingInUnit(const ChannelStatistics& channel, float celsius, TemperatureUnit unit);

// The channel number of the computed dew point beside the recorded channels 1 and 2.
inline constexpr int kDewPointChannel = 3;
// The statistics of the dew point of the samples of `range` (history/DewPoint.h): extremes,
// average and standard deviation, no MKT and no limits; nothing for a history without one.
std::optional<ChannelStatistics> DewPointStatistics(const HistoryDataSet& history, SampleRange range);

// One excursion with the channel and limit it belongs to.
struct ListedExcursion {
    const ChannelStatistics* channel = nullptr;
    const LimitStatistics* limit = nullptr;
    const Excursion* excursion = nullptr;
};
// Every excursion of every channel in the order they began (for equal starts: channel 1 first,
// below before above). The entries point into `statistics`, which must outlive them.
std::vector<ListedExcursion> ExcursionsInTimeOrder(const HistoryStatistics& statistics);

}  // namespace veldrin
