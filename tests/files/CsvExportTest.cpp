// The CSV export against a golden file written by hand: UTF-8 with a byte-order mark, CR LF, the
// channel names and units in the header, ISO 8601 times with the local offset, values with a
// dot, and the alarm state of each channel.
#include <gtest/gtest.h>

#include "files/CsvExport.h"
#include "files/DataFileCommands.h"
#include "files/IsoTime.h"
#include "tests/files/DataFileTestSupport.h"

namespace veldrin {
namespace {

using test::Golden;
using test::LocalTime;

// Limits −10 … 40 and 20 … 80, alarm on: readings within, on, above and below both.
HistoryDataSet TemperatureHumidity() {
    return test::MakeHistory(LoggerModel::TemperatureHumidity,
                             {{25.5f, 60.0f}, {40.0f, 80.0f}, {41.25f, 85.5f}, {-10.5f, 19.99f}},
                             LocalTime(2024, 5, 1, 8, 0, 0), 300);
}

TEST(CsvExport, MatchesTheGoldenFile) {
    EXPECT_EQ(BuildCsvExport(TemperatureHumidity()), Golden("csv_temperature_humidity.csv"));
}

TEST(CsvExport, AChannelThatIsOffHasNoColumns) {
    HistoryDataSet history = TemperatureHumidity();
    history.shown = {true, false};
    const std::string csv = BuildCsvExport(history);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n") + 2), "\xEF\xBB\xBF索引,时间,温度 (°C),温度报警\r\n");
    EXPECT_NE(csv.find("\r\n2,2024-05-01T08:10:00+08:00,41.25,高于上限\r\n"), std::string::npos);
    EXPECT_EQ(csv.find("85.50"), std::string::npos);

    history.shown = {false, true};
    const std::string humidityOnly = BuildCsvExport(history);
    EXPECT_NE(humidityOnly.find("\r\n3,2024-05-01T08:15:00+08:00,19.99,低于下限\r\n"), std::string::npos);
}

// In °F every temperature converts, the humidity and the alarm states stay; the computed dew point
// (Magnus: 17.16 °C for 25.5 °C at 60 %, −29.20 °C for −10.5 °C at 19.99 %) follows the recorded
// values only when asked for and only where both channels are exported.
TEST(CsvExport, FahrenheitAndTheComputedDewPoint) {
    HistoryDataSet history = TemperatureHumidity();
    const std::string csv = BuildCsvExport(history, TemperatureUnit::Fahrenheit, true);
    const std::string header = csv.substr(0, csv.find("\r\n"));
    EXPECT_EQ(header.rfind("\xEF\xBB\xBF索引,时间,温度 (°F),", 0), 0u) << header;
    EXPECT_NE(header.find(",露点(计算) (°F),温度报警,湿度报警"), std::string::npos) << header;
    EXPECT_NE(csv.find("\r\n0,2024-05-01T08:00:00+08:00,77.90,60.00,62.89,正常,正常\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\n3,2024-05-01T08:15:00+08:00,13.10,19.99,-20.56,低于下限,低于下限\r\n"),
              std::string::npos);
    EXPECT_NE(BuildCsvExport(history, TemperatureUnit::Celsius, true)
                  .find("\r\n0,2024-05-01T08:00:00+08:00,25.50,60.00,17.16,正常,正常\r\n"),
              std::string::npos);
    EXPECT_EQ(BuildCsvExport(history, TemperatureUnit::Fahrenheit).find("露点"), std::string::npos);
    history.shown = {true, false};
    EXPECT_EQ(BuildCsvExport(history, TemperatureUnit::Celsius, true).find("露点"), std::string::npos);
}

TEST(CsvExport, AlarmStatesAreEmptyWhileTheAlarmIsOff) {
    HistoryDataSet history = TemperatureHumidity();
    history.limits.enable1 = 0;
    const std::string csv = BuildCsvExport(history);
    EXPECT_NE(csv.find("\r\n2,2024-05-01T08:10:00+08:00,41.25,85.50,,\r\n"), std::string::npos);
}

TEST(CsvExport, IsoTimesCarryTheLocalOffset) {
    EXPECT_EQ(FormatIsoTime(LocalTime(2024, 12, 31, 23, 59, 59)), "2024-12-31T23:59:59+08:00");
}

TEST(CsvExport, AFailedWriteLeavesTheExistingFile) {
    test::TempFolder folder;
    const std::string path = folder.File("readings.csv");
    test::WriteBytes(path, "old");
    EXPECT_FALSE(WriteCsvExport(folder.File("missing/readings.csv"), TemperatureHumidity()));
    ASSERT_TRUE(WriteCsvExport(path, TemperatureHumidity()));
    EXPECT_EQ(test::ReadBytes(path), Golden("csv_temperature_humidity.csv"));
}

TEST(CsvExport, TheSaveDialogsFourthFilterOrTheExtensionChoosesCsv) {
    EXPECT_EQ(PlanSave("/data/run", kCsvFilterIndex).path, "/data/run.csv");
    EXPECT_EQ(PlanSave("/data/run", kCsvFilterIndex).format, SaveFormat::Csv);
    EXPECT_EQ(PlanSave("/data/run.2024.csv", kCsvFilterIndex).path, "/data/run.2024.csv")
        << "the extension after the last dot";
    EXPECT_EQ(PlanSave("/data/run.csv", 2).format, SaveFormat::Csv)
        << "the typed extension wins over the filter";
    EXPECT_EQ(PlanSave("/data/run.csv", 0).format, SaveFormat::Csv);
}

}  // namespace
}  // namespace veldrin
