// veldrin-cli watch: a download station. It waits on each port; whenever a logger answers there it
// is identified, downloaded, saved by the -o templates and started again when asked, the station
// says "done, take it out", and the next logger on that port is awaited. With --all the devices
// plugged in while it runs are taken in. It runs until SIGINT or SIGTERM; a settings write or a
// file being written when the signal comes is finished first.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <set>
#include <thread>

#include "cli/ArchiveSupport.h"
#include "cli/CommandRegistry.h"
#include "cli/FleetDownload.h"
#include "cli/LoggerSession.h"
#include "fleet/FleetStation.h"
#include "serial/SerialDevices.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

// How often --all looks for new devices.
constexpr auto kRescanPause = std::chrono::seconds(2);

struct WatchArgs {
    std::vector<std::string> ports;
    bool all = false;
    DeviceRoots roots;  // where --all finds the serial devices
    std::string model = kAutoModelArgument;
    std::vector<std::string> outPaths;
    bool restart = false;
};

class Station {
  public:
    Station(const FleetOptions& options, std::atomic<bool>& stop)
        : options_(options),
          stop_(stop),
          start_(std::chrono::steady_clock::now()),
          board_(stderr, isatty(STDERR_FILENO) == 1,
                 [this] {
                     return std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start_)
                         .count();
                 }),
          shared_(board_) {}

    ~Station() {
        for (std::thread& thread : threads_)
            thread.join();
    }

    // Starts waiting on `port` unless the station already does.
    void Watch(const std::string& port) {
        if (!watched_.insert(port).second)
            return;
        const int row = shared_.Add(port);
        threads_.emplace_back([this, port, row] { Serve(port, row); });
    }

  private:
    // One port: a logger at a time, each downloaded once.
    void Serve(const std::string& port, int row) {
        fleet::ServeStationPort(port, options_, shared_, row, stop_, &stop_);
    }

    const FleetOptions& options_;
    std::atomic<bool>& stop_;
    std::chrono::steady_clock::time_point start_;
    ProgressBoard board_;
    SharedBoard shared_;
    std::set<std::string> watched_;
    std::vector<std::thread> threads_;
};

int Watch(const WatchArgs& args) {
    if (args.all == !args.ports.empty()) {
        std::fputs(text::translate("veldrin-cli",
                                   "watch: name the ports with --port, or watch every device with --all\n")
                       .c_str(),
                   stderr);
        return 2;
    }
    FleetOptions options;
    options.model = ModelOfArgument(args.model);
    options.templates = args.outPaths;
    options.archiving = CliArchiving("download");
    options.restart = args.restart;
    std::atomic<bool> stop{false};
    StopOnSignals(stop);
    PrepareTemplateWriters(options);
    std::fprintf(stderr, text::translate("veldrin-cli", "watch: %s; Ctrl+C ends the station\n").c_str(),
                 StopsRecordingNote().c_str());
    Station station(options, stop);
    for (const std::string& port : args.ports)
        station.Watch(port);
    while (!stop) {
        if (args.all) {
            for (const SerialDevice& device : FindSerialDevices(args.roots))
                station.Watch(device.path);
        }
        fleet::PauseUnlessStopped(kRescanPause, stop);
    }
    return 0;
}

const CommandRegistration kRegistration{
    "watch", [](CLI::App& app, int& status) {
        auto args = std::make_shared<WatchArgs>();
        CLI::App* command = app.add_subcommand(
            "watch", std::string("A download station: download every logger that answers on the ports, one "
                                 "after another, until interrupted; ") +
                         kStopsRecordingNote);
        command->add_option("--port", args->ports, "port number or device path; repeatable");
        command->add_flag("--all", args->all, "every serial device, also those plugged in later");
        AddDeviceRootOptions(*command, args->roots);
        AddModelOption(*command, args->model, true)->capture_default_str();
        command->add_option("-o,--output", args->outPaths, "file name template of each download (repeatable)")
            ->required();
        command->add_flag("--restart", args->restart,
                          "start each logger again after its download, with the settings it had");
        AddArchiveOption(*command);
        command->callback([args, &status] { status = Watch(*args); });
    }};

}  // namespace
}  // namespace veldrin::cli
