#pragma once
// The unpadded local-time text of the status-bar clock and the start-time question:
// "%d-%d-%d %d:%d:%02d" (year, month, day, hour, minute, second), or ISO where the run shows ISO
// times ("2024-06-01 09:04:05").
#include <ctime>
#include <string>

namespace veldrin {

std::string FormatShellTime(std::time_t time);
// The clock pane's text: the time after three blanks.
std::string ClockPaneText(std::time_t time);

}  // namespace veldrin
