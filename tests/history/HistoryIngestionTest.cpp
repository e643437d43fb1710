#include "history/HistoryIngestion.h"
#include "history/HistoryText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/measure/MeasureTestSupport.h"

namespace veldrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A download as the logger delivers it: two bytes before the marker, the marker F5 01, four more
// bytes, the samples and two closing bytes. The bytes that must be dropped decode as 127.99.
Bytes Download(const Bytes& samples) {
    const Bytes header{0x00, 0x11, 0xF5, 0x01, 0x7F, 0x63, 0x7F, 0x63};
    Bytes raw(header.size() + samples.size() + 2, 0x7F);
    std::copy(header.begin(), header.end(), raw.begin());
    std::copy(samples.begin(), samples.end(), raw.begin() + 8);
    raw.back() = 0x63;
    return raw;
}

LoggerInfo Logger(LoggerModel model, std::array<std::uint8_t, 7> start, std::uint16_t interval) {
    LoggerInfo info = test::InfoFor(model, -10, 30, 20, 80);
    info.startTime = DecodeDateTime(start.data());
    info.interval = interval;
    info.title = "冷库一号";
    info.description = "东墙";
    return info;
}

// 2010-01-05 08:03:00 as the logger sends it.
constexpr std::array<std::uint8_t, 7> kJanuary2010{0, 3, 8, 5, 1, 10, 20};

TEST(HistoryIngestion, MarkerAndClosingBytesAreNotDecoded) {
    const Bytes raw = Download({0x19, 0x05, 0x81, 0x32, 0x80, 0x00});
    EXPECT_EQ(DownloadPayload(raw).size(), 6u);
    HistoryDataSet history;
    const LoggerInfo info = Logger(LoggerModel::SingleTemperature, kJanuary2010, 60);
    const DownloadIngestResult result = IngestDownloadedHistory(raw, info.model, {true, true}, info, history);
    ASSERT_TRUE(result.stored);
    EXPECT_EQ(result.sampleCount, 3);
    EXPECT_EQ(result.recordedAmount, 3);
    EXPECT_EQ(history.samples.Count(), 3);
    EXPECT_FLOAT_EQ(history.samples.Value1(0), 25.05f);
    EXPECT_FLOAT_EQ(history.samples.Value1(1), -1.50f);
    EXPECT_EQ(SummaryTextsOf(history).channel1Max, "25.05°C");
    EXPECT_EQ(SummaryTextsOf(history).channel1Min, "-1.50°C");
    EXPECT_EQ(SummaryTextsOf(history).channel1Avg, "7.85°C");
    EXPECT_EQ(history.shown, (std::array<bool, 2>{true, false}));
}

TEST(HistoryIngestion, WithoutAMarkerTheFirstFiveBytesGo) {
    Bytes raw{0xF5, 0x00, 0x01, 0x02, 0x03, 0x14, 0x00, 0x15, 0x32, 0x00, 0x00};
    EXPECT_EQ(DownloadPayload(raw).size(), 4u);
    // A marker beyond the first 200 bytes is not looked for.
    Bytes late(300, 0x10);
    late[250] = 0xF5;
    late[251] = 0x01;
    EXPECT_EQ(DownloadPayload(late).size(), 293u);
    // The hex text search also finds a marker across two bytes: 0x0F 0x50 0x1X is "0F501X".
    EXPECT_EQ(DownloadPayload(Bytes{0x0F, 0x50, 0x12, 1, 2, 3, 4, 5, 6, 7, 8, 9}).size(), 4u);

    HistoryDataSet history;
    const LoggerInfo info = Logger(LoggerModel::SingleTemperature, kJanuary2010, 60);
    const DownloadIngestResult result =
        IngestDownloadedHistory(raw, info.model, {true, false}, info, history);
    ASSERT_EQ(result.sampleCount, 2);
    EXPECT_FLOAT_EQ(history.samples.Value1(0), 20.0f);
    EXPECT_FLOAT_EQ(history.samples.Value1(1), 21.5f);
}

TEST(HistoryIngestion, DownloadsTooShortForASampleLeaveTheHistoryAlone) {
    HistoryDataSet history;
    history.summary.title = "earlier";
    history.samples.SetHistorySample(0, 1.0f, 2.0f, 0);
    const LoggerInfo single = Logger(LoggerModel::SingleTemperature, kJanuary2010, 60);
    const LoggerInfo dual = Logger(LoggerModel::DualTemperature, kJanuary2010, 60);
    for (const Bytes& raw : {Bytes{}, Bytes{0xF5}, Bytes{0xF5, 0x01, 1, 2, 3},
                             Bytes{0xF5, 0x01, 1, 2, 3, 4, 5}, Download({0x19})}) {
        EXPECT_FALSE(IngestDownloadedHistory(raw, single.model, {true, false}, single, history).stored);
    }
    EXPECT_FALSE(
        IngestDownloadedHistory(Download({1, 2, 3}), dual.model, {true, true}, dual, history).stored);
    EXPECT_EQ(history.summary.title, "earlier");
    EXPECT_EQ(history.samples.Count(), 1);
}

TEST(HistoryIngestion, StartYearBeyond2029TimesTwoChannelHistoriesFrom2008) {
    const std::array<std::uint8_t, 7> march2035{0, 0, 10, 1, 3, 35, 20};
    for (const LoggerModel model :
         {LoggerModel::SingleTemperature, LoggerModel::TemperatureHumidity, LoggerModel::DualTemperature}) {
        HistoryDataSet history;
        const LoggerInfo info = Logger(model, march2035, 1);
        ASSERT_TRUE(
            IngestDownloadedHistory(Download(Bytes(8, 0x10)), model, {true, true}, info, history).stored);
        const bool single = model == LoggerModel::SingleTemperature;
        EXPECT_EQ(SampleTimeText(history, 0), single ? "2035-03-01 10:00:00" : "2008-01-01 00:00:00");
        EXPECT_EQ(SummaryTextsOf(history).startTime, SampleTimeText(history, 0));
        EXPECT_EQ(history.summary.start, history.samples.Time(0));
    }
    // Invalid dates fall back for every model.
    HistoryDataSet history;
    const LoggerInfo info = Logger(LoggerModel::SingleTemperature, {0, 0, 0, 32, 1, 10, 20}, 1);
    IngestDownloadedHistory(Download(Bytes(2, 0x10)), info.model, {true, false}, info, history);
    EXPECT_EQ(SampleTimeText(history, 0), "2008-01-01 00:00:00");
}

TEST(HistoryIngestion, SamplesFollowTheIntervalAndGetZeroPaddedTexts) {
    HistoryDataSet history;
    const LoggerInfo info = Logger(LoggerModel::SingleTemperature, kJanuary2010, DecodeInterval(0x01, 0x2C));
    IngestDownloadedHistory(Download(Bytes(6, 0x10)), info.model, {true, false}, info, history);
    ASSERT_EQ(history.samples.Count(), 3);
    EXPECT_EQ(history.samples.Time(1) - history.samples.Time(0), 300);
    EXPECT_EQ(SampleTimeText(history, 0), "2010-01-05 08:03:00");
    EXPECT_EQ(SampleTimeText(history, 2), "2010-01-05 08:13:00");
    EXPECT_EQ(SummaryTextsOf(history).stopTime, "2010-01-05 08:13:00");
    EXPECT_EQ(SummaryTextsOf(history).interval, "300s");
    EXPECT_EQ(history.summary.intervalSeconds, 300);
}

TEST(HistoryIngestion, DualTemperatureSummaryWithNegativeSecondChannel) {
    HistoryDataSet history;
    const LoggerInfo info = Logger(LoggerModel::DualTemperature, kJanuary2010, 60);
    // Channel 1: 10.00, 12.00; channel 2: −3.25, −0.50; then the negative zero 0x80 0x00.
    const Bytes raw = Download({0x0A, 0x00, 0x83, 0x19, 0x0C, 0x00, 0x80, 0x32, 0x80, 0x00, 0x80, 0x00});
    const DownloadIngestResult result = IngestDownloadedHistory(raw, info.model, {true, true}, info, history);
    ASSERT_EQ(result.sampleCount, 3);
    EXPECT_EQ(result.recordedAmount, 6);
    const HistorySummary& s = history.summary;
    const SummaryTexts texts = SummaryTextsOf(history);
    EXPECT_FLOAT_EQ(s.max2, 0.0f);
    EXPECT_EQ(texts.channel2Min, "-3.25°C");
    EXPECT_EQ(texts.channel2Avg, "-1.25°C");
    EXPECT_EQ(texts.channel1Min, "0.00°C");  // never "-0.00°C"

    IngestDownloadedHistory(Download({0x0A, 0x00, 0x83, 0x19, 0x0C, 0x00, 0x80, 0x32}), info.model,
                            {true, true}, info, history);
    EXPECT_FLOAT_EQ(history.summary.max2, -0.5f);
    EXPECT_EQ(SummaryTextsOf(history).channel2Max, "-0.50°C");
    EXPECT_EQ(history.summary.channel1Name, "温度I");
    EXPECT_EQ(history.summary.channel2Name, "温度II");
    EXPECT_EQ(history.summary.channel2Unit, "°C");
    EXPECT_EQ(history.summary.title, "冷库一号");
    EXPECT_EQ(history.summary.description, "东墙");
    EXPECT_EQ(history.summary.instrumentName, "双温度记录仪");
    EXPECT_EQ(SummaryTextsOf(history).enabledChannels, "2");
    EXPECT_EQ(SummaryTextsOf(history).dataLength, "4");
    EXPECT_FLOAT_EQ(history.limits.lower1, -10.0f);
    EXPECT_FLOAT_EQ(history.limits.upper2, 80.0f);
}

TEST(HistoryIngestion, ShownChannelsDecideDataLengthAndStatistics) {
    const LoggerInfo info = Logger(LoggerModel::TemperatureHumidity, kJanuary2010, 60);
    // Temperature 20.00, 24.00; humidity 60.50, 70.50 (no sign bit: 0x86 would be 134).
    const Bytes raw = Download({0x14, 0x00, 0x3C, 0x32, 0x18, 0x00, 0x46, 0x32, 0x19, 0x00, 0x86, 0x00});

    HistoryDataSet both;
    IngestDownloadedHistory(raw, info.model, {true, true}, info, both);
    EXPECT_EQ(SummaryTextsOf(both).dataLength, "6");
    EXPECT_EQ(SummaryTextsOf(both).channel2Max, "134.00%");
    EXPECT_EQ(both.summary.channel2Name, "湿度");
    EXPECT_EQ(both.summary.channel2Unit, "%");

    HistoryDataSet humidityOnly;
    const DownloadIngestResult result =
        IngestDownloadedHistory(raw, info.model, {false, true}, info, humidityOnly);
    EXPECT_TRUE(result.listed);
    EXPECT_EQ(result.recordedAmount, 6);
    const HistorySummary& s = humidityOnly.summary;
    const SummaryTexts texts = SummaryTextsOf(humidityOnly);
    EXPECT_EQ(texts.dataLength, "3");
    EXPECT_EQ(s.dataLengthValue, 3);
    EXPECT_EQ(texts.enabledChannels, "1");
    EXPECT_EQ(texts.channel1Min, "0.00°C");
    EXPECT_EQ(texts.channel1Max, "0.00°C");
    EXPECT_EQ(texts.channel1Avg, "0.00°C");
    EXPECT_EQ(texts.channel2Min, "60.50%");
    EXPECT_EQ(texts.channel2Avg, "88.33%");

    HistoryDataSet temperatureOnly;
    IngestDownloadedHistory(raw, info.model, {true, false}, info, temperatureOnly);
    EXPECT_EQ(SummaryTextsOf(temperatureOnly).channel2Max, "0.00%");
    EXPECT_EQ(SummaryTextsOf(temperatureOnly).channel1Max, "25.00°C");

    HistoryDataSet neither;
    const DownloadIngestResult nothing =
        IngestDownloadedHistory(raw, info.model, {false, false}, info, neither);
    EXPECT_TRUE(nothing.stored);
    EXPECT_FALSE(nothing.listed);
    EXPECT_EQ(neither.summary.dataLengthValue, 0);
    EXPECT_EQ(neither.summary.enabledChannelCount, 0);
}

TEST(HistoryIngestion, KeepsAtMostTheStoreCapacity) {
    HistoryDataSet history;
    const LoggerInfo info = Logger(LoggerModel::SingleTemperature, kJanuary2010, 1);
    const DownloadIngestResult result = IngestDownloadedHistory(
        Download(Bytes(2 * (SampleSeries::kCapacity + 7), 0x05)), info.model, {true, false}, info, history);
    EXPECT_EQ(result.sampleCount, SampleSeries::kCapacity);
    EXPECT_EQ(SummaryTextsOf(history).dataLength, "100000");
    EXPECT_EQ(SummaryTextsOf(history).stopTime, "2010-01-06 11:49:39");
}

}  // namespace
}  // namespace veldrin

namespace veldrin {
namespace {}  // namespace
}  // namespace veldrin
