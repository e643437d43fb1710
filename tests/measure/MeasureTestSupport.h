#pragma once
// Stand-ins shared by the measurement tests: the test clock, a sound that counts its plays and a
// logger record with given limits.
#include <ctime>

#include "logger/LoggerInfo.h"
#include "logger/WireCodec.h"
#include "measure/AlarmSound.h"
#include "tests/ManualClock.h"

namespace veldrin::test {

class CountingSound final : public AlarmSound {
  public:
    int plays = 0;
    int result = 1;
    int Play() override {
        ++plays;
        return result;
    }
};

inline std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    return MakeLocalTime(year, month, day, hour, minute, second).value();
}

inline LoggerInfo InfoFor(LoggerModel model, float lower1, float upper1, float lower2 = 0, float upper2 = 0) {
    LoggerInfo info;
    info.model = model;
    info.instrumentName = std::string(Traits(model).displayName);
    info.channel1Alarm.lower = lower1;
    info.channel1Alarm.upper = upper1;
    info.channel1Alarm.enable = 1;
    info.channel2Alarm.lower = lower2;
    info.channel2Alarm.upper = upper2;
    return info;
}

}  // namespace veldrin::test
