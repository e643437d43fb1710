// Entries: what goes in comes back (readings, bytes, identity, provenance), the same bytes twice
// are one entry, text from a logger or a file is data and never SQL, the filters of the list, and
// input that does not hold together is refused without writing anything.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "archive/Archive.h"
#include "archive/HistoryArchiving.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "translations/Translation.h"

namespace veldrin::archive::test {
namespace {

class ArchiveEntries : public ArchiveTest {};

TEST_P(ArchiveEntries, ReadingsBytesAndIdentityComeBackAsArchived) {
    auto archive = OpenArchive();
    ArchiveInput input = MakeDownload("raw", 1000);
    input.channel1[3] = -40.125f;
    input.channel1[4] = std::numeric_limits<float>::denorm_min();
    input.raw.push_back(0x00);  // bytes, not text: a zero and high bytes stay
    input.raw.push_back(0xFF);
    input.complete = false;
    input.shown = {true, false};
    const AddResult added = archive->Add(input);
    ASSERT_TRUE(added.added);

    EXPECT_EQ(archive->ReadRaw(added.entry), input.raw);
    const Readings readings = archive->ReadReadings(added.entry);
    EXPECT_EQ(readings.channel1, input.channel1);
    EXPECT_EQ(readings.channel2, input.channel2);
    ASSERT_EQ(readings.times.size(), 1000u);
    EXPECT_EQ(readings.times[0], input.start);
    EXPECT_EQ(readings.times[999], input.start + 999 * 60);

    const std::optional<EntryDetails> details = archive->Show(added.entry);
    ASSERT_TRUE(details);
    const EntrySummary& e = details->summary;
    EXPECT_EQ(e.model, 1);
    EXPECT_EQ(e.title, "冷库一号");
    EXPECT_EQ(e.description, "cold store, aisle 3");
    EXPECT_EQ(e.start, input.start);
    EXPECT_EQ(e.end, input.start + 999 * 60);
    EXPECT_EQ(e.interval, 60);
    EXPECT_EQ(e.count, 1000);
    EXPECT_EQ(e.limits, input.limits);
    EXPECT_TRUE(e.alarm);
    EXPECT_FALSE(e.complete);
    EXPECT_EQ(e.kind, SourceKind::Download);
    EXPECT_EQ(e.shown, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(e.sha256.size(), 64u);
    EXPECT_EQ(e.provenance.devicePath, "/dev/ttyUSB0");
    EXPECT_EQ(e.provenance.byIdName, "usb-Prolific_PL2303-if00-port0");
    EXPECT_EQ(e.provenance.actor.user, "quality");
    EXPECT_EQ(e.provenance.actor.host, "station-1");
    EXPECT_EQ(e.provenance.actor.programVersion, "2.106");
    EXPECT_GT(e.archivedAtMs, 1700000000000);
    EXPECT_EQ(details->loggerRecord, input.loggerRecord);
    EXPECT_FALSE(archive->Show(added.entry + 1));
    EXPECT_THROW(archive->ReadRaw(added.entry + 1), ArchiveError);
}

TEST_P(ArchiveEntries, AnImportWithGivenTimesOneChannelAndNoLoggerRecordComesBack) {
    auto archive = OpenArchive();
    ArchiveInput input = MakeDownload("file", 3);
    input.kind = SourceKind::FileImport;
    input.model = 0;
    input.channel2.clear();
    input.times = {1714521600, 1714521900, 1714529100};
    input.loggerRecord = std::vector<std::uint8_t>();  // a data file brings no logger record
    const AddResult added = archive->Add(input);
    const Readings readings = archive->ReadReadings(added.entry);
    EXPECT_EQ(readings.times, input.times);
    EXPECT_TRUE(readings.channel2.empty());
    const EntrySummary e = archive->Show(added.entry)->summary;
    EXPECT_EQ(e.end, 1714529100);
    EXPECT_EQ(e.kind, SourceKind::FileImport);
    EXPECT_TRUE(archive->Show(added.entry)->loggerRecord.empty());
    EXPECT_TRUE(archive->Verify().intact);
}

TEST_P(ArchiveEntries, TheSameBytesTwiceAreOneEntryWithASeenEvent) {
    auto archive = OpenArchive();
    const AddResult first = archive->Add(MakeDownload("memory"));
    ArchiveInput again = MakeDownload("memory");
    again.provenance.devicePath = "/dev/ttyUSB1";
    again.title = "another title for the same bytes";
    const AddResult second = archive->Add(again);
    EXPECT_TRUE(first.added);
    EXPECT_FALSE(second.added);
    EXPECT_EQ(second.entry, first.entry);
    ASSERT_EQ(archive->List().size(), 1u);
    EXPECT_EQ(archive->List()[0].title, "冷库一号");

    const std::vector<Event> events = archive->Show(first.entry)->events;
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, "seen");
    EXPECT_EQ(events[0].entry, first.entry);
    EXPECT_NE(events[0].detail.find("/dev/ttyUSB1"), std::string::npos);

    const AddResult other = archive->Add(MakeDownload("other memory"));
    EXPECT_TRUE(other.added);
    EXPECT_NE(other.entry, first.entry);
    EXPECT_TRUE(archive->Verify().intact);
}

TEST_P(ArchiveEntries, TextFromALoggerIsStoredAndFoundAsText) {
    auto archive = OpenArchive();
    ArchiveInput input = MakeDownload("injection");
    input.title = "'); DROP TABLE entries; --";
    input.description = "100% \"quoted\" _under_ \\back\\ '";
    input.provenance.devicePath = "/dev/x'; DELETE FROM events; --";
    const AddResult added = archive->Add(input);
    archive->Add(MakeDownload("plain"));

    const EntrySummary e = archive->Show(added.entry)->summary;
    EXPECT_EQ(e.title, input.title);
    EXPECT_EQ(e.description, input.description);
    EXPECT_EQ(e.provenance.devicePath, input.provenance.devicePath);

    EntryFilter filter;
    filter.text = "DROP TABLE";
    ASSERT_EQ(archive->List(filter).size(), 1u);
    EXPECT_EQ(archive->List(filter)[0].id, added.entry);
    // Pattern characters in the search are matched as themselves.
    filter.text = "100%";
    EXPECT_EQ(archive->List(filter).size(), 1u);
    filter.text = "_under_";
    EXPECT_EQ(archive->List(filter).size(), 1u);
    filter.text = "%";
    EXPECT_EQ(archive->List(filter).size(), 1u);
    filter.text = "'";
    EXPECT_EQ(archive->List(filter).size(), 1u);
    EXPECT_EQ(archive->List().size(), 2u);
    EXPECT_TRUE(archive->Verify().intact);
}

TEST_P(ArchiveEntries, TheListFiltersByModelTextPeriodDeviceAndExcursions) {
    auto archive = OpenArchive();
    ArchiveInput single = MakeDownload("single");
    single.model = 0;
    single.channel2.clear();
    single.title = "Freezer B";
    single.description = "疫苗 storage";
    single.start = 1000000;
    single.interval = 100;  // readings 1000000 … 1000400
    single.alarm = false;   // readings beyond the limits do not count while the alarm is off
    single.provenance.devicePath = "/dev/ttyACM0";
    single.provenance.byIdName = "usb-veldrin-station-2";
    const std::int64_t freezer = archive->Add(single).entry;

    ArchiveInput warm = MakeDownload("warm");
    warm.start = 2000000;
    warm.channel1[2] = 8.5f;   // above 8.0
    warm.channel2[4] = 29.0f;  // below 30.0, in the same download: two readings beyond
    const std::int64_t warmId = archive->Add(warm).entry;

    ArchiveInput counted = MakeDownload("counted");
    counted.start = 3000000;
    counted.excursions = 7;  // as the caller counted them
    const std::int64_t countedId = archive->Add(counted).entry;

    auto ids = [&](const EntryFilter& filter) {
        std::vector<std::int64_t> found;
        for (const EntrySummary& e : archive->List(filter))
            found.push_back(e.id);
        return found;
    };
    using V = std::vector<std::int64_t>;
    EXPECT_EQ(ids({}), (V{freezer, warmId, countedId}));

    EntryFilter model;
    model.model = 0;
    EXPECT_EQ(ids(model), V{freezer});

    EntryFilter text;
    text.text = "freezer 疫苗";  // every word, in the title or the description, any case
    EXPECT_EQ(ids(text), V{freezer});
    text.text = "freezer cold";
    EXPECT_TRUE(ids(text).empty());

    EntryFilter period;
    period.from = 1000400;  // the last reading of the freezer
    period.to = 2000000;    // the first reading of the warm download
    EXPECT_EQ(ids(period), (V{freezer, warmId}));
    period.from = 1000401;
    period.to = 1999999;
    EXPECT_TRUE(ids(period).empty());

    EntryFilter device;
    device.device = "station-2";
    EXPECT_EQ(ids(device), V{freezer});
    device.device = "ttyusb0";
    EXPECT_EQ(ids(device), (V{warmId, countedId}));

    EntryFilter excursions;
    excursions.onlyExcursions = true;
    EXPECT_EQ(ids(excursions), (V{warmId, countedId}));
    EXPECT_EQ(archive->Show(warmId)->summary.excursions, 2);
    EXPECT_EQ(archive->Show(countedId)->summary.excursions, 7);
    EXPECT_EQ(archive->Show(freezer)->summary.excursions, 0);
}

TEST_P(ArchiveEntries, InputThatDoesNotHoldTogetherIsRefusedAndWritesNothing) {
    auto archive = OpenArchive();
    ArchiveInput shortChannel = MakeDownload("short");
    shortChannel.channel1.pop_back();
    ArchiveInput longChannel2 = MakeDownload("long");
    longChannel2.channel2.push_back(1);
    ArchiveInput times = MakeDownload("times");
    times.times = {1, 2};
    ArchiveInput empty = MakeDownload("");
    empty.raw.clear();
    ArchiveInput model = MakeDownload("model");
    model.model = 6;
    for (const ArchiveInput* input : {&shortChannel, &longChannel2, &times, &empty, &model}) {
        try {
            archive->Add(*input);
            ADD_FAILURE() << "accepted " << input->title;
        } catch (const ArchiveError& error) {
            EXPECT_STRNE(error.what(), "");
        }
    }
    EXPECT_TRUE(archive->List().empty());
    EXPECT_EQ(archive->Verify().records, 0);
    EXPECT_TRUE(archive->Verify().intact);
}

INSTANTIATE_TEST_SUITE_P(Backends, ArchiveEntries, testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         BackendName);

// The mark printed on an entry's pages: its number in full and the hash's first sixteen digits,
// in the words of the run's language.
TEST(ArchiveMark, NamesTheEntryAndTheStartOfItsHashInTheLanguageOfTheRun) {
    EXPECT_EQ(ArchiveMark(7, "ffaff1ffbfcffdff0123"), "档案 7 · SHA-256 ffaff1ffbfcffdff");
    text::InstallTranslator(+[](const char* context, const char* source) -> std::string {
        return std::string(context) == "HistoryArchiving" && std::string(source) == "档案 %lld · SHA-256 %s"
                   ? "Entry %lld, hash %s"
                   : std::string();
    });
    EXPECT_EQ(ArchiveMark(12345678901234, "abcdef0123456789abcd"),
              "Entry 12345678901234, hash abcdef0123456789");
    text::InstallTranslator(nullptr);
    EXPECT_EQ(ArchiveMark(8, "0123456789abcdef0123"), "档案 8 · SHA-256 0123456789abcdef");
}

}  // namespace
}  // namespace veldrin::archive::test
