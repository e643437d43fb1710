#include "print/PrintSelection.h"

#include <QCoreApplication>

#include "history/HistoryText.h"
#include "logger/TextFormat.h"
#include "print/PageText.h"
#include "print/PrintFormat.h"

namespace veldrin {
namespace {

// Smallest, largest and mean of one channel over the selection. The extremes start at the stored
// value of the first selected sample even for a channel that is not shown; such a channel is not
// compared and its mean is 0.
struct ChannelStatistics {
    float min = 0, max = 0, avg = 0;
};

ChannelStatistics StatisticsOf(const float* values, int count, float firstStored, bool shown) {
    ChannelStatistics statistics{firstStored, firstStored, 0};
    if (!shown)
        return statistics;
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        const float value = values[i];
        if (value > statistics.max)
            statistics.max = value;
        if (value < statistics.min)
            statistics.min = value;
        sum += value;
    }
    statistics.avg = static_cast<float>(sum / count);
    return statistics;
}

std::array<float, 5> AxisLabels(float min, float max, TemperatureUnit unit) {
    const float top = ValueInUnit(max, unit);
    const float step = (top - ValueInUnit(min, unit)) / 4;
    std::array<float, 5> labels{};
    for (int k = 0; k < 5; ++k)
        labels[k] = top - static_cast<float>(k) * step;
    return labels;
}

std::array<std::string, kSummaryLineCount> SummaryLinesOf(const HistoryDataSet& history,
                                                          const PrintSelection& selection) {
    const TemperatureUnit unit = selection.unit;
    const SummaryTexts summary = ShownSummaryTexts(history, unit);
    const std::string& unit2 = summary.channel2Unit;
    const TemperatureUnit shown2 = ChannelUnit(history, 2, unit);
    const auto figure2 = [&](float value) {
        return Printf("%.2f", static_cast<double>(ValueInUnit(value, shown2))) + unit2;
    };
    const int dataLength = (ChannelPrinted(history, 1) ? selection.count : 0) +
                           (ChannelPrinted(history, 2) ? selection.count : 0);
    const QString minimum = QCoreApplication::translate("PrintSelection", "最小值：%1");
    const QString maximum = QCoreApplication::translate("PrintSelection", "最大值：%1");
    const QString mean = QCoreApplication::translate("PrintSelection", "平均值：%1");
    const QString number = QCoreApplication::translate("PrintSelection", "通道号：%1");
    const QString name = QCoreApplication::translate("PrintSelection", "通道名称：%1");
    const QString channelUnit = QCoreApplication::translate("PrintSelection", "通道单位：%1");
    return {
        FilledText(QCoreApplication::translate("PrintSelection", "标题：%1"), summary.title),
        FilledText(QCoreApplication::translate("PrintSelection", "仪表名称：%1"), summary.instrumentName),
        FilledText(QCoreApplication::translate("PrintSelection", "启用通道数：%1"), summary.enabledChannels),
        FilledText(QCoreApplication::translate("PrintSelection", "数据长度：%1"), Printf("%d", dataLength)),
        FilledText(QCoreApplication::translate("PrintSelection", "开始时间： %1"),
                   FormatPrintTime(selection.firstTime)),
        FilledText(QCoreApplication::translate("PrintSelection", "停止时间： %1"),
                   FormatPrintTime(selection.lastTime)),
        FilledText(QCoreApplication::translate("PrintSelection", "间隔时间：%1"), summary.interval),
        FilledText(number, summary.channel1Number),
        FilledText(name, summary.channel1Name),
        FilledText(channelUnit, summary.channel1Unit),
        FilledText(minimum, FormatTemperature(selection.min1, unit)),
        FilledText(maximum, FormatTemperature(selection.max1, unit)),
        FilledText(mean, FormatTemperature(selection.avg1, unit)),
        FilledText(number, summary.channel2Number),
        FilledText(name, summary.channel2Name),
        FilledText(channelUnit, unit2),
        FilledText(minimum, figure2(selection.min2)),
        FilledText(maximum, figure2(selection.max2)),
        FilledText(mean, figure2(selection.avg2)),
        FilledText(QCoreApplication::translate("PrintSelection", "记录仪描述：%1"), summary.description),
    };
}

}  // namespace

std::vector<std::time_t> ParseHistoryTimes(const HistoryDataSet& history) {
    const SampleSeries& samples = history.samples;
    std::vector<std::time_t> times(static_cast<std::size_t>(samples.Count()));
    for (int k = 0; k < samples.Count(); ++k)
        times[k] = samples.Time(k);
    return times;
}

bool OutsideHistory(const std::vector<std::time_t>& historyTimes, std::time_t time) {
    return historyTimes.empty() || time < historyTimes.front() || time > historyTimes.back();
}

int FindStartIndex(const std::vector<std::time_t>& historyTimes, std::time_t start) {
    int index = -1;
    for (std::size_t k = 0; k < historyTimes.size(); ++k) {
        if (start > historyTimes[k])
            index = static_cast<int>(k) + 1;
        if (start == historyTimes[k])
            index = static_cast<int>(k);
    }
    return index;
}

int FindStopIndex(const std::vector<std::time_t>& historyTimes, std::time_t stop) {
    int index = -1;
    for (std::size_t k = 0; k < historyTimes.size(); ++k) {
        if (stop >= historyTimes[k])
            index = static_cast<int>(k);
    }
    return index;
}

PrintSelection SelectForPrint(const HistoryDataSet& history, const std::vector<std::time_t>& historyTimes,
                              std::time_t start, std::time_t stop, TemperatureUnit unit) {
    PrintSelection selection;
    selection.unit = unit;
    const int first = FindStartIndex(historyTimes, start);
    const int last = FindStopIndex(historyTimes, stop);
    if (first < 0 || last < 0 || last < first)
        return selection;

    const SampleSeries& samples = history.samples;
    const int count = last - first + 1;
    selection.firstIndex = first;
    selection.lastIndex = last;
    selection.count = count;
    selection.values1.assign(samples.Values1() + first, samples.Values1() + last + 1);
    selection.values2.assign(samples.Values2() + first, samples.Values2() + last + 1);
    if (!ChannelPrinted(history, 1))
        selection.values1.assign(static_cast<std::size_t>(count), 0.0f);
    if (!ChannelPrinted(history, 2))
        selection.values2.assign(static_cast<std::size_t>(count), 0.0f);
    selection.times.assign(historyTimes.begin() + first, historyTimes.begin() + last + 1);

    const ChannelStatistics channel1 =
        StatisticsOf(selection.values1.data(), count, samples.Value1(first), ChannelPrinted(history, 1));
    const ChannelStatistics channel2 =
        StatisticsOf(selection.values2.data(), count, samples.Value2(first), ChannelPrinted(history, 2));
    selection.min1 = channel1.min;
    selection.max1 = channel1.max;
    selection.avg1 = channel1.avg;
    selection.min2 = channel2.min;
    selection.max2 = channel2.max;
    selection.avg2 = channel2.avg;

    selection.firstTime = selection.times.front();
    selection.lastTime = selection.times.back();
    selection.summaryLines = SummaryLinesOf(history, selection);
    selection.labels1 = AxisLabels(selection.min1, selection.max1, ChannelUnit(history, 1, unit));
    selection.labels2 = AxisLabels(selection.min2, selection.max2, ChannelUnit(history, 2, unit));
    return selection;
}

int TextPageCount(int sampleCount, int rowsPerPage) {
    return 1 + sampleCount / rowsPerPage + (sampleCount % rowsPerPage != 0 ? 1 : 0);
}

int StripCountFor(int curvePages) {
    return (curvePages - 1) * 3;
}

int PageCountFor(PrintMode mode, const PrintSelection& selection, int requestedCurvePages) {
    return mode == PrintMode::Curve ? requestedCurvePages : TextPageCount(selection.count);
}

bool HasSecondChannel(const HistoryDataSet& history) {
    return HasSecondChannel(history.model);
}

bool ChannelPrinted(const HistoryDataSet& history, int channel) {
    if (channel == 1)
        return history.shown[0];
    return history.shown[1] && HasSecondChannel(history);
}

TemperatureUnit ChannelUnit(const HistoryDataSet& history, int channel, TemperatureUnit unit) {
    return channel == 2 && Traits(history.model).channel2IsHumidity ? TemperatureUnit::Celsius : unit;
}

float ValueInUnit(float celsius, TemperatureUnit unit) {
    return static_cast<float>(TemperatureInUnit(celsius, unit));
}

}  // namespace veldrin
