#pragma once
// The report of a history for an audit: one A4 page that says at a glance whether the readings
// stayed within their limits (title, instrument, description, period and interval, the verdict,
// the statistics per channel with the mean kinetic temperature, a colour chart of the whole
// period with the limit lines and the excursions shaded, and the excursion table), optionally
// followed by pages listing every reading. Drawn on any painter of known resolution, so the
// same pages go to a PDF file, a printer or an image.
#include <QPainter>
#include <ctime>

#include "history/HistoryDataSet.h"
#include "history/HistoryStatistics.h"

namespace veldrin {

// Readings listed on each page after the first: three columns of sixty.
inline constexpr int kReportReadingColumns = 3;
inline constexpr int kReportReadingRows = 60;
inline constexpr int kReportReadingsPerPage = kReportReadingColumns * kReportReadingRows;

// What the report shows: the samples of `range` of `history`, and their statistics.
struct ReportSource {
    const HistoryDataSet& history;
    const HistoryStatistics& statistics;
    SampleRange range;
    bool withReadings = false;
    std::time_t generated = 0;     // printed in the footer
    std::string archiveMark = {};  // an archived history's entry and hash, in the footer; else empty
    // The unit of the temperatures shown; `statistics` are already in it, the history in °C.
    TemperatureUnit unit = TemperatureUnit::Celsius;
};

// The first page, plus the reading pages when asked for.
int ReportPageCount(const ReportSource& source);

// Draws page `page` (1-based) on an A4 portrait page whose top-left corner is the device origin.
void RenderReportPage(QPainter& painter, const ReportSource& source, int page, int pixelsPerInchX,
                      int pixelsPerInchY);

}  // namespace veldrin
