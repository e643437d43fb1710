#pragma once
// Texts of the printed pages: the page time form and the reading of the history's time texts.
#include <ctime>
#include <string>

namespace veldrin {

// A history time text of fixed form "YYYY-MM-DD HH:MM:SS" (zero- or blank-padded fields) read
// by position; `fallback` when the text is too short to hold all six fields or names no time.
std::time_t ParseSampleTime(const std::string& text, std::time_t fallback);

// "%d-%d-%d %d:%d:%d" of a local time: no zero padding.
std::string FormatPrintTime(std::time_t time);

}  // namespace veldrin
