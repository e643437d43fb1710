// The audit trail and the chain over entries and events: events read back with their filters, an
// untouched archive verifies, and a reading, a limit, an entry's bytes, an event's text changed, an
// event removed or two records swapped behind the archive's back are each named by Verify.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QVariant>

#include "archive/Archive.h"
#include "archive/Chain.h"
#include "tests/archive/ArchiveTestSupport.h"

namespace veldrin::archive::test {
namespace {

class AuditTrail : public ArchiveTest {
  protected:
    // Three records to tamper with: entry 1, event 1 (about entry 1), entry 2, event 2, event 3.
    void Fill() {
        auto archive = OpenArchive();
        const Actor actor{"quality", "station-1", "2.106"};
        first_ = archive->Add(MakeDownload("first", 200)).entry;
        archive->Record({EventKind::Save, actor, ExportDetail("Vdr", "/home/quality/a.Vdr"), first_,
                         "冷库一号", 1714521600000});
        second_ = archive->Add(MakeDownload("second", 200)).entry;
        archive->Record({EventKind::SettingsWrite, actor,
                         SettingsWriteDetail({{"interval", "60", "300"}, {"title", "冷库一号", "冷库二号"}}),
                         std::nullopt, "冷库二号", 1714525200000});
        archive->Record({EventKind::Connect, actor, "/dev/ttyUSB0", std::nullopt, "冷库二号", 1714528800000});
        const VerifyReport report = archive->Verify();
        ASSERT_TRUE(report.intact) << report.problem;
        ASSERT_EQ(report.records, 5);
    }
    VerifyReport VerifyAgain() { return OpenArchive()->Verify(); }
    void ExpectNamed(const VerifyReport& report, RecordKind kind, std::int64_t id, const std::string& word) {
        EXPECT_FALSE(report.intact);
        EXPECT_EQ(report.firstKind, kind) << report.problem;
        EXPECT_EQ(report.firstId, id) << report.problem;
        EXPECT_NE(report.problem.find(word), std::string::npos) << report.problem;
    }

    std::int64_t first_ = 0;
    std::int64_t second_ = 0;
};

TEST_P(AuditTrail, EventsReadBackWithTheirFilters) {
    Fill();
    auto archive = OpenArchive();
    const std::vector<Event> all = archive->Audit();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].kind, "save");
    EXPECT_EQ(all[0].entry, first_);
    EXPECT_EQ(all[0].detail, R"({"format":"Vdr","path":"/home/quality/a.Vdr"})");
    EXPECT_EQ(all[0].actor.user, "quality");
    EXPECT_EQ(all[0].actor.host, "station-1");
    EXPECT_EQ(all[0].actor.programVersion, "2.106");
    EXPECT_EQ(all[0].timeMs, 1714521600000);
    EXPECT_EQ(all[1].kind, "settings-write");
    EXPECT_EQ(all[1].detail, R"({"changes":[{"field":"interval","new":"300","old":"60"},)"
                             R"({"field":"title","new":"冷库二号","old":"冷库一号"}]})");
    EXPECT_FALSE(all[1].entry);

    AuditFilter period;
    period.fromMs = 1714525200000;
    period.toMs = 1714528799999;
    ASSERT_EQ(archive->Audit(period).size(), 1u);
    EXPECT_EQ(archive->Audit(period)[0].kind, "settings-write");
    AuditFilter title;
    title.loggerTitle = "二号";
    EXPECT_EQ(archive->Audit(title).size(), 2u);

    const std::vector<Event> ofFirst = archive->Show(first_)->events;
    ASSERT_EQ(ofFirst.size(), 1u);
    EXPECT_EQ(ofFirst[0].kind, "save");
    EXPECT_TRUE(archive->Show(second_)->events.empty());

    // An event without a time gets the time it was recorded.
    const Actor actor = CurrentActor("2.106");
    EXPECT_FALSE(actor.user.empty());
    EXPECT_FALSE(actor.host.empty());
    archive->Record({EventKind::VerifyFailed, actor, "entry 3 was changed", std::nullopt, "", 0});
    EXPECT_GT(archive->Audit().back().timeMs, 1714528800000);
    EXPECT_EQ(archive->Audit().back().kind, "verify-failed");
}

TEST_P(AuditTrail, AChangedReadingIsNamed) {
    Fill();
    std::vector<float> readings = OpenArchive()->ReadReadings(second_).channel1;
    readings[150] += 0.01f;
    Tamper("UPDATE entry_data SET channel1 = ? WHERE entry_id = ?",
           {PackFloats(readings), qlonglong{second_}});
    ExpectNamed(VerifyAgain(), RecordKind::Entry, second_, "changed");
}

TEST_P(AuditTrail, AChangedLimitIsNamed) {
    Fill();
    Tamper("UPDATE entries SET limit1_high = 8.5 WHERE id = ?", {qlonglong{first_}});
    ExpectNamed(VerifyAgain(), RecordKind::Entry, first_, "changed");
}

TEST_P(AuditTrail, ChangedBytesAreNamed) {
    Fill();
    std::vector<std::uint8_t> raw = OpenArchive()->ReadRaw(first_);
    raw[0] ^= 1;
    Tamper("UPDATE entry_data SET raw = ? WHERE entry_id = ?",
           {QByteArray(reinterpret_cast<const char*>(raw.data()), static_cast<qsizetype>(raw.size())),
            qlonglong{first_}});
    ExpectNamed(VerifyAgain(), RecordKind::Entry, first_, "bytes");
}

TEST_P(AuditTrail, AChangedEventTextIsNamed) {
    Fill();
    Tamper("UPDATE events SET detail = ? WHERE id = 2",
           {QString::fromStdString(SettingsWriteDetail({{"interval", "60", "60"}}))});
    ExpectNamed(VerifyAgain(), RecordKind::Event, 2, "changed");
}

TEST_P(AuditTrail, ARemovedEventIsNamed) {
    Fill();
    // Event 1 is the chain's second record: the record after it, entry 2, reports it missing.
    Tamper("DELETE FROM events WHERE id = 1");
    const VerifyReport report = VerifyAgain();
    ExpectNamed(report, RecordKind::Entry, second_, "removed");
    EXPECT_NE(report.problem.find("record 2"), std::string::npos) << report.problem;
}

TEST_P(AuditTrail, TheLastEventOrTheChainHeadRemovedIsNamed) {
    Fill();
    Tamper("DELETE FROM events WHERE id = 3");
    ExpectNamed(VerifyAgain(), RecordKind::ChainHead, 5, "removed");
    Tamper("DELETE FROM chain_head");
    ExpectNamed(VerifyAgain(), RecordKind::ChainHead, 0, "removed");
}

TEST_P(AuditTrail, SwappedRecordsAreNamed) {
    Fill();
    // Events 2 and 3 trade places in the chain (and their links), as a reordering would.
    auto db = Raw();
    db->Run("UPDATE events SET seq = -seq WHERE id IN (2, 3)");
    db->Run("UPDATE events SET seq = CASE WHEN seq = -4 THEN 5 ELSE 4 END WHERE id IN (2, 3)");
    db.reset();
    ExpectNamed(VerifyAgain(), RecordKind::Event, 3, "reordered");
}

TEST_P(AuditTrail, ARecordCopiedInPlaceOfAnotherIsNamed) {
    Fill();
    // Event 3 made to look like event 2 in everything but its number: its hash no longer fits.
    Tamper(
        "UPDATE events SET kind = 'settings-write', detail = (SELECT detail FROM events WHERE id = 2) "
        "WHERE id = 3");
    ExpectNamed(VerifyAgain(), RecordKind::Event, 3, "changed");
}

INSTANTIATE_TEST_SUITE_P(Backends, AuditTrail, testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         BackendName);

}  // namespace
}  // namespace veldrin::archive::test
