#include "fleet/FleetDownload.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

#include "cli/ArchiveSupport.h"
#include "cli/LoggerSession.h"
#include "files/DataFile.h"
#include "fleet/ExportRegistry.h"
#include "fleet/GuiApplication.h"
#include "history/HistoryIngestion.h"
#include "translations/Translation.h"

namespace veldrin::fleet {
namespace {

// Connecting and reading the parameters; a full memory at the line's byte rate takes about five
// minutes; a settings write well under one.
constexpr int kConnectSeconds = 60;
constexpr int kDownloadSeconds = 900;
constexpr int kSettingsSeconds = 120;
constexpr std::string_view kByIdFolder = "/serial/by-id";

// Saves run one at a time: two downloads named alike must not both find the same name free, and
// the page writers share one GUI application.
std::mutex& SaveMutex() {
    static std::mutex mutex;
    return mutex;
}

Status WriteOne(const HistoryDataSet& history, const std::string& path) {
    if (const fleet::Exporter* exporter = fleet::ExporterRegistry::Instance().ForPath(path))
        return (*exporter)(history, path, TemperatureUnit::Celsius);
    return WriteDataFile(path, history);
}

std::string Joined(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths)
        text += (text.empty() ? "" : " ") + path;
    return text;
}

}  // namespace

FleetArchiving ArchiveAt(std::string location, archive::Actor actor) {
    FleetArchiving archiving;
    archiving.download = [location, actor](const archive::DecodedDownload& download) {
        try {
            auto archive = archive::Archive::Open(location);
            return ArchiveOutcome{archive::ArchiveDownload(*archive, download, actor).entry, {}};
        } catch (const archive::ArchiveError& error) {
            return ArchiveOutcome{std::nullopt,
                                  std::string("the download was not archived: ") + error.what()};
        }
    };
    archiving.save = [location, actor](const HistoryDataSet& history, const std::string& format,
                                       const std::string& path, std::optional<std::int64_t> entry) {
        try {
            auto archive = archive::Archive::Open(location);
            archive::RecordSave(*archive, history, format, path, entry, actor);
            return true;
        } catch (const archive::ArchiveError&) {
            return false;
        }
    };
    return archiving;
}

SavedFiles SaveDownload(const HistoryDataSet& history, const NameFields& fields,
                        const std::vector<std::string>& templates, bool replace,
                        std::optional<std::int64_t> entry, const FleetArchiving& archiving) {
    std::lock_guard lock(SaveMutex());
    SavedFiles saved;
    for (const std::string& pattern : templates) {
        const ExpandedName name = ExpandNameTemplate(pattern, fields);
        if (!name) {
            saved.error = pattern + ": " + name.error;
            return saved;
        }
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::path(name.path).parent_path();
        if (!folder.empty() && !std::filesystem::create_directories(folder, error) && error) {
            saved.error =
                text::translate("FleetDownload", "文件保存出错: ") + folder.string() + ": " + error.message();
            return saved;
        }
        const std::string path =
            replace ? name.path : FirstFreePath(name.path, [](const std::string& candidate) {
                std::error_code ignored;
                return std::filesystem::exists(std::filesystem::symlink_status(candidate, ignored));
            });
        if (Status written = WriteOne(history, path); !written) {
            saved.error = text::translate("FleetDownload", "文件保存出错: ") + path + ": " + written.reason;
            return saved;
        }
        saved.paths.push_back(path);
        if (entry) {
            const std::string format = fleet::ExporterRegistry::Instance().FormatOf(path);
            if (!archiving.save || !archiving.save(history, format.empty() ? "vdr" : format, path, entry))
                saved.unrecorded = true;
        }
    }
    return saved;
}

void PrepareTemplateWriters(const FleetOptions& options) {
    for (const std::string& pattern : options.templates) {
        std::string extension = std::filesystem::path(pattern).extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (extension == ".pdf")
            fleet::EnsureGuiApplication();
    }
}

void DescribePort(const std::string& port, NameFields& fields) {
    fields.port = DeviceFileName(port);
    fields.device.clear();
    // A stable name: under /dev/serial/by-id, or under serial/by-id of the device tree --dev names.
    if (std::filesystem::path(port).parent_path().string().ends_with(kByIdFolder)) {
        fields.device = DeviceFileName(port);
        std::error_code error;
        const std::filesystem::path target = std::filesystem::canonical(port, error);
        if (!error)
            fields.port = target.filename().string();
    }
}

bool LoggerAnswers(const std::string& port, LoggerModel model) {
    LoggerSession session;
    session.Ui().onMessage = [](std::string_view) {};
    // The wake-up and its answer are enough; the session closes the port again.
    return session.Connection().Connect(
        PortChoice{PortForArgument(port, PortSources::OfProcess()), false, model});
}

LoggerDownload DownloadLogger(const std::string& port, const FleetOptions& options, FleetProgress& progress,
                              int row, const std::atomic<bool>* stop) {
    LoggerDownload done;
    done.outcome.port = port;
    const auto fail = [&](LoggerResult result, const std::string& message) {
        done.result = result;
        done.failure = message;
        done.outcome.result = message;
        progress.Failed(row, message);
        return done;
    };
    // What the session's callbacks write lives longer than the session and its reader thread.
    std::string lastMessage;
    bool received = false;
    bool complete = false;
    int expectedReadings = 0;
    Bytes raw;
    LoggerInfo infoAtEnd;
    LoggerSession session;
    session.Ui().onMessage = [&](std::string_view text) {
        // A message of several lines (the port, the reason) is told as one.
        lastMessage = text;
        for (char& c : lastMessage) {
            if (c == '\n')
                c = ' ';
        }
    };
    session.Ui().channels = options.channels;
    if (!session.Open(port, options.model))
        return fail(LoggerResult::Failed, lastMessage.empty() ? "no logger answered" : lastMessage);

    DeviceConnection& connection = session.Connection();
    // The settings the logger records with, to start it again with after the download.
    const LoggerInfo settings = session.Info();
    const LoggerModel model = settings.model;
    done.outcome.model = std::string(Traits(model).shortName);
    done.outcome.title = settings.title;
    progress.Identify(row, done.outcome.model, settings.title);

    connection.SetHistorySink([&](const HistoryHandover& history) {
        raw = history.bytes;
        infoAtEnd = history.info;
        received = true;
        complete = history.complete;
        expectedReadings = history.expectedReadings;
    });
    connection.ReadHistory();
    const std::size_t total = settings.recordBytes;
    int shownPercent = -1;
    const bool ran = session.RunUntil(
        [&] {
            const int percent = session.Ui().LastPercent();
            if (percent > shownPercent && connection.CurrentPhase() == Phase::ReadingHistory) {
                shownPercent = percent;
                progress.Progress(row, total * static_cast<std::size_t>(percent) / 100, total);
            }
            return received;
        },
        kDownloadSeconds, stop);
    if (!ran && !received)
        return fail(LoggerResult::Broken, lastMessage.empty() ? "the history was not read" : lastMessage);
    if (complete)
        progress.Progress(row, total, total);

    auto history = std::make_unique<HistoryDataSet>();
    IngestDownloadedHistory(raw, model, options.channels, infoAtEnd, *history);
    done.received = ReceivedHistory{raw, infoAtEnd, model, options.channels, complete, expectedReadings, {}};
    // Kept before anything else can lose it. A download (or a save of it) the archive refuses counts
    // as a file that could not be written: the logger's failure line says so and the run ends with
    // the archive's status; the files are still written and the logger restarted.
    const ArchiveOutcome archived =
        options.archiving.download
            ? options.archiving.download({raw, *history, infoAtEnd, model, options.channels, complete, port})
            : ArchiveOutcome{std::nullopt, "the download was not archived"};
    done.received->entry = archived.entry;
    std::string archiveFailure = archived.failure;
    const auto told = [&](LoggerDownload result) {
        if (!archiveFailure.empty()) {
            result.archiveRefused = true;
            result.failure += (result.failure.empty() ? "" : "; ") + archiveFailure;
        }
        return result;
    };
    done.outcome.readings = static_cast<int>(history->samples.Count());
    if (!options.templates.empty() && history->samples.Count() > 0) {
        NameFields fields;
        fields.title = settings.title;
        fields.model = done.outcome.model;
        fields.start = history->summary.start;
        fields.end = history->summary.stop;
        fields.count = done.outcome.readings;
        DescribePort(port, fields);
        fields.now = std::time(nullptr);
        const SavedFiles saved =
            SaveDownload(*history, fields, options.templates, false, archived.entry, options.archiving);
        done.outcome.file = Joined(saved.paths);
        done.files = saved.paths;
        if (saved.unrecorded && archiveFailure.empty())
            archiveFailure = "a save was not recorded in the archive";
        if (!saved.error.empty())
            return told(fail(LoggerResult::Failed, saved.error));
        progress.Saved(row, done.outcome.file);
    }
    if (!complete) {
        return told(fail(LoggerResult::Broken,
                         "the history is incomplete" +
                             std::string(done.outcome.file.empty() ? "" : "; what arrived is saved")));
    }
    done.result = LoggerResult::Whole;
    done.outcome.result = "complete";
    if (!options.restart)
        return told(done);

    const std::time_t now = std::time(nullptr);
    session.Ui().panel = PanelOfLogger(settings, options.restartAt.value_or(now - 1));
    // A settings write once begun is finished, also when the station is told to stop meanwhile.
    if (connection.ApplySettings() != RequestResult::Taken ||
        !session.RunUntil([&] { return connection.SettingsWriteState() == SettingsWrite::Finished; },
                          kSettingsSeconds)) {
        return told(
            fail(LoggerResult::Broken,
                 "not restarted: " +
                     (lastMessage.empty() ? std::string("the settings were not written") : lastMessage)));
    }
    done.outcome.result = "complete, restarted";
    progress.Restarted(row);
    return told(done);
}

}  // namespace veldrin::fleet
