// veldrin-cli download: connects to a logger, reads its history the way the desktop program does,
// prints the progress on standard error, then one result line and the history's summary on standard
// output; -o saves the history as a data file.
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "cli/ArchiveSupport.h"
#include "cli/CommandRegistry.h"
#include "cli/LoggerSession.h"
#include "files/DataFile.h"
#include "history/HistoryIngestion.h"
#include "history/SummaryRows.h"

namespace veldrin::cli {
namespace {

// The exit status of a download that the logger broke off: what arrived is printed and saved.
constexpr int kIncompleteStatus = 3;

struct DownloadArgs {
    std::string port;
    std::string model;
    std::string channels = "1,2";
    std::string rawPath;
    std::string outPath;
    std::string tracePath;
};

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

int Download(const DownloadArgs& args) {
    auto channels = ParseChannels(args.channels);
    if (!channels || (!(*channels)[0] && !(*channels)[1])) {
        std::fprintf(stderr, "download: --channels takes 1, 2 or 1,2\n");
        return 2;
    }
    LoggerModel model = kLoggerModels.at(args.model);
    LoggerSession session(args.tracePath);
    if (!session.TraceReady())
        return 1;
    if (!session.Open(args.port, model))
        return 1;

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
        std::fprintf(stderr, "download: the history was not read completely\n");
        return 1;
    }
    if (!args.rawPath.empty()) {
        std::ofstream out(args.rawPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "download: cannot write %s\n", args.rawPath.c_str());
            return 1;
        }
    }
    auto history = std::make_unique<HistoryDataSet>();
    DownloadIngestResult result = IngestDownloadedHistory(raw, model, *channels, infoAtEnd, *history);
    const int archived =
        ArchiveDownload({raw, *history, infoAtEnd, model, *channels, complete, args.port}, "download");
    std::string line = std::to_string(raw.size()) + " bytes";
    for (int channel = 0; channel < Traits(model).channelCount; ++channel) {
        if ((*channels)[static_cast<std::size_t>(channel)]) {
            line += ", channel " + std::to_string(channel + 1) + ": " + std::to_string(result.sampleCount) +
                    " samples";
        }
    }
    std::printf("%s\n%s", line.c_str(), FormatSummaryLines(*history).c_str());
    std::fflush(stdout);
    if (!args.outPath.empty() && history->samples.Count() == 0) {
        // Without readings the history is the empty one of no logger at all; a file of it would
        // not even name the logger's model.
        std::fprintf(
            stderr,
            "download: the logger holds no readings, so there is nothing to save; %s was not written\n",
            args.outPath.c_str());
        return 1;
    }
    if (!args.outPath.empty()) {
        if (Status saved = WriteDataFile(args.outPath, *history); !saved) {
            std::fprintf(stderr, "文件保存出错: %s\n", saved.reason.c_str());
            return 1;
        }
    }
    if (!complete) {
        std::fprintf(stderr, "download: the history is incomplete: %d of %d blocks arrived%s\n",
                     blocksReceived, blockCount,
                     args.outPath.empty() && args.rawPath.empty() ? "" : "; what arrived is saved");
        return kIncompleteStatus;
    }
    return archived;
}

const CommandRegistration kRegistration{
    "download", [](CLI::App& app, int& status) {
        auto args = std::make_shared<DownloadArgs>();
        CLI::App* command = app.add_subcommand("download", "Read a logger's recorded history");
        command->add_option("--port", args->port, "port number or device path")->required();
        command->add_option("--model", args->model, "single, humidity or dual")
            ->required()
            ->check(CLI::IsMember({"single", "humidity", "dual"}));
        command->add_option("--channels", args->channels, "channels to show: 1, 2 or 1,2")
            ->capture_default_str();
        command->add_option("--raw", args->rawPath, "save the history bytes as received to this file");
        command->add_option("-o,--output", args->outPath, "save the history as a data file (.Vdr)");
        command->add_option("--trace", args->tracePath,
                            "write every byte on the line, with its time, to FILE");
        AddArchiveOption(*command);
        command->callback([args, &status] { status = Download(*args); });
    }};

}  // namespace
}  // namespace veldrin::cli
