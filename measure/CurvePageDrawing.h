#pragma once
// The draw routine of the two curve pages: it redraws a chart as its page shows it (grid, curves,
// limit lines, cursor) and lists the texts the page writes around the chart picture: titles,
// cursor values, limit titles and values, and the axis labels, each at its page position and in
// its channel's colour. The page widget only paints what this returns.
#include <QFont>
#include <QRgb>
#include <QString>
#include <ctime>
#include <functional>
#include <optional>
#include <vector>

#include "history/HistoryDataSet.h"
#include "history/SampleSeries.h"
#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"
#include "logger/TemperatureUnit.h"
#include "measure/CurveChart.h"

namespace veldrin {

struct PageText {
    int x;  // top-left corner of the text, page pixels
    int y;
    QString text;
    QRgb colour;
    // Written on a white box of its own: a text over the chart picture, whose grid lines would
    // otherwise run through it.
    bool boxed = false;
};

// The right-hand column of a curve page, where the titles, cursor values and limits stand.
constexpr int kCurvePageColumnX = 595;
// Where a curve page shows its chart picture.
constexpr int kCurvePageChartLeft = 40;
constexpr int kCurvePageChartTop = 27;
// The band along the top of the chart picture that holds its time axis labels: the curves and
// limit lines never reach it (their highest row is 25), and the page has no room under the chart
// beside its trackbar.
constexpr int kTimeAxisTop = kCurvePageChartTop + 4;
constexpr int kTimeAxisHeight = 16;
constexpr QRgb kTimeAxisTextColour = qRgb(0, 0, 0);

// The page texts' font: Arial of 12-pixel character height, normal weight; a Swiss face stands
// in where Arial is not installed.
QFont CurvePageFont();

constexpr QRgb kChannel1TextColour = qRgb(200, 0, 0);
constexpr QRgb kChannel2TextColour = qRgb(0, 0, 200);

// The time of chart sample `index`, or nothing when no sample with a time is stored there.
using SampleTimeOf = std::function<std::optional<std::time_t>(int index)>;

// The date/time labels of the chart's time axis, boxed along the top of the plot: one on each of
// its vertical grid lines that the drawn channel-1 curve reaches, every so many lines that no two
// labels touch, centred on the line and inside the chart's width. A grid line between two drawn points
// carries the time between theirs. The text adapts to the time the view spans: "08:00:15" under an hour,
// "05-01 08:00" under sixty days, "2024-05-01" beyond.
std::vector<PageText> TimeAxisTexts(const CurveChart& chart, const SampleTimeOf& timeOf);

// The realtime page: channel 1 always, channel 2 for the two-channel models, texts of `model`
// (the connected logger's). The realtime store holds its first reading at index 1. With the
// logger's alarm limits given, their lines are drawn over the readings as on the history page.
// The time axis labels are listed with the texts.
// Temperatures (values, scale labels, titles) are written in `unit`; the chart holds °C.
std::vector<PageText> DrawRealtimeCurvePage(CurveChart& chart, const SampleSeries& series, LoggerModel model,
                                            const AlarmLimits* limits1 = nullptr,
                                            const AlarmLimits* limits2 = nullptr,
                                            TemperatureUnit unit = TemperatureUnit::Celsius);

// The history page: the channels the history shows, its limit lines and limit texts, texts of
// the model the history was recorded with, and the time axis labels. Temperatures (values,
// limits, titles) are shown in `unit`; the chart must hold the curves in it too.
std::vector<PageText> DrawHistoryCurvePage(CurveChart& chart, const HistoryDataSet& history,
                                           TemperatureUnit unit = TemperatureUnit::Celsius);

}  // namespace veldrin
