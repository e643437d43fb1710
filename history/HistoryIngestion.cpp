#include "history/HistoryIngestion.h"

#include <algorithm>
#include <climits>
#include <string>

#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr std::size_t kMarkerWindow = 200;
constexpr long kBytesAfterMarker = 4;
constexpr std::size_t kTrailingBytes = 2;
// Two-channel loggers count their start year only up to here; a later year is not a start time.
constexpr int kLastTwoChannelStartYear = 2029;

// Position of the "F501" marker, searched in the hex text of the first 200 bytes like the logger
// tools always did (so a match may straddle two bytes); −1 when there is none.
long FindMarker(std::span<const std::uint8_t> raw) {
    const std::size_t window = std::min(raw.size(), kMarkerWindow);
    std::string hex(window * 2, '0');
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < window; ++i) {
        hex[2 * i] = kDigits[raw[i] >> 4];
        hex[2 * i + 1] = kDigits[raw[i] & 0x0F];
    }
    const std::size_t at = hex.find("F501");
    return at == std::string::npos ? -1 : static_cast<long>(at / 2);
}

std::time_t StartTimeOf(const LoggerInfo& info, LoggerModel model) {
    const LoggerDateTime& start = info.startTime;
    const int lastYear = model == LoggerModel::SingleTemperature ? INT_MAX : kLastTwoChannelStartYear;
    const int year = start.Year();
    if (year >= 2000 && year <= lastYear && start.Month() <= 12 && start.Day() <= 31) {
        if (const auto time = MakeLocalTime(year, start.Month(), start.Day(), start.Hour(), start.Minute(),
                                            start.Second())) {
            return *time;
        }
    }
    return MakeLocalTime(2008, 1, 1, 0, 0, 0).value_or(0);
}

struct ChannelStatistics {
    float min = 0;
    float max = 0;
    double sum = 0;

    void Add(float value, bool first) {
        if (first || value < min)
            min = value;
        if (first || value > max)
            max = value;
        sum += value;
    }
};

void WriteSummary(HistoryDataSet& history, const LoggerInfo& info, std::time_t start,
                  const std::array<ChannelStatistics, 2>& statistics, int count) {
    const LoggerModel model = history.model;
    const ModelTraits& traits = Traits(model);
    const bool twoChannels = traits.channelCount == 2;
    HistorySummary& s = history.summary;

    s.source = SummarySource::Download;
    const int shownCount = twoChannels ? history.shown[0] + history.shown[1] : 1;
    s.enabledChannelCount = shownCount;
    s.dataLengthValue = count * shownCount;
    s.title = info.title;
    s.instrumentName = info.instrumentName;
    s.description = info.description;
    s.intervalSeconds = info.interval;
    s.start = start;
    s.stop = history.samples.Time(count - 1);

    // A channel that is not shown reports 0 for all three figures.
    const auto average = [count](const ChannelStatistics& c) { return static_cast<float>(c.sum / count); };
    const bool channel1 = history.shown[0] || !twoChannels;
    s.channel1Name = std::string(traits.channel1Name);
    s.min1 = channel1 ? statistics[0].min : 0;
    s.max1 = channel1 ? statistics[0].max : 0;
    s.avg1 = channel1 ? average(statistics[0]) : 0;
    if (!twoChannels)
        return;

    const bool channel2 = history.shown[1];
    s.channel2Number = 2;
    s.channel2Name = std::string(traits.channel2Name);
    s.channel2Unit = std::string(traits.channel2Unit);
    s.min2 = channel2 ? statistics[1].min : 0;
    s.max2 = channel2 ? statistics[1].max : 0;
    s.avg2 = channel2 ? average(statistics[1]) : 0;
}

}  // namespace

std::span<const std::uint8_t> DownloadPayload(std::span<const std::uint8_t> raw) {
    const long marker = FindMarker(raw);
    // The marker's two bytes and the four behind it go; without a marker (−1) the first five bytes.
    const auto skip = static_cast<std::size_t>(marker + 2 + kBytesAfterMarker);
    // Only a download that reaches that far loses them, and never more than it holds.
    if (static_cast<long>(raw.size()) >= marker + 5)
        raw = raw.subspan(std::min(skip, raw.size()));
    return raw.first(raw.size() - std::min(kTrailingBytes, raw.size()));
}

DownloadIngestResult IngestDownloadedHistory(std::span<const std::uint8_t> raw, LoggerModel model,
                                             std::array<bool, 2> shown, const LoggerInfo& info,
                                             HistoryDataSet& history) {
    DownloadIngestResult result;
    const ModelTraits& traits = Traits(model);
    if (model == LoggerModel::Unknown)
        return result;
    const bool twoChannels = traits.channelCount == 2;

    const std::span<const std::uint8_t> payload = DownloadPayload(raw);
    const std::size_t bytesPerSample = twoChannels ? 4 : 2;
    const int count =
        static_cast<int>(std::min<std::size_t>(payload.size() / bytesPerSample, SampleSeries::kCapacity));
    if (count == 0)
        return result;

    // The new history replaces the old one as a whole.
    history.Reset();
    history.model = model;
    history.shown = twoChannels ? shown : std::array<bool, 2>{true, false};
    history.limits = {info.channel1Alarm.lower, info.channel1Alarm.upper, info.channel2Alarm.lower,
                      info.channel2Alarm.upper, info.channel1Alarm.enable};

    const std::time_t start = StartTimeOf(info, model);
    const std::time_t interval = info.interval;
    std::array<ChannelStatistics, 2> statistics;
    SampleSeries& samples = history.samples;
    float* values1 = samples.MutableValues1();
    float* values2 = samples.MutableValues2();
    std::time_t* times = samples.MutableTimes();
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* bytes = payload.data() + static_cast<std::size_t>(i) * bytesPerSample;
        const float value1 = DecodeTemperaturePair(bytes[0], bytes[1]);
        float value2 = 0;
        if (twoChannels) {
            value2 = traits.channel2IsHumidity ? DecodeHumidityPair(bytes[2], bytes[3])
                                               : DecodeTemperaturePair(bytes[2], bytes[3]);
        }
        statistics[0].Add(value1, i == 0);
        statistics[1].Add(value2, i == 0);
        values1[i] = value1;
        values2[i] = value2;
        times[i] = start + i * interval;
    }
    samples.SetCount(count);

    result.stored = true;
    result.sampleCount = count;
    result.recordedAmount = twoChannels ? count * 2 : count;
    if (twoChannels && !history.shown[0] && !history.shown[1]) {
        // Nothing to list or summarise; only the counts say so.
        history.summary.enabledChannelCount = 0;
        history.summary.dataLengthValue = 0;
        return result;
    }
    result.listed = true;
    WriteSummary(history, info, start, statistics, count);
    return result;
}

}  // namespace veldrin
