// veldrin-cli download, configure and the port errors, against a simulated logger served on a
// pseudo-terminal in real time.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "sim/PtyServer.h"
#include "tests/TempFolder.h"
#include "tests/cli/CliRun.h"

namespace veldrin {
namespace {

class CliLoggerTest : public testing::Test {
  protected:
    void Serve(LoggerModel model, int records) {
        SimLoggerOptions options;
        options.model = model;
        options.records = records;
        server_ = std::make_unique<PtyServer>(options);
        ASSERT_TRUE(server_->Start()) << server_->Error();
    }
    void TearDown() override {
        if (server_)
            server_->Stop();
    }
    std::string Device() const { return server_->DevicePath(); }

    std::unique_ptr<PtyServer> server_;
};

TEST_F(CliLoggerTest, DownloadPrintsCountsSummaryAndSavesADataFileThatLoadsAgain) {
    // 600 two-channel readings are 2400 bytes: three blocks.
    Serve(LoggerModel::TemperatureHumidity, 600);
    const test::TempFolder folder;
    const auto out = folder.File("download.Vdr");

    CliRun run = RunCommand({"download", "--port", Device(), "--model", "humidity", "-o", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("channel 1: 600 samples"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("channel 2: 600 samples"), std::string::npos) << run.out;
    // The summary follows, one "name: value" line per row, with the data length of both channels.
    EXPECT_NE(run.out.find(": 1200\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nInstrument: Temperature/humidity logger\n"), std::string::npos) << run.out;

    CliRun info = RunCommand({"info", out});
    ASSERT_EQ(info.status, 0) << info.err;
    auto json = nlohmann::json::parse(info.out);
    EXPECT_EQ(json["kind"], 4);
    EXPECT_EQ(json["samples"], 600);

    // The downloaded file exports as a workbook and as table pages chosen by the PDF options.
    auto workbook = out + ".xls";
    auto pdf = out + ".pdf";
    CliRun xls = RunCommand({"export", out, workbook});
    EXPECT_EQ(xls.status, 0) << xls.err;
    EXPECT_GT(std::filesystem::file_size(workbook), 4096u);
    CliRun pages = RunCommand({"export", out, pdf, "--mode", "text"});
    EXPECT_EQ(pages.status, 0) << pages.err;
    EXPECT_TRUE(std::filesystem::exists(pdf));
    for (const auto& path : {out, workbook, pdf})
        std::filesystem::remove(path);
}

TEST_F(CliLoggerTest, AnUnpluggedSecondProbeIsSavedWithoutItsValuesAndReadsBackWhole) {
    for (auto [model, name] : {std::pair{LoggerModel::DualTemperature, "dual"},
                               std::pair{LoggerModel::TemperatureHumidity, "humidity"}}) {
        SCOPED_TRACE(name);
        SimLoggerOptions options;
        options.model = model;
        options.records = 600;
        options.secondProbeUnplugged = true;
        server_ = std::make_unique<PtyServer>(options);
        ASSERT_TRUE(server_->Start()) << server_->Error();
        const test::TempFolder folder;
        const auto out = folder.File("unplugged.Vdr");

        CliRun run = RunCommand({"download", "--port", Device(), "--model", name, "-o", out});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("channel 2: 600 samples"), std::string::npos) << run.out;
        CliRun info = RunCommand({"info", out});
        ASSERT_EQ(info.status, 0) << info.err;
        auto json = nlohmann::json::parse(info.out);
        EXPECT_EQ(json["samples"], 600) << "not 1200 readings with every other one 0.00";
        EXPECT_EQ(json["valueCount"], 600);
        EXPECT_EQ(json["channels"], nlohmann::json::array({true, false}));
        CliRun dump = RunCommand({"dump", out});
        ASSERT_EQ(dump.status, 0) << dump.err;
        EXPECT_NE(dump.out.find(",0.00\n599,"), std::string::npos) << "sample 599 is the last one";
        EXPECT_EQ(dump.out.find("\n600,"), std::string::npos);
        std::filesystem::remove(out);
        server_->Stop();
        server_.reset();
    }
}

TEST_F(CliLoggerTest, ALoggerWithoutReadingsLeavesNothingToSave) {
    Serve(LoggerModel::DualTemperature, 0);
    const test::TempFolder folder;
    const auto out = folder.File("empty.Vdr");
    CliRun run = RunCommand({"download", "--port", Device(), "--model", "dual", "-o", out});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("nothing to save"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << "no single-temperature file of an empty history";
}

// The limit bytes of −20 … 50 °C on channel 1 and −10 … 40 °C on channel 2.
void ExpectDualLimitsWritten(const SimSettings& settings) {
    EXPECT_EQ(settings.channel1Lower, 0x94);
    EXPECT_EQ(settings.channel1Upper, 0x32);
    EXPECT_EQ(settings.channel2Lower, 0x8A);
    EXPECT_EQ(settings.channel2Upper, 0x28);
}

TEST_F(CliLoggerTest, ConfigureWritesTheSettingsIntoTheLogger) {
    Serve(LoggerModel::DualTemperature, 100);
    CliRun run = RunCommand({"configure", "--port", Device(), "--model", "dual", "--interval", "00:05:00",
                             "--limits", "-20,50,-10,40", "--title", "冷库A"});
    ASSERT_EQ(run.status, 0) << run.err;
    SimSettings settings = server_->Logger().Settings();
    EXPECT_EQ(settings.interval, 300);
    ExpectDualLimitsWritten(settings);
    EXPECT_EQ(settings.recordingState, 1);
}

// Limits typed in °F reach the logger as the same whole °C (−4 °F = −20 °C, 122 °F = 50 °C, 14 °F =
// −10 °C, 104 °F = 40 °C, 46.5 °F = 8.06 °C rounds to 8); limits not given keep the logger's own.
TEST_F(CliLoggerTest, ConfigureTakesLimitsInFahrenheit) {
    Serve(LoggerModel::DualTemperature, 100);
    CliRun run = RunCommand(
        {"configure", "--port", Device(), "--model", "dual", "--limits", "-4,122,14,104", "--unit", "F"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectDualLimitsWritten(server_->Logger().Settings());

    run = RunCommand(
        {"configure", "--port", Device(), "--model", "dual", "--limits", "35.6,46.5", "--unit", "F"});
    ASSERT_EQ(run.status, 0) << run.err;
    const SimSettings settings = server_->Logger().Settings();
    EXPECT_EQ(settings.channel1Lower, 0x02);
    EXPECT_EQ(settings.channel1Upper, 0x08);
    EXPECT_EQ(settings.channel2Lower, 0x8A) << "−10 °C kept, not read as −10 °F";
    EXPECT_EQ(settings.channel2Upper, 0x28);

    const int frames = server_->Logger().FramesHeard();
    run =
        RunCommand({"configure", "--port", Device(), "--model", "dual", "--limits", "0,270", "--unit", "F"});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("Temperature I upper limit is out of range: 270°F."), std::string::npos)
        << run.err;
    EXPECT_EQ(server_->Logger().FramesHeard(), frames) << "refused before the logger was woken";
}

TEST_F(CliLoggerTest, ConfigureRefusesSettingsTheLoggerCannotTakeAndWritesNothing) {
    Serve(LoggerModel::TemperatureHumidity, 100);
    const SimSettings before = server_->Logger().Settings();
    struct Case {
        std::vector<std::string> options;
        const char* field;
    };
    const Case cases[] = {
        {{"--limits", "-20,200"}, "Temperature upper limit is out of range: 200"},
        {{"--limits", "x,50"}, "Temperature lower limit is not a number"},
        {{"--limits", "-20,50,0,120"}, "Humidity upper limit is out of range: 120"},
        {{"--start", "2030-02-31 08:00:00"}, "The start time is not a valid date"},
        {{"--title", "一二三四五六七八九十一二三四五六七八九"}, "Title is too long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        std::vector<std::string> arguments{"configure", "--port", Device(), "--model", "humidity"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        CliRun run = RunCommand(arguments);
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.err.find(c.field), std::string::npos) << run.err;
    }
    EXPECT_EQ(server_->Logger().FramesHeard(), 0) << "refused before the logger was even woken";
    const SimSettings after = server_->Logger().Settings();
    EXPECT_EQ(after.channel1Upper, before.channel1Upper);
    EXPECT_EQ(after.description, before.description);
}

TEST_F(CliLoggerTest, WrongInstrumentAndMissingPortFailWithTheirMessages) {
    Serve(LoggerModel::SingleTemperature, 10);
    CliRun wrong = RunCommand({"download", "--port", Device(), "--model", "dual"});
    EXPECT_NE(wrong.status, 0);
    EXPECT_NE(wrong.err.find("Logger model mismatch"), std::string::npos) << wrong.err;

    CliRun missing = RunCommand({"download", "--port", "/dev/veldrin-no-such-port", "--model", "single"});
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("Cannot open /dev/veldrin-no-such-port"), std::string::npos) << missing.err;
    // The lines below name the device and the reason.
    EXPECT_NE(missing.err.find("\nDevice: /dev/veldrin-no-such-port"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("\nReason: The device does not exist"), std::string::npos) << missing.err;
}

TEST_F(CliLoggerTest, MonitorOntoAFullDiskStopsAndSaysSo) {
    Serve(LoggerModel::SingleTemperature, 10);
    CliRun run = RunCommandOntoAFullDisk({"monitor", "--port", Device(), "--model", "single"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("monitor: cannot write the readings"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace veldrin
