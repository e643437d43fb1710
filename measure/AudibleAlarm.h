#pragma once
// The audible alarm of the realtime readings. An alarming reading (re)starts a countdown of 600
// timer units; every 200 ms tick takes 2 off it and plays the sound whenever it is a multiple of
// 50: twelve plays 5 s apart, silence 60 s after the last alarming reading.
#include "logger/LoggerInfo.h"
#include "logger/LoggerModel.h"
#include "measure/AlarmSound.h"

namespace veldrin {

// A limit pair takes part in the audible alarm only when lower < upper, upper < 200 and
// lower > −100.
bool LimitsUsable(float lower, float upper);
// Whether `value` lies strictly outside usable limits.
bool SoundsAlarm(float value, float lower, float upper);

class AudibleAlarm {
  public:
    static constexpr int kCountdownStart = 600;
    static constexpr int kPlayPeriod = 50;
    static constexpr int kCountdownStep = 2;

    explicit AudibleAlarm(AlarmSound& sound) : sound_(sound) {}

    // Checks one reading (channel 2 only for the two-channel models) against the decoded limits.
    // An alarming reading restarts the countdown; a good one changes nothing. Returns whether it
    // alarmed.
    bool Evaluate(LoggerModel model, float value1, float value2, const AlarmLimits& channel1,
                  const AlarmLimits& channel2);
    // One 200 ms tick; does nothing unless realtime monitoring is on.
    void Tick(bool monitoring);

    bool Active() const { return active_; }
    // Whether a play of the sound failed (no sound, no audio output): the alarm is silent.
    bool SoundFailed() const { return soundFailed_; }
    int Countdown() const { return countdown_; }

  private:
    AlarmSound& sound_;
    bool active_ = false;
    int countdown_ = 0;
    bool soundFailed_ = false;
};

}  // namespace veldrin
