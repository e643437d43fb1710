#include "files/CsvExport.h"

#include <vector>

#include "files/DataFileFields.h"
#include "files/IsoTime.h"
#include "history/DewPoint.h"
#include "history/ListColumns.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kLineEnd = "\r\n";

// A field quoted as CSV asks when it holds a separator, a quote or a line break.
std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Header(const HistoryDataSet& history, const std::vector<int>& channels, TemperatureUnit unit,
                   bool dewPoint) {
    std::string header = Field(text::translate("veldrin::CsvExport", "索引")) + "," +
                         Field(text::translate("veldrin::CsvExport", "时间"));
    for (const int channel : channels)
        header += "," + Field(ChannelColumnTitle(history, channel, unit));
    if (dewPoint)
        header += "," + Field(DewPointName() + " (" + UnitText(unit) + ")");
    for (const int channel : channels)
        header += "," + Field(AlarmColumnTitle(history, channel));
    return header + kLineEnd;
}

}  // namespace

std::vector<int> ExportedChannels(const HistoryDataSet& history) {
    std::vector<int> channels;
    for (int channel = 1; channel <= 2; ++channel) {
        if (ChannelHasValues(history, channel))
            channels.push_back(channel);
    }
    return channels;
}

std::string ChannelColumnTitle(const HistoryDataSet& history, int channel, TemperatureUnit unit) {
    const HistorySummary& s = history.summary;
    return channel == 1 ? ShownModelText(s.channel1Name) + " (" + ChannelUnitText(s.channel1Unit, unit) + ")"
                        : ShownModelText(s.channel2Name) + " (" + ChannelUnitText(s.channel2Unit, unit) + ")";
}

std::string AlarmColumnTitle(const HistoryDataSet& history, int channel) {
    return AlarmColumnHeader(channel == 1 ? history.summary.channel1Name : history.summary.channel2Name);
}

float ExportedValue(const HistoryDataSet& history, int channel, float value, TemperatureUnit unit) {
    const bool temperature = channel == 1 || !Traits(RecordedModel(history)).channel2IsHumidity;
    return temperature ? static_cast<float>(TemperatureInUnit(value, unit)) : value;
}

AlarmStateTexts ShownAlarmStates() {
    return {text::translate("veldrin::CsvExport", "正常"), text::translate("veldrin::CsvExport", "低于下限"),
            text::translate("veldrin::CsvExport", "高于上限")};
}

const std::string& CsvAlarmState(const HistoryDataSet& history, int channel, float value,
                                 const AlarmStateTexts& states) {
    static const std::string kAlarmOff;
    const HistoryLimits& limits = history.limits;
    if (limits.enable1 == 0)
        return kAlarmOff;
    const float lower = channel == 1 ? limits.lower1 : limits.lower2;
    const float upper = channel == 1 ? limits.upper1 : limits.upper2;
    if (value < lower)
        return states.below;
    if (value > upper)
        return states.above;
    return states.normal;
}

std::string CsvAlarmState(const HistoryDataSet& history, int channel, float value) {
    return CsvAlarmState(history, channel, value, ShownAlarmStates());
}

bool ExportsDewPoint(const HistoryDataSet& history) {
    return HasDewPoint(history) && ExportedChannels(history).size() == 2;
}

std::string BuildCsvExport(const HistoryDataSet& history, TemperatureUnit unit, bool dewPoint) {
    const std::vector<int> channels = ExportedChannels(history);
    dewPoint = dewPoint && ExportsDewPoint(history);
    const SampleSeries& samples = history.samples;
    std::string csv = kByteOrderMark + Header(history, channels, unit, dewPoint);
    const AlarmStateTexts states = ShownAlarmStates();
    csv.reserve(csv.size() + static_cast<std::size_t>(samples.Count()) * 72);
    for (int i = 0; i < samples.Count(); ++i) {
        csv += std::to_string(i);
        csv += ',';
        csv += FormatIsoTime(samples.Time(i));
        for (const int channel : channels) {
            csv += ',';
            AppendFixed2(csv, ExportedValue(history, channel,
                                            channel == 1 ? samples.Value1(i) : samples.Value2(i), unit));
        }
        if (dewPoint) {
            csv += ',';
            AppendFixed2(
                csv, ExportedValue(history, 1,
                                   static_cast<float>(DewPoint(samples.Value1(i), samples.Value2(i))), unit));
        }
        for (const int channel : channels) {
            csv += ',';
            csv +=
                CsvAlarmState(history, channel, channel == 1 ? samples.Value1(i) : samples.Value2(i), states);
        }
        csv += kLineEnd;
    }
    return csv;
}

Status WriteCsvExport(const std::string& path, const HistoryDataSet& history, TemperatureUnit unit,
                      bool dewPoint) {
    return SaveFileAtomically(path, BuildCsvExport(history, unit, dewPoint));
}

}  // namespace veldrin
