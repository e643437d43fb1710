#pragma once
// The report's chart: the readings of the whole period in colour (channel 1 red on the left
// scale, channel 2 blue on the right), the limit lines dashed, the excursions shaded, and a time
// axis with real dates.
#include "print/ReportCanvas.h"
#include "print/ReportPages.h"

namespace veldrin {

// The chart with its legend, scales and time labels inside the area (millimetres).
void DrawReportChart(ReportCanvas& canvas, const ReportSource& source, double leftMm, double topMm,
                     double widthMm, double heightMm);

// The step between time labels for a period of `spanSeconds`: the shortest of the usual steps
// (a minute … thirty days) that gives at most `maxLabels` labels.
long long TimeLabelStep(long long spanSeconds, int maxLabels);
// The first time at or after `from` that is a whole multiple of `step` in local time.
std::time_t FirstLabelTime(std::time_t from, long long step);

}  // namespace veldrin
