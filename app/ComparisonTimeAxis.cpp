#include "app/ComparisonTimeAxis.h"

#include <QDateTime>
#include <QTimeZone>
#include <array>
#include <cmath>

namespace veldrin {
namespace {

constexpr double kDay = 86400;

// Round steps, from a second up to about a year; a step of a day or more falls on local midnights.
constexpr std::array<double, 26> kSteps{
    1,        2,        5,         10,        15,        30,         60,         120,       300,
    600,      900,      1800,      3600,      7200,      10800,      21600,      43200,     kDay,
    2 * kDay, 7 * kDay, 14 * kDay, 28 * kDay, 56 * kDay, 112 * kDay, 182 * kDay, 364 * kDay};

QDateTime Local(double time) {
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(time)));
}

QString Format(double step, double start, double end) {
    const QDateTime first = Local(start);
    const QDateTime last = Local(end);
    if (step < 60)
        return QStringLiteral("HH:mm:ss");
    if (step < kDay)
        return first.date() == last.date() ? QStringLiteral("HH:mm") : QStringLiteral("MM-dd HH:mm");
    return first.date().year() == last.date().year() ? QStringLiteral("MM-dd") : QStringLiteral("yyyy-MM-dd");
}

}  // namespace

double TimeTickStep(double start, double end, int width, int labelSpacing) {
    const double secondsPerPixel = (end - start) / width;
    for (const double step : kSteps) {
        if (step / secondsPerPixel >= labelSpacing)
            return step;
    }
    // Longer than the table reaches: whole multiples of its last step.
    return kSteps.back() * std::ceil(labelSpacing * secondsPerPixel / kSteps.back());
}

std::vector<TimeTick> TimeTicks(double start, double end, int width, int labelSpacing) {
    std::vector<TimeTick> ticks;
    if (!(end > start) || width <= 0)
        return ticks;
    const double step = TimeTickStep(start, end, width, labelSpacing);
    const QString format = Format(step, start, end);
    if (step < kDay) {
        // Steps below a day count from local midnight, so that ticks read 08:00, 08:15, …
        const double offset = Local(start).offsetFromUtc();
        for (double local = std::ceil((start + offset) / step) * step; local - offset <= end; local += step) {
            const double time = local - offset;
            ticks.push_back({time, Local(time).toString(format)});
        }
        return ticks;
    }
    const qint64 days = static_cast<qint64>(step / kDay);
    QDate date = Local(start).date();
    while (date.toJulianDay() % days != 0 || QDateTime(date, QTime(0, 0)).toSecsSinceEpoch() < start)
        date = date.addDays(1);
    for (;; date = date.addDays(days)) {
        const double time = static_cast<double>(QDateTime(date, QTime(0, 0)).toSecsSinceEpoch());
        if (time > end)
            break;
        ticks.push_back({time, Local(time).toString(format)});
    }
    return ticks;
}

}  // namespace veldrin
