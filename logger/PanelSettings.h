#pragma once
// The settings as the user left them in the panel when they are applied: what the connection
// checks, writes into the logger and then shows back.
#include <string>

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
    std::string title;        // UTF-8
    std::string description;  // UTF-8
};

}  // namespace veldrin
