#pragma once
// The ticks of the comparison chart's time axis: local calendar times at a round step chosen from
// the visible span and the room each label needs, labelled as much of the date and time as the
// step makes worth reading ("05-01 08:00" over days, "08:00:15" over minutes).
#include <QString>
#include <vector>

namespace veldrin {

struct TimeTick {
    double time;  // seconds since the epoch
    QString label;
};

// The ticks within [start, end] (seconds since the epoch) for an axis `width` pixels wide whose
// labels need `labelSpacing` pixels each. Empty for an empty span or width.
std::vector<TimeTick> TimeTicks(double start, double end, int width, int labelSpacing);

// The step in seconds TimeTicks uses for that span: the smallest round step that leaves each
// label its room.
double TimeTickStep(double start, double end, int width, int labelSpacing);

}  // namespace veldrin
