// veldrin-cli download: connects to a logger, reads its history the way the desktop program does,
// prints the progress on standard error, then one result line and the history's summary on standard
// output; -o saves the history as a data file. With several ports (or --all) every logger is read
// at once, each saved by the -o name templates, and a table of the outcomes ends the run.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "cli/ArchiveSupport.h"
#include "cli/CommandRegistry.h"
#include "cli/FleetDownload.h"
#include "cli/LoggerSession.h"
#include "cli/PdfExporter.h"
#include "fleet/ExportRegistry.h"
#include "history/HistoryIngestion.h"
#include "history/SummaryRows.h"
#include "logger/TextFormat.h"
#include "serial/SerialDevices.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

// The exit status of a download that the logger broke off: what arrived is printed and saved.
constexpr int kIncompleteStatus = 3;

// The exit status when some logger could not be reached (or its file not written).
constexpr int kFailedStatus = 1;

struct DownloadArgs {
    std::vector<std::string> ports;
    bool all = false;
    DeviceRoots roots;  // where --all finds the serial devices
    std::string model = kAutoModelArgument;
    std::string channels = "1,2";
    std::string rawPath;
    std::vector<std::string> outPaths;
    std::string tracePath;
    bool restart = false;
    std::string restartAt;
};

// One logger, no template, no restart: the download as it has always been, with the history's
// counts and summary on standard output.
bool SingleLogger(const DownloadArgs& args) {
    return !args.all && args.ports.size() == 1 && args.outPaths.size() <= 1 && !args.restart &&
           args.restartAt.empty() &&
           (args.outPaths.empty() || args.outPaths[0].find('{') == std::string::npos);
}

std::optional<std::array<bool, 2>> ParseChannels(const std::string& text) {
    std::array<bool, 2> chosen{false, false};
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) {
        if (item == "1") {
            chosen[0] = true;
        } else if (item == "2") {
            chosen[1] = true;
        } else {
            return std::nullopt;
        }
    }
    return chosen;
}

int DownloadOne(const DownloadArgs& args, const std::array<bool, 2>& chosenChannels) {
    const std::optional<std::array<bool, 2>> channels = chosenChannels;
    std::fprintf(stderr, "download: %s\n", StopsRecordingNote().c_str());
    LoggerSession session(args.tracePath);
    if (!session.TraceReady())
        return 1;
    if (!session.Open(args.ports.front(), ModelOfArgument(args.model)))
        return 1;
    const LoggerModel model = session.Info().model;
    const std::string outPath = args.outPaths.empty() ? std::string() : args.outPaths.front();

    bool received = false;
    bool complete = false;
    int blocksReceived = 0;
    int blockCount = 0;
    Bytes raw;
    LoggerInfo infoAtEnd;
    session.Connection().SetHistorySink([&](const HistoryHandover& history) {
        raw = history.bytes;
        infoAtEnd = history.info;
        received = true;
        complete = history.complete;
        blocksReceived = history.blocksReceived;
        blockCount = history.blockCount;
    });
    session.Ui().channels = *channels;
    session.Connection().ReadHistory();
    // A full memory takes about five minutes at the line's byte rate.
    if (!session.RunUntil([&] { return received; }, 900) && !received) {
        std::fputs(text::translate("veldrin-cli", "download: the history was not read completely\n").c_str(),
                   stderr);
        return 1;
    }
    if (!args.rawPath.empty()) {
        std::ofstream out(args.rawPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, text::translate("veldrin-cli", "download: cannot write %s\n").c_str(),
                         args.rawPath.c_str());
            return 1;
        }
    }
    auto history = std::make_unique<HistoryDataSet>();
    DownloadIngestResult result = IngestDownloadedHistory(raw, model, *channels, infoAtEnd, *history);
    const ArchivedDownload archived = ArchiveDownload(
        {raw, *history, infoAtEnd, model, *channels, complete, args.ports.front()}, "download");
    // A download (or a save of it) the archive refused ends with the archive's status, whatever else
    // went wrong.
    int archiveStatus = archived.status;
    const auto ending = [&](int status) { return std::max(status, archiveStatus); };
    std::string line = Printf(text::translate("veldrin-cli", "%zu bytes").c_str(), raw.size());
    for (int channel = 0; channel < Traits(model).channelCount; ++channel) {
        if ((*channels)[static_cast<std::size_t>(channel)])
            line += Printf(text::translate("veldrin-cli", ", channel %d: %d samples").c_str(), channel + 1,
                           result.sampleCount);
    }
    std::printf("%s\n%s", line.c_str(), FormatSummaryLines(*history).c_str());
    std::fflush(stdout);
    if (!outPath.empty() && history->samples.Count() == 0) {
        // Without readings the history is the empty one of no logger at all; a file of it would
        // not even name the logger's model.
        std::fprintf(stderr,
                     text::translate("veldrin-cli",
                                     "download: the logger holds no readings, so there is nothing to save; "
                                     "%s was not written\n")
                         .c_str(),
                     outPath.c_str());
        return ending(1);
    }
    if (!outPath.empty()) {
        NameFields fields;
        fields.title = infoAtEnd.title;
        fields.model = std::string(Traits(model).shortName);
        fields.start = history->summary.start;
        fields.end = history->summary.stop;
        fields.count = static_cast<int>(history->samples.Count());
        DescribePort(args.ports.front(), fields);
        fields.now = std::time(nullptr);
        // A plain name is written where it says, as it always was.
        const SavedFiles saved =
            SaveDownload(*history, fields, args.outPaths, true, archived.entry, CliArchiving("download"));
        if (!saved.error.empty()) {
            std::fprintf(stderr, "%s\n", saved.error.c_str());
            return ending(1);
        }
        if (saved.unrecorded)
            archiveStatus = kArchiveFailureStatus;
    }
    if (!complete) {
        const std::string note = outPath.empty() && args.rawPath.empty()
                                     ? std::string()
                                     : text::translate("veldrin-cli", "; what arrived is saved");
        std::fprintf(
            stderr,
            text::translate("veldrin-cli", "download: the history is incomplete: %d of %d blocks arrived%s\n")
                .c_str(),
            blocksReceived, blockCount, note.c_str());
        return ending(kIncompleteStatus);
    }
    return ending(0);
}

// The devices `ports` lists.
std::vector<std::string> AllDevices(const DeviceRoots& roots) {
    std::vector<std::string> paths;
    for (const SerialDevice& device : FindSerialDevices(roots))
        paths.push_back(device.path);
    return paths;
}

int DownloadMany(const DownloadArgs& args, const FleetOptions& options) {
    if (!args.rawPath.empty() || !args.tracePath.empty()) {
        std::fputs(
            text::translate("veldrin-cli", "download: --raw and --trace take one logger (one --port)\n")
                .c_str(),
            stderr);
        return 2;
    }
    const std::vector<std::string> ports = args.all ? AllDevices(args.roots) : args.ports;
    if (ports.empty()) {
        std::fputs(text::translate("veldrin-cli", "download: no serial devices found\n").c_str(), stderr);
        return kFailedStatus;
    }
    std::fprintf(stderr, "download: %s\n", StopsRecordingNote().c_str());
    PrepareTemplateWriters(options);
    const auto start = std::chrono::steady_clock::now();
    ProgressBoard board(stderr, isatty(STDERR_FILENO) == 1, [start] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    });
    SharedBoard shared(board);
    std::vector<LoggerDownload> results(ports.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const int row = shared.Add(ports[i]);
        threads.emplace_back(
            [&, i, row] { results[i] = DownloadLogger(ports[i], options, shared, row, nullptr); });
    }
    for (std::thread& thread : threads)
        thread.join();

    std::vector<const LoggerDownload*> reached;
    std::vector<DownloadOutcome> outcomes;
    int status = 0;
    bool archiveRefused = false;
    for (const LoggerDownload& result : results) {
        // --all reads the devices where a logger answers; the others hold none.
        if (args.all && result.result == LoggerResult::Failed && result.outcome.model.empty())
            continue;
        reached.push_back(&result);
        outcomes.push_back(result.outcome);
        if (result.result == LoggerResult::Failed)
            status = kFailedStatus;
        else if (result.result == LoggerResult::Broken && status == 0)
            status = kIncompleteStatus;
        archiveRefused = archiveRefused || result.archiveRefused;
    }
    if (outcomes.empty()) {
        std::fputs(
            text::translate("veldrin-cli", "download: no logger answered on any serial device\n").c_str(),
            stderr);
        return kFailedStatus;
    }
    std::printf("%s", SummaryTable(outcomes).c_str());
    std::fflush(stdout);
    for (const LoggerDownload* result : reached) {
        if (!result->failure.empty())
            std::fprintf(stderr, "%s: %s\n", result->outcome.port.c_str(), result->failure.c_str());
    }
    // As for one logger: a download the archive refused ends the run with the archive's status.
    return archiveRefused ? kArchiveFailureStatus : status;
}

int Download(const DownloadArgs& args) {
    auto channels = ParseChannels(args.channels);
    if (!channels || (!(*channels)[0] && !(*channels)[1])) {
        std::fputs(text::translate("veldrin-cli", "download: --channels takes 1, 2 or 1,2\n").c_str(),
                   stderr);
        return 2;
    }
    if (args.all == !args.ports.empty()) {
        std::fputs(
            text::translate("veldrin-cli",
                            "download: name the loggers with --port, or take every device with --all\n")
                .c_str(),
            stderr);
        return 2;
    }
    FleetOptions options;
    options.model = ModelOfArgument(args.model);
    options.channels = *channels;
    options.templates = args.outPaths;
    options.archiving = CliArchiving("download");
    options.restart = args.restart || !args.restartAt.empty();
    if (!args.restartAt.empty()) {
        options.restartAt = ParsePrintRangeTime(args.restartAt);
        if (!options.restartAt) {
            std::fputs(
                text::translate("veldrin-cli", "download: --restart-at takes \"YYYY-MM-DD HH:MM:SS\"\n")
                    .c_str(),
                stderr);
            return 2;
        }
    }
    return SingleLogger(args) ? DownloadOne(args, *channels) : DownloadMany(args, options);
}

const CommandRegistration kRegistration{
    "download", [](CLI::App& app, int& status) {
        auto args = std::make_shared<DownloadArgs>();
        CLI::App* command = app.add_subcommand(
            "download", std::string("Read the recorded history of one logger or of several at once; ") +
                            kStopsRecordingNote);
        command->add_option("--port", args->ports,
                            "port number or device path; repeat it to read several loggers at once");
        command->add_flag("--all", args->all,
                          "every serial device `ports` lists where a logger answers; devices where none "
                          "answers are left out and do not count as failures");
        AddDeviceRootOptions(*command, args->roots);
        AddModelOption(*command, args->model, true)->capture_default_str();
        command->add_option("--channels", args->channels, "channels to show: 1, 2 or 1,2")
            ->capture_default_str();
        command->add_option("--raw", args->rawPath, "save the history bytes as received to this file");
        command->add_option("-o,--output", args->outPaths,
                            "save each download to this file name template (repeatable; the extension "
                            "chooses the format: " +
                                fleet::ExporterRegistry::Instance().Describe() +
                                "; placeholders {title} {model} {start:FMT} {end:FMT} {count} {port} "
                                "{device} {date:FMT}); an existing file is never replaced");
        command->add_flag("--restart", args->restart,
                          "start each logger again after its download, with the settings it had and a "
                          "start of now");
        command->add_option("--restart-at", args->restartAt,
                            "like --restart, with the start at \"YYYY-MM-DD HH:MM:SS\"");
        command->add_option("--trace", args->tracePath,
                            "write every byte on the line, with its time, to FILE");
        AddArchiveOption(*command);
        command->callback([args, &status] { status = Download(*args); });
    }};

}  // namespace
}  // namespace veldrin::cli
