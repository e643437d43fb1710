#pragma once
// The texts of readings and histories, made when a page, a list or a file shows them: values
// with their unit, the time texts of samples and the summary's texts. The stores hold numbers
// only; everything a user reads of them is written here.
#include <array>
#include <ctime>
#include <string>

#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin {

// Temperatures in °C as "%.2f°C", or in °F as "%.2f°F"; humidity "%.2f%%".
std::string FormatTemperature(float celsius, TemperatureUnit unit = TemperatureUnit::Celsius);
std::string FormatHumidity(float value);
std::string FormatChannelValue(float value, bool humidity, TemperatureUnit unit = TemperatureUnit::Celsius);

// Writes the time texts of many times in a row, as a list or a file of up to 100000 samples
// needs them, in TimeStyle::ZeroPadded ("%d-%02d-%02d %02d:%02d:%02d") or TimeStyle::BlankPadded
// ("%d-%2d-%2d %2d:%2d:%2d"). The local calendar date is looked up once per local day instead
// of once per time, and the digits are written without printf.
class TimeTextWriter {
  public:
    explicit TimeTextWriter(TimeStyle style = TimeStyle::ZeroPadded) : style_(style) {}

    // Replaces the content of `text` (its storage is reused) with the local time text of `time`.
    void Write(std::time_t time, std::string& text);
    std::string Text(std::time_t time);

  private:
    // Takes the local date of `time` and returns its second of the day. The day is kept for the
    // next times unless its UTC offset changes within it.
    int LookUpDay(std::time_t time);

    TimeStyle style_;
    std::time_t dayStart_ = 0;  // the local midnight of the cached day
    std::time_t dayEnd_ = 0;    // the next local midnight; empty range: nothing cached
    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
};

// "%d-%2d-%2d %2d:%2d:%2d" of calendar fields as they are (year, month, day, hour, minute,
// second), whether or not they form a time.
std::string BlankPaddedFields(const std::array<int, 6>& fields);
// The fields in `style` (zero-padded or blank-padded), as they are.
std::string FieldsText(const std::array<int, 6>& fields, TimeStyle style);

// The style a history's sample times are written in, which its files keep: blank-padded for a
// history read from a data file, zero-padded for a download.
TimeStyle RecordedTimeStyle(const HistoryDataSet& history);
// The style a history's sample times are shown in: the recorded one (ShownTimeStyle), ISO where
// the run shows ISO times.
TimeStyle SampleTimeStyle(const HistoryDataSet& history);
// The time text of sample `index` of the history.
std::string SampleTimeText(const HistoryDataSet& history, int index);

// The completeness of a partial download, under the name "完整性" in the summary, the printed
// pages and the report: "不完整：收到%d条，共%d条". Empty for a whole history. Both in the language
// of the run.
inline constexpr const char* kCompletenessName = QT_TRANSLATE_NOOP("veldrin::HistoryText", "完整性");
std::string CompletenessName();
std::string CompletenessText(const HistoryDataSet& history);

// The summary's texts as the history holds them, as the text export and the data file write them.
struct SummaryTexts {
    std::string title;
    std::string instrumentName;
    std::string enabledChannels;
    std::string dataLength;
    std::string startTime;
    std::string stopTime;
    std::string interval;
    std::string channel1Number;
    std::string channel1Name;
    std::string channel1Unit;
    std::string channel1Min;
    std::string channel1Max;
    std::string channel1Avg;
    std::string description;
    std::string channel2Number;
    std::string channel2Name;
    std::string channel2Unit;
    std::string channel2Min;
    std::string channel2Max;
    std::string channel2Avg;
};
// With a `unit` other than °C the temperature channels' unit and figures are given in it (the
// figures of a data file as numbers with two decimals, as the file stores them).
SummaryTexts SummaryTextsOf(const HistoryDataSet& history, TemperatureUnit unit = TemperatureUnit::Celsius);
// The summary's texts as the summary page and the printed pages show them: the model's and the
// channels' names in the language of the run (ShownModelText) and, where the run shows ISO times,
// the start and stop times in ISO form.
SummaryTexts ShownSummaryTexts(const HistoryDataSet& history,
                               TemperatureUnit unit = TemperatureUnit::Celsius);

}  // namespace veldrin
