#pragma once
// Texts of the printed pages: the page time form and the reading of the history's time texts.
#include <ctime>
#include <string>

namespace veldrin {

// A history time text of fixed form "YYYY-MM-DD HH:MM:SS" (zero- or blank-padded fields) read
// by position; `fallback` when the text is too short to hold all six fields or names no time.
std::time_t ParseSampleTime(const std::string& text, std::time_t fallback);

// "%d-%d-%d %d:%d:%d" of a local time: no zero padding; where times are shown in ISO form (the
// English interface), "2024-05-01 08:00:00".
std::string FormatPrintTime(std::time_t time);

}  // namespace veldrin
