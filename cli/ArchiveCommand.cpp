// veldrin-cli archive list|show|export|report|import|verify|audit: finds, shows, exports and checks
// what the archive holds. Every subcommand takes --archive; without it VELDRIN_ARCHIVE, else the
// default SQLite file.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/ArchiveSupport.h"
#include "cli/CommandRegistry.h"
#include "cli/CsvExporter.h"
#include "cli/FileCommandSupport.h"
#include "cli/PdfExporter.h"
#include "files/DataFileCommands.h"
#include "fleet/ExportRegistry.h"
#include "fleet/GuiApplication.h"
#include "logger/WireCodec.h"
#include "print/ReportPdf.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

using archive::Archive;
using archive::ArchiveError;
using nlohmann::json;

constexpr int kFailureStatus = 1;
constexpr int kUsageStatus = 2;
constexpr const char* kModelNames[] = {"single", "humidity", "dual"};

std::string ModelName(int model) {
    return model >= 0 && model <= 2 ? kModelNames[model] : "model " + std::to_string(model);
}

std::string JsonText(const json& value) {
    return value.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string TimeText(std::int64_t time) {
    return FormatTime(static_cast<std::time_t>(time));
}
std::string MillisecondsText(std::int64_t ms) {
    return TimeText(ms / 1000);
}

// The entry's source for lists: the device (its by-id name when known) or "file".
std::string SourceText(const archive::EntrySummary& e) {
    if (e.kind == archive::SourceKind::FileImport)
        return "file";
    if (!e.provenance.byIdName.empty())
        return e.provenance.byIdName;
    return e.provenance.devicePath.empty() ? "trace" : e.provenance.devicePath;
}

json SummaryJson(const archive::EntrySummary& e) {
    return {{"id", e.id},
            {"sha256", e.sha256},
            {"source", e.kind == archive::SourceKind::Download ? "download" : "file"},
            {"complete", e.complete},
            {"model", ModelName(e.model)},
            {"title", e.title},
            {"description", e.description},
            {"start", TimeText(e.start)},
            {"end", TimeText(e.end)},
            {"interval", e.interval},
            {"readings", e.count},
            {"limits", e.limits},
            {"alarm", e.alarm},
            {"excursions", e.excursions},
            {"device", e.provenance.devicePath},
            {"byId", e.provenance.byIdName},
            {"host", e.provenance.actor.host},
            {"user", e.provenance.actor.user},
            {"programVersion", e.provenance.actor.programVersion},
            {"archivedAt", MillisecondsText(e.archivedAtMs)}};
}

json EventJson(const archive::Event& e) {
    json event{{"id", e.id},
               {"time", MillisecondsText(e.timeMs)},
               {"kind", e.kind},
               {"user", e.actor.user},
               {"host", e.actor.host},
               {"programVersion", e.actor.programVersion},
               {"logger", e.loggerTitle},
               {"detail", e.detail}};
    event["entry"] = e.entry ? json(*e.entry) : json(nullptr);
    return event;
}

std::string EventLine(const archive::Event& e) {
    std::string line = std::to_string(e.id) + "  " + MillisecondsText(e.timeMs) + "  " + e.kind;
    if (e.entry)
        line += "  entry " + std::to_string(*e.entry);
    if (!e.loggerTitle.empty())
        line += "  \"" + e.loggerTitle + "\"";
    line += "  " + e.actor.user + "@" + e.actor.host + " " + e.actor.programVersion;
    if (!e.detail.empty())
        line += "  " + e.detail;
    return line + "\n";
}

// A time option's value, already checked by PrintRangeTimeValidator.
std::optional<std::int64_t> TimeOption(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    return ParsePrintRangeTime(text);
}

struct ListArgs {
    bool json = false;
    std::string model;
    std::string text;
    std::string from;
    std::string to;
    std::string device;
    bool excursions = false;
};

archive::EntryFilter FilterOf(const ListArgs& args) {
    archive::EntryFilter filter;
    for (int model = 0; model < 3; ++model) {
        if (args.model == kModelNames[model])
            filter.model = model;
    }
    filter.text = args.text;
    filter.from = TimeOption(args.from);
    filter.to = TimeOption(args.to);
    filter.device = args.device;
    filter.onlyExcursions = args.excursions;
    return filter;
}

}  // namespace

// The listing `archive list` prints: a table, or a JSON array with --json. In its own function so
// that the benchmark times exactly what the command does.
std::string ListArchive(Archive& archive, const archive::EntryFilter& filter, bool asJson) {
    const std::vector<archive::EntrySummary> entries = archive.List(filter);
    if (asJson) {
        json list = json::array();
        for (const auto& e : entries)
            list.push_back(SummaryJson(e));
        return JsonText(list);
    }
    std::string text;
    for (const auto& e : entries) {
        text += std::to_string(e.id) + "  " + MillisecondsText(e.archivedAtMs) + "  " + ModelName(e.model) +
                "  \"" + e.title + "\"  " + TimeText(e.start) + " – " + TimeText(e.end) + "  " +
                std::to_string(e.count) + " readings  " + std::to_string(e.excursions) + " excursions  " +
                SourceText(e) + (e.complete ? "" : "  (partial)") + "\n";
    }
    return text;
}

namespace {

// Opens the chosen archive and runs `body` on it; an archive that cannot be opened or read ends
// the command with its reason and kFailureStatus.
int OnArchive(const char* command, const std::function<int(Archive&)>& body) {
    auto archive = OpenArchiveFor(command);
    if (!archive)
        return kFailureStatus;
    try {
        return body(*archive);
    } catch (const ArchiveError& error) {
        std::fprintf(stderr, "%s: %s\n", command, error.what());
        return kFailureStatus;
    }
}

// The entry `id`, or nothing after saying that the archive holds no such entry.
std::optional<archive::EntryDetails> FindEntry(Archive& archive, std::int64_t id, const char* command) {
    auto details = archive.Show(id);
    if (!details)
        std::fprintf(stderr,
                     text::translate("veldrin-cli", "%s: the archive %s holds no entry %lld\n").c_str(),
                     command, archive.Describe().c_str(), static_cast<long long>(id));
    return details;
}

// An export of an entry in the audit trail: its format and path.
void RecordExport(Archive& archive, const archive::EntrySummary& entry, const std::string& format,
                  const std::string& path) {
    archive::RecordEvent(archive, archive::EventKind::Export, ThisActor(),
                         archive::ExportDetail(format, path), entry.title, entry.id);
}

int List(const ListArgs& args) {
    return OnArchive("archive list", [&](Archive& archive) {
        return PrintProduct(ListArchive(archive, FilterOf(args), args.json), "archive list",
                            QT_TRANSLATE_NOOP("veldrin-cli", "the list"));
    });
}

// Statistics of one channel's readings.
json ChannelStatistics(const std::vector<float>& values) {
    if (values.empty())
        return nullptr;
    double sum = 0;
    for (float value : values)
        sum += value;
    return {{"min", *std::min_element(values.begin(), values.end())},
            {"max", *std::max_element(values.begin(), values.end())},
            {"average", sum / static_cast<double>(values.size())}};
}

int Show(std::int64_t id, bool asJson) {
    return OnArchive("archive show", [&](Archive& archive) {
        const auto details = FindEntry(archive, id, "archive show");
        if (!details)
            return kFailureStatus;
        const archive::Readings readings = archive.ReadReadings(id);
        json shown = SummaryJson(details->summary);
        shown["statistics"] = {{"channel1", ChannelStatistics(readings.channel1)},
                               {"channel2", ChannelStatistics(readings.channel2)}};
        shown["events"] = json::array();
        for (const auto& event : details->events)
            shown["events"].push_back(EventJson(event));
        if (asJson)
            return PrintProduct(JsonText(shown), "archive show",
                                QT_TRANSLATE_NOOP("veldrin-cli", "the entry"));
        std::string text;
        for (const auto& [key, value] : shown.items()) {
            if (key == "events" || key == "statistics")
                continue;
            text += key + ": " + (value.is_string() ? value.get<std::string>() : value.dump()) + "\n";
        }
        for (const char* channel : {"channel1", "channel2"}) {
            const json& figures = shown["statistics"][channel];
            if (figures.is_null())
                continue;
            char line[160];
            std::snprintf(line, sizeof line, "%s: min %.2f, max %.2f, average %.2f\n", channel,
                          figures["min"].get<double>(), figures["max"].get<double>(),
                          figures["average"].get<double>());
            text += line;
        }
        text += "events:\n";
        for (const auto& event : details->events)
            text += "  " + EventLine(event);
        return PrintProduct(text, "archive show", QT_TRANSLATE_NOOP("veldrin-cli", "the entry"));
    });
}

int Export(std::int64_t id, const std::string& output, TemperatureUnit unit) {
    const fleet::Exporter* exporter = fleet::ExporterRegistry::Instance().ForPath(output);
    if (exporter == nullptr) {
        std::fprintf(stderr,
                     text::translate("veldrin-cli", "archive export: no writer for %s; known: %s\n").c_str(),
                     output.c_str(), fleet::ExporterRegistry::Instance().Describe().c_str());
        return kUsageStatus;
    }
    return OnArchive("archive export", [&](Archive& archive) {
        const auto details = FindEntry(archive, id, "archive export");
        if (!details)
            return kFailureStatus;
        const archive::EntrySummary& entry = details->summary;
        Status written;
        if (entry.kind == archive::SourceKind::FileImport &&
            fleet::ExporterRegistry::Instance().ForPath("x.vdr") == exporter) {
            // An imported data file goes out as the very bytes that came in.
            const std::vector<std::uint8_t> raw = archive.ReadRaw(id);
            written = SaveFileAtomically(
                output, std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
        } else {
            const auto history = archive::EntryHistory(archive, id);
            SetPdfArchiveMark(archive::ArchiveMark(entry.id, entry.sha256));
            written = (*exporter)(*history, output, unit);
        }
        if (!written) {
            std::fprintf(stderr, "%s %s: %s\n", FileText(kSaveErrorText).c_str(), output.c_str(),
                         written.reason.c_str());
            return kFailureStatus;
        }
        RecordExport(archive, entry, ExtensionAfterLastDot(output), output);
        return 0;
    });
}

struct ReportArgs {
    std::int64_t id = 0;
    std::string output;
    std::string from;
    std::string to;
    bool withReadings = false;
    TemperatureUnit unit = TemperatureUnit::Celsius;
};

int Report(const ReportArgs& args) {
    return OnArchive("archive report", [&](Archive& archive) {
        const auto details = FindEntry(archive, args.id, "archive report");
        if (!details)
            return kFailureStatus;
        const auto history = archive::EntryHistory(archive, args.id);
        ReportOptions options;
        options.withReadings = args.withReadings;
        options.unit = args.unit;
        options.from = TimeOption(args.from);
        options.to = TimeOption(args.to);
        options.archiveMark = archive::ArchiveMark(details->summary.id, details->summary.sha256);
        fleet::EnsureGuiApplication();
        const ReportResult result = ExportReportPdf(*history, options, args.output);
        if (result.status != ReportStatus::Written) {
            std::fprintf(stderr, "archive report %s: %s\n", args.output.c_str(), result.message.c_str());
            return kFailureStatus;
        }
        RecordExport(archive, details->summary, "report", args.output);
        return 0;
    });
}

int Import(const std::vector<std::string>& files) {
    auto archive = OpenArchiveFor("archive import");
    if (!archive)
        return kFailureStatus;
    int status = 0;
    for (const std::string& path : files) {
        // The file's bytes are kept as they are, beside the history read from them.
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        auto load = LoadForCommand(path);
        if (!in.good() && !in.eof())
            load.reset();
        if (!load) {
            status = kFailureStatus;
            continue;
        }
        try {
            const archive::AddResult added =
                archive::ImportDataFile(*archive, *load->dataSet, bytes, path, ThisActor());
            const std::string note =
                added.added ? std::string() : text::translate("veldrin-cli", " (archived before)");
            std::printf(text::translate("veldrin-cli", "%s: entry %lld%s\n").c_str(), path.c_str(),
                        static_cast<long long>(added.entry), note.c_str());
        } catch (const ArchiveError& error) {
            std::fprintf(stderr, "archive import %s: %s\n", path.c_str(), error.what());
            status = kFailureStatus;
        }
    }
    std::fflush(stdout);
    return status;
}

int Verify() {
    return OnArchive("archive verify", [](Archive& archive) {
        const archive::VerifyReport report = archive.Verify();
        if (report.intact) {
            std::printf(
                text::translate("veldrin-cli", "the archive %s is intact: %lld records checked\n").c_str(),
                archive.Describe().c_str(), static_cast<long long>(report.records));
            std::fflush(stdout);
            return 0;
        }
        std::printf(text::translate("veldrin-cli", "the archive %s is NOT intact: %s\n").c_str(),
                    archive.Describe().c_str(), report.problem.c_str());
        std::fflush(stdout);
        archive::EventInput event;
        event.kind = archive::EventKind::VerifyFailed;
        event.actor = ThisActor();
        const char* kind = report.firstKind == archive::RecordKind::Entry   ? "entry"
                           : report.firstKind == archive::RecordKind::Event ? "event"
                                                                            : "chain head";
        event.detail = json{{"record", kind}, {"id", report.firstId}, {"problem", report.problem}}.dump(
            -1, ' ', false, json::error_handler_t::replace);
        archive.Record(event);
        return kFailureStatus;
    });
}

struct AuditArgs {
    bool json = false;
    std::string from;
    std::string to;
    std::string logger;
};

int Audit(const AuditArgs& args) {
    return OnArchive("archive audit", [&](Archive& archive) {
        archive::AuditFilter filter;
        if (auto from = TimeOption(args.from))
            filter.fromMs = *from * 1000;
        if (auto to = TimeOption(args.to))
            filter.toMs = *to * 1000 + 999;
        filter.loggerTitle = args.logger;
        const std::vector<archive::Event> events = archive.Audit(filter);
        if (args.json) {
            json list = json::array();
            for (const auto& event : events)
                list.push_back(EventJson(event));
            return PrintProduct(JsonText(list), "archive audit",
                                QT_TRANSLATE_NOOP("veldrin-cli", "the trail"));
        }
        std::string text;
        for (const auto& event : events)
            text += EventLine(event);
        return PrintProduct(text, "archive audit", QT_TRANSLATE_NOOP("veldrin-cli", "the trail"));
    });
}

CLI::App* Subcommand(CLI::App& archive, const char* name, const char* description) {
    CLI::App* command = archive.add_subcommand(name, description);
    AddArchiveOption(*command);
    return command;
}

void AddTimeOptions(CLI::App& command, std::string& from, std::string& to, const char* what) {
    command.add_option("--from", from, std::string(what) + " from this time, \"YYYY-MM-DD HH:MM:SS\"")
        ->check(PrintRangeTimeValidator());
    command.add_option("--to", to, std::string(what) + " up to this time, \"YYYY-MM-DD HH:MM:SS\"")
        ->check(PrintRangeTimeValidator());
}

const CommandRegistration kRegistration{
    "archive", [](CLI::App& app, int& status) {
        CLI::App* archive =
            app.add_subcommand("archive", "Find, show, export, import and verify archived histories");
        archive->require_subcommand(1);

        auto list = std::make_shared<ListArgs>();
        CLI::App* listCommand = Subcommand(*archive, "list", "List the archived histories");
        listCommand->add_flag("--json", list->json, "as a JSON array");
        listCommand->add_option("--model", list->model, "single, humidity or dual")
            ->check(CLI::IsMember({"single", "humidity", "dual"}));
        listCommand->add_option("--text", list->text,
                                "words that must each appear in the title or description");
        AddTimeOptions(*listCommand, list->from, list->to, "histories with readings");
        listCommand->add_option("--device", list->device, "part of the device path or by-id name");
        listCommand->add_flag("--excursions", list->excursions, "only histories with readings beyond limits");
        listCommand->callback([list, &status] { status = List(*list); });

        auto show = std::make_shared<std::pair<std::int64_t, bool>>();
        CLI::App* showCommand =
            Subcommand(*archive, "show", "Show one entry: identity, provenance, statistics, events");
        showCommand->add_option("id", show->first, "the entry's number")->required();
        showCommand->add_flag("--json", show->second, "as a JSON object");
        showCommand->callback([show, &status] { status = Show(show->first, show->second); });

        auto exported = std::make_shared<std::pair<std::int64_t, std::string>>();
        CLI::App* exportCommand = Subcommand(
            *archive, "export", "Write an entry to OUT in the format of OUT's extension, as `export` does");
        exportCommand->add_option("id", exported->first, "the entry's number")->required();
        exportCommand->add_option("out", exported->second, "the file to write")->required();
        AddPdfExportOptions(*exportCommand);
        AddCsvExportOptions(*exportCommand);
        auto exportUnit = std::make_shared<TemperatureUnit>(TemperatureUnit::Celsius);
        AddUnitOption(*exportCommand, *exportUnit);
        exportCommand->callback([exported, exportUnit, &status] {
            status = Export(exported->first, exported->second, *exportUnit);
        });

        auto report = std::make_shared<ReportArgs>();
        CLI::App* reportCommand = Subcommand(*archive, "report", "Write the report of an entry as a PDF");
        reportCommand->add_option("id", report->id, "the entry's number")->required();
        reportCommand->add_option("out", report->output, "the PDF file to write")->required();
        AddTimeOptions(*reportCommand, report->from, report->to, "report the readings");
        reportCommand->add_flag("--with-readings", report->withReadings,
                                "list every reading on the following pages");
        AddUnitOption(*reportCommand, report->unit);
        reportCommand->callback([report, &status] { status = Report(*report); });

        auto files = std::make_shared<std::vector<std::string>>();
        CLI::App* importCommand = Subcommand(*archive, "import", "Archive data files");
        importCommand->add_option("files", *files, "the .Vdr data files")->required();
        importCommand->callback([files, &status] { status = Import(*files); });

        CLI::App* verifyCommand = Subcommand(
            *archive, "verify", "Recompute every hash and the chain; exit 1 naming the first change");
        verifyCommand->callback([&status] { status = Verify(); });

        auto audit = std::make_shared<AuditArgs>();
        CLI::App* auditCommand = Subcommand(*archive, "audit", "List the audit trail");
        auditCommand->add_flag("--json", audit->json, "as a JSON array");
        AddTimeOptions(*auditCommand, audit->from, audit->to, "events");
        auditCommand->add_option("--logger", audit->logger, "part of the logger's title");
        auditCommand->callback([audit, &status] { status = Audit(*audit); });
    }};

}  // namespace
}  // namespace veldrin::cli
