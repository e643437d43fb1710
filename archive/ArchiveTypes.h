#pragma once
// What the archive takes in and gives back. These records are the archive's own, independent of the
// program's history classes, so that the storage does not change when those do: raw bytes, the
// identity of the history, its readings as numbers, and where it came from.
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace veldrin::archive {

// Every failure of the archive (a database that cannot be opened, a schema newer than this program,
// input that does not hold together) is thrown as this, with a message meant for the user.
class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class SourceKind { Download = 0, FileImport = 1 };

// Who did something and with which program, on which computer.
struct Actor {
    std::string user;            // operating-system user
    std::string host;            // host name
    std::string programVersion;  // e.g. "2.106"
};

// The operating-system user and host name of this process, with the given program version.
Actor CurrentActor(const std::string& programVersion);

// Where a history came from.
struct Provenance {
    std::string devicePath;  // e.g. /dev/ttyUSB0; empty for a file import
    std::string byIdName;    // the /dev/serial/by-id name of the device, if any
    Actor actor;
};

// One history to archive. Channel 2 is empty for a single-temperature logger; times are empty
// when the readings follow from start + i × interval.
struct ArchiveInput {
    std::vector<std::uint8_t> raw;  // the bytes as received, or the data file's bytes
    SourceKind kind = SourceKind::Download;
    bool complete = true;
    int model = 0;            // 0 single temperature, 1 temperature-humidity, 2 dual temperature
    std::string title;        // UTF-8
    std::string description;  // UTF-8
    std::int64_t start = 0;   // time_t of the first reading
    int interval = 0;         // seconds between readings
    int count = 0;            // readings
    // Channel 1 lower and upper, channel 2 lower and upper.
    std::array<float, 4> limits{};
    bool alarm = false;
    std::array<bool, 2> shown{true, true};
    std::vector<float> channel1;
    std::vector<float> channel2;
    std::vector<std::int64_t> times;  // time_t of each reading, or empty
    // Readings beyond the limits as the caller counted them; when absent the archive counts them
    // from the readings against the limits while the alarm is on.
    std::optional<int> excursions;
    Provenance provenance;
    // The logger's record and settings read at connect, kept as given (bytes or key=value text).
    std::vector<std::uint8_t> loggerRecord;
};

struct AddResult {
    std::int64_t entry = 0;
    bool added = false;  // false: the same bytes were archived before; a "seen" event was recorded
};

// One archived history without its bytes and readings.
struct EntrySummary {
    std::int64_t id = 0;
    std::string sha256;  // hexadecimal, lower case
    SourceKind kind = SourceKind::Download;
    bool complete = true;
    int model = 0;
    std::string title;
    std::string description;
    std::int64_t start = 0;
    std::int64_t end = 0;  // time_t of the last reading
    int interval = 0;
    int count = 0;
    std::array<float, 4> limits{};
    bool alarm = false;
    std::array<bool, 2> shown{true, true};
    int excursions = 0;
    Provenance provenance;
    std::int64_t archivedAtMs = 0;  // milliseconds since 1970 UTC
};

struct Readings {
    std::vector<float> channel1;
    std::vector<float> channel2;
    std::vector<std::int64_t> times;  // always filled: given times, or start + i × interval
};

// What happened. Stored by name, so that a newer program's kinds still read back.
enum class EventKind {
    Connect,
    Identify,
    SettingsWrite,
    StartRecording,
    StopRecording,
    DownloadComplete,
    DownloadPartial,
    Save,
    Export,
    ArchiveImport,
    VerifyFailed,
    Seen,
};
const char* EventKindName(EventKind kind);

struct EventInput {
    EventKind kind = EventKind::Connect;
    Actor actor;
    std::string detail;                 // JSON or plain text
    std::optional<std::int64_t> entry;  // the entry it concerns
    std::string loggerTitle;            // the logger's title, UTF-8
    std::int64_t timeMs = 0;            // 0: now
};

struct Event {
    std::int64_t id = 0;
    std::int64_t timeMs = 0;
    Actor actor;
    std::string kind;
    std::string detail;
    std::optional<std::int64_t> entry;
    std::string loggerTitle;
};

struct EntryDetails {
    EntrySummary summary;
    std::vector<std::uint8_t> loggerRecord;
    std::vector<Event> events;  // the events that name this entry, oldest first
};

// One setting written to a logger: its name and the values before and after.
struct FieldChange {
    std::string field;
    std::string before;
    std::string after;
};
// The detail of a settings-write event: {"changes":[{"field":…,"old":…,"new":…},…]}.
std::string SettingsWriteDetail(const std::vector<FieldChange>& changes);
// The detail of a save or export event: {"format":…,"path":…}.
std::string ExportDetail(const std::string& format, const std::string& path);

struct EntryFilter {
    std::optional<int> model;
    std::string text;                  // words that must each appear in the title or the description
    std::optional<std::int64_t> from;  // time_t: entries whose readings reach this time or later
    std::optional<std::int64_t> to;    // time_t: entries whose readings begin at this time or earlier
    std::string device;                // part of the device path or by-id name
    bool onlyExcursions = false;
};

struct AuditFilter {
    std::optional<std::int64_t> fromMs;
    std::optional<std::int64_t> toMs;
    std::string loggerTitle;  // part of the logger title
    std::optional<std::int64_t> entry;
};

// Entries and events form one chain in the order they were written; a record is named by its kind
// and its own number.
enum class RecordKind { Entry, Event, ChainHead };
struct VerifyReport {
    bool intact = true;
    std::int64_t records = 0;  // records checked
    RecordKind firstKind = RecordKind::Entry;
    std::int64_t firstId = 0;  // the first record found changed, removed or reordered
    std::string problem;       // what is wrong, for the user
};

}  // namespace veldrin::archive
