#include "app/LoggerJobs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace veldrin {

struct LoggerJobs::Job {
    fleet::FleetOptions options;
    bool station = false;
    std::atomic<bool> quit{false};   // ends the station's waits
    std::atomic<bool> abort{false};  // breaks off a download under way
    std::unique_ptr<RowReporter> reporter;
    std::thread thread;
};

// Tells one port's row what its job does, from the job's thread, by queued calls.
class LoggerJobs::RowReporter final : public fleet::StationProgress {
  public:
    RowReporter(LoggerJobs& jobs, std::string port) : jobs_(jobs), port_(std::move(port)) {}

    void Identify(int, const std::string& model, const std::string& title) override {
        Post([model = QString::fromStdString(model), title = QString::fromStdString(title)](LoggerRow& row) {
            row.model = model;
            row.title = title.trimmed();
        });
    }
    void Progress(int, std::size_t bytes, std::size_t totalBytes) override {
        const int percent = totalBytes == 0 ? 100 : static_cast<int>(bytes * 100 / totalBytes);
        if (percent == shownPercent_)
            return;
        shownPercent_ = percent;
        SetState(QCoreApplication::translate("veldrin::LoggerJobs", "正在读取 %1%").arg(percent));
    }
    void Saved(int, const std::string& files) override {
        QStringList names;
        for (const QString& path : QString::fromStdString(files).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            names << QFileInfo(path).fileName();
        SetState(QCoreApplication::translate("veldrin::LoggerJobs", "已保存 %1")
                     .arg(names.join(QStringLiteral(", "))));
    }
    void Restarted(int) override {
        SetState(QCoreApplication::translate("veldrin::LoggerJobs", "已重新启动"));
    }
    void Failed(int, const std::string& message) override { SetState(QString::fromStdString(message)); }
    void Waiting(int) override { SetState(QCoreApplication::translate("veldrin::LoggerJobs", "等待仪器")); }
    void Connecting(int) override {
        shownPercent_ = -1;
        SetState(QCoreApplication::translate("veldrin::LoggerJobs", "正在连接"));
    }
    void Done(int, const fleet::LoggerDownload& result) override {
        std::shared_ptr<const fleet::ReceivedHistory> history;
        if (result.received)
            history = std::make_shared<const fleet::ReceivedHistory>(*result.received);
        // An archive that refused the download is said beside what was saved.
        const QString failure = QString::fromStdString(result.failure);
        Post([history, failure](LoggerRow& row) {
            if (history)
                row.history = history;
            if (!failure.isEmpty() && !row.state.contains(failure))
                row.state = failure;
        });
    }

  private:
    void SetState(QString state) {
        Post([state = std::move(state)](LoggerRow& row) { row.state = state; });
    }
    template <typename Change>
    void Post(Change change) {
        QMetaObject::invokeMethod(
            &jobs_, [model = &jobs_.model_, port = port_, change] { model->Update(port, change); },
            Qt::QueuedConnection);
    }

    LoggerJobs& jobs_;
    std::string port_;
    int shownPercent_ = -1;
};

LoggerJobs::LoggerJobs(LoggerListModel& model, QObject* parent) : QObject(parent), model_(model) {}

LoggerJobs::~LoggerJobs() {
    shutdown_ = true;
    for (auto& [port, job] : jobs_) {
        job->quit = true;
        job->abort = true;
    }
    for (auto& [port, job] : jobs_)
        job->thread.join();
}

bool LoggerJobs::Download(const std::string& port, const fleet::FleetOptions& options) {
    return Start(port, options, false);
}

bool LoggerJobs::Serve(const std::string& port, const fleet::FleetOptions& options) {
    return Start(port, options, true);
}

bool LoggerJobs::StationRunning(const std::string& port) const {
    const auto found = jobs_.find(port);
    return found != jobs_.end() && found->second->station;
}

void LoggerJobs::StopStations() {
    for (auto& [port, job] : jobs_) {
        if (job->station)
            job->quit = true;
    }
}

void LoggerJobs::StopStation(const std::string& port) {
    if (const auto found = jobs_.find(port); found != jobs_.end() && found->second->station)
        found->second->quit = true;
}

void LoggerJobs::Abandon(const std::string& port) {
    if (const auto found = jobs_.find(port); found != jobs_.end()) {
        found->second->quit = true;
        found->second->abort = true;
    }
}

bool LoggerJobs::Start(const std::string& port, const fleet::FleetOptions& options, bool station) {
    if (Running(port))
        return false;
    auto job = std::make_unique<Job>();
    job->options = options;
    job->station = station;
    job->reporter = std::make_unique<RowReporter>(*this, port);
    model_.Update(port, [](LoggerRow& row) {
        row.working = true;
        row.model.clear();
        row.title.clear();
    });
    Job& started = *job;
    jobs_.emplace(port, std::move(job));
    started.thread = std::thread([this, port, &started] {
        if (started.station) {
            fleet::ServeStationPort(port, started.options, *started.reporter, 0, started.quit,
                                    &started.abort);
        } else {
            started.reporter->Connecting(0);
            started.reporter->Done(
                0, fleet::DownloadLogger(port, started.options, *started.reporter, 0, &started.abort));
        }
        QMetaObject::invokeMethod(
            this, [this, port] { Ended(port); }, Qt::QueuedConnection);
    });
    return true;
}

void LoggerJobs::Ended(const std::string& port) {
    const auto found = jobs_.find(port);
    if (found == jobs_.end())
        return;
    found->second->thread.join();
    const bool station = found->second->station;
    jobs_.erase(found);
    model_.Update(port, [station](LoggerRow& row) {
        row.working = false;
        if (station)
            row.state = IdleState();
    });
    model_.DropGone();
    emit jobEnded();
}

}  // namespace veldrin
