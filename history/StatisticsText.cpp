#include "history/StatisticsText.h"

#include "logger/TextFormat.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

constexpr const char* kNone = "—";

std::string Translated(const char* text) {
    return text::translate("veldrin::StatisticsText", text);
}

// The names of the rows of one limit, each a whole text of its own.
struct LimitRowNames {
    const char* limit;
    const char* count;
    const char* time;
    const char* longest;
    const char* first;
};

constexpr LimitRowNames kBelowRows{
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "下限"),
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "低于下限次数"),
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "低于下限累计时长"),
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "最长一次低于下限"),
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "首次低于下限"),
};
constexpr LimitRowNames kAboveRows{
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "上限"),
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "高于上限次数"),
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "高于上限累计时长"),
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "最长一次高于上限"),
    QT_TRANSLATE_NOOP("veldrin::StatisticsText", "首次高于上限"),
};

void AddLimitRows(std::vector<FigureRow>& rows, const HistoryStatistics& statistics, LimitSide side) {
    const LimitRowNames& names = side == LimitSide::Below ? kBelowRows : kAboveRows;
    FigureRow limit{Translated(names.limit), {}};
    FigureRow count{Translated(names.count), {}};
    FigureRow time{Translated(names.time), {}};
    FigureRow longest{Translated(names.longest), {}};
    FigureRow first{Translated(names.first), {}};
    for (const ChannelStatistics& channel : statistics.channels) {
        if (!channel.alarmOn) {
            // A computed channel has no limits of its own.
            for (FigureRow* row : {&limit, &count, &time, &longest, &first})
                row->texts.push_back(kNone);
            continue;
        }
        const LimitStatistics& figures = side == LimitSide::Below ? channel.below : channel.above;
        limit.texts.push_back(FormatFigure(channel, figures.limit));
        count.texts.push_back(
            Printf(text::translate("veldrin::StatisticsText", "%d次").c_str(), figures.Count()));
        time.texts.push_back(FormatDuration(figures.secondsBeyond));
        const Excursion* run = figures.Longest();
        longest.texts.push_back(run == nullptr
                                    ? kNone
                                    : Printf(text::translate("veldrin::StatisticsText", "%s，%s起").c_str(),
                                             FormatDuration(run->seconds).c_str(),
                                             FormatStatisticsTime(run->start).c_str()));
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
    // Each unit's format is a text of its own; a language that parts them with blanks ends the
    // formats of days, hours and minutes with one.
    if (days > 0)
        text += Printf(text::translate("veldrin::StatisticsText", "%lld天").c_str(), days);
    if (!text.empty() || hours > 0)
        text += Printf(text::translate("veldrin::StatisticsText", "%lld小时").c_str(), hours);
    if (!text.empty() || minutes > 0)
        text += Printf(text::translate("veldrin::StatisticsText", "%lld分").c_str(), minutes);
    return text + Printf(text::translate("veldrin::StatisticsText", "%lld秒").c_str(), rest);
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
    return side == LimitSide::Below ? Translated(QT_TRANSLATE_NOOP("veldrin::StatisticsText", "低于下限"))
                                    : Translated(QT_TRANSLATE_NOOP("veldrin::StatisticsText", "高于上限"));
}

std::string LimitText(const ChannelStatistics& channel, const LimitStatistics& limit) {
    return BeyondText(limit.side) + " " + FormatFigure(channel, limit.limit);
}

std::vector<NamedText> PeriodRows(const RecordingPeriod& period) {
    if (period.readings == 0)
        return {{text::translate("veldrin::StatisticsText", "读数"), "0"}};
    return {{text::translate("veldrin::StatisticsText", "开始时间"), FormatStatisticsTime(period.first)},
            {text::translate("veldrin::StatisticsText", "结束时间"), FormatStatisticsTime(period.last)},
            {text::translate("veldrin::StatisticsText", "时间跨度"), FormatDuration(period.spanSeconds)},
            {text::translate("veldrin::StatisticsText", "记录时长"), FormatDuration(period.recordedSeconds)},
            {text::translate("veldrin::StatisticsText", "记录间隔"), Printf("%ds", period.intervalSeconds)},
            {text::translate("veldrin::StatisticsText", "读数"), Printf("%d", period.readings)}};
}

std::vector<FigureRow> FigureRows(const HistoryStatistics& statistics) {
    std::vector<FigureRow> rows;
    auto add = [&](std::string name, auto text) {
        FigureRow row{std::move(name), {}};
        for (const ChannelStatistics& channel : statistics.channels)
            row.texts.push_back(text(channel));
        rows.push_back(std::move(row));
    };
    add(text::translate("veldrin::StatisticsText", "通道"),
        [](const ChannelStatistics& c) { return ChannelTitle(c); });
    add(text::translate("veldrin::StatisticsText", "读数"),
        [](const ChannelStatistics& c) { return Printf("%d", c.readings); });
    add(text::translate("veldrin::StatisticsText", "最小值"),
        [](const ChannelStatistics& c) { return FormatFigure(c, c.minimum.value); });
    add(text::translate("veldrin::StatisticsText", "最小值时间"),
        [](const ChannelStatistics& c) { return FormatStatisticsTime(c.minimum.time); });
    add(text::translate("veldrin::StatisticsText", "最大值"),
        [](const ChannelStatistics& c) { return FormatFigure(c, c.maximum.value); });
    add(text::translate("veldrin::StatisticsText", "最大值时间"),
        [](const ChannelStatistics& c) { return FormatStatisticsTime(c.maximum.time); });
    add(text::translate("veldrin::StatisticsText", "平均值"),
        [](const ChannelStatistics& c) { return FormatFigure(c, c.average); });
    add(text::translate("veldrin::StatisticsText", "标准差"),
        [](const ChannelStatistics& c) { return FormatFigure(c, c.standardDeviation); });
    add(text::translate("veldrin::StatisticsText", "平均动力学温度(MKT)"), [](const ChannelStatistics& c) {
        return c.meanKineticTemperature ? FormatFigure(c, *c.meanKineticTemperature) : std::string(kNone);
    });
    if (!statistics.alarmOn) {
        add(text::translate("veldrin::StatisticsText", "报警"),
            [](const ChannelStatistics&) { return text::translate("veldrin::StatisticsText", "未启用"); });
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
            return text::translate("veldrin::StatisticsText", "没有读数");
        case Verdict::AlarmOff:
            return text::translate("veldrin::StatisticsText", "报警未启用，未按限值判定");
        case Verdict::WithinLimits:
            return text::translate("veldrin::StatisticsText", "全部读数均在限值内");
        case Verdict::Excursions:
            break;
    }
    return Printf(text::translate("veldrin::StatisticsText", "超限%d次，累计超限%s").c_str(),
                  statistics.ExcursionCount(), FormatDuration(statistics.SecondsBeyond()).c_str());
}

}  // namespace veldrin
