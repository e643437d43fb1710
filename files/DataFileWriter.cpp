#include <cmath>
#include <cstdio>

#include "files/DataFile.h"
#include "files/DataFileFields.h"
#include "files/DataFileLayout.h"
#include "history/HistoryText.h"
#include "logger/Gbk.h"

namespace veldrin {
namespace {

using namespace datafile;

// What 7 characters hold: temperatures from −126 to 127; the humidity statistics of a
// temperature-humidity history are pulled just outside their 0 … 100 range.
constexpr float kTemperatureHigh = 127.0F;
constexpr float kTemperatureLow = -126.0F;
constexpr float kHumidityHigh = 100.0F;
constexpr float kHumidityHighWritten = 101.0F;
constexpr float kHumidityLow = 0.0F;
constexpr float kHumidityLowWritten = -1.0F;

// Channel 2 fields of the single-temperature writer.
constexpr std::string_view kAbsentField = "0000000";

float ClampTemperature(float value) {
    if (value > kTemperatureHigh)
        return kTemperatureHigh;
    if (value < kTemperatureLow)
        return kTemperatureLow;
    return value;
}

float ClampHumidityStatistic(float value) {
    if (value > kHumidityHigh)
        return kHumidityHighWritten;
    if (value < kHumidityLow)
        return kHumidityLowWritten;
    return value;
}

void AppendGbkPadded(std::string& out, std::string_view utf8, std::size_t bytes) {
    std::string gbk = CutGbk(ToGbk(utf8), bytes);
    out += gbk;
    out.append(bytes - gbk.size(), ' ');
}

std::string MaskedHeader(const std::array<std::uint8_t, 5>& seeds, const HistorySummary& summary) {
    char seedText[5 * kSeedWidth + 1];
    std::snprintf(seedText, sizeof seedText, "%3d%3d%3d%3d%3d", seeds[0], seeds[1], seeds[2], seeds[3],
                  seeds[4]);
    std::string header(seedText, 5 * kSeedWidth);
    AppendGbkPadded(header, summary.title, kTitleBytes);
    AppendGbkPadded(header, DescriptionForSaving(summary.description), kDescriptionBytes);
    for (char& c : header)
        c = static_cast<char>(c ^ kMask);
    return header;
}

// Year, month, day, hour, minute and second out of a 19-character time text, one-digit fields
// with their leading blank or zero.
std::optional<std::string> TimeFields(const std::string& text) {
    if (text.size() < 19)
        return std::nullopt;
    return text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2) + text.substr(11, 2) +
           text.substr(14, 2) + text.substr(17, 2);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// The checked pieces of a save, before any file is touched.
struct WritePlan {
    std::string cipherHeader;  // plain text of the enciphered header
    int valueCount = 0;        // fields written: samples × channels written
    bool twoChannels = false;
    std::array<bool, 2> enabled{};  // the channels written
};

// A channel left out of the file because its statistics read 0: the reader gives it 0.00 for
// every sample, so it may be left out only when that is what every one of its values reads.
std::optional<std::string> CheckLeftOutChannel(const SampleSeries& samples, int channel, int count) {
    const float* values = channel == 0 ? samples.Values1() : samples.Values2();
    for (int i = 0; i < count; ++i) {
        if (std::isnan(values[i]) || !NumberFieldReadsZero(ClampSampleForSave(values[i]))) {
            return "the minimum, maximum and average of channel " + std::to_string(channel + 1) +
                   " are 0.00 but sample " + std::to_string(i) + " is not, so the file would not read back";
        }
    }
    return std::nullopt;
}

std::optional<std::string> PlanWrite(const HistoryDataSet& dataSet, int typeCode, WritePlan& plan) {
    const HistorySummary& summary = dataSet.summary;
    const SummaryTexts texts = SummaryTextsOf(dataSet);
    plan.twoChannels = dataSet.model != LoggerModel::SingleTemperature;
    const std::array<bool, 2> shown = plan.twoChannels ? dataSet.shown : std::array<bool, 2>{true, false};

    auto start = TimeFields(texts.startTime);
    auto stop = TimeFields(texts.stopTime);
    if (!start || !stop)
        return "the start or stop time text is not a full date and time";
    if (summary.intervalSeconds < 0 || summary.intervalSeconds > kMaxInterval) {
        return "the interval of " + std::to_string(summary.intervalSeconds) + " s does not fit the file";
    }
    std::string_view countText = Trimmed(texts.dataLength);
    if (!AllDigits(countText) || countText.size() > kValueCountWidth) {
        return "the value count \"" + texts.dataLength + "\" does not fit the file";
    }
    const int valueCount = ParseIntField(countText);

    const int shownChannels = shown[0] + shown[1];
    if (shownChannels == 0 && valueCount > 0)
        return "neither channel is enabled, so no value can be written";
    if (shownChannels == 2 && valueCount % 2 != 0) {
        return "the value count " + std::to_string(valueCount) + " does not split into whole samples";
    }
    const int sampleCount = shownChannels == 0 ? 0 : valueCount / shownChannels;
    if (sampleCount > dataSet.samples.Count()) {
        return "the value count " + std::to_string(valueCount) + " needs more samples than the " +
               std::to_string(dataSet.samples.Count()) + " held";
    }

    ClampedHeaderValues clamped = ClampBeforeSave(dataSet);
    const std::array<float, 6> statistics = {summary.min1, summary.max1, summary.avg1,
                                             summary.min2, summary.max2, summary.avg2};
    plan.enabled = plan.twoChannels ? ChannelsWritten(dataSet.model, shown, statistics) : shown;
    for (int channel = 0; channel < 2; ++channel) {
        if (shown[channel] && !plan.enabled[channel]) {
            if (auto problem = CheckLeftOutChannel(dataSet.samples, channel, sampleCount))
                return problem;
        }
    }
    const int channelsWritten = plan.enabled[0] + plan.enabled[1];
    if (channelsWritten == 0 && sampleCount > 0) {
        return "every value of both channels is 0.00, and a data file cannot tell such a history from one "
               "without samples";
    }
    plan.valueCount = sampleCount * channelsWritten;
    std::string& text = plan.cipherHeader;
    char typeText[kTypeWidth + 1];
    std::snprintf(typeText, sizeof typeText, "%2d", typeCode);
    text += typeText;
    text += *start;
    text += *stop;
    AppendLeftAligned(text, std::to_string(summary.intervalSeconds), kIntervalWidth);
    AppendLeftAligned(text, std::to_string(plan.valueCount), kValueCountWidth);
    for (int i = 0; i < 6; ++i) {
        if (!plan.twoChannels && i >= 3) {
            text += kAbsentField;
        } else {
            // A channel without values has statistics of 0, or the reader would look for them.
            AppendNumberField(text, plan.enabled[i / 3] ? clamped.statistics[i] : 0.0F);
        }
    }
    text += dataSet.limits.enable1 == 1 ? '1' : '0';
    for (int i = 0; i < 4; ++i) {
        if (!plan.twoChannels && i >= 2) {
            text += kAbsentField;
        } else {
            AppendNumberField(text, clamped.limits[i]);
        }
    }
    for (char c : text) {
        if (!IsNumericCharacter(c))
            return "the header would hold \"" + text + "\", which is not all numbers";
    }
    return std::nullopt;
}

// Appends the number field of one sample value; false when the value is not a number.
bool AppendSampleField(std::string& out, float value) {
    float clamped = ClampSampleForSave(value);
    if (std::isnan(clamped))
        return false;
    AppendNumberField(out, clamped);
    return true;
}

}  // namespace

float ClampSampleForSave(float value) {
    return ClampTemperature(value);
}

std::array<float, 6> ClampStatistics(LoggerModel model, const std::array<float, 6>& s) {
    auto channel2 = Traits(model).channel2IsHumidity ? ClampHumidityStatistic : ClampTemperature;
    return {ClampTemperature(s[0]), ClampTemperature(s[1]), ClampTemperature(s[2]),
            channel2(s[3]),         channel2(s[4]),         channel2(s[5])};
}

std::array<bool, 2> ChannelsWritten(LoggerModel model, std::array<bool, 2> shown,
                                    const std::array<float, 6>& statistics) {
    const std::array<float, 6> written = ClampStatistics(model, statistics);
    for (std::size_t channel = 0; channel < 2; ++channel) {
        const float* three = written.data() + 3 * channel;
        if (NumberFieldReadsZero(three[0]) && NumberFieldReadsZero(three[1]) &&
            NumberFieldReadsZero(three[2]))
            shown[channel] = false;
    }
    return shown;
}

ClampedHeaderValues ClampBeforeSave(const HistoryDataSet& dataSet) {
    const HistorySummary& s = dataSet.summary;
    const HistoryLimits& l = dataSet.limits;
    ClampedHeaderValues clamped;
    clamped.statistics = ClampStatistics(dataSet.model, {s.min1, s.max1, s.avg1, s.min2, s.max2, s.avg2});
    clamped.limits = {ClampTemperature(l.lower1), ClampTemperature(l.upper1), ClampTemperature(l.lower2),
                      ClampTemperature(l.upper2)};
    return clamped;
}

Status WriteDataFile(const std::string& path, const HistoryDataSet& dataSet, std::time_t now) {
    auto typeCode = TypeCodeFor(dataSet.model);
    if (!typeCode)
        return Status::Failure("the history has no logger model to write");
    WritePlan plan;
    if (auto problem = PlanWrite(dataSet, *typeCode, plan))
        return Status::Failure(*problem);

    CCipherFile file(path, CCipherFile::kWrite);
    if (!file.IsWriting())
        return Status::Failure(file.OpenError());
    file.MakeKey(now);
    file.Write(MaskedHeader(file.seeds, dataSet.summary));
    file.position = kMaskedLength;
    file.Write(file.EncipherText(plan.cipherHeader, CCipherFile::kChainStart));

    // Records: 10000 fields a segment; a two-channel sample always writes both of its fields.
    const SampleSeries& samples = dataSet.samples;
    int written = 0;
    int sample = 0;
    std::string segment;
    segment.reserve(kFieldsPerSegment * kFieldWidth + kFieldWidth);
    while (written < plan.valueCount) {
        segment.clear();
        int fields = 0;
        while (fields < kFieldsPerSegment && written + fields < plan.valueCount) {
            for (int channel = 0; channel < 2; ++channel) {
                if (!plan.enabled[channel])
                    continue;
                float value = channel == 0 ? samples.Value1(sample) : samples.Value2(sample);
                if (!AppendSampleField(segment, value)) {
                    file.FailWrite("sample " + std::to_string(sample) + " is not a number");
                    return file.Commit();
                }
                ++fields;
            }
            ++sample;
        }
        file.Write(file.EncipherText(segment, CCipherFile::kChainStart));
        written += fields;
    }
    if (written != plan.valueCount) {
        file.FailWrite("the value count " + std::to_string(plan.valueCount) +
                       " does not split into whole samples");
    }
    return file.Commit();
}

}  // namespace veldrin
