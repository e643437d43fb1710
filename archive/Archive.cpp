#include "archive/Archive.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QVariant>
#include <chrono>
#include <concepts>
#include <nlohmann/json.hpp>
#include <vector>

#include "archive/Chain.h"
#include "archive/Database.h"
#include "archive/Schema.h"

namespace veldrin::archive {
namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
std::string S(const QVariant& value) {
    return value.toString().toStdString();
}
// Never a null QByteArray: Qt SQL binds that as NULL, and no bytes are still bytes.
QByteArray Bytes(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty())
        return QByteArray("");
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}
std::vector<std::uint8_t> Bytes(const QByteArray& bytes) {
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// An entry as its two rows hold it.
struct EntryRow {
    EntrySummary summary;
    std::int64_t seq = 0;
    std::string prevHash;
    std::string hash;
    QByteArray raw;
    QByteArray loggerRecord;
    QByteArray channel1;
    QByteArray channel2;
    QByteArray times;
};

struct EventRow {
    Event event;
    std::int64_t seq = 0;
    std::string prevHash;
    std::string hash;
};

// The fields every record of the chain begins with: what it is, its place, the hash before it.
Canonical ChainFields(std::string_view record, std::int64_t seq, const std::string& prevHash,
                      std::int64_t id) {
    Canonical c;
    c.Text("record", record);
    c.Integer("seq", seq);
    c.Text("prev_hash", prevHash);
    c.Integer("id", id);
    return c;
}

std::string HashOf(const EntryRow& row) {
    const EntrySummary& e = row.summary;
    Canonical c = ChainFields("entry", row.seq, row.prevHash, e.id);
    c.Text("sha256", e.sha256);
    c.Integer("kind", static_cast<int>(e.kind));
    c.Integer("complete", e.complete);
    c.Integer("model", e.model);
    c.Text("title", e.title);
    c.Text("description", e.description);
    c.Integer("start_time", e.start);
    c.Integer("end_time", e.end);
    c.Integer("interval_s", e.interval);
    c.Integer("readings", e.count);
    for (std::size_t i = 0; i < 4; ++i)
        c.Real("limit", e.limits[i]);
    c.Integer("alarm", e.alarm);
    c.Integer("shown1", e.shown[0]);
    c.Integer("shown2", e.shown[1]);
    c.Integer("excursions", e.excursions);
    c.Text("device_path", e.provenance.devicePath);
    c.Text("by_id", e.provenance.byIdName);
    c.Text("host", e.provenance.actor.host);
    c.Text("os_user", e.provenance.actor.user);
    c.Text("program_version", e.provenance.actor.programVersion);
    c.Integer("archived_at", e.archivedAtMs);
    c.Bytes("logger_record", row.loggerRecord);
    c.Bytes("channel1", row.channel1);
    c.Bytes("channel2", row.channel2);
    c.Bytes("times", row.times);
    return c.Hash();
}

std::string HashOf(const EventRow& row) {
    const Event& e = row.event;
    Canonical c = ChainFields("event", row.seq, row.prevHash, e.id);
    c.Integer("time_ms", e.timeMs);
    c.Text("os_user", e.actor.user);
    c.Text("host", e.actor.host);
    c.Text("program_version", e.actor.programVersion);
    c.Text("kind", e.kind);
    c.Text("detail", e.detail);
    if (e.entry)
        c.Integer("entry_id", *e.entry);
    else
        c.Null("entry_id");
    c.Text("logger_title", e.loggerTitle);
    return c.Hash();
}

// The columns of an entry's summary, in the order ReadSummary reads them.
const QString kSummaryColumns =
    "e.id, e.sha256, e.kind, e.complete, e.model, e.title, e.description, e.start_time, e.end_time, "
    "e.interval_s, e.readings, e.limit1_low, e.limit1_high, e.limit2_low, e.limit2_high, e.alarm, "
    "e.shown1, e.shown2, e.excursions, e.device_path, e.by_id, e.host, e.os_user, e.program_version, "
    "e.archived_at";
constexpr int kSummaryColumnCount = 25;

// Reads the summary columns from column `at` on.
EntrySummary ReadSummary(const QSqlQuery& query, int at = 0) {
    struct Shifted {
        const QSqlQuery& query;
        int at;
        QVariant value(int i) const { return query.value(at + i); }
    } q{query, at};
    EntrySummary e;
    e.id = q.value(0).toLongLong();
    e.sha256 = S(q.value(1));
    e.kind = static_cast<SourceKind>(q.value(2).toInt());
    e.complete = q.value(3).toInt() != 0;
    e.model = q.value(4).toInt();
    e.title = S(q.value(5));
    e.description = S(q.value(6));
    e.start = q.value(7).toLongLong();
    e.end = q.value(8).toLongLong();
    e.interval = q.value(9).toInt();
    e.count = q.value(10).toInt();
    for (int i = 0; i < 4; ++i)
        e.limits[static_cast<std::size_t>(i)] = static_cast<float>(q.value(11 + i).toDouble());
    e.alarm = q.value(15).toInt() != 0;
    e.shown = {q.value(16).toInt() != 0, q.value(17).toInt() != 0};
    e.excursions = q.value(18).toInt();
    e.provenance.devicePath = S(q.value(19));
    e.provenance.byIdName = S(q.value(20));
    e.provenance.actor.host = S(q.value(21));
    e.provenance.actor.user = S(q.value(22));
    e.provenance.actor.programVersion = S(q.value(23));
    e.archivedAtMs = q.value(24).toLongLong();
    return e;
}

const QString kEventColumns =
    "id, seq, prev_hash, hash, time_ms, os_user, host, program_version, kind, detail, entry_id, "
    "logger_title";

EventRow ReadEventRow(const QSqlQuery& q) {
    EventRow row;
    row.event.id = q.value(0).toLongLong();
    row.seq = q.value(1).toLongLong();
    row.prevHash = S(q.value(2));
    row.hash = S(q.value(3));
    row.event.timeMs = q.value(4).toLongLong();
    row.event.actor.user = S(q.value(5));
    row.event.actor.host = S(q.value(6));
    row.event.actor.programVersion = S(q.value(7));
    row.event.kind = S(q.value(8));
    row.event.detail = S(q.value(9));
    if (!q.value(10).isNull())
        row.event.entry = q.value(10).toLongLong();
    row.event.loggerTitle = S(q.value(11));
    return row;
}

void CheckInput(const ArchiveInput& input) {
    const auto count = static_cast<std::size_t>(input.count);
    if (input.raw.empty())
        throw ArchiveError("nothing to archive: the history has no bytes");
    if (input.count < 0 || input.interval < 0)
        throw ArchiveError("cannot archive a history with a negative count or interval");
    if (input.channel1.size() != count)
        throw ArchiveError("cannot archive: " + std::to_string(input.channel1.size()) +
                           " readings on channel 1 for a count of " + std::to_string(count));
    if (!input.channel2.empty() && input.channel2.size() != count)
        throw ArchiveError("cannot archive: " + std::to_string(input.channel2.size()) +
                           " readings on channel 2 for a count of " + std::to_string(count));
    if (!input.times.empty() && input.times.size() != count)
        throw ArchiveError("cannot archive: " + std::to_string(input.times.size()) +
                           " reading times for a count of " + std::to_string(count));
    if (input.model < 0 || input.model > 2)
        throw ArchiveError("cannot archive a history of unknown model " + std::to_string(input.model));
}

std::string JsonText(const nlohmann::json& json) {
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// LIKE pattern for "contains `text`", lower case, with ! escaping the pattern characters.
QString ContainsPattern(const QString& text) {
    QString escaped = text.toLower();
    escaped.replace("!", "!!").replace("%", "!%").replace("_", "!_");
    return "%" + escaped + "%";
}

// The WHERE clause of a search, built from the filters that are set, with its bound values.
class Conditions {
  public:
    void Add(const QString& condition, const QVariant& value) {
        sql_ += " AND " + condition;
        values_ << value;
    }
    void Add(const QString& condition) { sql_ += " AND " + condition; }
    template <std::integral T>
    void AddIfSet(const QString& condition, const std::optional<T>& value) {
        if (value)
            Add(condition, QVariant(static_cast<qlonglong>(*value)));
    }
    // `text` appears, in any letter case, in one of `columns`.
    void Contains(const QStringList& columns, const QString& text) {
        QStringList alternatives;
        for (const QString& column : columns) {
            alternatives << "LOWER(" + column + ") LIKE ? ESCAPE '!'";
            values_ << ContainsPattern(text);
        }
        sql_ += " AND (" + alternatives.join(" OR ") + ")";
    }
    QSqlQuery Run(Database& db, const QString& select, const QString& order) const {
        QSqlQuery query = db.Prepare(select + " WHERE 1 = 1" + sql_ + " ORDER BY " + order);
        for (const QVariant& value : values_)
            query.addBindValue(value);
        db.Run(query);
        return query;
    }

  private:
    QString sql_;
    QVariantList values_;
};

}  // namespace

Actor CurrentActor(const std::string& programVersion) {
    Actor actor;
    actor.programVersion = programVersion;
    // The reentrant lookup: several downloads of one process are archived from their own threads.
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_name != nullptr)
        actor.user = found->pw_name;
    else if (const char* user = std::getenv("USER"))
        actor.user = user;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0)
        actor.host = host;
    return actor;
}

const char* EventKindName(EventKind kind) {
    switch (kind) {
        case EventKind::Connect:
            return "connect";
        case EventKind::Identify:
            return "identify";
        case EventKind::SettingsWrite:
            return "settings-write";
        case EventKind::StartRecording:
            return "start-recording";
        case EventKind::StopRecording:
            return "stop-recording";
        case EventKind::DownloadComplete:
            return "download-complete";
        case EventKind::DownloadPartial:
            return "download-partial";
        case EventKind::Save:
            return "save";
        case EventKind::Export:
            return "export";
        case EventKind::ArchiveImport:
            return "archive-import";
        case EventKind::VerifyFailed:
            return "verify-failed";
        case EventKind::Seen:
            return "seen";
    }
    return "unknown";
}

std::string SettingsWriteDetail(const std::vector<FieldChange>& changes) {
    nlohmann::json list = nlohmann::json::array();
    for (const FieldChange& change : changes)
        list.push_back({{"field", change.field}, {"old", change.before}, {"new", change.after}});
    return JsonText({{"changes", list}});
}

std::string ExportDetail(const std::string& format, const std::string& path) {
    return JsonText({{"format", format}, {"path", path}});
}

int CountExcursions(const ArchiveInput& input) {
    if (!input.alarm)
        return 0;
    int excursions = 0;
    for (std::size_t i = 0; i < input.channel1.size(); ++i) {
        const float first = input.channel1[i];
        bool beyond = first < input.limits[0] || first > input.limits[1];
        if (i < input.channel2.size()) {
            const float second = input.channel2[i];
            beyond = beyond || second < input.limits[2] || second > input.limits[3];
        }
        excursions += beyond ? 1 : 0;
    }
    return excursions;
}

struct Archive::ChainHead {
    std::int64_t seq = 0;
    std::string hash;
};

Archive::Archive(std::unique_ptr<Database> db) : db_(std::move(db)) {}
Archive::~Archive() = default;

std::unique_ptr<Archive> Archive::Open(const std::string& location, const OpenOptions& options) {
    const Location where = ParseLocation(location);
    if (where.kind == Location::Kind::SQLite && location.empty()) {
        const QString folder = QFileInfo(Q(where.path)).absolutePath();
        if (!QDir().mkpath(folder))
            throw ArchiveError("cannot make the archive's folder " + folder.toStdString());
    }
    auto db = std::make_unique<Database>(where);
    Migrate(*db, options.schemaVersion > 0 ? options.schemaVersion : kSchemaVersion);
    return std::unique_ptr<Archive>(new Archive(std::move(db)));
}

std::string Archive::Describe() const {
    return db_->Where().Describe();
}

int Archive::SchemaVersion() {
    return ReadSchemaVersion(*db_);
}

Archive::ChainHead Archive::ReadHead() {
    QSqlQuery query = db_->Prepare("SELECT seq, hash FROM chain_head WHERE id = 1");
    db_->Run(query);
    if (!query.next())
        throw ArchiveError("the archive " + Describe() + " has lost its chain head");
    return {query.value(0).toLongLong(), S(query.value(1))};
}

void Archive::AdvanceHead(std::int64_t seq, const std::string& hash) {
    QSqlQuery query = db_->Prepare("UPDATE chain_head SET seq = ?, hash = ? WHERE id = 1");
    query.addBindValue(qlonglong{seq});
    query.addBindValue(Q(hash));
    db_->Run(query);
}

std::int64_t Archive::NextId(const char* table) {
    QSqlQuery query = db_->Prepare(QString("SELECT COALESCE(MAX(id), 0) + 1 FROM %1").arg(table));
    db_->Run(query);
    query.next();
    return query.value(0).toLongLong();
}

std::int64_t Archive::AppendEvent(const EventInput& input) {
    const ChainHead head = ReadHead();
    EventRow row;
    row.event.id = NextId("events");
    row.event.timeMs = input.timeMs != 0 ? input.timeMs : NowMs();
    row.event.actor = input.actor;
    row.event.kind = EventKindName(input.kind);
    row.event.detail = input.detail;
    row.event.entry = input.entry;
    row.event.loggerTitle = input.loggerTitle;
    row.seq = head.seq + 1;
    row.prevHash = head.hash;
    row.hash = HashOf(row);

    QSqlQuery query = db_->Prepare("INSERT INTO events (" + kEventColumns +
                                   ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    query.addBindValue(qlonglong{row.event.id});
    query.addBindValue(qlonglong{row.seq});
    query.addBindValue(Q(row.prevHash));
    query.addBindValue(Q(row.hash));
    query.addBindValue(qlonglong{row.event.timeMs});
    query.addBindValue(Q(row.event.actor.user));
    query.addBindValue(Q(row.event.actor.host));
    query.addBindValue(Q(row.event.actor.programVersion));
    query.addBindValue(Q(row.event.kind));
    query.addBindValue(Q(row.event.detail));
    query.addBindValue(row.event.entry ? QVariant(qlonglong{*row.event.entry})
                                       : QVariant(QMetaType::fromType<qlonglong>()));
    query.addBindValue(Q(row.event.loggerTitle));
    db_->Run(query);
    AdvanceHead(row.seq, row.hash);
    return row.event.id;
}

std::int64_t Archive::Record(const EventInput& event) {
    WriteTransaction transaction(*db_);
    const std::int64_t id = AppendEvent(event);
    transaction.Commit();
    return id;
}

AddResult Archive::Add(const ArchiveInput& input) {
    CheckInput(input);
    EntryRow row;
    row.raw = Bytes(input.raw);
    EntrySummary& e = row.summary;
    e.sha256 = Sha256Hex(row.raw);
    e.kind = input.kind;
    e.complete = input.complete;
    e.model = input.model;
    e.title = input.title;
    e.description = input.description;
    e.start = input.start;
    e.interval = input.interval;
    e.count = input.count;
    if (input.times.empty())
        e.end = input.start + (input.count > 0 ? std::int64_t{input.count - 1} * input.interval : 0);
    else
        e.end = *std::max_element(input.times.begin(), input.times.end());
    e.limits = input.limits;
    e.alarm = input.alarm;
    e.shown = input.shown;
    e.excursions = input.excursions ? *input.excursions : CountExcursions(input);
    e.provenance = input.provenance;
    row.loggerRecord = Bytes(input.loggerRecord);
    row.channel1 = PackFloats(input.channel1);
    row.channel2 = PackFloats(input.channel2);
    row.times = PackTimes(input.times);

    WriteTransaction transaction(*db_);
    QSqlQuery existing = db_->Prepare("SELECT id FROM entries WHERE sha256 = ?");
    existing.addBindValue(Q(e.sha256));
    db_->Run(existing);
    if (existing.next()) {
        const std::int64_t id = existing.value(0).toLongLong();
        EventInput seen;
        seen.kind = EventKind::Seen;
        seen.actor = input.provenance.actor;
        seen.entry = id;
        seen.loggerTitle = input.title;
        seen.detail = JsonText({{"source", input.kind == SourceKind::Download ? "download" : "file"},
                                {"complete", input.complete},
                                {"device", input.provenance.devicePath},
                                {"by_id", input.provenance.byIdName}});
        AppendEvent(seen);
        transaction.Commit();
        return {id, false};
    }

    const ChainHead head = ReadHead();
    e.id = NextId("entries");
    e.archivedAtMs = NowMs();
    row.seq = head.seq + 1;
    row.prevHash = head.hash;
    row.hash = HashOf(row);

    QSqlQuery insert = db_->Prepare(
        "INSERT INTO entries (id, seq, prev_hash, hash, sha256, kind, complete, model, title, "
        "description, start_time, end_time, interval_s, readings, limit1_low, limit1_high, limit2_low, "
        "limit2_high, alarm, shown1, shown2, excursions, device_path, by_id, host, os_user, "
        "program_version, archived_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const QVariant& value : {QVariant(qlonglong{e.id}),
                                  QVariant(qlonglong{row.seq}),
                                  QVariant(Q(row.prevHash)),
                                  QVariant(Q(row.hash)),
                                  QVariant(Q(e.sha256)),
                                  QVariant(static_cast<int>(e.kind)),
                                  QVariant(int{e.complete}),
                                  QVariant(e.model),
                                  QVariant(Q(e.title)),
                                  QVariant(Q(e.description)),
                                  QVariant(qlonglong{e.start}),
                                  QVariant(qlonglong{e.end}),
                                  QVariant(e.interval),
                                  QVariant(e.count),
                                  QVariant(double{e.limits[0]}),
                                  QVariant(double{e.limits[1]}),
                                  QVariant(double{e.limits[2]}),
                                  QVariant(double{e.limits[3]}),
                                  QVariant(int{e.alarm}),
                                  QVariant(int{e.shown[0]}),
                                  QVariant(int{e.shown[1]}),
                                  QVariant(e.excursions),
                                  QVariant(Q(e.provenance.devicePath)),
                                  QVariant(Q(e.provenance.byIdName)),
                                  QVariant(Q(e.provenance.actor.host)),
                                  QVariant(Q(e.provenance.actor.user)),
                                  QVariant(Q(e.provenance.actor.programVersion)),
                                  QVariant(qlonglong{e.archivedAtMs})})
        insert.addBindValue(value);
    db_->Run(insert);

    QSqlQuery data = db_->Prepare(
        "INSERT INTO entry_data (entry_id, raw, logger_record, channel1, channel2, times) "
        "VALUES (?, ?, ?, ?, ?, ?)");
    data.addBindValue(qlonglong{e.id});
    for (const QByteArray* bytes : {&row.raw, &row.loggerRecord, &row.channel1, &row.channel2, &row.times})
        data.addBindValue(*bytes);
    db_->Run(data);
    AdvanceHead(row.seq, row.hash);
    transaction.Commit();
    return {e.id, true};
}

std::vector<EntrySummary> Archive::List(const EntryFilter& filter) {
    Conditions where;
    where.AddIfSet("e.model = ?", filter.model);
    for (const QString& word : Q(filter.text).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
        where.Contains({"e.title", "e.description"}, word);
    where.AddIfSet("e.end_time >= ?", filter.from);
    where.AddIfSet("e.start_time <= ?", filter.to);
    if (!filter.device.empty())
        where.Contains({"e.device_path", "e.by_id"}, Q(filter.device));
    if (filter.onlyExcursions)
        where.Add("e.excursions > 0");
    QSqlQuery query = where.Run(*db_, "SELECT " + kSummaryColumns + " FROM entries e", "e.id");
    std::vector<EntrySummary> entries;
    while (query.next())
        entries.push_back(ReadSummary(query));
    return entries;
}

std::optional<EntryDetails> Archive::Show(std::int64_t entry) {
    QSqlQuery query = db_->Prepare("SELECT " + kSummaryColumns +
                                   ", d.logger_record FROM entries e JOIN entry_data d ON d.entry_id = e.id "
                                   "WHERE e.id = ?");
    query.addBindValue(qlonglong{entry});
    db_->Run(query);
    if (!query.next())
        return std::nullopt;
    EntryDetails details;
    details.summary = ReadSummary(query);
    details.loggerRecord = Bytes(query.value(kSummaryColumnCount).toByteArray());
    AuditFilter events;
    events.entry = entry;
    details.events = Audit(events);
    return details;
}

Readings Archive::ReadReadings(std::int64_t entry) {
    QSqlQuery query = db_->Prepare(
        "SELECT e.start_time, e.interval_s, e.readings, d.channel1, d.channel2, d.times "
        "FROM entries e JOIN entry_data d ON d.entry_id = e.id WHERE e.id = ?");
    query.addBindValue(qlonglong{entry});
    db_->Run(query);
    if (!query.next())
        throw ArchiveError("the archive holds no entry " + std::to_string(entry));
    Readings readings;
    readings.channel1 = UnpackFloats(query.value(3).toByteArray());
    readings.channel2 = UnpackFloats(query.value(4).toByteArray());
    readings.times = UnpackTimes(query.value(5).toByteArray());
    if (readings.times.empty()) {
        const std::int64_t start = query.value(0).toLongLong();
        const std::int64_t interval = query.value(1).toLongLong();
        readings.times.resize(static_cast<std::size_t>(query.value(2).toInt()));
        for (std::size_t i = 0; i < readings.times.size(); ++i)
            readings.times[i] = start + static_cast<std::int64_t>(i) * interval;
    }
    return readings;
}

std::vector<std::uint8_t> Archive::ReadRaw(std::int64_t entry) {
    QSqlQuery query = db_->Prepare("SELECT raw FROM entry_data WHERE entry_id = ?");
    query.addBindValue(qlonglong{entry});
    db_->Run(query);
    if (!query.next())
        throw ArchiveError("the archive holds no entry " + std::to_string(entry));
    return Bytes(query.value(0).toByteArray());
}

std::vector<Event> Archive::Audit(const AuditFilter& filter) {
    Conditions where;
    where.AddIfSet("time_ms >= ?", filter.fromMs);
    where.AddIfSet("time_ms <= ?", filter.toMs);
    if (!filter.loggerTitle.empty())
        where.Contains({"logger_title"}, Q(filter.loggerTitle));
    where.AddIfSet("entry_id = ?", filter.entry);
    QSqlQuery query = where.Run(*db_, "SELECT " + kEventColumns + " FROM events", "seq");
    std::vector<Event> events;
    while (query.next())
        events.push_back(ReadEventRow(query).event);
    return events;
}

VerifyReport Archive::Verify() {
    VerifyReport report;
    auto fail = [&report](RecordKind kind, std::int64_t id, std::string problem) {
        report.intact = false;
        report.firstKind = kind;
        report.firstId = id;
        report.problem = std::move(problem);
        return report;
    };
    db_->BeginRead();
    struct ReadEnd {
        Database& db;
        ~ReadEnd() { db.Rollback(); }
    } readEnd{*db_};

    // The chain's order first (small), then each record on its own, so that verifying a large
    // archive never holds more than one entry's readings.
    struct Place {
        std::int64_t seq;
        bool isEntry;
        std::int64_t id;
    };
    std::vector<Place> order;
    {
        QSqlQuery query =
            db_->Prepare("SELECT seq, 1, id FROM entries UNION ALL SELECT seq, 0, id FROM events ORDER BY 1");
        db_->Run(query);
        while (query.next())
            order.push_back(
                {query.value(0).toLongLong(), query.value(1).toInt() == 1, query.value(2).toLongLong()});
    }
    QSqlQuery entry =
        db_->Prepare("SELECT e.seq, e.prev_hash, e.hash, " + kSummaryColumns +
                     ", d.raw, d.logger_record, d.channel1, d.channel2, d.times "
                     "FROM entries e LEFT JOIN entry_data d ON d.entry_id = e.id WHERE e.id = ?");
    QSqlQuery event = db_->Prepare("SELECT " + kEventColumns + " FROM events WHERE id = ?");

    std::int64_t expected = 1;
    std::string previous = kNoPreviousHash;
    for (const Place& place : order) {
        const RecordKind kind = place.isEntry ? RecordKind::Entry : RecordKind::Event;
        const std::string name = place.isEntry ? "entry " : "event ";
        const std::int64_t seq = place.seq;
        const std::int64_t id = place.id;
        std::string prevHash;
        std::string hash;
        std::string computed;
        bool bytesMatch = true;
        QSqlQuery& query = place.isEntry ? entry : event;
        query.bindValue(0, qlonglong{id});
        db_->Run(query);
        if (!query.next())
            throw ArchiveError("the archive " + Describe() + " changed while it was verified");
        if (place.isEntry) {
            EntryRow row;
            row.seq = seq;
            row.prevHash = prevHash = S(entry.value(1));
            hash = S(entry.value(2));
            row.summary = ReadSummary(entry, 3);
            constexpr int data = 3 + kSummaryColumnCount;
            row.raw = entry.value(data).toByteArray();
            row.loggerRecord = entry.value(data + 1).toByteArray();
            row.channel1 = entry.value(data + 2).toByteArray();
            row.channel2 = entry.value(data + 3).toByteArray();
            row.times = entry.value(data + 4).toByteArray();
            computed = HashOf(row);
            bytesMatch = !entry.value(data).isNull() && Sha256Hex(row.raw) == row.summary.sha256;
        } else {
            const EventRow row = ReadEventRow(event);
            prevHash = row.prevHash;
            hash = row.hash;
            computed = HashOf(row);
        }
        query.finish();
        if (seq > expected)
            return fail(kind, id,
                        "record " + std::to_string(expected) + " of the chain is missing before " + name +
                            std::to_string(id) + ": removed");
        if (seq < expected)
            return fail(kind, id,
                        name + std::to_string(id) + " takes place " + std::to_string(seq) +
                            " in the chain a second time");
        if (prevHash != previous)
            return fail(
                kind, id,
                name + std::to_string(id) + " does not follow the record before it: removed or reordered");
        if (computed != hash)
            return fail(kind, id,
                        name + std::to_string(id) + " was changed: its fields no longer match its hash");
        if (!bytesMatch)
            return fail(kind, id,
                        name + std::to_string(id) + " was changed: its bytes no longer match their SHA-256");
        ++report.records;
        ++expected;
        previous = hash;
    }
    QSqlQuery headRow = db_->Prepare("SELECT seq, hash FROM chain_head WHERE id = 1");
    db_->Run(headRow);
    if (!headRow.next())
        return fail(RecordKind::ChainHead, 0, "the chain head was removed");
    const ChainHead head{headRow.value(0).toLongLong(), S(headRow.value(1))};
    if (head.seq != expected - 1 || head.hash != previous)
        return fail(RecordKind::ChainHead, head.seq,
                    head.seq > expected - 1 ? "the chain ends at record " + std::to_string(expected - 1) +
                                                  " but reached record " + std::to_string(head.seq) +
                                                  ": its last records were removed"
                                            : "the chain head does not name the last record: changed");
    return report;
}

}  // namespace veldrin::archive
