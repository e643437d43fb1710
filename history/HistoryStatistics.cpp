#include "history/HistoryStatistics.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "history/DewPoint.h"

namespace veldrin {
namespace {

constexpr double kKelvinScale = kActivationEnergyJoulePerMole / kGasConstant;

// Neumaier's compensated sum: the rounding error of every addition is carried along, so that a
// long run of small terms added to a large total is not lost.
class CompensatedSum {
  public:
    void Add(double term) {
        const double total = sum_ + term;
        if (std::fabs(sum_) >= std::fabs(term)) {
            compensation_ += (sum_ - total) + term;
        } else {
            compensation_ += (term - total) + sum_;
        }
        sum_ = total;
    }
    double Value() const { return sum_ + compensation_; }

  private:
    double sum_ = 0;
    double compensation_ = 0;
};

// Follows the runs beyond one limit reading by reading.
class ExcursionTracker {
  public:
    ExcursionTracker(LimitStatistics& limit, const HistoryDataSet& history, int interval)
        : limit_(limit), samples_(history.samples), interval_(interval) {}

    void Reading(int index, float value) {
        const bool beyond = limit_.side == LimitSide::Below ? value < limit_.limit : value > limit_.limit;
        if (!beyond) {
            open_ = false;
            return;
        }
        ++limit_.readingsBeyond;
        if (!open_) {
            open_ = true;
            Excursion run;
            run.firstIndex = index;
            run.start = samples_.Time(index);
            run.extreme = value;
            run.extremeIndex = index;
            limit_.excursions.push_back(run);
        }
        Excursion& run = limit_.excursions.back();
        run.lastIndex = index;
        run.end = samples_.Time(index);
        run.seconds = static_cast<long long>(run.Readings()) * interval_;
        const bool more = limit_.side == LimitSide::Below ? value < run.extreme : value > run.extreme;
        if (more) {
            run.extreme = value;
            run.extremeIndex = index;
        }
    }
    void Finish() { limit_.secondsBeyond = static_cast<long long>(limit_.readingsBeyond) * interval_; }

  private:
    LimitStatistics& limit_;
    const SampleSeries& samples_;
    int interval_;
    bool open_ = false;
};

// The figures of `values`, the readings of samples range.first … of a channel whose name, unit,
// alarm and limits `figures` holds already.
void FillFigures(ChannelStatistics& figures, const HistoryDataSet& history, SampleRange range,
                 const float* values) {
    const int interval = history.summary.intervalSeconds;
    figures.readings = range.count;
    ExcursionTracker below(figures.below, history, interval);
    ExcursionTracker above(figures.above, history, interval);
    int minIndex = 0;
    int maxIndex = 0;
    double sum = 0;
    for (int k = 0; k < range.count; ++k) {
        const float value = values[k];
        if (value < values[minIndex])
            minIndex = k;
        if (value > values[maxIndex])
            maxIndex = k;
        sum += value;
        if (figures.alarmOn) {
            below.Reading(range.first + k, value);
            above.Reading(range.first + k, value);
        }
    }
    below.Finish();
    above.Finish();
    figures.minimum = {values[minIndex], range.first + minIndex,
                       history.samples.Time(range.first + minIndex)};
    figures.maximum = {values[maxIndex], range.first + maxIndex,
                       history.samples.Time(range.first + maxIndex)};
    figures.average = sum / range.count;

    // The deviations are summed about the mean, which keeps the variance exact where a sum of
    // squares would cancel.
    double squares = 0;
    for (int k = 0; k < range.count; ++k) {
        const double deviation = values[k] - figures.average;
        squares += deviation * deviation;
    }
    figures.standardDeviation = range.count > 1 ? std::sqrt(squares / (range.count - 1)) : 0.0;
}

ChannelStatistics ChannelFigures(const HistoryDataSet& history, SampleRange range, int channel) {
    const LoggerModel model = RecordedModel(history);
    const HistorySummary& summary = history.summary;
    const float* values =
        (channel == 1 ? history.samples.Values1() : history.samples.Values2()) + range.first;

    ChannelStatistics figures;
    figures.channel = channel;
    figures.name = ShownModelText(channel == 1 ? summary.channel1Name : summary.channel2Name);
    figures.unit = channel == 1 ? summary.channel1Unit : summary.channel2Unit;
    figures.temperature = channel == 1 || !Traits(model).channel2IsHumidity;
    figures.alarmOn = history.limits.enable1 != 0;
    figures.below.limit = channel == 1 ? history.limits.lower1 : history.limits.lower2;
    figures.above.limit = channel == 1 ? history.limits.upper1 : history.limits.upper2;
    FillFigures(figures, history, range, values);
    if (figures.temperature) {
        figures.meanKineticTemperature =
            MeanKineticTemperature(std::span<const float>(values, static_cast<std::size_t>(range.count)));
    }
    return figures;
}

}  // namespace

SampleRange WholeHistory(const HistoryDataSet& history) {
    return {0, history.samples.Count()};
}

SampleRange RangeBetween(const HistoryDataSet& history, std::time_t from, std::time_t to) {
    const SampleSeries& samples = history.samples;
    int first = -1;
    int last = -1;
    for (int i = 0; i < samples.Count(); ++i) {
        if (samples.Time(i) < from || samples.Time(i) > to)
            continue;
        if (first < 0)
            first = i;
        last = i;
    }
    if (first < 0)
        return {0, 0};
    return {first, last - first + 1};
}

std::optional<double> MeanKineticTemperature(std::span<const float> celsius) {
    if (celsius.empty())
        return std::nullopt;
    const float warmest = *std::max_element(celsius.begin(), celsius.end());
    const float coldest = *std::min_element(celsius.begin(), celsius.end());
    if (coldest + kZeroCelsiusInKelvin <= 0)
        return std::nullopt;
    // ln Σ exp(x_i) = x_max + ln Σ exp(x_i − x_max): every term lies in (0, 1] and the warmest
    // reading contributes exactly 1.
    const double largest = -kKelvinScale / (warmest + kZeroCelsiusInKelvin);
    // A logger resolves hundredths, so a long history repeats a few thousand values: each term is
    // computed once per value held in a small cache keyed by the reading's bits. The warmest
    // reading's term, exactly 1, fills every slot at first.
    constexpr std::uint32_t kSlotBits = 12;
    std::vector<std::uint32_t> keys(std::size_t{1} << kSlotBits, std::bit_cast<std::uint32_t>(warmest));
    std::vector<double> cached(keys.size(), 1.0);
    CompensatedSum sum;
    for (const float value : celsius) {
        const auto bits = std::bit_cast<std::uint32_t>(value);
        const std::size_t slot = (bits * 2654435761u) >> (32 - kSlotBits);
        if (keys[slot] != bits) {
            keys[slot] = bits;
            cached[slot] = std::exp(-kKelvinScale / (value + kZeroCelsiusInKelvin) - largest);
        }
        sum.Add(cached[slot]);
    }
    const double logMean = largest + std::log(sum.Value() / static_cast<double>(celsius.size()));
    return kKelvinScale / -logMean - kZeroCelsiusInKelvin;
}

const Excursion* LimitStatistics::Longest() const {
    const Excursion* longest = nullptr;
    for (const Excursion& run : excursions) {
        if (longest == nullptr || run.Readings() > longest->Readings())
            longest = &run;
    }
    return longest;
}

int HistoryStatistics::ExcursionCount() const {
    int count = 0;
    for (const ChannelStatistics& channel : channels)
        count += channel.ExcursionCount();
    return count;
}

long long HistoryStatistics::SecondsBeyond() const {
    long long seconds = 0;
    for (const ChannelStatistics& channel : channels)
        seconds += channel.SecondsBeyond();
    return seconds;
}

HistoryStatistics ComputeStatistics(const HistoryDataSet& history, SampleRange range) {
    HistoryStatistics statistics;
    statistics.alarmOn = history.limits.enable1 != 0;
    range.first = std::clamp(range.first, 0, history.samples.Count());
    range.count = std::clamp(range.count, 0, history.samples.Count() - range.first);
    if (range.Empty())
        return statistics;
    RecordingPeriod& period = statistics.period;
    period.readings = range.count;
    period.intervalSeconds = history.summary.intervalSeconds;
    period.first = history.samples.Time(range.first);
    period.last = history.samples.Time(range.Last());
    period.spanSeconds = static_cast<long long>(period.last) - period.first;
    period.recordedSeconds = static_cast<long long>(range.count) * period.intervalSeconds;
    for (int channel = 1; channel <= 2; ++channel) {
        if (ChannelHasValues(history, channel))
            statistics.channels.push_back(ChannelFigures(history, range, channel));
    }
    return statistics;
}

std::vector<ListedExcursion> ExcursionsInTimeOrder(const HistoryStatistics& statistics) {
    std::vector<ListedExcursion> listed;
    for (const ChannelStatistics& channel : statistics.channels) {
        if (!channel.alarmOn)
            continue;
        for (const LimitStatistics* limit : {&channel.below, &channel.above}) {
            for (const Excursion& run : limit->excursions)
                listed.push_back({&channel, limit, &run});
        }
    }
    // Stable: equal starts keep channel order, then below before above.
    std::stable_sort(listed.begin(), listed.end(), [](const ListedExcursion& a, const ListedExcursion& b) {
        return a.excursion->firstIndex < b.excursion->firstIndex;
    });
    return listed;
}

}  // namespace veldrin

namespace veldrin {

HistoryStatistics StatisticsInUnit(HistoryStatistics statistics, TemperatureUnit unit) {
    if (unit == TemperatureUnit::Celsius)
        return statistics;
    auto convert = [unit](float& celsius) { celsius = static_cast<float>(TemperatureInUnit(celsius, unit)); };
    for (ChannelStatistics& channel : statistics.channels) {
        if (!channel.temperature)
            continue;
        channel.unit = ChannelUnitText(channel.unit, unit);
        convert(channel.minimum.value);
        convert(channel.maximum.value);
        channel.average = TemperatureInUnit(channel.average, unit);
        channel.standardDeviation = DifferenceInUnit(channel.standardDeviation, unit);
        if (channel.meanKineticTemperature)
            channel.meanKineticTemperature = TemperatureInUnit(*channel.meanKineticTemperature, unit);
        for (LimitStatistics* limit : {&channel.below, &channel.above}) {
            convert(limit->limit);
            for (Excursion& run : limit->excursions)
                convert(run.extreme);
        }
    }
    return statistics;
}

double ReadingInUnit(const ChannelStatistics& channel, float celsius, TemperatureUnit unit) {
    return channel.temperature ? TemperatureInUnit(celsius, unit) : celsius;
}

std::optional<ChannelStatistics> DewPointStatistics(const HistoryDataSet& history, SampleRange range) {
    const std::vector<float> points = DewPoints(history);
    range.first = std::clamp(range.first, 0, static_cast<int>(points.size()));
    range.count = std::clamp(range.count, 0, static_cast<int>(points.size()) - range.first);
    if (range.Empty())
        return std::nullopt;
    ChannelStatistics figures;
    figures.channel = kDewPointChannel;
    figures.name = DewPointName();
    figures.unit = "°C";
    FillFigures(figures, history, range, points.data() + range.first);
    return figures;
}

}  // namespace veldrin
