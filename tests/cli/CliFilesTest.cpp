// veldrin-cli info, dump and export on data files written for the test.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "files/DataFile.h"
#include "files/TextExport.h"
#include "logger/WireCodec.h"
#include "tests/PipeUnblocker.h"
#include "tests/TempFolder.h"
#include "tests/cli/CliRun.h"

namespace veldrin {
namespace {

class CliFiles : public ::testing::Test {
  protected:
    // A history of two samples 300 s apart from 2010-01-05 08:03:00, saved as a data file.
    std::string WriteHistory(LoggerModel model, const std::string& name) {
        HistoryDataSet set;
        set.model = model;
        bool two = Traits(model).channelCount == 2;
        set.shown = {true, two};
        std::time_t start = MakeLocalTime(2010, 1, 5, 8, 3, 0).value();
        set.samples.SetHistorySample(0, 25.3F, -5.25F, start);
        set.samples.SetHistorySample(1, 26.1F, -6.0F, start + 300);
        HistorySummary& s = set.summary;
        s.title = "冷库";
        s.description = "二号";
        s.source = SummarySource::Download;
        s.start = start;
        s.stop = start + 300;
        s.intervalSeconds = 300;
        s.dataLengthValue = two ? 4 : 2;
        s.min1 = 25.3F;
        s.max1 = 26.1F;
        s.avg1 = 25.7F;
        s.min2 = two ? -6.0F : 0;
        s.max2 = two ? -5.25F : 0;
        s.avg2 = two ? -5.625F : 0;
        set.limits = {-10, 40, 20, 80, 1};
        std::string path = folder_ + "/" + name;
        EXPECT_TRUE(WriteDataFile(path, set).ok);
        return path;
    }

    test::TempFolder temp_;
    const std::string& folder_ = temp_.Path();
};

TEST_F(CliFiles, InfoPrintsTheHeaderAsOneJsonObject) {
    std::string path = WriteHistory(LoggerModel::DualTemperature, "dual.Vdr");
    CliRun run = RunCommand({"info", path});
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["kind"], 5);
    EXPECT_EQ(info["model"], "dual");
    EXPECT_EQ(info["title"], "冷库" + std::string(32, ' '));
    EXPECT_EQ(info["description"], "二号" + std::string(56, ' '));
    EXPECT_EQ(info["start"], "2010-01-05 08:03:00");
    EXPECT_EQ(info["stop"], "2010-01-05 08:08:00");
    EXPECT_EQ(info["interval"], 300);
    EXPECT_EQ(info["valueCount"], 4);
    EXPECT_EQ(info["samples"], 2);
    EXPECT_EQ(info["channels"], nlohmann::json({true, true}));
    EXPECT_EQ(info["statistics"], nlohmann::json({{"min1", "25.30  "},
                                                  {"max1", "26.10  "},
                                                  {"avg1", "25.70  "},
                                                  {"min2", "-6.00  "},
                                                  {"max2", "-5.25  "},
                                                  {"avg2", "-5.62  "}}));
    EXPECT_EQ(info["alarm"], 1);
    EXPECT_EQ(info["limits"], nlohmann::json({-10.0, 40.0, 20.0, 80.0}));
    EXPECT_EQ(info.size(), 13U);

    CliRun single = RunCommand({"info", WriteHistory(LoggerModel::SingleTemperature, "single.Vdr")});
    ASSERT_EQ(single.status, 0) << single.err;
    nlohmann::json singleInfo = nlohmann::json::parse(single.out);
    EXPECT_EQ(singleInfo["model"], "single");
    EXPECT_EQ(singleInfo["channels"], nlohmann::json({true, false}));
    EXPECT_EQ(singleInfo["statistics"]["max2"], "0000000");
}

TEST_F(CliFiles, DumpPrintsOneCsvLinePerSample) {
    CliRun dual = RunCommand({"dump", WriteHistory(LoggerModel::TemperatureHumidity, "humid.Vdr")});
    ASSERT_EQ(dual.status, 0) << dual.err;
    EXPECT_EQ(dual.out,
              "0,2010-01-05 08:03:00,25.30,-5.25\n"
              "1,2010-01-05 08:08:00,26.10,-6.00\n");
    CliRun single = RunCommand({"dump", WriteHistory(LoggerModel::SingleTemperature, "single.Vdr")});
    ASSERT_EQ(single.status, 0) << single.err;
    EXPECT_EQ(single.out,
              "0,2010-01-05 08:03:00,25.30\n"
              "1,2010-01-05 08:08:00,26.10\n");
}

TEST_F(CliFiles, DumpOntoAFullDiskFailsAndSaysSo) {
    std::string path = WriteHistory(LoggerModel::DualTemperature, "dual.Vdr");
    CliRun run = RunCommandOntoAFullDisk({"dump", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("dump: cannot write the samples"), std::string::npos) << run.err;
}

TEST_F(CliFiles, InfoOntoAFullDiskFailsAndSaysSo) {
    std::string path = WriteHistory(LoggerModel::SingleTemperature, "single.Vdr");
    CliRun run = RunCommandOntoAFullDisk({"info", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("info: cannot write the header"), std::string::npos) << run.err;
}

TEST_F(CliFiles, InfoRefusesAPipeAtOnce) {
    const std::string fifo = folder_ + "/waiting.Vdr";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto begun = std::chrono::steady_clock::now();
    CliRun run;
    {
        test::PipeUnblocker unblocker(fifo);
        run = RunCommand({"info", fifo});
    }
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(3));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("File error!"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Not a regular file (a pipe or a device)"), std::string::npos) << run.err;
}

TEST_F(CliFiles, ExportWritesWithTheWriterOfTheOutputsExtension) {
    std::string path = WriteHistory(LoggerModel::DualTemperature, "dual.Vdr");
    DataFileLoad original = LoadDataFile(path);
    ASSERT_TRUE(original.result.ok);

    std::string text = folder_ + "/out.txt";
    CliRun run = RunCommand({"export", path, text});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadAll(text), BuildTextExport(*original.dataSet));

    std::string copy = folder_ + "/copy.vdr";
    ASSERT_EQ(RunCommand({"export", path, copy}).status, 0);
    DataFileLoad again = LoadDataFile(copy);
    ASSERT_TRUE(again.result.ok) << again.result.reason;
    EXPECT_EQ(again.header.statisticTexts, original.header.statisticTexts);
    EXPECT_FLOAT_EQ(again.dataSet->samples.Value2(1), -6.0F);

    std::string xlsx = folder_ + "/out.xlsx";
    CliRun modern = RunCommand({"export", path, xlsx});
    ASSERT_EQ(modern.status, 0) << modern.err;
    EXPECT_EQ(ReadAll(xlsx).rfind("PK", 0), 0U) << "a zip package, not the .xls writer's OLE2 file";

    CliRun unknown = RunCommand({"export", path, folder_ + "/out.ods"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find(".txt (text export)"), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find(".vdr (data file)"), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find(".xlsx (Excel workbook, 2007 and later)"), std::string::npos) << unknown.err;

    CliRun unwritable = RunCommand({"export", path, folder_ + "/missing/out.txt"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err.rfind("The file could not be saved", 0), 0U) << unwritable.err;
}

TEST_F(CliFiles, ARefusedFileSaysFileErrorAndWhyAndExitsNonZero) {
    std::string path = WriteHistory(LoggerModel::DualTemperature, "dual.Vdr");
    std::filesystem::resize_file(path, 193);
    for (std::string command : {"info", "dump"}) {
        CliRun run = RunCommand({command, path});
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_TRUE(run.out.empty()) << command;
        EXPECT_EQ(run.err.rfind("File error!", 0), 0U) << run.err;
        EXPECT_NE(run.err.find("The file is incomplete: only 193 bytes"), std::string::npos) << run.err;
    }
    CliRun exported = RunCommand({"export", path, folder_ + "/out.txt"});
    EXPECT_EQ(exported.status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/out.txt"));
}

}  // namespace
}  // namespace veldrin
