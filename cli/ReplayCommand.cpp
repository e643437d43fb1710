// veldrin-cli replay: feeds a byte trace (written with --trace) back through the protocol engine
// and the history decoding, without a logger, and prints what the connection decoded: the logger's
// settings, its realtime readings and the downloaded history; -o saves that history as a data file.
#include <cstdio>
#include <fstream>
#include <memory>

#include "cli/ArchiveSupport.h"
#include "cli/CommandRegistry.h"
#include "cli/LoggerSession.h"
#include "files/DataFile.h"
#include "history/HistoryIngestion.h"
#include "history/SummaryRows.h"
#include "logger/ConnectionTexts.h"
#include "logger/TraceReplay.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

// The exit status of a replayed download that the logger broke off.
constexpr int kIncompleteStatus = 3;

struct ReplayArgs {
    std::string tracePath;
    std::string model;
    std::string outPath;
};

void PrintLogger(const ReplayResult& replay) {
    const LoggerInfo& info = replay.info;
    std::printf(text::translate("veldrin-cli", "trace: %d writes, %d bursts received, %zu replies accepted\n")
                    .c_str(),
                replay.writes, replay.bursts, replay.answered.size());
    std::printf(text::translate("veldrin-cli", "model: %s\n").c_str(),
                ShownModelText(Traits(replay.model).displayName).c_str());
    std::printf(text::translate("veldrin-cli", "recording: %s, voltage %s\n").c_str(),
                texts::RecordingText(info.recordingState).c_str(),
                texts::VoltageText(info.voltageState).c_str());
    std::printf(text::translate("veldrin-cli", "interval: %d s\n").c_str(), info.interval);
    std::printf(text::translate("veldrin-cli", "start: %s\n").c_str(),
                info.startTime.time ? FormatTime(*info.startTime.time).c_str() : "-");
    std::printf(text::translate("veldrin-cli", "record memory: %u bytes in %d blocks\n").c_str(),
                info.recordBytes, info.blockCount);
    std::printf(text::translate("veldrin-cli", "title: %s\ndescription: %s\n").c_str(), info.title.c_str(),
                info.description.c_str());
    std::printf(text::translate("veldrin-cli", "realtime readings: %zu\n").c_str(), replay.readings.size());
    for (const ReplayedReading& reading : replay.readings)
        std::printf("  %s\n",
                    ReadingLine(replay.model, reading.value1, reading.value2, reading.time).c_str());
    if (replay.foreignFrames > 0)
        std::printf(text::translate("veldrin-cli", "realtime frames of another model: %d\n").c_str(),
                    replay.foreignFrames);
}

int Replay(const ReplayArgs& args) {
    std::ifstream in(args.tracePath);
    if (!in) {
        std::fprintf(stderr, text::translate("veldrin-cli", "replay: cannot read %s\n").c_str(),
                     args.tracePath.c_str());
        return 1;
    }
    std::string error;
    auto records = ReadTrace(in, error);
    if (!records) {
        std::fprintf(stderr, "replay: %s: %s\n", args.tracePath.c_str(), error.c_str());
        return 1;
    }
    LoggerModel model = args.model.empty() ? IdentifiedModel(*records).value_or(LoggerModel::Unknown)
                                           : ModelOfArgument(args.model);
    if (model == LoggerModel::Unknown) {
        std::fputs(text::translate("veldrin-cli",
                                   "replay: no logger identifies itself in the trace; name it with --model\n")
                       .c_str(),
                   stderr);
        return 1;
    }
    const ReplayResult replay = ReplayTrace(*records, model);
    PrintLogger(replay);
    if (replay.requestsDiffering > 0)
        std::printf(
            text::translate("veldrin-cli", "history requests sent otherwise than this program would: %d\n")
                .c_str(),
            replay.requestsDiffering);
    if (!replay.historyStarted) {
        std::fputs(text::translate("veldrin-cli", "history: no download in the trace\n").c_str(), stdout);
        return 0;
    }
    const std::string completeness = replay.historyComplete ? text::translate("veldrin-cli", "complete")
                                                            : text::translate("veldrin-cli", "incomplete");
    std::printf(text::translate("veldrin-cli", "history: %d of %d blocks, %s\n").c_str(),
                replay.blocksReceived, replay.blockCount, completeness.c_str());
    auto history = std::make_unique<HistoryDataSet>();
    const DownloadIngestResult result =
        IngestDownloadedHistory(replay.history, model, {true, true}, replay.info, *history);
    // A replay that writes a data file is a download recovered from its trace: it is archived first.
    const ArchivedDownload archived =
        args.outPath.empty()
            ? ArchivedDownload{}
            : ArchiveDownload(
                  {replay.history, *history, replay.info, model, {true, true}, replay.historyComplete, {}},
                  "replay");
    std::printf(text::translate("veldrin-cli", "history readings: %d\n").c_str(), result.sampleCount);
    std::printf("%s", result.listed ? FormatSummaryLines(*history).c_str() : "");
    std::fflush(stdout);
    if (!args.outPath.empty()) {
        if (!result.stored) {
            std::fprintf(stderr, text::translate("veldrin-cli", "replay: no reading to save in %s\n").c_str(),
                         args.outPath.c_str());
            return 1;
        }
        if (Status saved = WriteDataFile(args.outPath, *history); !saved) {
            std::fprintf(stderr, "%s: %s\n", FileText(kSaveErrorText).c_str(), saved.reason.c_str());
            return 1;
        }
        if (archived.entry)
            RecordSave(*history, "vdr", args.outPath, archived.entry, "replay");
    }
    return replay.historyComplete ? archived.status : kIncompleteStatus;
}

const CommandRegistration kRegistration{
    "replay", [](CLI::App& app, int& status) {
        auto args = std::make_shared<ReplayArgs>();
        CLI::App* command = app.add_subcommand(
            "replay", "Feed a byte trace back through the protocol and print what it decodes to");
        command->add_option("trace", args->tracePath, "trace written with --trace")->required();
        AddModelOption(*command, args->model, false, "single, humidity or dual (default: as identified)");
        command->add_option("-o,--output", args->outPath, "save the replayed history as a data file (.Vdr)");
        AddArchiveOption(*command);
        command->callback([args, &status] { status = Replay(*args); });
    }};

}  // namespace
}  // namespace veldrin::cli
