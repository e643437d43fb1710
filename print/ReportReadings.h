#pragma once
// The report's reading pages: every reading of the range in three columns of sixty, with its
// number, time and values; readings beyond a limit in red.
#include "print/ReportCanvas.h"
#include "print/ReportPages.h"

namespace veldrin {

// Reading page `page` (2 and later) of the report.
void DrawReadingsPage(ReportCanvas& canvas, const ReportSource& source, int page);

}  // namespace veldrin
