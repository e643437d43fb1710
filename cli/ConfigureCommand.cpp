// veldrin-cli configure: writes settings to a logger and starts its recording (or stops it), the
// way the realtime panel's buttons do, and reports when the logger has taken them.
#include <cstdio>
#include <memory>
#include <sstream>
#include <vector>

#include "archive/LoggerEvents.h"
#include "cli/ArchiveSupport.h"
#include "cli/CommandRegistry.h"
#include "cli/FileCommandSupport.h"
#include "cli/LoggerSession.h"
#include "logger/ConnectionTexts.h"
#include "logger/SettingsCheck.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

struct ConfigureArgs {
    std::string port;
    std::string model;
    std::string interval;
    std::string start;
    std::string limits;
    std::optional<std::string> title;
    std::optional<std::string> description;
    bool stop = false;
    std::string tracePath;
    TemperatureUnit unit = TemperatureUnit::Celsius;  // of the limits given and of those kept
};

// The panel as the connected logger's values fill it, changed by the options given.
std::optional<PanelSettings> MakePanel(const ConfigureArgs& args, const LoggerInfo& info, std::time_t now) {
    PanelSettings panel = PanelOfLogger(info, now - 1, args.unit);  // no start time given: start at once
    panel.title = args.title.value_or(info.title);
    panel.description = args.description.value_or(info.description);
    if (!args.interval.empty() && std::sscanf(args.interval.c_str(), "%d:%d:%d", &panel.intervalHours,
                                              &panel.intervalMinutes, &panel.intervalSeconds) != 3) {
        std::fputs(text::translate("veldrin-cli", "configure: --interval takes HH:MM:SS\n").c_str(), stderr);
        return std::nullopt;
    }
    if (!args.start.empty() &&
        std::sscanf(args.start.c_str(), "%d-%d-%d %d:%d:%d", &panel.startYear, &panel.startMonth,
                    &panel.startDay, &panel.startHour, &panel.startMinute, &panel.startSecond) != 6) {
        std::fputs(
            text::translate("veldrin-cli", "configure: --start takes \"YYYY-MM-DD HH:MM:SS\"\n").c_str(),
            stderr);
        return std::nullopt;
    }
    if (!args.limits.empty()) {
        std::vector<std::string> parts;
        std::stringstream stream(args.limits);
        for (std::string part; std::getline(stream, part, ',');)
            parts.push_back(part);
        if (parts.size() != 2 && parts.size() != 4) {
            std::fputs(
                text::translate("veldrin-cli", "configure: --limits takes L1,U1 or L1,U1,L2,U2\n").c_str(),
                stderr);
            return std::nullopt;
        }
        panel.channel1Lower = parts[0];
        panel.channel1Upper = parts[1];
        if (parts.size() == 4) {
            panel.channel2Lower = parts[2];
            panel.channel2Upper = parts[3];
        }
    }
    return panel;
}

// The settings write and the start of the recording in the audit trail; kArchiveFailureStatus
// (with the reason printed) when the archive cannot take them. The logger keeps its settings.
int RecordSettingsWrite(const LoggerInfo& before, const LoggerInfo& after) {
    bool recorded = RecordEvent(archive::EventKind::SettingsWrite,
                                archive::SettingsWriteDetail(archive::SettingsChanges(before, after)),
                                after.title, std::nullopt, "configure");
    recorded =
        recorded && RecordEvent(archive::EventKind::StartRecording, archive::StartRecordingDetail(after),
                                after.title, std::nullopt, "configure");
    return recorded ? 0 : kArchiveFailureStatus;
}

int Configure(const ConfigureArgs& args) {
    const LoggerModel model = ModelOfArgument(args.model);
    if (!args.stop) {
        // What the options say is checked before the logger is even reached.
        const auto given = MakePanel(args, LoggerInfo{}, std::time(nullptr));
        if (!given)
            return 2;
        // With --model auto the model is known only once the logger answers; the connection checks
        // the settings against it then.
        if (auto problem = model == kModelFromIdentify ? std::nullopt : FindSettingsProblem(*given, model)) {
            std::fprintf(stderr, "configure: %s\n", problem->c_str());
            return 2;
        }
    }
    LoggerSession session(args.tracePath);
    if (!session.TraceReady())
        return 1;
    if (!session.Open(args.port, model))
        return 1;
    DeviceConnection& connection = session.Connection();
    if (args.stop) {
        connection.StopRecording();
        if (!session.RunUntil([&] { return connection.CurrentPhase() == Phase::Polling; }, 60))
            return 1;
        std::printf("%s\n", texts::RecordingText(session.Info().recordingState).c_str());
        if (session.Info().Recording())
            return 1;
        return RecordEvent(archive::EventKind::StopRecording, {}, session.Info().title, std::nullopt,
                           "configure")
                   ? 0
                   : kArchiveFailureStatus;
    }
    auto panel = MakePanel(args, session.Info(), std::time(nullptr));
    if (!panel)
        return 2;
    session.Ui().panel = *panel;
    const LoggerInfo before = session.Info();
    // Refused settings (the message is printed) leave the logger as it was.
    if (connection.ApplySettings() != RequestResult::Taken)
        return 2;
    if (!session.RunUntil([&] { return connection.SettingsWriteState() == SettingsWrite::Finished; }, 120))
        return 1;
    const LoggerInfo& info = session.Info();
    const std::string note = info.startFlag == 1
                                 ? text::translate("veldrin-cli", " (the logger starts by itself)")
                                 : std::string();
    std::printf(text::translate("veldrin-cli", "%s: interval %ds, start %s%s\n").c_str(),
                texts::Translated(texts::kSettingDone).c_str(), info.interval,
                info.startTime.time ? FormatTime(*info.startTime.time).c_str() : "?", note.c_str());
    std::fflush(stdout);
    return RecordSettingsWrite(before, info);
}

const CommandRegistration kRegistration{
    "configure", [](CLI::App& app, int& status) {
        auto args = std::make_shared<ConfigureArgs>();
        CLI::App* command = app.add_subcommand("configure", "Write settings and start recording, or stop it");
        command->add_option("--port", args->port, "port number or device path")->required();
        AddModelOption(*command, args->model, true)->required();
        command->add_option("--interval", args->interval, "recording interval HH:MM:SS");
        command->add_option("--start", args->start, "start time \"YYYY-MM-DD HH:MM:SS\"; in the past: now");
        command->add_option("--limits", args->limits, "alarm limits L1,U1[,L2,U2], temperatures in --unit");
        AddUnitOption(*command, args->unit);
        command->add_option("--title", args->title, "title (at most 36 GBK bytes)");
        command->add_option("--description", args->description, "description (at most 60 GBK bytes)");
        command->add_flag("--stop", args->stop, "stop recording instead");
        command->add_option("--trace", args->tracePath,
                            "write every byte on the line, with its time, to FILE");
        AddArchiveOption(*command);
        command->callback([args, &status] { status = Configure(*args); });
    }};

}  // namespace
}  // namespace veldrin::cli
