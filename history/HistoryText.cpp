#include "history/HistoryText.h"

#include <charconv>
#include <cstdio>

#include "logger/TextFormat.h"

namespace veldrin {
namespace {

constexpr std::time_t kSecondsPerDay = 86400;

std::string FormatWithUnit(const char* format, float value) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<double>(value));
    return text;
}

// A field of a time text: two digits, or a blank and the digit below ten.
char* Field(char* out, int value, TimeStyle style) {
    if (style == TimeStyle::BlankPadded && value >= 0 && value < 10) {
        *out++ = ' ';
        *out++ = static_cast<char>('0' + value);
        return out;
    }
    if (style == TimeStyle::BlankPadded || value < 0 || value > 99)
        return std::to_chars(out, out + 12, value).ptr;
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

std::size_t WriteFields(char* out, const std::array<int, 6>& f, TimeStyle style) {
    char* p = std::to_chars(out, out + 12, f[0]).ptr;
    const std::pair<char, int> rest[] = {{'-', f[1]}, {'-', f[2]}, {' ', f[3]}, {':', f[4]}, {':', f[5]}};
    for (auto [separator, value] : rest) {
        *p++ = separator;
        p = Field(p, value, style);
    }
    return static_cast<std::size_t>(p - out);
}

// The texts a summary shows before any history.
constexpr const char* kStartTimeText = "2008-01-01 00:00:00";
constexpr const char* kStartIntervalText = "1s";
constexpr const char* kStartMinText = "0";
constexpr const char* kStartMaxText = "100";
constexpr const char* kStartAvgText = "50";

}  // namespace

std::string FormatTemperature(float celsius, TemperatureUnit unit) {
    if (unit == TemperatureUnit::Celsius)
        return FormatWithUnit("%.2f°C", celsius);
    char text[64];
    std::snprintf(text, sizeof text, "%.2f°F", TemperatureInUnit(celsius, unit));
    return text;
}

std::string FormatHumidity(float value) {
    return FormatWithUnit("%.2f%%", value);
}

std::string FormatChannelValue(float value, bool humidity, TemperatureUnit unit) {
    return humidity ? FormatHumidity(value) : FormatTemperature(value, unit);
}

int TimeTextWriter::LookUpDay(std::time_t time) {
    std::tm fields{};
    localtime_r(&time, &fields);
    year_ = fields.tm_year + 1900;
    month_ = fields.tm_mon + 1;
    day_ = fields.tm_mday;
    const int secondOfDay = fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec;
    dayStart_ = time - secondOfDay;
    dayEnd_ = dayStart_ + kSecondsPerDay;
    // A day with a clock change is not 86400 seconds from midnight to midnight: leave it to
    // localtime_r time by time.
    std::tm last{};
    const std::time_t lastSecond = dayEnd_ - 1;
    localtime_r(&lastSecond, &last);
    if (last.tm_gmtoff != fields.tm_gmtoff || last.tm_mday != day_ || last.tm_hour != 23 ||
        last.tm_min != 59 || last.tm_sec != 59) {
        dayEnd_ = dayStart_;
    }
    return secondOfDay;
}

void TimeTextWriter::Write(std::time_t time, std::string& text) {
    const int secondOfDay =
        time >= dayStart_ && time < dayEnd_ ? static_cast<int>(time - dayStart_) : LookUpDay(time);
    char buffer[64];
    const std::size_t length = WriteFields(
        buffer, {year_, month_, day_, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60}, style_);
    text.assign(buffer, length);
}

std::string TimeTextWriter::Text(std::time_t time) {
    std::string text;
    Write(time, text);
    return text;
}

std::string BlankPaddedFields(const std::array<int, 6>& fields) {
    return FieldsText(fields, TimeStyle::BlankPadded);
}

std::string FieldsText(const std::array<int, 6>& fields, TimeStyle style) {
    char buffer[96];
    return std::string(buffer, WriteFields(buffer, fields, style));
}

TimeStyle RecordedTimeStyle(const HistoryDataSet& history) {
    const bool fromFile = history.fileKind != 0 || history.summary.source == SummarySource::DataFile;
    return fromFile ? TimeStyle::BlankPadded : TimeStyle::ZeroPadded;
}

TimeStyle SampleTimeStyle(const HistoryDataSet& history) {
    return ShownTimeStyle(RecordedTimeStyle(history));
}

std::string SampleTimeText(const HistoryDataSet& history, int index) {
    return TimeTextWriter(SampleTimeStyle(history)).Text(history.samples.Time(index));
}

namespace {

// The summary's figures of the temperature channels in `unit`, for a history with figures.
void ShowSummaryFiguresIn(const HistoryDataSet& history, TemperatureUnit unit, SummaryTexts& t) {
    const HistorySummary& s = history.summary;
    const bool download = s.source == SummarySource::Download;
    const auto figure = [&](float celsius) {
        return download ? FormatTemperature(celsius, unit) : Printf("%.2f", TemperatureInUnit(celsius, unit));
    };
    t.channel1Unit = ChannelUnitText(s.channel1Unit, unit);
    t.channel1Min = figure(s.min1);
    t.channel1Max = figure(s.max1);
    t.channel1Avg = figure(s.avg1);
    const LoggerModel model = RecordedModel(history);
    if (HasSecondChannel(model) && !Traits(model).channel2IsHumidity) {
        t.channel2Unit = ChannelUnitText(s.channel2Unit, unit);
        t.channel2Min = figure(s.min2);
        t.channel2Max = figure(s.max2);
        t.channel2Avg = figure(s.avg2);
    }
}

}  // namespace

SummaryTexts SummaryTextsOf(const HistoryDataSet& history, TemperatureUnit unit) {
    const HistorySummary& s = history.summary;
    SummaryTexts t;
    t.title = s.title;
    t.instrumentName = s.instrumentName;
    t.description = s.description;
    t.channel1Number = "1";
    t.channel1Name = s.channel1Name;
    t.channel1Unit = s.channel1Unit;
    t.channel2Number = s.channel2Number == 0 ? " " : std::to_string(s.channel2Number);
    t.channel2Name = s.channel2Name;
    t.channel2Unit = s.channel2Unit;
    t.channel1Min = t.channel2Min = kStartMinText;
    t.channel1Max = t.channel2Max = kStartMaxText;
    t.channel1Avg = t.channel2Avg = kStartAvgText;
    switch (s.source) {
        case SummarySource::None:
            t.enabledChannels = "1";
            t.dataLength = "0";
            t.startTime = t.stopTime = kStartTimeText;
            t.interval = kStartIntervalText;
            return t;
        case SummarySource::Download: {
            TimeTextWriter times(TimeStyle::ZeroPadded);
            t.startTime = times.Text(s.start);
            t.stopTime = times.Text(s.stop);
            t.channel1Min = FormatTemperature(s.min1);
            t.channel1Max = FormatTemperature(s.max1);
            t.channel1Avg = FormatTemperature(s.avg1);
            if (HasSecondChannel(history.model)) {
                const bool humidity = Traits(history.model).channel2IsHumidity;
                t.channel2Min = FormatChannelValue(s.min2, humidity);
                t.channel2Max = FormatChannelValue(s.max2, humidity);
                t.channel2Avg = FormatChannelValue(s.avg2, humidity);
            }
            break;
        }
        case SummarySource::DataFile:
            t.startTime = TimeTextWriter(TimeStyle::BlankPadded).Text(s.start);
            t.stopTime = BlankPaddedFields(s.storedStopFields);
            t.channel1Min = s.storedStatistics[0];
            t.channel1Max = s.storedStatistics[1];
            t.channel1Avg = s.storedStatistics[2];
            t.channel2Min = s.storedStatistics[3];
            t.channel2Max = s.storedStatistics[4];
            t.channel2Avg = s.storedStatistics[5];
            break;
    }
    t.enabledChannels = std::to_string(s.enabledChannelCount);
    t.dataLength = std::to_string(s.dataLengthValue);
    t.interval = std::to_string(s.intervalSeconds) + "s";
    if (unit != TemperatureUnit::Celsius)
        ShowSummaryFiguresIn(history, unit, t);
    return t;
}

SummaryTexts ShownSummaryTexts(const HistoryDataSet& history, TemperatureUnit unit) {
    SummaryTexts t = SummaryTextsOf(history, unit);
    const HistorySummary& s = history.summary;
    if (s.source == SummarySource::None) {
        t.title = text::translate("veldrin::HistorySummary", t.title.c_str());
        t.instrumentName = text::translate("veldrin::HistorySummary", t.instrumentName.c_str());
    }
    t.instrumentName = ShownModelText(t.instrumentName);
    t.channel1Name = ShownModelText(t.channel1Name);
    t.channel2Name = ShownModelText(t.channel2Name);
    if (s.source == SummarySource::DataFile &&
        ShownTimeStyle(TimeStyle::BlankPadded) != TimeStyle::BlankPadded) {
        t.startTime = TimeTextWriter(TimeStyle::ZeroPadded).Text(s.start);
        t.stopTime = FieldsText(s.storedStopFields, TimeStyle::ZeroPadded);
    }
    return t;
}

std::string CompletenessName() {
    return text::translate("veldrin::HistoryText", kCompletenessName);
}

std::string CompletenessText(const HistoryDataSet& history) {
    if (!history.Partial())
        return {};
    return Printf(text::translate("veldrin::HistoryText", "不完整：收到%d条，共%d条").c_str(),
                  history.samples.Count(), history.expectedReadings);
}

}  // namespace veldrin
