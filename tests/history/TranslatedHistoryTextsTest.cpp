// The history's texts in another language: the lists, the summary and the statistics are made of
// texts that went through the translation, composite texts are formatted in the translation's
// words, and a history read from a data file shows ISO times where the run asks for them while
// the texts its files are written from keep the recorded form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/AlarmText.h"
#include "history/HistoryListRows.h"
#include "history/HistoryStatistics.h"
#include "history/StatisticsText.h"
#include "history/SummaryRows.h"
#include "logger/WireCodec.h"
#include "tests/MarkedTranslation.h"
#include "tests/history/ThreeSampleHistory.h"

namespace veldrin {
namespace {

using test::AllChineseTranslated;
using test::TranslatedForAWhile;

constexpr test::TableEntry kEnglish[] = {
    {"veldrin::LoggerModel", "温度", "Temperature"},
    {"veldrin::AlarmText", "报警：%s", "Alarm: %s"},
    {"veldrin::AlarmText", "%s大于%s", "%s above %s"},
    {"veldrin::StatisticsText", "超限%d次，累计超限%s", "%d excursions, %s beyond the limits"},
    {"veldrin::StatisticsText", "%lld分", "%lld min "},
    {"veldrin::StatisticsText", "%lld秒", "%lld s"},
    {"veldrin::HistoryText", "不完整：收到%d条，共%d条", "Incomplete: %d of %d readings"},
};

// A single-temperature history of readings five minutes apart from 2024-05-01 08:00:00, limits
// 2 … 8 °C with the alarm on.
HistoryDataSet SingleTemperature(const std::vector<float>& values) {
    HistoryDataSet history;
    history.model = LoggerModel::SingleTemperature;
    history.shown = {true, false};
    history.summary.source = SummarySource::Download;
    history.summary.title = "Cold room 1";
    history.summary.channel1Name = "温度";
    history.summary.intervalSeconds = 300;
    history.limits = HistoryLimits{2, 8, 40, 80, 1};
    const std::time_t start = MakeLocalTime(2024, 5, 1, 8, 0, 0).value();
    for (std::size_t i = 0; i < values.size(); ++i)
        history.samples.SetHistorySample(static_cast<int>(i), values[i], 0,
                                         start + 300 * static_cast<int>(i));
    history.summary.start = start;
    history.summary.stop = start + 300 * static_cast<int>(values.size() - 1);
    return history;
}

// The history as a data file of its model gives it back: kind, blank-padded times, stored figures.
HistoryDataSet AsReadFromAFile(HistoryDataSet history) {
    history.fileKind = Traits(history.model).fileKind;
    history.summary.source = SummarySource::DataFile;
    history.summary.instrumentName = std::string(Traits(history.model).displayName);
    std::tm stop{};
    localtime_r(&history.summary.stop, &stop);
    history.summary.storedStopFields = {stop.tm_year + 1900, stop.tm_mon + 1, stop.tm_mday,
                                        stop.tm_hour,        stop.tm_min,     stop.tm_sec};
    return history;
}

std::vector<std::string> CellsOf(const HistoryListRows& rows) {
    std::vector<std::string> cells;
    for (const ListColumn& column : rows.Columns())
        cells.push_back(column.header);
    for (int row = 0; row < rows.Rows(); ++row) {
        for (int column = 0; column < static_cast<int>(rows.Columns().size()); ++column)
            cells.push_back(rows.CellText(row, column));
    }
    return cells;
}

TEST(TranslatedHistoryTexts, ListsAndSummariesAreMadeOfTranslatedTexts) {
    TranslatedForAWhile marked(&test::MarkingTranslator);
    for (const ListKind kind :
         {ListKind::RealtimeData, ListKind::RealtimeAlarm, ListKind::HistoryData, ListKind::HistoryAlarm}) {
        for (const ListColumn& column : InitialColumns(kind))
            EXPECT_TRUE(AllChineseTranslated(column.header));
        for (const ModelTraits& traits : KnownModels()) {
            for (const ListColumn& column : ColumnsFor(kind, traits.model))
                EXPECT_TRUE(AllChineseTranslated(column.header));
        }
    }
    // Titles and descriptions are the user's own: a history's are left as they are.
    const HistoryDataSet single = SingleTemperature({5, 9, 1});
    HistoryDataSet humid = test::ThreeSampleDownload();
    humid.summary.title = "Cold room 2";
    HistoryDataSet partial = humid;
    partial.expectedReadings = 10;
    ASSERT_TRUE(partial.Partial());
    for (const HistoryDataSet* history :
         std::initializer_list<const HistoryDataSet*>{&single, &humid, &partial}) {
        for (const ListKind kind : {ListKind::HistoryData, ListKind::HistoryAlarm}) {
            HistoryListRows rows(kind);
            FillHistoryRows(*history, history->model, true, rows);
            for (const std::string& cell : CellsOf(rows))
                EXPECT_TRUE(AllChineseTranslated(cell));
        }
        for (const SummaryRow& row : SummaryListRows(*history)) {
            EXPECT_TRUE(AllChineseTranslated(row.name));
            EXPECT_TRUE(AllChineseTranslated(row.value));
        }
        for (const SummaryRow& row : SummaryRows(AsReadFromAFile(*history))) {
            EXPECT_TRUE(AllChineseTranslated(row.name));
            EXPECT_TRUE(AllChineseTranslated(row.value));
        }
    }
    // Before any history the summary shows its start values, which are Chinese texts too.
    for (const SummaryRow& row : SummaryRows(HistoryDataSet{}))
        EXPECT_TRUE(AllChineseTranslated(row.name + row.value));
    for (const std::string& name : OneChannelRowNames())
        EXPECT_TRUE(AllChineseTranslated(name));
    for (const ListColumn& column : SummaryListColumns())
        EXPECT_TRUE(AllChineseTranslated(column.header));
    for (const ModelTraits& traits : KnownModels()) {
        for (const int channel : {1, 2}) {
            EXPECT_TRUE(
                AllChineseTranslated(AlarmText(AlarmListKind::History, traits.model, channel, 99, 0, 10)));
            EXPECT_TRUE(
                AllChineseTranslated(AlarmText(AlarmListKind::Realtime, traits.model, channel, -9, 0, 10)));
        }
    }
}

TEST(TranslatedHistoryTexts, StatisticsAreMadeOfTranslatedTexts) {
    TranslatedForAWhile marked(&test::MarkingTranslator);
    HistoryDataSet beyond = SingleTemperature({9, 9, 5, 1, 1, 1});
    HistoryDataSet alarmOff = beyond;
    alarmOff.limits.enable1 = 0;
    std::vector<std::string> texts{FormatDuration(0), FormatDuration(2 * 86400 + 3 * 3600 + 5)};
    for (const HistoryDataSet* history : {&beyond, &alarmOff}) {
        const HistoryStatistics statistics = ComputeStatistics(*history);
        texts.push_back(VerdictText(statistics));
        texts.push_back(VerdictText(ComputeStatistics(*history, SampleRange{})));
        for (const NamedText& row : PeriodRows(statistics.period)) {
            texts.push_back(row.name);
            texts.push_back(row.text);
        }
        for (const FigureRow& row : FigureRows(statistics)) {
            texts.push_back(row.name);
            texts.insert(texts.end(), row.texts.begin(), row.texts.end());
        }
        for (const ListedExcursion& excursion : ExcursionsInTimeOrder(statistics)) {
            const ExcursionCells cells = ExcursionCellsOf(excursion);
            texts.insert(texts.end(), {cells.channel, cells.limit, cells.duration});
        }
    }
    ASSERT_GT(texts.size(), 40u);
    for (const std::string& text : texts)
        EXPECT_TRUE(AllChineseTranslated(text));
}

TEST(TranslatedHistoryTexts, CompositeTextsAreFormattedInTheTranslationsWords) {
    TranslatedForAWhile english(&test::TableTranslator<kEnglish>);
    const HistoryStatistics statistics = ComputeStatistics(SingleTemperature({9, 9, 5, 1}));
    EXPECT_EQ(VerdictText(statistics), "2 excursions, 15 min 0 s beyond the limits");
    EXPECT_EQ(AlarmText(AlarmListKind::History, LoggerModel::SingleTemperature, 1, 9.5F, 2, 8),
              "Alarm: Temperature above 8.00°C");
    HistoryDataSet partial = SingleTemperature({5, 6});
    partial.expectedReadings = 1440;
    EXPECT_EQ(CompletenessText(partial), "Incomplete: 2 of 1440 readings");
}

TEST(TranslatedHistoryTexts, AFilesHistoryShowsIsoTimesWhileItsFileTextsKeepTheRecordedForm) {
    const HistoryDataSet history = AsReadFromAFile(SingleTemperature({5, 6, 7}));
    const auto timeCells = [&] {
        HistoryListRows rows(ListKind::HistoryData);
        FillHistoryRows(history, history.model, false, rows);
        return std::vector<std::string>{rows.CellText(0, 1), rows.CellText(2, 1)};
    };
    const auto summaryTimes = [&] {
        const std::vector<SummaryRow> rows = SummaryRows(history);
        return std::vector<std::string>{rows.at(4).value, rows.at(5).value};
    };
    const std::vector<std::string> recorded{"2024- 5- 1  8: 0: 0", "2024- 5- 1  8:10: 0"};
    EXPECT_EQ(timeCells(), recorded);
    EXPECT_EQ(summaryTimes(), recorded);
    {
        TranslatedForAWhile iso(&test::MarkingTranslator, true);
        const std::vector<std::string> isoTimes{"2024-05-01 08:00:00", "2024-05-01 08:10:00"};
        EXPECT_EQ(timeCells(), isoTimes);
        EXPECT_EQ(summaryTimes(), isoTimes);
        EXPECT_EQ(SampleTimeText(history, 2), isoTimes[1]);
        // What the text export and the data file are written from.
        EXPECT_EQ(RecordedTimeStyle(history), TimeStyle::BlankPadded);
        const SummaryTexts forFiles = SummaryTextsOf(history);
        EXPECT_EQ((std::vector<std::string>{forFiles.startTime, forFiles.stopTime}), recorded);
        EXPECT_EQ(forFiles.channel1Name, "温度");
        EXPECT_EQ(forFiles.instrumentName, "单温度记录仪");
    }
    EXPECT_EQ(timeCells(), recorded) << "the logger's own form again once the run leaves ISO times";
}

}  // namespace
}  // namespace veldrin
