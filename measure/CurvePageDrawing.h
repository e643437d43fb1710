#pragma once
// The draw routine of the two curve pages: it redraws a chart as its page shows it (grid, curves,
// limit lines, cursor) and lists the texts the page writes around the chart picture: titles,
// cursor values, limit titles and values, and the axis labels, each at its page position and in
// its channel's colour. The page widget only paints what this returns.
#include <QRgb>
#include <QString>
#include <vector>

#include "history/HistoryDataSet.h"
#include "history/SampleSeries.h"
#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"
#include "measure/CurveChart.h"

namespace veldrin {

struct PageText {
    int x;  // top-left corner of the text, page pixels
    int y;
    QString text;
    QRgb colour;
};

// The right-hand column of a curve page, where the titles, cursor values and limits stand.
constexpr int kCurvePageColumnX = 595;

constexpr QRgb kChannel1TextColour = qRgb(200, 0, 0);
constexpr QRgb kChannel2TextColour = qRgb(0, 0, 200);

// The realtime page: channel 1 always, channel 2 for the two-channel models, texts of `model`
// (the connected logger's). The realtime store holds its first reading at index 1. With the
// logger's alarm limits given, their lines are drawn over the readings as on the history page.
std::vector<PageText> DrawRealtimeCurvePage(CurveChart& chart, const SampleSeries& series, LoggerModel model,
                                            const AlarmLimits* limits1 = nullptr,
                                            const AlarmLimits* limits2 = nullptr);

// The history page: the channels the history shows, its limit lines and limit texts, texts of
// the model the history was recorded with.
std::vector<PageText> DrawHistoryCurvePage(CurveChart& chart, const HistoryDataSet& history);

}  // namespace veldrin
