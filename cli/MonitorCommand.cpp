// veldrin-cli monitor: connects to a logger and prints each realtime reading as it arrives until
// interrupted; a lost link ends it with a non-zero status.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/CommandRegistry.h"
#include "cli/FileCommandSupport.h"
#include "cli/LoggerSession.h"
#include "logger/ConnectionTexts.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

struct MonitorArgs {
    std::string port;
    std::string model;
    std::string tracePath;
    TemperatureUnit unit = TemperatureUnit::Celsius;
};

int Monitor(const MonitorArgs& args) {
    const LoggerModel model = ModelOfArgument(args.model);
    std::atomic<bool> stop{false};
    StopOnSignals(stop);
    LoggerSession session(args.tracePath);
    if (!session.TraceReady())
        return 1;
    // The readings are this command's product: when standard output refuses them (a full disk, a
    // closed pipe) watching goes on no longer, and the command says so.
    int writeError = 0;
    session.Ui().onReading = [&](float value1, float value2, std::time_t time) {
        const std::string line = ReadingLine(session.Info().model, value1, value2, time, args.unit);
        if (std::printf("%s\n", line.c_str()) < 0 || std::fflush(stdout) != 0) {
            writeError = errno;
            stop = true;
        }
    };
    if (!session.Open(args.port, model))
        return 1;
    session.RunUntil([] { return false; }, -1, &stop);
    if (writeError != 0) {
        std::fprintf(
            stderr,
            text::translate("veldrin-cli", "monitor: cannot write the readings to standard output: %s\n")
                .c_str(),
            std::strerror(writeError));
        return 1;
    }
    if (stop)
        return 0;
    std::fprintf(stderr, "monitor: %s\n", texts::Translated(texts::kDeviceNotConnected).c_str());
    return 1;
}

const CommandRegistration kRegistration{
    "monitor", [](CLI::App& app, int& status) {
        auto args = std::make_shared<MonitorArgs>();
        CLI::App* command =
            app.add_subcommand("monitor", "Print a logger's realtime readings until interrupted");
        command->add_option("--port", args->port, "port number or device path")->required();
        AddModelOption(*command, args->model, true)->required();
        AddUnitOption(*command, args->unit);
        command->add_option("--trace", args->tracePath,
                            "write every byte on the line, with its time, to FILE");
        command->callback([args, &status] { status = Monitor(*args); });
    }};

}  // namespace
}  // namespace veldrin::cli
