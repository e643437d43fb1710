#include "measure/AudibleAlarm.h"

#include "history/AlarmText.h"

namespace veldrin {

bool LimitsUsable(float lower, float upper) {
    return upper > lower && upper < 200 && lower > -100;
}

bool SoundsAlarm(float value, float lower, float upper) {
    return LimitsUsable(lower, upper) && (value > upper || value < lower);
}

bool AudibleAlarm::Evaluate(LoggerModel model, float value1, float value2, const AlarmLimits& channel1,
                            const AlarmLimits& channel2) {
    bool alarm = SoundsAlarm(value1, channel1.lower, channel1.upper);
    if (HasSecondChannel(model) && SoundsAlarm(value2, channel2.lower, channel2.upper))
        alarm = true;
    if (alarm) {
        countdown_ = kCountdownStart;
        active_ = true;
    }
    return alarm;
}

void AudibleAlarm::Tick(bool monitoring) {
    if (!active_ || !monitoring)
        return;
    // A missing sound is skipped; the countdown runs on regardless.
    if (countdown_ % kPlayPeriod == 0 && sound_.Play() == 0)
        soundFailed_ = true;
    countdown_ -= kCountdownStep;
    if (countdown_ < 1)
        active_ = false;
}

}  // namespace veldrin
