#include "fleet/FleetStation.h"

#include <thread>

namespace veldrin::fleet {
namespace {

// How often a port without a logger, or with one not yet taken out, is tried again.
constexpr auto kRetryPause = std::chrono::seconds(1);

}  // namespace

bool PauseUnlessStopped(std::chrono::milliseconds pause, const std::atomic<bool>& stop) {
    const auto until = std::chrono::steady_clock::now() + pause;
    while (!stop && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return !stop;
}

void ServeStationPort(const std::string& port, const FleetOptions& options, StationProgress& progress,
                      int row, const std::atomic<bool>& quit, const std::atomic<bool>* abort) {
    while (!quit) {
        progress.Waiting(row);
        while (!LoggerAnswers(port, options.model)) {
            if (!PauseUnlessStopped(kRetryPause, quit))
                return;
        }
        if (quit)
            return;
        progress.Connecting(row);
        progress.Done(row, DownloadLogger(port, options, progress, row, abort));
        // The logger stays until it is taken out: the port falls silent (or goes away).
        while (LoggerAnswers(port, options.model)) {
            if (!PauseUnlessStopped(kRetryPause, quit))
                return;
        }
    }
}

}  // namespace veldrin::fleet
