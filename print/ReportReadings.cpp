#include "print/ReportReadings.h"

#include <QCoreApplication>
#include <algorithm>

#include "logger/TextFormat.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr double kLeft = 15;
constexpr double kColumnWidth = 60;
constexpr double kHeadingTop = 20;
constexpr double kRowsTop = 25;
constexpr double kRowHeight = 4.3;
const QColor kBeyondColour(200, 0, 0);

bool Beyond(const ChannelStatistics& channel, float value) {
    return channel.alarmOn && (value < channel.below.limit || value > channel.above.limit);
}

}  // namespace

void DrawReadingsPage(ReportCanvas& canvas, const ReportSource& source, int page) {
    const std::vector<ChannelStatistics>& channels = source.statistics.channels;
    const SampleSeries& samples = source.history.samples;
    const std::string number = QCoreApplication::translate("ReportReadings", "序号").toStdString();
    const std::string time = QCoreApplication::translate("ReportReadings", "时间").toStdString();
    canvas.SetFont(7);
    for (int column = 0; column < kReportReadingColumns; ++column) {
        const double x = kLeft + column * kColumnWidth;
        canvas.Text(x, kHeadingTop, number);
        canvas.Text(x + 9, kHeadingTop, time);
        for (std::size_t c = 0; c < channels.size(); ++c)
            canvas.Text(x + 37 + 12 * static_cast<double>(c), kHeadingTop, channels[c].name);
    }
    canvas.Line(kLeft, kRowsTop - 1, kLeft + kReportReadingColumns * kColumnWidth, kRowsTop - 1, Qt::black,
                0.2);

    const int first = (page - 2) * kReportReadingsPerPage;
    const int count = std::min(kReportReadingsPerPage, source.range.count - first);
    for (int k = 0; k < count; ++k) {
        const int index = source.range.first + first + k;
        const double x = kLeft + (k / kReportReadingRows) * kColumnWidth;
        const double y = kRowsTop + (k % kReportReadingRows) * kRowHeight;
        canvas.Text(x, y, Printf("%d", first + k + 1));
        canvas.Text(x + 9, y, FormatTime(samples.Time(index), TimeStyle::ZeroPadded));
        for (std::size_t c = 0; c < channels.size(); ++c) {
            const float celsius = channels[c].channel == 1 ? samples.Value1(index) : samples.Value2(index);
            const auto value = static_cast<float>(ReadingInUnit(channels[c], celsius, source.unit));
            canvas.Text(x + 37 + 12 * static_cast<double>(c), y, Printf("%.2f", static_cast<double>(value)),
                        Beyond(channels[c], value) ? kBeyondColour : QColor(Qt::black));
        }
    }
}

}  // namespace veldrin
