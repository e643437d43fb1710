// veldrin-cli download with several loggers at once and the watch station, against simulated
// loggers served on pseudo-terminals in real time: among them one that streams realtime frames,
// one that falls silent part-way and one that never answers.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "files/FileNameTemplate.h"
#include "logger/WireCodec.h"
#include "sim/PtyServer.h"
#include "tests/TempFolder.h"
#include "tests/cli/CliRun.h"
#include "tests/serial/FakeDeviceTree.h"

namespace veldrin {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<PtyServer> Serve(LoggerModel model, int records, const SimFaults& faults = {},
                                 int realtimePeriodMs = 2000) {
    SimLoggerOptions options;
    options.model = model;
    options.records = records;
    options.realtimePeriodMs = realtimePeriodMs;
    options.recording = false;  // the memory stays as it is, so that two downloads match
    options.clockStart = std::time(nullptr);
    auto server = std::make_unique<PtyServer>(options, faults);
    EXPECT_TRUE(server->Start()) << server->Error();
    return server;
}

// The files under `folder`, relative to it.
std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), folder).string());
    }
    return files;
}

// The readings of a data file as `dump` prints them (a data file itself differs from one saving to
// the next: its bytes are scrambled with the time it was written).
std::string Dumped(const std::string& path) {
    CliRun run = RunCommand({"dump", path});
    EXPECT_EQ(run.status, 0) << path << ": " << run.err;
    return run.out;
}

// The readings of a download of the logger on `port` by one plain -o, as it has always been made.
std::string SingleDownload(const std::string& port, const std::string& path) {
    CliRun run = RunCommand({"download", "--port", port, "-o", path});
    EXPECT_EQ(run.status, 0) << run.err;
    return Dumped(path);
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The lines of `text` that start with the port as the progress names it (pts/N).
std::vector<std::string> LinesOf(const std::string& text, const std::string& port) {
    const std::string shown = port.substr(std::string("/dev/").size());
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(at, end - at);
        if (line.rfind(shown + " ", 0) == 0 || line.rfind(shown + ":", 0) == 0)
            lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

bool AnyHolds(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

TEST(CliFleet, LoggersOfEveryModelAtOnceAreSavedByTheTemplatesWhateverTheOthersDo) {
    auto singleA = Serve(LoggerModel::SingleTemperature, 300);
    auto singleB = Serve(LoggerModel::SingleTemperature, 310);
    SimFaults streaming;
    streaming.streamOnOwnClock = true;
    streaming.streamDuringDownload = true;
    // Streams its realtime readings on its own clock once asked, also while the history goes out.
    auto humidity = Serve(LoggerModel::TemperatureHumidity, 600, streaming, 500);
    SimFaults silent;
    silent.paced = true;
    silent.silentAfterSeconds = 6;  // the connect takes about four of them; ten blocks take ten more
    auto dual = Serve(LoggerModel::DualTemperature, 2500, silent);

    const test::TempFolder folder;
    fs::create_directories(folder.File("all"));
    {
        std::ofstream old(folder.File("all/single.csv"));
        old << "old";
    }
    const auto begin = std::chrono::steady_clock::now();
    CliRun run =
        RunCommand({"download", "--port", singleA->DevicePath(), "--port", singleB->DevicePath(), "--port",
                    humidity->DevicePath(), "--port", dual->DevicePath(), "-o",
                    folder.Path() + "/{model}/{port}-{count}.Vdr", "-o", folder.Path() + "/all/{model}.csv"});
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_EQ(run.status, 3) << "a broken download, every other logger whole\n" << run.err;
    EXPECT_LE(seconds, 6 + 30) << "the silent logger holds the run no longer than on its own";

    // Placeholders, folders, and a name already taken is never replaced.
    const std::set<std::string> files = FilesIn(folder.Path());
    const auto name = [](const std::unique_ptr<PtyServer>& server, const std::string& rest) {
        return DeviceFileName(server->DevicePath()) + rest;
    };
    EXPECT_TRUE(files.count("single/" + name(singleA, "-300.Vdr"))) << run.err;
    EXPECT_TRUE(files.count("single/" + name(singleB, "-310.Vdr"))) << run.err;
    EXPECT_TRUE(files.count("humidity/" + name(humidity, "-600.Vdr"))) << run.err;
    EXPECT_TRUE(files.count("all/single-1.csv") && files.count("all/single-2.csv")) << run.err;
    EXPECT_TRUE(files.count("all/humidity.csv") && files.count("all/dual.csv")) << run.err;
    EXPECT_EQ(ReadAll(folder.File("all/single.csv")), "old");
    int partial = 0;
    for (const std::string& file : files)
        partial += file.rfind("dual/", 0) == 0 ? 1 : 0;
    EXPECT_EQ(partial, 1) << "what arrived of the silent logger is saved";

    // Each whole download holds byte for byte the readings one logger's download gives, and the
    // second format of each is the export of the same readings.
    const std::string reference = folder.File("reference.Vdr");
    const std::string readingsA = Dumped(folder.Path() + "/single/" + name(singleA, "-300.Vdr"));
    EXPECT_EQ(LineCount(readingsA), 300u);
    EXPECT_EQ(readingsA, SingleDownload(singleA->DevicePath(), reference));
    EXPECT_EQ(Dumped(folder.Path() + "/single/" + name(singleB, "-310.Vdr")),
              SingleDownload(singleB->DevicePath(), reference));
    const std::string readingsH = Dumped(folder.Path() + "/humidity/" + name(humidity, "-600.Vdr"));
    EXPECT_EQ(LineCount(readingsH), 600u);
    EXPECT_EQ(readingsH, SingleDownload(humidity->DevicePath(), reference));
    const std::string exported = folder.File("reference.csv");
    ASSERT_EQ(RunCommand({"export", reference, exported}).status, 0);
    // (A download's humidity unit is "%", a data file's "%RH": the header lines differ.)
    const auto rows = [](const std::string& csv) { return csv.substr(csv.find('\n')); };
    EXPECT_EQ(rows(ReadAll(folder.File("all/humidity.csv"))), rows(ReadAll(exported)));

    // The summary: one row per logger with its model, readings and result.
    EXPECT_NE(run.out.find("PORT"), std::string::npos) << run.out;
    for (const auto* server : {&singleA, &singleB, &humidity}) {
        const std::string shown = (*server)->DevicePath().substr(5);
        const std::size_t row = run.out.find(shown + " ");
        ASSERT_NE(row, std::string::npos) << run.out;
        const std::string line = run.out.substr(row, run.out.find('\n', row) - row);
        EXPECT_NE(line.find("complete"), std::string::npos) << line;
        EXPECT_EQ(line.find("incomplete"), std::string::npos) << line;
    }
    EXPECT_NE(run.out.find("the history is incomplete; what arrived is saved"), std::string::npos) << run.out;
    // The failure is one line naming the port by its device path.
    EXPECT_NE(run.err.find("\n" + dual->DevicePath() + ": the history is incomplete"), std::string::npos)
        << run.err;

    // Without a terminal: one line per event, no control characters, 100 % at the end of each whole
    // download, and the first line says that downloading stops the recording.
    for (char c : run.err)
        EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\n') << "control character " << int(c);
    EXPECT_EQ(run.err.rfind("download: reading a logger's history stops its recording", 0), 0u) << run.err;
    for (const auto* server : {&singleA, &singleB, &humidity}) {
        const auto lines = LinesOf(run.err, (*server)->DevicePath());
        EXPECT_TRUE(AnyHolds(lines, "reading 100%")) << run.err;
    }
    EXPECT_FALSE(AnyHolds(LinesOf(run.err, dual->DevicePath()), "reading 100%")) << run.err;
}

TEST(CliFleet, ALoggerThatNeverAnswersEndsWithStatusOneAndTheOthersAreSaved) {
    auto good = Serve(LoggerModel::DualTemperature, 40);
    SimFaults mute;
    mute.silentAfterSeconds = 0;
    auto refusing = Serve(LoggerModel::SingleTemperature, 40, mute);
    const test::TempFolder folder;
    CliRun run =
        RunCommand({"download", "--port", refusing->DevicePath(), "--port", good->DevicePath(), "--port",
                    "/dev/veldrin-no-such-port", "-o", folder.Path() + "/{model}-{count}.Vdr"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(FilesIn(folder.Path()), std::set<std::string>{"dual-40.Vdr"}) << run.err;
    EXPECT_NE(run.err.find("\n" + refusing->DevicePath() + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("\n/dev/veldrin-no-such-port: Cannot open /dev/veldrin-no-such-port"),
              std::string::npos)
        << run.err;
}

TEST(CliFleet, AllTakesTheDevicesWhereALoggerAnswersAndLeavesTheSilentOneOut) {
    auto single = Serve(LoggerModel::SingleTemperature, 50);
    auto dual = Serve(LoggerModel::DualTemperature, 60);
    SimFaults mute;
    mute.silentAfterSeconds = 0;
    auto silent = Serve(LoggerModel::TemperatureHumidity, 70, mute);
    // The loggers' pseudo-terminals stand in for three adapters, as `ports` lists them.
    test::FakeDeviceTree tree;
    const std::vector<std::pair<std::string, const PtyServer*>> adapters{
        {"ttyUSB0", single.get()}, {"ttyUSB1", dual.get()}, {"ttyUSB2", silent.get()}};
    for (const auto& [node, server] : adapters) {
        fs::create_symlink(server->DevicePath(), tree.Dev() + "/" + node);
        tree.AddById("usb-Veldrin_Logger_" + node + "-if00-port0", node);
    }
    const CliRun ports = RunCommand({"ports", "--sys", tree.Sys(), "--dev", tree.Dev()});
    ASSERT_EQ(LineCount(ports.out), 3u) << ports.out << ports.err;

    const test::TempFolder folder;
    const CliRun run = RunCommand({"download", "--all", "--sys", tree.Sys(), "--dev", tree.Dev(), "-o",
                                   folder.Path() + "/{model}-{count}-{device}.Vdr"});
    EXPECT_EQ(run.status, 0) << "a device where no logger answers is no failure\n" << run.err;
    EXPECT_EQ(FilesIn(folder.Path()),
              (std::set<std::string>{"single-50-usb-Veldrin_Logger_ttyUSB0-if00-port0.Vdr",
                                     "dual-60-usb-Veldrin_Logger_ttyUSB1-if00-port0.Vdr"}))
        << run.err;
    EXPECT_EQ(Dumped(folder.Path() + "/dual-60-usb-Veldrin_Logger_ttyUSB1-if00-port0.Vdr"),
              SingleDownload(dual->DevicePath(), folder.File("reference.Vdr")));
    // The summary names the two that answered, and nothing names the silent one.
    EXPECT_NE(run.out.find("ttyUSB0-if00-port0"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("ttyUSB1-if00-port0"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("ttyUSB2"), std::string::npos) << run.out;

    // Where no logger answers at all, --all has nothing to read: that is a failure.
    test::FakeDeviceTree lonely;
    fs::create_symlink(silent->DevicePath(), lonely.Dev() + "/ttyUSB0");
    lonely.AddById("usb-Veldrin_Logger-if00-port0", "ttyUSB0");
    const CliRun none = RunCommand({"download", "--all", "--sys", lonely.Sys(), "--dev", lonely.Dev()});
    EXPECT_EQ(none.status, 1) << none.err;
    EXPECT_NE(none.err.find("no logger answered on any serial device"), std::string::npos) << none.err;
}

TEST(CliFleet, ADownloadTheArchiveRefusesFailsItsLoggerButItsFileIsWritten) {
    auto first = Serve(LoggerModel::SingleTemperature, 30);
    auto second = Serve(LoggerModel::DualTemperature, 40);
    const test::TempFolder folder;
    // The archive would be a file below a file: it cannot be made.
    {
        std::ofstream blocker(folder.File("blocker"));
        blocker << "a file where the archive's folder would be";
    }
    const std::string blocked = folder.File("blocker/archive.sqlite");
    const CliRun run = RunCommand({"download", "--port", first->DevicePath(), "--port", second->DevicePath(),
                                   "-o", folder.Path() + "/out/{model}-{count}.Vdr", "--archive", blocked});
    EXPECT_EQ(run.status, 4) << "as one logger's download the archive refuses\n" << run.err;
    EXPECT_EQ(FilesIn(folder.File("out")), (std::set<std::string>{"single-30.Vdr", "dual-40.Vdr"}))
        << run.err;
    for (const auto* server : {&first, &second}) {
        EXPECT_NE(
            run.err.find("\n" + (*server)->DevicePath() + ": the download was not archived in " + blocked),
            std::string::npos)
            << run.err;
    }
    // One logger: the same status.
    const CliRun one = RunCommand(
        {"download", "--port", first->DevicePath(), "-o", folder.File("one.Vdr"), "--archive", blocked});
    EXPECT_EQ(one.status, 4) << one.err;
    EXPECT_TRUE(fs::exists(folder.File("one.Vdr"))) << one.err;
}

// The logger's start time as a calendar time.
std::time_t StartOf(const SimSettings& settings) {
    const auto& t = settings.startTime;
    return MakeLocalTime(t[6] * 100 + t[5], t[4], t[3], t[2], t[1], t[0]).value_or(0);
}

TEST(CliFleet, RestartWritesTheSettingsTheLoggerHadWithAStartOfNowOrTheOneGiven) {
    auto server = Serve(LoggerModel::TemperatureHumidity, 100);
    // Armed to start by itself far ahead: a restart must change that into a start now.
    CliRun configure = RunCommand({"configure", "--port", server->DevicePath(), "--model", "auto",
                                   "--interval", "00:00:30", "--limits", "-5,30,20,80", "--title", "Lab7",
                                   "--description", "fridge 2", "--start", "2099-01-01 08:00:00"});
    ASSERT_EQ(configure.status, 0) << configure.err;
    const SimSettings before = server->Logger().Settings();
    ASSERT_EQ(before.startFlag, 1);

    const test::TempFolder folder;
    const std::time_t from = std::time(nullptr);
    CliRun run = RunCommand(
        {"download", "--port", server->DevicePath(), "--restart", "-o", folder.Path() + "/{title}.Vdr"});
    const std::time_t to = std::time(nullptr);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(folder.File("Lab7.Vdr"))) << run.err;
    EXPECT_NE(run.out.find("complete, restarted"), std::string::npos) << run.out;

    const SimSettings after = server->Logger().Settings();
    EXPECT_EQ(after.interval, 30);
    EXPECT_EQ(after.channel1Lower, before.channel1Lower);
    EXPECT_EQ(after.channel1Upper, before.channel1Upper);
    EXPECT_EQ(after.channel1Enable, before.channel1Enable);
    EXPECT_EQ(after.channel2Lower, before.channel2Lower);
    EXPECT_EQ(after.channel2Upper, before.channel2Upper);
    EXPECT_EQ(after.stopMode, before.stopMode);
    EXPECT_EQ(after.description, before.description);
    EXPECT_EQ(after.recordingState, 1) << "recording again";
    EXPECT_EQ(after.startFlag, 0);
    EXPECT_GE(StartOf(after), from - 2);
    EXPECT_LE(StartOf(after), to);

    CliRun later =
        RunCommand({"download", "--port", server->DevicePath(), "--restart-at", "2099-02-03 04:05:06"});
    ASSERT_EQ(later.status, 0) << later.err;
    const SimSettings armed = server->Logger().Settings();
    EXPECT_EQ(armed.startFlag, 1);
    EXPECT_EQ(StartOf(armed), *MakeLocalTime(2099, 2, 3, 4, 5, 6));
    EXPECT_EQ(armed.description, before.description);

    CliRun wrong = RunCommand({"download", "--port", server->DevicePath(), "--restart-at", "tomorrow"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("--restart-at takes"), std::string::npos) << wrong.err;
}

TEST(CliFleet, OneLoggerWithoutAModelIsReadAsItIdentifiesItself) {
    auto server = Serve(LoggerModel::DualTemperature, 30);
    CliRun run = RunCommand({"download", "--port", server->DevicePath()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("channel 2: 30 samples"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.find("Logger model mismatch"), std::string::npos) << run.err;
}

TEST(CliFleet, TheStationDownloadsEachLoggerThatAppearsOnItsPortOnce) {
    const test::TempFolder folder;
    const std::string port = folder.File("station-port");
    auto first = Serve(LoggerModel::SingleTemperature, 100);
    fs::create_symlink(first->DevicePath(), port);

    CliRun run;
    std::thread station([&] {
        run = RunCommand({"watch", "--port", port, "-o", folder.Path() + "/out/{model}-{count}.Vdr"});
    });
    const auto waitFor = [&](const std::string& file) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!fs::exists(folder.File(file)) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return fs::exists(folder.File(file));
    };
    const bool firstSaved = waitFor("out/single-100.Vdr");
    // Taken out; a while later another logger with another history is put on the same port.
    first->Stop();
    fs::remove(port);
    std::this_thread::sleep_for(std::chrono::seconds(5));
    auto second = Serve(LoggerModel::TemperatureHumidity, 200);
    fs::create_symlink(second->DevicePath(), port);
    const bool secondSaved = waitFor("out/humidity-200.Vdr");
    // Left in place, the second logger is not downloaded again.
    std::this_thread::sleep_for(std::chrono::seconds(6));
    std::raise(SIGINT);
    station.join();

    EXPECT_TRUE(firstSaved) << run.err;
    EXPECT_TRUE(secondSaved) << run.err;
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(FilesIn(folder.File("out")), (std::set<std::string>{"single-100.Vdr", "humidity-200.Vdr"}))
        << run.err;
    std::size_t told = 0;
    for (std::size_t at = run.err.find("done, take it out"); at != std::string::npos;
         at = run.err.find("done, take it out", at + 1))
        ++told;
    EXPECT_EQ(told, 2u) << run.err;
}

}  // namespace
}  // namespace veldrin
