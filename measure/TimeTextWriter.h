#pragma once
// Writes the zero-padded time texts ("%d-%02d-%02d %02d:%02d:%02d") of many times in a row, as
// a history needs them for up to 100000 samples. The local calendar date is looked up once per
// local day instead of once per time, and the digits are written without printf.
#include <ctime>
#include <string>

namespace veldrin {

class TimeTextWriter {
  public:
    // Replaces the content of `text` (its storage is reused) with the local time text of `time`.
    void Write(std::time_t time, std::string& text);

  private:
    // Takes the local date of `time` and returns its second of the day. The day is kept for the
    // next times unless its UTC offset changes within it.
    int LookUpDay(std::time_t time);

    std::time_t dayStart_ = 0;  // the local midnight of the cached day
    std::time_t dayEnd_ = 0;    // the next local midnight; empty range: nothing cached
    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
};

}  // namespace veldrin
