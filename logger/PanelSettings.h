#pragma once
// The settings as the user left them in the panel when they are applied: what the connection
// checks, writes into the logger and then shows back.
#include <ctime>
#include <string>

#include "logger/TemperatureUnit.h"

namespace veldrin {

struct PanelSettings {
    // Start date (year, month, day) and start time of day (hour, minute, second).
    int startYear = 2008, startMonth = 1, startDay = 1;
    int startHour = 0, startMinute = 0, startSecond = 0;
    // The recording interval as a time of day.
    int intervalHours = 0, intervalMinutes = 0, intervalSeconds = 1;
    int stopMode = 0;  // index in the stop-mode list
    // Limit fields as typed: read as a number and truncated toward zero.
    std::string channel1Lower, channel1Upper, channel2Lower, channel2Upper;
    // The unit the temperature limit fields are typed in; the logger takes them as whole °C.
    TemperatureUnit temperatureUnit = TemperatureUnit::Celsius;
    std::string title;        // UTF-8
    std::string description;  // UTF-8
};

// Sets the start date and time of day of `panel` to `start` in local time, as the start-time
// pickers show it.
inline void SetStartTime(PanelSettings& panel, std::time_t start) {
    std::tm fields{};
    localtime_r(&start, &fields);
    panel.startYear = fields.tm_year + 1900;
    panel.startMonth = fields.tm_mon + 1;
    panel.startDay = fields.tm_mday;
    panel.startHour = fields.tm_hour;
    panel.startMinute = fields.tm_min;
    panel.startSecond = fields.tm_sec;
}

}  // namespace veldrin
