#pragma once
// Times as ISO 8601 text with the local offset from UTC, as spreadsheets and scripts read them.
#include <ctime>
#include <string>

namespace veldrin {

// "2024-05-01T08:00:00+08:00" of a local time.
std::string FormatIsoTime(std::time_t time);

}  // namespace veldrin
