#include "print/CurveDecimation.h"

#include <algorithm>

namespace veldrin {
namespace {

// Running extremes of one channel over a column.
struct Extremes {
    int maxIndex, minIndex;
    float max, min;

    Extremes(const std::vector<float>& values, int start)
        : maxIndex(start), minIndex(start), max(values[start]), min(values[start]) {}

    void Take(const std::vector<float>& values, int k) {
        if (values[k] > max) {
            max = values[k];
            maxIndex = k;
        }
        if (values[k] < min) {
            min = values[k];
            minIndex = k;
        }
    }
    int First() const { return std::min(maxIndex, minIndex); }
    int Second() const { return std::max(maxIndex, minIndex); }
};

int CurveY(const CurvePageLayout& layout, int strip, float max, float value, double scale) {
    return static_cast<int>(layout.stripTop + layout.gridStep + (strip % 3) * layout.stripPitch +
                            static_cast<double>(max - value) * scale);
}

}  // namespace

ColumnPairs ColumnExtrema(const PrintSelection& selection, int column, double samplesPerColumn) {
    const int count = selection.count;
    const int k0 = std::min(static_cast<int>(column * samplesPerColumn), count - 1);
    const int k1 = static_cast<int>((column + 1) * samplesPerColumn);
    Extremes channel1(selection.values1, k0);
    Extremes channel2(selection.values2, k0);
    for (int k = k0; k < k1 && k < count; ++k) {
        channel1.Take(selection.values1, k);
        channel2.Take(selection.values2, k);
    }
    return {channel1.First(), channel1.Second(), channel2.First(), channel2.Second()};
}

CurveBuffers::CurveBuffers(int columnUnit)
    : points1(static_cast<std::size_t>(columnUnit)),
      points2(static_cast<std::size_t>(columnUnit)),
      pairIndex(static_cast<std::size_t>(columnUnit)) {}

void BuildStripPoints(const PrintSelection& selection, const CurvePageLayout& layout, int strip,
                      CurveBuffers& buffers) {
    const int columns = static_cast<int>(buffers.pairIndex.size()) / 2;
    for (int q = 0; q < columns; ++q) {
        const ColumnPairs pairs = ColumnExtrema(selection, columns * strip + q, layout.samplesPerColumn);
        const int sample1[2] = {pairs.first1, pairs.second1};
        const int sample2[2] = {pairs.first2, pairs.second2};
        for (int half = 0; half < 2; ++half) {
            const int point = 2 * q + half;
            const int x = static_cast<int>(layout.stripLeft + point * layout.columnPitch);
            buffers.pairIndex[point] = sample1[half];
            buffers.points1[point] = QPoint(
                x, CurveY(layout, strip, selection.max1, selection.values1[sample1[half]], layout.scale1));
            buffers.points2[point] = QPoint(
                x, CurveY(layout, strip, selection.max2, selection.values2[sample2[half]], layout.scale2));
        }
    }
}

}  // namespace veldrin
