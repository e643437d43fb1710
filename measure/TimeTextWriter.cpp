#include "measure/TimeTextWriter.h"

#include <charconv>

namespace veldrin {
namespace {

constexpr std::time_t kSecondsPerDay = 86400;

char* TwoDigits(char* out, int value) {
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

}  // namespace

int TimeTextWriter::LookUpDay(std::time_t time) {
    std::tm fields{};
    localtime_r(&time, &fields);
    year_ = fields.tm_year + 1900;
    month_ = fields.tm_mon + 1;
    day_ = fields.tm_mday;
    const int secondOfDay = fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec;
    dayStart_ = time - secondOfDay;
    dayEnd_ = dayStart_ + kSecondsPerDay;
    // A day with a clock change is not 86400 seconds from midnight to midnight: leave it to
    // localtime_r time by time.
    std::tm last{};
    const std::time_t lastSecond = dayEnd_ - 1;
    localtime_r(&lastSecond, &last);
    if (last.tm_gmtoff != fields.tm_gmtoff || last.tm_mday != day_ || last.tm_hour != 23 ||
        last.tm_min != 59 || last.tm_sec != 59) {
        dayEnd_ = dayStart_;
    }
    return secondOfDay;
}

void TimeTextWriter::Write(std::time_t time, std::string& text) {
    const int secondOfDay =
        time >= dayStart_ && time < dayEnd_ ? static_cast<int>(time - dayStart_) : LookUpDay(time);
    char buffer[32];
    char* out = std::to_chars(buffer, buffer + 12, year_).ptr;
    *out++ = '-';
    out = TwoDigits(out, month_);
    *out++ = '-';
    out = TwoDigits(out, day_);
    *out++ = ' ';
    out = TwoDigits(out, secondOfDay / 3600);
    *out++ = ':';
    out = TwoDigits(out, secondOfDay / 60 % 60);
    *out++ = ':';
    out = TwoDigits(out, secondOfDay % 60);
    text.assign(buffer, out);
}

}  // namespace veldrin
