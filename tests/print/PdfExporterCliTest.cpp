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

    Status Write(const std::string& path) const {
        const fleet::Exporter* exporter = fleet::ExporterRegistry::Instance().ForPath(path);
        EXPECT_NE(exporter, nullptr);
        return exporter == nullptr ? Status::Failure("no writer")
                                   : (*exporter)(*history, path, TemperatureUnit::Celsius);
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
