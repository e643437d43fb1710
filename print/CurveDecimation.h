#pragma once
// Compression of the selected samples into the points of one curve strip. Each column keeps the
// smallest and the largest sample of its share, in the order they occurred, so short spikes
// survive however many samples fall on one column.
#include <vector>

#include <QPoint>

#include "print/CurvePageLayout.h"
#include "print/PrintSelection.h"

namespace veldrin {

// Selection indices of one column's extremes, each pair in time order.
struct ColumnPairs {
    int first1 = 0, second1 = 0;
    int first2 = 0, second2 = 0;
};

// The extremes of global column `column` over samples trunc(column × r) up to but not including
// trunc((column + 1) × r), r = samplesPerColumn. Ties keep the earlier sample; a column whose
// share is empty repeats its first sample. The selection must not be empty.
ColumnPairs ColumnExtrema(const PrintSelection& selection, int column, double samplesPerColumn);

// The points of one strip, overwritten by BuildStripPoints: columnUnit points per channel and
// the selection index behind each channel-1 point (for the time labels).
struct CurveBuffers {
    explicit CurveBuffers(int columnUnit);
    std::vector<QPoint> points1;
    std::vector<QPoint> points2;
    std::vector<int> pairIndex;
};

// Fills `buffers` for global strip `strip` (strips count across pages, three per page).
void BuildStripPoints(const PrintSelection& selection, const CurvePageLayout& layout, int strip,
                      CurveBuffers& buffers);

}  // namespace veldrin
