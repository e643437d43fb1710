#pragma once
// The downloads of the list of loggers: every logger on a thread of its own (fleet/FleetDownload),
// its progress reaching the list's rows on the window's thread as queued calls only, so that no
// logger, however slow or silent, holds up the window. A port has at most one job: a download, or
// the station waiting there for loggers.
#include <QObject>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "app/LoggerListModel.h"
#include "fleet/FleetStation.h"

namespace veldrin {

class LoggerJobs : public QObject {
    Q_OBJECT

  public:
    explicit LoggerJobs(LoggerListModel& model, QObject* parent = nullptr);
    // Ends the waits, breaks off the downloads under way and joins every thread.
    ~LoggerJobs() override;

    // Downloads the logger on `port` once; false when a job already runs there.
    bool Download(const std::string& port, const fleet::FleetOptions& options);
    // Waits on `port` for loggers and downloads each; false when a job already runs there.
    bool Serve(const std::string& port, const fleet::FleetOptions& options);
    // Ends the station's waits, on every port or on `port`; a download under way is finished first.
    void StopStations();
    void StopStation(const std::string& port);
    // Ends the job on `port` (its device went away): a download under way is broken off.
    void Abandon(const std::string& port);
    bool Running(const std::string& port) const { return jobs_.count(port) != 0; }
    bool StationRunning(const std::string& port) const;
    int RunningCount() const { return static_cast<int>(jobs_.size()); }

  signals:
    // A job ended (its thread is joined).
    void jobEnded();

  private:
    struct Job;
    class RowReporter;

    bool Start(const std::string& port, const fleet::FleetOptions& options, bool station);
    void Ended(const std::string& port);

    LoggerListModel& model_;
    std::map<std::string, std::unique_ptr<Job>> jobs_;
    std::atomic<bool> shutdown_{false};
};

}  // namespace veldrin
