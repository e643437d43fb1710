// The files and the libraries' texts with the programs' English translation installed: the CSV
// export's header and alarm states, the reader's refusals, a connection failure and the summary
// and statistics texts read in English; the text export stays byte for byte what it is in the
// Chinese interface while the lists show the same history's times in ISO form.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <memory>

#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/TextExport.h"
#include "history/HistoryListRows.h"
#include "history/HistoryStatistics.h"
#include "history/StatisticsText.h"
#include "history/SummaryRows.h"
#include "logger/ConnectMessages.h"
#include "logger/ConnectionTexts.h"
#include "tests/MarkedTranslation.h"
#include "tests/files/DataFileTestSupport.h"
#include "translations/Translator.h"

namespace veldrin {
namespace {

// A Qt application with the English translation behind the libraries' texts and ISO times, for
// as long as it lives; the Chinese texts and the logger's time forms again after it.
class InEnglish : public ::testing::Test {
  protected:
    void SetUp() override {
        application_ = std::make_unique<QCoreApplication>(argc_, argv_);
        translator_ = LoadTranslation(Language::English);
        ASSERT_NE(translator_, nullptr);
        ASSERT_TRUE(QCoreApplication::installTranslator(translator_.get()));
    }
    void TearDown() override { Leave(); }

    void Enter() {
        TranslateLibrariesThroughApplication();
        text::ShowIsoTimes(true);
    }
    static void Leave() {
        text::InstallTranslator(nullptr);
        text::ShowIsoTimes(false);
    }

    // Readings of a temperature-humidity logger within, above and below the limits −10 … 40 °C
    // and 20 … 80 %.
    static HistoryDataSet ThreeReadings() {
        return test::MakeHistory(LoggerModel::TemperatureHumidity,
                                 {{20.0F, 50.0F}, {45.5F, 10.0F}, {-20.0F, 90.0F}},
                                 test::LocalTime(2024, 5, 1, 8, 0, 0), 60);
    }

  private:
    int argc_ = 1;
    char name_[16] = "test_files";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
    std::unique_ptr<QTranslator> translator_;
};

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = text.find(end, at);
        lines.push_back(text.substr(at, next - at));
        at = next == std::string::npos ? text.size() : next + end.size();
    }
    return lines;
}

TEST_F(InEnglish, TheCsvHeaderAndAlarmStatesAreEnglishAndTheChineseExportStaysAsItWas) {
    const HistoryDataSet history = ThreeReadings();
    const std::string chinese = BuildCsvExport(history, TemperatureUnit::Celsius, true);
    Enter();
    const std::vector<std::string> lines =
        Lines(BuildCsvExport(history, TemperatureUnit::Celsius, true), "\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "\xEF\xBB\xBFIndex,Time,Temperature (°C),Humidity (%),Dew point (computed) (°C),Temperature "
              "alarm,Humidity alarm");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 14), ",Normal,Normal");
    EXPECT_EQ(lines[2].substr(lines[2].size() - 36), ",Above upper limit,Below lower limit");
    EXPECT_EQ(lines[3].substr(lines[3].size() - 36), ",Below lower limit,Above upper limit");
    EXPECT_EQ(Lines(BuildCsvExport(history, TemperatureUnit::Fahrenheit), "\r\n")[0],
              "\xEF\xBB\xBFIndex,Time,Temperature (°F),Humidity (%),Temperature alarm,Humidity alarm");
    Leave();
    EXPECT_EQ(BuildCsvExport(history, TemperatureUnit::Celsius, true), chinese);
    EXPECT_NE(chinese.find("温度 (°C),湿度 (%),露点(计算) (°C),温度报警,湿度报警"), std::string::npos);
}

TEST_F(InEnglish, AFilesHistoryListsIsoTimesWhileItsTextExportKeepsItsForm) {
    test::TempFolder folder;
    const std::string path = folder.File("three.Vdr");
    ASSERT_TRUE(WriteDataFile(path, ThreeReadings()).ok);
    const DataFileLoad load = LoadDataFile(path);
    ASSERT_TRUE(load.result.ok) << load.result.reason;
    const HistoryDataSet& history = *load.dataSet;
    const std::string chinese = BuildTextExport(history);
    const auto firstTime = [&] {
        HistoryListRows rows(ListKind::HistoryData);
        FillHistoryRows(history, history.model, false, rows);
        return rows.CellText(0, 1);
    };
    EXPECT_EQ(firstTime(), "2024- 5- 1  8: 0: 0");
    Enter();
    EXPECT_EQ(firstTime(), "2024-05-01 08:00:00");
    EXPECT_EQ(BuildTextExport(history), chinese);
    EXPECT_NE(chinese.find("2024- 5- 1  8: 0: 0"), std::string::npos);
}

TEST_F(InEnglish, RefusalsConnectionFailuresSummariesAndStatisticsReadInEnglish) {
    Enter();
    test::TempFolder folder;
    const std::string shortFile = folder.File("short.Vdr");
    test::WriteBytes(shortFile, std::string(10, 'x'));
    EXPECT_EQ(LoadDataFile(shortFile).result.reason,
              "The file is incomplete: only 10 bytes, less than the shortest header of 194 bytes");
    EXPECT_EQ(LoadDataFile(folder.File("none.Vdr")).result.reason,
              "The file does not exist: " + folder.File("none.Vdr"));

    const std::string failure = OpenFailedMessage(
        PortMessage(texts::kOpenFailed, texts::kOpenDeviceFailed, ChosenPort{"/dev/ttyUSB1", 2}),
        {"/dev/ttyUSB1", EACCES, ""});
    EXPECT_EQ(
        failure.substr(0, failure.find("\nYou need access")),
        std::string("Cannot open com2\nDevice: /dev/ttyUSB1\nReason: No permission to access this device (") +
            std::strerror(EACCES) + ")");
    EXPECT_EQ(texts::LinkStatusText(LinkStatus::Timeout), "Communication timeout");

    HistoryDataSet history = ThreeReadings();
    history.summary.title = "Cold room 1";
    history.summary.description = "Aisle 4";
    const std::string summary = FormatSummaryLines(history);
    EXPECT_NE(summary.find("Instrument: Temperature/humidity logger\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Channel name: Humidity\n"), std::string::npos) << summary;
    EXPECT_FALSE(test::HoldsChinese(summary)) << summary;

    const HistoryStatistics statistics = ComputeStatistics(history);
    EXPECT_EQ(VerdictText(statistics), "4 excursions, 4 min 0 s beyond the limits in total");
    EXPECT_EQ(FormatDuration(93784), "1 d 2 h 3 min 4 s");
    for (const FigureRow& row : FigureRows(statistics)) {
        EXPECT_FALSE(test::HoldsChinese(row.name)) << row.name;
        for (const std::string& text : row.texts)
            EXPECT_FALSE(test::HoldsChinese(text)) << row.name << ": " << text;
    }
}

}  // namespace
}  // namespace veldrin
