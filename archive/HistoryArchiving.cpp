#include "archive/HistoryArchiving.h"

#include <QTemporaryFile>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "files/DataFile.h"
#include "history/HistoryIngestion.h"
#include "logger/TextFormat.h"
#include "translations/Translation.h"

namespace veldrin::archive {
namespace {

// An event's detail as the trail keeps it: one line of JSON, bytes that are not UTF-8 replaced.
std::string DetailText(const nlohmann::json& detail) {
    return detail.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The logger record kept with a download: what decoding its bytes again needs, and the state
// the logger reported, as JSON.
std::vector<std::uint8_t> LoggerRecordOf(const LoggerInfo& info, LoggerModel model) {
    auto limits = [](const AlarmLimits& alarm) {
        return nlohmann::json{{"lower", alarm.lower},
                              {"upper", alarm.upper},
                              {"lowerByte", alarm.lowerByte},
                              {"upperByte", alarm.upperByte},
                              {"enable", alarm.enable}};
    };
    const nlohmann::json record{
        {"model", static_cast<int>(model)},
        {"instrumentName", info.instrumentName},
        {"recordingState", info.recordingState},
        {"voltageState", info.voltageState},
        {"interval", info.interval},
        {"startFlag", info.startFlag},
        {"startTime", info.startTime.raw},
        {"stopMode", info.stopMode},
        {"channel1Alarm", limits(info.channel1Alarm)},
        {"channel2Alarm", limits(info.channel2Alarm)},
        {"title", info.title},
        {"description", info.description},
        {"chipClock", info.chipClock},
        {"recordBytes", info.recordBytes},
        {"blockCount", info.blockCount},
    };
    const std::string text = record.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return {text.begin(), text.end()};
}

LoggerInfo LoggerInfoOf(const std::vector<std::uint8_t>& record, LoggerModel& model) {
    const auto json = nlohmann::json::parse(record.begin(), record.end(), nullptr, false);
    if (json.is_discarded() || !json.is_object())
        throw archive::ArchiveError("the entry's logger record cannot be read");
    auto limits = [](const nlohmann::json& alarm) {
        AlarmLimits read;
        read.lower = alarm.value("lower", 0.0f);
        read.upper = alarm.value("upper", 0.0f);
        read.lowerByte = alarm.value("lowerByte", std::uint8_t{0});
        read.upperByte = alarm.value("upperByte", std::uint8_t{0});
        read.enable = alarm.value("enable", std::uint8_t{0});
        return read;
    };
    LoggerInfo info;
    model = static_cast<LoggerModel>(json.value("model", 0));
    info.model = model;
    info.instrumentName = json.value("instrumentName", std::string());
    info.recordingState = json.value("recordingState", std::uint8_t{0});
    info.voltageState = json.value("voltageState", std::uint8_t{0});
    info.interval = json.value("interval", std::uint16_t{0});
    info.startFlag = json.value("startFlag", std::uint8_t{0});
    info.startTime.raw = json.value("startTime", std::array<std::uint8_t, 7>{});
    info.stopMode = json.value("stopMode", std::uint8_t{0});
    info.channel1Alarm = limits(json.value("channel1Alarm", nlohmann::json::object()));
    info.channel2Alarm = limits(json.value("channel2Alarm", nlohmann::json::object()));
    info.title = json.value("title", std::string());
    info.description = json.value("description", std::string());
    info.chipClock = json.value("chipClock", std::time_t{0});
    info.recordBytes = json.value("recordBytes", std::uint32_t{0});
    info.blockCount = json.value("blockCount", 0);
    return info;
}

}  // namespace

std::string TrimmedRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

std::string ByIdNameOf(const std::string& devicePath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path device = fs::canonical(devicePath, error);
    if (error)
        return {};
    for (const auto& link : fs::directory_iterator("/dev/serial/by-id", error)) {
        if (fs::canonical(link.path(), error) == device && !error)
            return link.path().filename().string();
    }
    return {};
}

ArchiveInput ArchiveInputOf(const HistoryDataSet& history, std::span<const std::uint8_t> raw,
                            const Actor& actor) {
    ArchiveInput input;
    input.raw.assign(raw.begin(), raw.end());
    input.model = static_cast<int>(RecordedModel(history));
    input.title = TrimmedRight(history.summary.title);
    input.description = TrimmedRight(history.summary.description);
    const SampleSeries& samples = history.samples;
    const int count = samples.Count();
    input.count = count;
    input.interval = history.summary.intervalSeconds;
    input.start = count > 0 ? samples.Time(0) : history.summary.start;
    input.limits = {history.limits.lower1, history.limits.upper1, history.limits.lower2,
                    history.limits.upper2};
    input.alarm = history.limits.enable1 == 1;
    input.shown = history.shown;
    input.channel1.assign(samples.Values1(), samples.Values1() + count);
    if (Traits(RecordedModel(history)).channelCount == 2)
        input.channel2.assign(samples.Values2(), samples.Values2() + count);
    // Times are kept only when they do not follow from the start and the interval.
    for (int i = 0; i < count; ++i) {
        if (samples.Time(i) != input.start + static_cast<std::int64_t>(i) * input.interval) {
            for (int j = 0; j < count; ++j)
                input.times.push_back(samples.Time(j));
            break;
        }
    }
    input.provenance.actor = actor;
    return input;
}

AddResult ArchiveDownload(Archive& archive, const DecodedDownload& download, const Actor& actor) {
    ArchiveInput input = ArchiveInputOf(download.history, download.raw, actor);
    input.kind = SourceKind::Download;
    input.complete = download.complete;
    input.model = static_cast<int>(download.model);
    input.shown = download.shown;
    input.loggerRecord = LoggerRecordOf(download.info, download.model);
    input.provenance.devicePath = download.port;
    input.provenance.byIdName = ByIdNameOf(download.port);
    const AddResult added = archive.Add(input);
    RecordEvent(archive, download.complete ? EventKind::DownloadComplete : EventKind::DownloadPartial, actor,
                DetailText({{"readings", input.count},
                            {"bytes", input.raw.size()},
                            {"device", download.port},
                            {"new", added.added}}),
                input.title, added.entry);
    return added;
}

std::int64_t RecordEvent(Archive& archive, EventKind kind, const Actor& actor, const std::string& detail,
                         const std::string& loggerTitle, std::optional<std::int64_t> entry) {
    EventInput event;
    event.kind = kind;
    event.actor = actor;
    event.detail = detail;
    event.loggerTitle = loggerTitle;
    event.entry = entry;
    return archive.Record(event);
}

void RecordSave(Archive& archive, const HistoryDataSet& history, const std::string& format,
                const std::string& path, std::optional<std::int64_t> entry, const Actor& actor) {
    RecordEvent(archive, EventKind::Save, actor, ExportDetail(format, path),
                TrimmedRight(history.summary.title), entry);
}

AddResult ImportDataFile(Archive& archive, const HistoryDataSet& history, std::span<const std::uint8_t> raw,
                         const std::string& path, const Actor& actor) {
    ArchiveInput input = ArchiveInputOf(history, raw, actor);
    input.kind = SourceKind::FileImport;
    const AddResult added = archive.Add(input);
    RecordEvent(archive, EventKind::ArchiveImport, actor, DetailText({{"path", path}, {"new", added.added}}),
                input.title, added.entry);
    return added;
}

std::unique_ptr<HistoryDataSet> EntryHistory(Archive& archive, std::int64_t entry) {
    const auto details = archive.Show(entry);
    if (!details)
        throw ArchiveError("the archive holds no entry " + std::to_string(entry));
    const std::vector<std::uint8_t> raw = archive.ReadRaw(entry);
    if (details->summary.kind == SourceKind::Download) {
        LoggerModel model = LoggerModel::Unknown;
        const LoggerInfo info = LoggerInfoOf(details->loggerRecord, model);
        auto history = std::make_unique<HistoryDataSet>();
        IngestDownloadedHistory(raw, model, details->summary.shown, info, *history);
        return history;
    }
    QTemporaryFile file;
    if (!file.open() ||
        file.write(reinterpret_cast<const char*>(raw.data()), static_cast<qint64>(raw.size())) !=
            static_cast<qint64>(raw.size()) ||
        !file.flush())
        throw ArchiveError("cannot write a temporary copy of entry " + std::to_string(entry));
    DataFileLoad load = LoadDataFile(file.fileName().toStdString());
    if (!load.result)
        throw ArchiveError("entry " + std::to_string(entry) +
                           " holds a data file this program refuses: " + load.result.reason);
    return std::move(load.dataSet);
}

std::string ArchiveMark(std::int64_t entry, const std::string& sha256) {
    return Printf(text::translate("HistoryArchiving", "档案 %lld · SHA-256 %s").c_str(),
                  static_cast<long long>(entry), sha256.substr(0, 16).c_str());
}

}  // namespace veldrin::archive
