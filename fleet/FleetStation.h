#pragma once
// A download station's port: it waits there; whenever a logger answers it is identified,
// downloaded, saved and restarted as the options say, and once it is taken out (the port falls
// silent or goes away) the next logger is awaited. The command line's `watch` and the window's
// "插入即下载" serve their ports with it.
#include <atomic>
#include <chrono>
#include <string>

#include "fleet/FleetDownload.h"

namespace veldrin::fleet {

// How a station's port goes, beyond the download's own progress.
class StationProgress : public FleetProgress {
  public:
    // No logger answers on the port yet.
    virtual void Waiting(int row) = 0;
    // A logger answered; the download begins.
    virtual void Connecting(int row) = 0;
    // The logger's turn ended as `result` says; the port waits until it is taken out.
    virtual void Done(int row, const LoggerDownload& result) = 0;
};

// Serves `port` until `quit` is set: a logger at a time, each downloaded once. `quit` ends the
// waits for a logger at once; a download under way is ended early only by `abort` (may be null).
void ServeStationPort(const std::string& port, const FleetOptions& options, StationProgress& progress,
                      int row, const std::atomic<bool>& quit, const std::atomic<bool>* abort);

// Sleeps `pause` unless `stop` is set meanwhile; false when it was.
bool PauseUnlessStopped(std::chrono::milliseconds pause, const std::atomic<bool>& stop);

}  // namespace veldrin::fleet
