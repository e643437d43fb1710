#include <cmath>
#include <cstdio>

#include "files/DataFile.h"
#include "files/DataFileFields.h"
#include "files/DataFileLayout.h"
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
    int valueCount = 0;
    bool twoChannels = false;
    std::array<bool, 2> enabled{};
};

std::optional<std::string> PlanWrite(const HistoryDataSet& dataSet, int typeCode, WritePlan& plan) {
    const HistorySummary& summary = dataSet.summary;
    plan.twoChannels = dataSet.model != LoggerModel::SingleTemperature;
    plan.enabled = plan.twoChannels ? dataSet.shown : std::array<bool, 2>{true, false};

    auto start = TimeFields(summary.startTime);
    auto stop = TimeFields(summary.stopTime);
    if (!start || !stop)
        return "the start or stop time text is not a full date and time";
    if (summary.intervalSeconds < 0 || summary.intervalSeconds > kMaxInterval) {
        return "the interval of " + std::to_string(summary.intervalSeconds) + " s does not fit the file";
    }
    std::string_view countText = Trimmed(summary.dataLength);
    if (!AllDigits(countText) || countText.size() > kValueCountWidth) {
        return "the value count \"" + summary.dataLength + "\" does not fit the file";
    }
    plan.valueCount = ParseIntField(countText);

    int channels = plan.enabled[0] + plan.enabled[1];
    if (channels == 0 && plan.valueCount > 0)
        return "neither channel is enabled, so no value can be written";
    int samplesNeeded = channels == 0 ? 0 : (plan.valueCount + channels - 1) / channels;
    if (samplesNeeded > dataSet.samples.Count()) {
        return "the value count " + std::to_string(plan.valueCount) + " needs more samples than the " +
               std::to_string(dataSet.samples.Count()) + " held";
    }

    ClampedHeaderValues clamped = ClampBeforeSave(dataSet);
    std::string& text = plan.cipherHeader;
    char typeText[kTypeWidth + 1];
    std::snprintf(typeText, sizeof typeText, "%2d", typeCode);
    text += typeText;
    text += *start;
    text += *stop;
    AppendLeftAligned(text, std::to_string(summary.intervalSeconds), kIntervalWidth);
    AppendLeftAligned(text, countText, kValueCountWidth);
    for (int i = 0; i < 6; ++i) {
        if (!plan.twoChannels && i >= 3) {
            text += kAbsentField;
        } else {
            AppendNumberField(text, clamped.statistics[i]);
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

ClampedHeaderValues ClampBeforeSave(const HistoryDataSet& dataSet) {
    const HistorySummary& s = dataSet.summary;
    const HistoryLimits& l = dataSet.limits;
    bool humidity = dataSet.model == LoggerModel::TemperatureHumidity;
    auto channel2 = humidity ? ClampHumidityStatistic : ClampTemperature;
    ClampedHeaderValues clamped;
    clamped.statistics = {ClampTemperature(s.min1), ClampTemperature(s.max1), ClampTemperature(s.avg1),
                          channel2(s.min2),         channel2(s.max2),         channel2(s.avg2)};
    clamped.limits = {ClampTemperature(l.lower1), ClampTemperature(l.upper1), ClampTemperature(l.lower2),
                      ClampTemperature(l.upper2)};
    return clamped;
}

SaveResult WriteDataFile(const std::string& path, const HistoryDataSet& dataSet, std::time_t now) {
    auto typeCode = TypeCodeFor(dataSet.model);
    if (!typeCode)
        return SaveResult::Failure("the history has no logger model to write");
    WritePlan plan;
    if (auto problem = PlanWrite(dataSet, *typeCode, plan))
        return SaveResult::Failure(*problem);

    CCipherFile file(path, CCipherFile::kWrite);
    if (!file.IsWriting())
        return SaveResult::Failure(file.OpenError());
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
