// veldrin-cli simulate: serves a simulated logger on a pseudo-terminal until SIGINT or SIGTERM.
// The first line of standard output is the device path to open (./run maps com1 to it); nothing
// else goes to standard output, so a reader of that line never blocks the simulator.
#include <pthread.h>
#include <signal.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "cli/CommandRegistry.h"
#include "cli/LoggerSession.h"
#include "sim/PtyServer.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

struct SimulateArgs {
    std::string model = "humidity";
    int records = 1440;
    bool paced = false;
    int silentAfter = -1;
    bool wrongModel = false;
    bool stream = false;
    bool streamDuringDownload = false;
    bool splitRandomly = false;
    bool chatty = false;
    int realtimePeriodMs = 2000;
    bool stopped = false;
};

int Simulate(const SimulateArgs& args) {
    SimLoggerOptions options;
    options.model = ModelOfArgument(args.model);
    options.records = args.records;
    options.recording = !args.stopped;
    options.clockStart = std::time(nullptr);
    options.realtimePeriodMs = args.realtimePeriodMs;
    SimFaults faults;
    faults.paced = args.paced;
    if (args.silentAfter >= 0)
        faults.silentAfterSeconds = args.silentAfter;
    if (args.wrongModel)
        faults.answerAs = OtherModel(options.model);
    faults.streamOnOwnClock = args.stream;
    faults.streamDuringDownload = args.streamDuringDownload;
    faults.splitAtRandom = args.splitRandomly;
    faults.chatty = args.chatty;
    faults.splitSeed = static_cast<std::uint32_t>(std::time(nullptr));

    // The signals are taken by sigwait below; block them before the server thread starts so that
    // it inherits the mask and never receives them itself.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    // A reader that took the first line and went away must not end the simulator.
    signal(SIGPIPE, SIG_IGN);

    PtyServer server(options, faults);
    if (!server.Start()) {
        std::fprintf(stderr,
                     text::translate("veldrin-cli", "simulate: cannot open a pseudo-terminal: %s\n").c_str(),
                     server.Error().c_str());
        return 1;
    }
    std::printf("%s\n", server.DevicePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr,
                 text::translate("veldrin-cli", "simulated %s logger (%s) on %s; Ctrl+C ends it\n").c_str(),
                 args.model.c_str(), ShownModelText(Traits(options.model).displayName).c_str(),
                 server.DevicePath().c_str());

    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    return 0;
}

const CommandRegistration kRegistration{
    "simulate", [](CLI::App& app, int& status) {
        auto args = std::make_shared<SimulateArgs>();
        CLI::App* command = app.add_subcommand(
            "simulate", "Serve a simulated logger on a pseudo-terminal; prints the device path first");
        AddModelOption(*command, args->model, false)->capture_default_str();
        command->add_option("--records", args->records, "readings in the logger's memory")
            ->check(CLI::Range(0, 149760))
            ->capture_default_str();
        command->add_flag("--paced", args->paced, "send at the 9600-baud byte rate (960 bytes a second)");
        command
            ->add_option("--silent-after", args->silentAfter, "stop answering S seconds after the first byte")
            ->check(CLI::NonNegativeNumber);
        command->add_flag("--wrong-model", args->wrongModel, "identify as another model");
        command->add_flag("--stream", args->stream,
                          "once asked, send realtime readings on the logger's own clock whatever the "
                          "computer sends, right next to the replies");
        command->add_flag("--stream-during-download", args->streamDuringDownload,
                          "keep sending realtime readings while the history goes out");
        command->add_flag("--split-replies", args->splitRandomly,
                          "send every reply in two pieces cut at a random point, 150 ms apart");
        command->add_flag("--chatty", args->chatty,
                          "send realtime readings on the logger's own clock from the start, unasked, "
                          "and hold each reply until 150 ms after a reading");
        command
            ->add_option("--realtime-period", args->realtimePeriodMs,
                         "milliseconds between realtime readings")
            ->check(CLI::Range(100, 60000))
            ->capture_default_str();
        command->add_flag("--stopped", args->stopped,
                          "start with the recording stopped (the readings stay in memory)");
        command->callback([args, &status] { status = Simulate(*args); });
    }};

}  // namespace
}  // namespace veldrin::cli
