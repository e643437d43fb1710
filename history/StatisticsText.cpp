#include "history/StatisticsText.h"

#include "logger/TextFormat.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr const char* kNone = "—";

std::string LimitName(LimitSide side) {
    return side == LimitSide::Below ? "下限" : "上限";
}

void AddLimitRows(std::vector<FigureRow>& rows, const HistoryStatistics& statistics, LimitSide side) {
    const std::string beyond = BeyondText(side);
    FigureRow limit{LimitName(side), {}};
    FigureRow count{beyond + "次数", {}};
    FigureRow time{beyond + "累计时长", {}};
    FigureRow longest{"最长一次" + beyond, {}};
    FigureRow first{"首次" + beyond, {}};
    for (const ChannelStatistics& channel : statistics.channels) {
        if (!channel.alarmOn) {
            // A computed channel has no limits of its own.
            for (FigureRow* row : {&limit, &count, &time, &longest, &first})
                row->texts.push_back(kNone);
            continue;
        }
        const LimitStatistics& figures = side == LimitSide::Below ? channel.below : channel.above;
        limit.texts.push_back(FormatFigure(channel, figures.limit));
        count.texts.push_back(Printf("%d次", figures.Count()));
        time.texts.push_back(FormatDuration(figures.secondsBeyond));
        const Excursion* run = figures.Longest();
        longest.texts.push_back(run == nullptr ? kNone
                                               : FormatDuration(run->seconds) + "，" +
                                                     FormatStatisticsTime(run->start) + "起");
        first.texts.push_back(figures.First() == nullptr ? kNone
                                                         : FormatStatisticsTime(figures.First()->start));
    }
    for (FigureRow* row : {&limit, &count, &time, &longest, &first})
        rows.push_back(std::move(*row));
}

}  // namespace

std::string FormatDuration(long long seconds) {
    if (seconds < 0)
        return "-" + FormatDuration(-seconds);
    const long long days = seconds / 86400;
    const long long hours = seconds / 3600 % 24;
    const long long minutes = seconds / 60 % 60;
    const long long rest = seconds % 60;
    std::string text;
    if (days > 0)
        text += Printf("%lld天", days);
    if (!text.empty() || hours > 0)
        text += Printf("%lld小时", hours);
    if (!text.empty() || minutes > 0)
        text += Printf("%lld分", minutes);
    return text + Printf("%lld秒", rest);
}

std::string FormatStatisticsTime(std::time_t time) {
    return FormatTime(time, TimeStyle::ZeroPadded);
}

std::string FormatFigure(const ChannelStatistics& channel, double value) {
    return Printf("%.2f", value) + channel.unit;
}

std::string ChannelTitle(const ChannelStatistics& channel) {
    return channel.name + " (" + channel.unit + ")";
}

std::string BeyondText(LimitSide side) {
    return side == LimitSide::Below ? "低于下限" : "高于上限";
}

std::string LimitText(const ChannelStatistics& channel, const LimitStatistics& limit) {
    return BeyondText(limit.side) + " " + FormatFigure(channel, limit.limit);
}

std::vector<NamedText> PeriodRows(const RecordingPeriod& period) {
    if (period.readings == 0)
        return {{"读数", "0"}};
    return {{"开始时间", FormatStatisticsTime(period.first)},
            {"结束时间", FormatStatisticsTime(period.last)},
            {"时间跨度", FormatDuration(period.spanSeconds)},
            {"记录时长", FormatDuration(period.recordedSeconds)},
            {"记录间隔", Printf("%ds", period.intervalSeconds)},
            {"读数", Printf("%d", period.readings)}};
}

std::vector<FigureRow> FigureRows(const HistoryStatistics& statistics) {
    std::vector<FigureRow> rows;
    auto add = [&](std::string name, auto text) {
        FigureRow row{std::move(name), {}};
        for (const ChannelStatistics& channel : statistics.channels)
            row.texts.push_back(text(channel));
        rows.push_back(std::move(row));
    };
    add("通道", [](const ChannelStatistics& c) { return ChannelTitle(c); });
    add("读数", [](const ChannelStatistics& c) { return Printf("%d", c.readings); });
    add("最小值", [](const ChannelStatistics& c) { return FormatFigure(c, c.minimum.value); });
    add("最小值时间", [](const ChannelStatistics& c) { return FormatStatisticsTime(c.minimum.time); });
    add("最大值", [](const ChannelStatistics& c) { return FormatFigure(c, c.maximum.value); });
    add("最大值时间", [](const ChannelStatistics& c) { return FormatStatisticsTime(c.maximum.time); });
    add("平均值", [](const ChannelStatistics& c) { return FormatFigure(c, c.average); });
    add("标准差", [](const ChannelStatistics& c) { return FormatFigure(c, c.standardDeviation); });
    add("平均动力学温度(MKT)", [](const ChannelStatistics& c) {
        return c.meanKineticTemperature ? FormatFigure(c, *c.meanKineticTemperature) : std::string(kNone);
    });
    if (!statistics.alarmOn) {
        add("报警", [](const ChannelStatistics&) { return std::string("未启用"); });
        return rows;
    }
    AddLimitRows(rows, statistics, LimitSide::Below);
    AddLimitRows(rows, statistics, LimitSide::Above);
    return rows;
}

ExcursionCells ExcursionCellsOf(const ListedExcursion& listed) {
    const ChannelStatistics& channel = *listed.channel;
    const Excursion& run = *listed.excursion;
    return {channel.name,
            LimitText(channel, *listed.limit),
            FormatStatisticsTime(run.start),
            FormatStatisticsTime(run.end),
            FormatDuration(run.seconds),
            FormatFigure(channel, run.extreme)};
}

Verdict VerdictOf(const HistoryStatistics& statistics) {
    if (statistics.period.readings == 0)
        return Verdict::NoReadings;
    if (!statistics.alarmOn)
        return Verdict::AlarmOff;
    return statistics.ExcursionCount() == 0 ? Verdict::WithinLimits : Verdict::Excursions;
}

std::string VerdictText(const HistoryStatistics& statistics) {
    switch (VerdictOf(statistics)) {
        case Verdict::NoReadings:
            return "没有读数";
        case Verdict::AlarmOff:
            return "报警未启用，未按限值判定";
        case Verdict::WithinLimits:
            return "全部读数均在限值内";
        case Verdict::Excursions:
            break;
    }
    return Printf("超限%d次，累计超限", statistics.ExcursionCount()) +
           FormatDuration(statistics.SecondsBeyond());
}

}  // namespace veldrin
