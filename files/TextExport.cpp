#include "files/TextExport.h"

#include <charconv>
#include <ctime>

#include "files/DataFileFields.h"
#include "files/LineFile.h"
#include "history/HistoryText.h"
#include "logger/Gbk.h"

namespace veldrin {
namespace {

constexpr std::size_t kNumberWidth = 7;
constexpr std::size_t kTimeWidth = 15;
constexpr std::size_t kValueWidth = 10;

void AppendNumber(std::string& out, long long number) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// "%-7d"
void AppendRowNumber(std::string& out, int number) {
    std::size_t start = out.size();
    AppendNumber(out, number);
    std::size_t length = out.size() - start;
    if (length < kNumberWidth)
        out.append(kNumberWidth - length, ' ');
}

// "%d-%d-%d %d:%d:%02d" of a local time: only the seconds zero-padded.
std::string OneChannelTime(std::time_t time) {
    std::tm f{};
    localtime_r(&time, &f);
    std::string text;
    AppendNumber(text, f.tm_year + 1900);
    text += '-';
    AppendNumber(text, f.tm_mon + 1);
    text += '-';
    AppendNumber(text, f.tm_mday);
    text += ' ';
    AppendNumber(text, f.tm_hour);
    text += ':';
    AppendNumber(text, f.tm_min);
    text += ':';
    text += static_cast<char>('0' + f.tm_sec / 10);
    text += static_cast<char>('0' + f.tm_sec % 10);
    return text;
}

// The seven lines every layout starts with, as UTF-8 label + text pairs.
std::vector<std::string> GeneralLines(const SummaryTexts& s) {
    return {"标题:" + s.title,          "仪表名称:" + s.instrumentName, "启用通道数:" + s.enabledChannels,
            "数据长度:" + s.dataLength, "开始时间:" + s.startTime,      "停止时间:" + s.stopTime,
            "时间间隔:" + s.interval};
}

std::vector<std::string> ChannelLines(const std::string& number, const std::string& name,
                                      const std::string& unit, const std::string& min, const std::string& max,
                                      const std::string& avg) {
    return {"通道号:" + number, "通道名称:" + name, "通道单位:" + unit,
            "最小值:" + min,    "最大值:" + max,    "平均值:" + avg};
}

std::vector<std::string> Channel1Lines(const SummaryTexts& s) {
    return ChannelLines(s.channel1Number, s.channel1Name, s.channel1Unit, s.channel1Min, s.channel1Max,
                        s.channel1Avg);
}

std::string DescriptionLine(const SummaryTexts& s) {
    return "记录仪描述:" + DescriptionForSaving(s.description);
}

CLineFile OneChannelLines(const HistoryDataSet& dataSet) {
    const SummaryTexts s = SummaryTextsOf(dataSet);
    CLineFile file;
    for (const auto& line : GeneralLines(s))
        file.Add(ToGbk(line));
    for (const auto& line : Channel1Lines(s))
        file.Add(ToGbk(line));
    file.Add(ToGbk(DescriptionLine(s)));
    file.Add(ToGbk("序号\t时间\t\t    温度(°C)"));
    const SampleSeries& samples = dataSet.samples;
    for (int i = 0; i < samples.Count(); ++i) {
        std::string row;
        AppendRowNumber(row, i);
        AppendLeftAligned(row, OneChannelTime(samples.Time(i)), kTimeWidth);
        AppendFixed2Padded(row, samples.Value1(i), kValueWidth);
        file.Add(std::move(row));
    }
    return file;
}

std::string TwoChannelText(const HistoryDataSet& dataSet) {
    const SummaryTexts s = SummaryTextsOf(dataSet);
    std::string header;
    auto addLine = [&header](const std::string& line) { header += line + "\r\n"; };
    for (const auto& line : GeneralLines(s))
        addLine(line);
    for (const auto& line : Channel1Lines(s))
        addLine(line);
    for (const auto& line : ChannelLines(s.channel2Number, s.channel2Name, s.channel2Unit, s.channel2Min,
                                         s.channel2Max, s.channel2Avg)) {
        addLine(line);
    }
    addLine(DescriptionLine(s));
    addLine("序号   时间\t              " + s.channel1Name + std::string(12, ' ') + s.channel2Name);

    std::string text = ToGbk(header);
    const std::string unit1 = ToGbk(s.channel1Unit);
    const std::string unit2 = ToGbk(s.channel2Unit);
    const SampleSeries& samples = dataSet.samples;
    text.reserve(text.size() + static_cast<std::size_t>(samples.Count()) * 64);
    TimeTextWriter times(RecordedTimeStyle(dataSet));
    std::string time;
    for (int i = 0; i < samples.Count(); ++i) {
        AppendRowNumber(text, i + 1);
        times.Write(samples.Time(i), time);
        AppendLeftAligned(text, time, kTimeWidth);
        AppendFixed2Padded(text, samples.Value1(i), kValueWidth);
        text += unit1;
        AppendFixed2Padded(text, samples.Value2(i), kValueWidth);
        text += unit2;
        text += "\r\n";
    }
    return text;
}

}  // namespace

TextLayout TextLayoutFor(LoggerModel model) {
    return Traits(model).channelCount == 2 ? TextLayout::TwoChannel : TextLayout::OneChannel;
}

std::string BuildTextExport(const HistoryDataSet& dataSet) {
    if (TextLayoutFor(dataSet.model) == TextLayout::TwoChannel)
        return TwoChannelText(dataSet);
    return OneChannelLines(dataSet).Content();
}

Status WriteTextExport(const std::string& path, const HistoryDataSet& dataSet) {
    if (TextLayoutFor(dataSet.model) == TextLayout::TwoChannel) {
        return SaveFileAtomically(path, TwoChannelText(dataSet));
    }
    return OneChannelLines(dataSet).WriteLines({}, {}, path);
}

}  // namespace veldrin
