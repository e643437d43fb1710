#include <gtest/gtest.h>

#include "PrintTestSupport.h"
#include "cli/PdfExporter.h"
#include "fleet/ExportRegistry.h"

namespace veldrin {
namespace {

using test::BaseTime;

TEST(PdfExporterCli, RangeTimesAreFullLocalDatesAndTimes) {
    EXPECT_EQ(cli::ParsePrintRangeTime("2024-03-01 08:01:05"), BaseTime() + 65);
    EXPECT_EQ(cli::ParsePrintRangeTime("2024-3-1 8:1:5"), BaseTime() + 65);
    EXPECT_FALSE(cli::ParsePrintRangeTime("2024-03-01"));
    EXPECT_FALSE(cli::ParsePrintRangeTime("2024-03-01 08:01:05x"));
    EXPECT_FALSE(cli::ParsePrintRangeTime("2024-02-30 25:00:00"));
}

// The options as the export command parses them, then the .pdf writer of the registry.
class PdfExporterOptions : public ::testing::Test {
  protected:
    void SetUp() override { test::EnsureApplication(); }

    bool Parse(std::vector<std::string> arguments) {
        CLI::App app;
        CLI::App* command = app.add_subcommand("export");
        cli::AddPdfExportOptions(*command);
        arguments.insert(arguments.begin(), "export");
        std::reverse(arguments.begin(), arguments.end());
        try {
            app.parse(arguments);
        } catch (const CLI::ParseError&) {
            return false;
        }
        return true;
    }

    Status Write(const std::string& path, TemperatureUnit unit = TemperatureUnit::Celsius) const {
        const fleet::Exporter* exporter = fleet::ExporterRegistry::Instance().ForPath(path);
        EXPECT_NE(exporter, nullptr);
        return exporter == nullptr ? Status::Failure("no writer") : (*exporter)(*history, path, unit);
    }

    std::unique_ptr<HistoryDataSet> history =
        test::MakeHistory({.model = LoggerModel::DualTemperature, .count = 200});
};

TEST_F(PdfExporterOptions, ModePagesAndRangeShapeTheFile) {
    const std::string path = test::TemporaryPath("cli.pdf");
    ASSERT_TRUE(Parse({"--pages", "6"}));
    ASSERT_TRUE(Write(path));
    EXPECT_EQ(test::PdfPages(path), 6);

    ASSERT_TRUE(Parse({"--mode", "text", "--from", "2024-03-01 08:10:00", "--to", "2024-3-1 10:09:00"}));
    ASSERT_TRUE(Write(path));
    EXPECT_EQ(test::PdfPages(path), 3) << "samples 10 to 129: two table pages";
    const std::string page2 = test::RunCommand("pdftotext -f 2 -l 2 -layout '" + path + "' -");
    EXPECT_NE(page2.find("2024-3-1 8:10:0"), std::string::npos) << page2;
    EXPECT_NE(page2.find("温度II"), std::string::npos) << page2;

    ASSERT_TRUE(Parse({}));
    ASSERT_TRUE(Write(path));
    EXPECT_EQ(test::PdfPages(path), 2) << "each command line starts from the defaults";
}

// The unit of the command line reaches the pages: sample 0 holds 20 °C and 50 °C, 68 °F and 122 °F.
TEST_F(PdfExporterOptions, TheUnitGivenToTheWriterShapesThePages) {
    const std::string path = test::TemporaryPath("fahrenheit.pdf");
    ASSERT_TRUE(Parse({"--mode", "text"}));
    ASSERT_TRUE(Write(path, TemperatureUnit::Fahrenheit));
    const std::string summary = test::RunCommand("pdftotext -f 1 -l 1 -layout '" + path + "' -");
    EXPECT_NE(summary.find("通道单位：°F"), std::string::npos) << summary;
    const std::string page2 = test::RunCommand("pdftotext -f 2 -l 2 -layout '" + path + "' -");
    EXPECT_NE(page2.find("68.00°F"), std::string::npos) << page2;
    EXPECT_NE(page2.find("122.00°F"), std::string::npos) << page2;
    EXPECT_EQ(summary.find("°C"), std::string::npos) << summary;
    EXPECT_EQ(page2.find("°C"), std::string::npos) << page2;
}

TEST_F(PdfExporterOptions, BadOptionsAreRefused) {
    EXPECT_FALSE(Parse({"--mode", "table"}));
    EXPECT_FALSE(Parse({"--from", "yesterday"}));
    ASSERT_TRUE(Parse({"--from", "2024-03-01 07:59:59"}));
    const Status result = Write(test::TemporaryPath("early.pdf"));
    EXPECT_FALSE(result);
    EXPECT_NE(result.reason.find("start time"), std::string::npos) << result.reason;
}

}  // namespace
}  // namespace veldrin
