// veldrin-cli report, export to CSV and info --stats on a data file written for the test.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "files/DataFile.h"
#include "logger/WireCodec.h"
#include "tests/TempFolder.h"
#include "tests/cli/CliRun.h"

namespace veldrin {
namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

class CliStatistics : public ::testing::Test {
  protected:
    // Twelve temperature-humidity readings five minutes apart from 2024-05-01 08:00:00; the
    // temperature is above its upper limit 8 for readings 3 and 4, the humidity below 40 at 9.
    void SetUp() override {
        HistoryDataSet set;
        set.model = LoggerModel::TemperatureHumidity;
        set.shown = {true, true};
        const std::time_t start = MakeLocalTime(2024, 5, 1, 8, 0, 0).value();
        for (int i = 0; i < 12; ++i) {
            const float temperature = i == 3 || i == 4 ? 9.25f : 4.0f + static_cast<float>(i) / 4;
            const float humidity = i == 9 ? 35.5f : 60.0f;
            set.samples.SetHistorySample(i, temperature, humidity, start + 300 * i);
        }
        HistorySummary& s = set.summary;
        s.title = "冷库";
        s.source = SummarySource::Download;
        s.start = start;
        s.stop = start + 300 * 11;
        s.intervalSeconds = 300;
        s.dataLengthValue = 24;
        s.min1 = 4;
        s.max1 = 9.25f;
        s.avg1 = 5;
        s.min2 = 35.5f;
        s.max2 = 60;
        s.avg2 = 58;
        set.limits = {2, 8, 40, 80, 1};
        data = folder + "/run.Vdr";
        ASSERT_TRUE(WriteDataFile(data, set).ok);
    }

    test::TempFolder temp;
    const std::string& folder = temp.Path();
    std::string data;
};

TEST_F(CliStatistics, ReportWritesOnePageOrTheReadingsToo) {
    const std::string out = folder + "/report.pdf";
    const CliRun run = RunCommand({"report", data, out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadAll(out).substr(0, 5), "%PDF-");
    EXPECT_NE(ReadAll(out).find("/Count 1"), std::string::npos) << "one page";

    const std::string withReadings = folder + "/readings.pdf";
    ASSERT_EQ(RunCommand({"report", data, withReadings, "--with-readings"}).status, 0);
    EXPECT_NE(ReadAll(withReadings).find("/Count 2"), std::string::npos) << "the report and one reading page";
}

TEST_F(CliStatistics, ReportRefusesARangeWithoutReadingsAndATextThatIsNoTime) {
    const std::string out = folder + "/late.pdf";
    const CliRun late = RunCommand({"report", data, out, "--from", "2025-01-01 00:00:00"});
    EXPECT_NE(late.status, 0);
    EXPECT_NE(late.err.find("no reading"), std::string::npos) << late.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_NE(RunCommand({"report", data, out, "--to", "yesterday"}).status, 0);
}

TEST_F(CliStatistics, CsvExportHasTheFiguresOfDump) {
    const std::string out = folder + "/run.csv";
    ASSERT_EQ(RunCommand({"export", data, out}).status, 0);
    const std::string csv = ReadAll(out);
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    const std::vector<std::string> rows = Split(csv.substr(3), "\r\n");
    ASSERT_EQ(rows.size(), 14u) << "header, twelve readings, and the empty rest after the last line end";
    EXPECT_EQ(rows[0], "Index,Time,Temperature (°C),Humidity (%RH),Temperature alarm,Humidity alarm");

    const CliRun dump = RunCommand({"dump", data});
    ASSERT_EQ(dump.status, 0);
    const std::vector<std::string> dumped = Split(dump.out, "\n");
    for (int i = 0; i < 12; ++i) {
        const std::vector<std::string> cells = Split(rows[static_cast<std::size_t>(i) + 1], ",");
        const std::vector<std::string> figures = Split(dumped[static_cast<std::size_t>(i)], ",");
        ASSERT_EQ(cells.size(), 6u) << rows[static_cast<std::size_t>(i) + 1];
        EXPECT_EQ(cells[0], figures[0]);
        EXPECT_EQ(cells[2], figures[2]) << "temperature of reading " << i;
        EXPECT_EQ(cells[3], figures[3]) << "humidity of reading " << i;
    }
    EXPECT_EQ(rows[4], "3,2024-05-01T08:15:00+08:00,9.25,60.00,Above upper limit,Normal");
    EXPECT_EQ(rows[10], "9,2024-05-01T08:45:00+08:00,6.25,35.50,Normal,Below lower limit");
}

TEST_F(CliStatistics, InfoStatsGivesNumbersAsNumbersAndTimesAsIsoText) {
    const CliRun plain = RunCommand({"info", data});
    ASSERT_EQ(plain.status, 0);
    EXPECT_FALSE(nlohmann::json::parse(plain.out).contains("stats"));

    const CliRun run = RunCommand({"info", data, "--stats"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json stats = nlohmann::json::parse(run.out).at("stats");
    EXPECT_EQ(stats.at("period").at("first"), "2024-05-01T08:00:00+08:00");
    EXPECT_EQ(stats.at("period").at("recordedSeconds"), 12 * 300);
    EXPECT_EQ(stats.at("excursions"), 2);
    EXPECT_EQ(stats.at("secondsBeyond"), 3 * 300);
    const nlohmann::json& temperature = stats.at("channels").at(0);
    EXPECT_TRUE(temperature.at("max").at("value").is_number());
    EXPECT_DOUBLE_EQ(temperature.at("max").at("value").get<double>(), 9.25);
    EXPECT_EQ(temperature.at("max").at("time"), "2024-05-01T08:15:00+08:00") << "its first occurrence";
    EXPECT_TRUE(temperature.at("meanKineticTemperature").is_number());
    const nlohmann::json& upper = temperature.at("upper");
    EXPECT_EQ(upper.at("count"), 1);
    EXPECT_EQ(upper.at("longest").at("readings"), 2);
    EXPECT_EQ(upper.at("longest").at("end"), "2024-05-01T08:20:00+08:00");
    const nlohmann::json& humidity = stats.at("channels").at(1);
    EXPECT_TRUE(humidity.at("meanKineticTemperature").is_null()) << "humidity has none";
    EXPECT_EQ(humidity.at("lower").at("firstStart"), "2024-05-01T08:45:00+08:00");
}

// --unit F: the CSV's temperature column and title, dump's figures and the statistics in °F, the
// humidity and the alarm states as in °C; an unknown unit is refused before anything is written.
TEST_F(CliStatistics, TheUnitOptionShowsTemperaturesInFahrenheit) {
    const std::string out = folder + "/run-f.csv";
    ASSERT_EQ(RunCommand({"export", data, out, "--unit", "F"}).status, 0);
    const std::vector<std::string> rows = Split(ReadAll(out).substr(3), "\r\n");
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(rows[0], "Index,Time,Temperature (°F),Humidity (%RH),Temperature alarm,Humidity alarm");
    EXPECT_EQ(rows[4], "3,2024-05-01T08:15:00+08:00,48.65,60.00,Above upper limit,Normal") << "9.25 °C";
    EXPECT_EQ(rows[10], "9,2024-05-01T08:45:00+08:00,43.25,35.50,Normal,Below lower limit") << "6.25 °C";

    const CliRun dump = RunCommand({"dump", data, "--unit", "f"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(Split(dump.out, "\n").at(3), "3,2024-05-01 08:15:00,48.65,60.00");

    const CliRun celsius = RunCommand({"info", data, "--stats"});
    const CliRun run = RunCommand({"info", data, "--stats", "--unit", "F"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json stats = nlohmann::json::parse(run.out).at("stats");
    const nlohmann::json statsC = nlohmann::json::parse(celsius.out).at("stats");
    EXPECT_EQ(stats.at("excursions"), statsC.at("excursions"));
    EXPECT_EQ(stats.at("secondsBeyond"), statsC.at("secondsBeyond"));
    const nlohmann::json& temperature = stats.at("channels").at(0);
    EXPECT_EQ(temperature.at("unit"), "°F");
    EXPECT_NEAR(temperature.at("max").at("value").get<double>(), 48.65, 1e-4);
    EXPECT_NEAR(temperature.at("upper").at("limit").get<double>(), 46.4, 1e-4);
    const nlohmann::json& temperatureC = statsC.at("channels").at(0);
    EXPECT_NEAR(temperature.at("standardDeviation").get<double>(),
                temperatureC.at("standardDeviation").get<double>() * 1.8, 1e-3);
    EXPECT_NEAR(temperature.at("meanKineticTemperature").get<double>(),
                temperatureC.at("meanKineticTemperature").get<double>() * 1.8 + 32, 1e-3);
    EXPECT_EQ(stats.at("channels").at(1), statsC.at("channels").at(1)) << "humidity is unchanged";

    const std::string refused = folder + "/refused.csv";
    EXPECT_NE(RunCommand({"export", data, refused, "--unit", "K"}).status, 0);
    EXPECT_TRUE(ReadAll(refused).empty());
}

TEST_F(CliStatistics, TheCsvExportAddsTheDewPointWhenAsked) {
    const std::string out = folder + "/dew.csv";
    ASSERT_EQ(RunCommand({"export", data, out, "--dew-point", "--unit", "F"}).status, 0);
    const std::vector<std::string> rows = Split(ReadAll(out).substr(3), "\r\n");
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(rows[0],
              "Index,Time,Temperature (°F),Humidity (%RH),Dew point (computed) (°F),Temperature "
              "alarm,Humidity alarm");
    EXPECT_EQ(rows[4], "3,2024-05-01T08:15:00+08:00,48.65,60.00,35.38,Above upper limit,Normal")
        << "9.25 °C at 60 %";
    const std::string plain = folder + "/plain.csv";
    ASSERT_EQ(RunCommand({"export", data, plain}).status, 0);
    EXPECT_EQ(ReadAll(plain).find("Dew point"), std::string::npos)
        << "a later export without the flag has none";
}

}  // namespace
}  // namespace veldrin
