#pragma once
// The texts in which the statistics page and the report show the statistics of a history: the
// figures per channel, the period, the excursions and the verdict line.
#include <array>
#include <ctime>
#include <string>
#include <vector>

#include "history/HistoryStatistics.h"

namespace veldrin {

// "3天4小时5分6秒", leading units that are zero left out; "0秒" for nothing.
std::string FormatDuration(long long seconds);
// "YYYY-MM-DD HH:MM:SS" of a local time.
std::string FormatStatisticsTime(std::time_t time);
// A value of the channel with two decimals and the channel's unit: "25.30°C".
std::string FormatFigure(const ChannelStatistics& channel, double value);
// The channel's name with its unit: "温度 (°C)".
std::string ChannelTitle(const ChannelStatistics& channel);
// "低于下限" / "高于上限".
std::string BeyondText(LimitSide side);
// "高于上限 30.00°C".
std::string LimitText(const ChannelStatistics& channel, const LimitStatistics& limit);

// One line of a two-column table: a name and its text.
struct NamedText {
    std::string name;
    std::string text;
};
// The period: first and last reading, span, recording duration, interval, readings.
std::vector<NamedText> PeriodRows(const RecordingPeriod& period);

// One row of the per-channel figures: its name and one text per channel of the statistics.
struct FigureRow {
    std::string name;
    std::vector<std::string> texts;
};
// Readings, extremes with their times, average, standard deviation, MKT, and per limit the
// excursion count, time beyond, longest excursion and first one; "报警未启用" when the alarm is off.
std::vector<FigureRow> FigureRows(const HistoryStatistics& statistics);

// The cells of one excursion: channel, limit crossed, start, end, duration, extreme value.
struct ExcursionCells {
    std::string channel, limit, start, end, duration, extreme;
};
ExcursionCells ExcursionCellsOf(const ListedExcursion& listed);

// The verdict of the statistics: every reading within the limits, or how many excursions and
// how long; a history without the alarm or without readings says so.
enum class Verdict { WithinLimits, Excursions, AlarmOff, NoReadings };
Verdict VerdictOf(const HistoryStatistics& statistics);
std::string VerdictText(const HistoryStatistics& statistics);

}  // namespace veldrin
