// The one text module of the history: time texts written in a row, the time texts of samples by
// where the history came from, and the summary's texts for each source.
#include "history/HistoryText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "logger/WireCodec.h"
#include "tests/measure/MeasureTestSupport.h"

namespace veldrin {
namespace {

// Switches the process's time zone for one test and back.
class TimeZone {
  public:
    explicit TimeZone(const char* zone) : old_(std::getenv("TZ") ? std::getenv("TZ") : "") {
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        setenv("TZ", old_.c_str(), 1);
        tzset();
    }

  private:
    std::string old_;
};

class TimeTextWriterStyles : public ::testing::TestWithParam<TimeStyle> {};

TEST_P(TimeTextWriterStyles, MatchesTheTimeTextAcrossDaysAndClockChanges) {
    const TimeStyle style = GetParam();
    for (const char* zone : {"Asia/Shanghai", "Europe/Berlin", "America/Sao_Paulo"}) {
        const TimeZone timeZone(zone);
        TimeTextWriter writer(style);
        std::string text;
        // Steps of 7 minutes 13 seconds over two years, forwards, then jumps back and forth.
        const std::time_t start = test::LocalTime(2009, 1, 1, 0, 0, 0);
        for (std::time_t t = start; t < start + 2 * 366 * 86400; t += 433) {
            writer.Write(t, text);
            ASSERT_EQ(text, FormatTime(t, style)) << zone;
        }
        for (const std::time_t t :
             {start + 86400 * 200, start, start + 86399, start + 86400 * 85 + 3600 * 2 + 1}) {
            writer.Write(t, text);
            ASSERT_EQ(text, FormatTime(t, style)) << zone;
        }
    }
}
INSTANTIATE_TEST_SUITE_P(ZeroAndBlankPadded, TimeTextWriterStyles,
                         ::testing::Values(TimeStyle::ZeroPadded, TimeStyle::BlankPadded));

HistoryDataSet TwoSamples(LoggerModel model, SummarySource source) {
    HistoryDataSet history;
    history.model = model;
    history.summary.source = source;
    const std::time_t start = test::LocalTime(2010, 1, 5, 8, 3, 0);
    history.samples.SetHistorySample(0, 25.3F, 60.5F, start);
    history.samples.SetHistorySample(1, -1.5F, 61.0F, start + 300);
    HistorySummary& s = history.summary;
    s.enabledChannelCount = HasSecondChannel(model) ? 2 : 1;
    s.dataLengthValue = 2 * s.enabledChannelCount;
    s.intervalSeconds = 300;
    s.start = start;
    s.stop = start + 300;
    return history;
}

TEST(SampleTimeText, ZeroPaddedForADownloadBlankPaddedForADataFile) {
    EXPECT_EQ(SampleTimeText(TwoSamples(LoggerModel::SingleTemperature, SummarySource::Download), 1),
              "2010-01-05 08:08:00");
    EXPECT_EQ(SampleTimeText(TwoSamples(LoggerModel::SingleTemperature, SummarySource::DataFile), 1),
              "2010- 1- 5  8: 8: 0");
    // A history put together by hand, before any download, is written like a download.
    EXPECT_EQ(SampleTimeText(TwoSamples(LoggerModel::SingleTemperature, SummarySource::None), 0),
              "2010-01-05 08:03:00");
}

TEST(SummaryTexts, BeforeAnyHistoryTheStartTextsAreShown) {
    const SummaryTexts t = SummaryTextsOf(HistoryDataSet{});
    EXPECT_EQ(t.title, "数据测试");
    EXPECT_EQ(t.instrumentName, "温度记录仪");
    EXPECT_EQ(t.enabledChannels, "1");
    EXPECT_EQ(t.dataLength, "0");
    EXPECT_EQ(t.startTime, "2008-01-01 00:00:00");
    EXPECT_EQ(t.stopTime, "2008-01-01 00:00:00");
    EXPECT_EQ(t.interval, "1s");
    for (const std::string* text : {&t.channel1Min, &t.channel2Min})
        EXPECT_EQ(*text, "0");
    for (const std::string* text : {&t.channel1Max, &t.channel2Max})
        EXPECT_EQ(*text, "100");
    for (const std::string* text : {&t.channel1Avg, &t.channel2Avg})
        EXPECT_EQ(*text, "50");
    EXPECT_EQ(t.channel1Number, "1");
    EXPECT_EQ(t.channel2Number, "2");
    EXPECT_EQ(t.channel2Unit, "%");
}

TEST(SummaryTexts, ADownloadWritesItsFiguresWithTheirUnits) {
    HistoryDataSet history = TwoSamples(LoggerModel::TemperatureHumidity, SummarySource::Download);
    HistorySummary& s = history.summary;
    s.min1 = -1.5F;
    s.max1 = 25.3F;
    s.avg1 = 11.9F;
    s.min2 = 60.5F;
    s.max2 = 61.0F;
    s.avg2 = 60.75F;
    SummaryTexts t = SummaryTextsOf(history);
    EXPECT_EQ(t.enabledChannels, "2");
    EXPECT_EQ(t.dataLength, "4");
    EXPECT_EQ(t.startTime, "2010-01-05 08:03:00");
    EXPECT_EQ(t.stopTime, "2010-01-05 08:08:00");
    EXPECT_EQ(t.interval, "300s");
    EXPECT_EQ(t.channel1Min, "-1.50°C");
    EXPECT_EQ(t.channel1Max, "25.30°C");
    EXPECT_EQ(t.channel1Avg, "11.90°C");
    EXPECT_EQ(t.channel2Min, "60.50%");
    EXPECT_EQ(t.channel2Max, "61.00%");
    EXPECT_EQ(t.channel2Avg, "60.75%");

    // A second temperature is written in °C; a one-channel logger keeps the start texts of the
    // channel it does not have.
    history.model = LoggerModel::DualTemperature;
    EXPECT_EQ(SummaryTextsOf(history).channel2Avg, "60.75°C");
    history.model = LoggerModel::SingleTemperature;
    t = SummaryTextsOf(history);
    EXPECT_EQ(t.channel1Avg, "11.90°C");
    EXPECT_EQ(t.channel2Min, "0");
    EXPECT_EQ(t.channel2Max, "100");
    EXPECT_EQ(t.channel2Avg, "50");
}

TEST(SummaryTexts, ADataFileShowsItsStoredFieldsAsTheyAre) {
    HistoryDataSet history = TwoSamples(LoggerModel::SingleTemperature, SummarySource::DataFile);
    HistorySummary& s = history.summary;
    // Fields no calendar has: shown as stored, never normalised into another day.
    s.storedStopFields = {2010, 2, 30, 8, 8, 0};
    s.storedStatistics = {"-1.50  ", "25.3", "11.90  ", "0", "0", "0"};
    s.channel2Number = 0;
    s.min1 = 99;  // the figure as read; the text stays the stored one
    const SummaryTexts t = SummaryTextsOf(history);
    EXPECT_EQ(t.startTime, "2010- 1- 5  8: 3: 0");
    EXPECT_EQ(t.stopTime, "2010- 2-30  8: 8: 0");
    EXPECT_EQ(t.interval, "300s");
    EXPECT_EQ(t.channel1Min, "-1.50  ");
    EXPECT_EQ(t.channel1Max, "25.3");
    EXPECT_EQ(t.channel2Avg, "0");
    EXPECT_EQ(t.channel2Number, " ");
}

TEST(ValueTexts, TwoDecimalsAndTheUnit) {
    EXPECT_EQ(FormatTemperature(-12.345F), "-12.35°C");
    EXPECT_EQ(FormatTemperature(0.0F), "0.00°C");
    EXPECT_EQ(FormatHumidity(60.5F), "60.50%");
    EXPECT_EQ(FormatChannelValue(60.5F, true), "60.50%");
    EXPECT_EQ(FormatChannelValue(60.5F, false), "60.50°C");
}

}  // namespace
}  // namespace veldrin
