// The archive through the real window: a download is archived the moment it is decoded and stays
// there when the window is closed unsaved; an archive that cannot be written loses nothing; Save,
// export and the report are recorded against the entry and the report carries its mark; data files
// are imported through "导入到档案库"; the browser filters, opens an entry into the history panel
// and compares three entries.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CVeldrinView.h"
#include "app/preview/CDlgPrintPreview.h"
#include "archive/HistoryArchiving.h"
#include "tests/HistoryFiles.h"
#include "tests/app/ArchiveWindowFixture.h"
#include "tests/app/PdfText.h"
#include "tests/app/WindowDriving.h"

namespace veldrin {
namespace {

using testing::AnswerFileDialog;

class ArchiveWindowTest : public testing::ArchiveWindowFixture {};

TEST_F(ArchiveWindowTest, DownloadIsArchivedAtOnceAndStaysWhenTheWindowIsClosedUnsaved) {
    Download(LoggerModel::TemperatureHumidity, 300);
    const HistoryDataSet downloaded = workspace.Records().History();
    ASSERT_EQ(downloaded.samples.Count(), 300);
    ASSERT_TRUE(workspace.Archiving().Shown().has_value());
    const std::int64_t id = workspace.Archiving().Shown()->id;
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains(QStringLiteral("档案 %1").arg(id)))
        << frame.statusBar()->currentMessage().toStdString();
    frame.close();
    QCoreApplication::processEvents();

    const auto archive = OpenArchive();
    const std::vector<archive::EntrySummary> entries = archive->List();
    ASSERT_EQ(entries.size(), 1U);
    const archive::EntrySummary& entry = entries.front();
    EXPECT_EQ(entry.id, id);
    EXPECT_EQ(entry.kind, archive::SourceKind::Download);
    EXPECT_TRUE(entry.complete);
    EXPECT_EQ(entry.count, 300);
    EXPECT_EQ(entry.model, static_cast<int>(LoggerModel::TemperatureHumidity));
    EXPECT_EQ(entry.provenance.devicePath, test::ComPath(1));
    const archive::Readings readings = archive->ReadReadings(id);
    ASSERT_EQ(readings.channel1.size(), 300U);
    ASSERT_EQ(readings.channel2.size(), 300U);
    for (int i = 0; i < 300; ++i) {
        const auto at = static_cast<std::size_t>(i);
        ASSERT_FLOAT_EQ(readings.channel1[at], downloaded.samples.Value1(i)) << i;
        ASSERT_FLOAT_EQ(readings.channel2[at], downloaded.samples.Value2(i)) << i;
        ASSERT_EQ(readings.times[at], downloaded.samples.Time(i)) << i;
    }
    EXPECT_EQ(EventKinds(id), std::vector<std::string>{"download-complete"});
}

TEST_F(ArchiveWindowTest, DownloadBrokenOffIsArchivedAsPartial) {
    // 2000 single-temperature readings come in four blocks; the logger falls silent after two.
    auto logger = AttachLogger(1, LoggerOptions(LoggerModel::SingleTemperature, 2000));
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    testing::AcceptNextDialog();
    frame.Action(Command::ReadHistory)->trigger();
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().Engine().NextBlock() == 3; }, 500));
    logger->SetSilent(true);
    testing::AcceptNextDialog();
    ASSERT_TRUE(StepUntil([&] { return !workspace.Connection().Online(); }, 200));
    Steps(3);

    const int shown = workspace.Records().History().samples.Count();
    ASSERT_GT(shown, 0);
    const std::vector<archive::EntrySummary> entries = OpenArchive()->List();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_FALSE(entries.front().complete);
    EXPECT_EQ(entries.front().count, shown);
    EXPECT_EQ(EventKinds(entries.front().id), std::vector<std::string>{"download-partial"});
}

TEST_F(ArchiveWindowTest, ArchiveThatCannotBeWrittenSaysSoAndTheHistoryIsShownAsEver) {
    // A folder that is a file: no user, not even root, can make the archive there.
    const QString blocker = folder.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    workspace.Archiving().SetLocation((blocker + QStringLiteral("/archive.sqlite")).toStdString());

    Download(LoggerModel::SingleTemperature, 200);
    EXPECT_EQ(workspace.Records().History().samples.Count(), 200);
    EXPECT_EQ(workspace.Records().HistoryDataList().rowCount(), 200);
    EXPECT_FALSE(frame.View()->HistoryPanel()->isHidden());
    EXPECT_TRUE(frame.statusBar()->currentMessage().startsWith(QStringLiteral("历史数据未存入档案库：")))
        << frame.statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains(blocker)) << "names the archive";
    EXPECT_FALSE(workspace.Archiving().Shown().has_value());

    // The history can still be saved; the save says that its record was not kept.
    const QString saved = folder.filePath(QStringLiteral("kept.Vdr"));
    auto answered = AnswerFileDialog(saved, 5000);
    frame.Action(Command::Save)->trigger();
    ASSERT_TRUE(*answered);
    EXPECT_GT(QFileInfo(saved).size(), 0);
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains(QStringLiteral("未存入档案库")));
}

TEST_F(ArchiveWindowTest, SaveExportAndReportAreRecordedAgainstTheEntryAndTheReportCarriesItsMark) {
    Download(LoggerModel::SingleTemperature, 400);
    ASSERT_TRUE(workspace.Archiving().Shown().has_value());
    const ShownEntry entry = *workspace.Archiving().Shown();

    const QString dataFile = folder.filePath(QStringLiteral("saved.Vdr"));
    const QString csv = folder.filePath(QStringLiteral("saved.csv"));
    for (const QString& path : {dataFile, csv}) {
        auto answered = AnswerFileDialog(path, 5000);
        frame.Action(Command::Save)->trigger();
        ASSERT_TRUE(*answered) << path.toStdString();
    }
    const QString report = folder.filePath(QStringLiteral("report.pdf"));
    auto answered = AnswerFileDialog(report, 5000);
    frame.Action(Command::ExportReport)->trigger();
    ASSERT_TRUE(*answered);

    const std::vector<archive::Event> events = OpenArchive()->Show(entry.id)->events;
    ASSERT_EQ(events.size(), 4U);
    EXPECT_EQ(events[1].kind, "save");
    EXPECT_EQ(events[1].detail, archive::ExportDetail("vdr", dataFile.toStdString()));
    EXPECT_EQ(events[2].kind, "export");
    EXPECT_EQ(events[2].detail, archive::ExportDetail("csv", csv.toStdString()));
    EXPECT_EQ(events[3].kind, "export");
    EXPECT_EQ(events[3].detail, archive::ExportDetail("pdf", report.toStdString()));
    for (const archive::Event& event : events)
        EXPECT_EQ(event.entry, entry.id);

    const QString mark = QStringLiteral("档案 %1 · SHA-256 %2")
                             .arg(entry.id)
                             .arg(QString::fromStdString(entry.sha256.substr(0, 16)));
    EXPECT_TRUE(testing::PdfText(report).contains(mark)) << testing::PdfText(report).toStdString();

    // The saved file opened again is no archive entry: its report carries no mark.
    answered = AnswerFileDialog(dataFile, 5000);
    frame.Action(Command::Open)->trigger();
    ASSERT_TRUE(*answered);
    EXPECT_FALSE(workspace.Archiving().Shown().has_value());
    const QString plain = folder.filePath(QStringLiteral("plain.pdf"));
    answered = AnswerFileDialog(plain, 5000);
    frame.Action(Command::ExportReport)->trigger();
    ASSERT_TRUE(*answered);
    const QString plainText = testing::PdfText(plain);
    EXPECT_FALSE(plainText.isEmpty());
    EXPECT_FALSE(plainText.contains(QStringLiteral("SHA-256"))) << plainText.toStdString();
}

TEST_F(ArchiveWindowTest, ConnectIdentifySettingsWriteStartAndStopFromThePanelAreInTheTrail) {
    SimLoggerOptions options = LoggerOptions(LoggerModel::SingleTemperature, 100);
    options.recording = false;
    AttachLogger(1, options);
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    ASSERT_TRUE(StartRecordingFromPanel());
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100));
    frame.View()->RealtimePanel()->StopButton()->click();
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100));

    const std::vector<archive::Event> events = OpenArchive()->Audit();
    std::vector<std::string> kinds;
    for (const archive::Event& event : events)
        kinds.push_back(event.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"connect", "identify", "settings-write", "start-recording",
                                               "stop-recording"}));
    ASSERT_EQ(events.size(), 5U);
    EXPECT_NE(events[0].detail.find(test::ComPath(1)), std::string::npos) << events[0].detail;
    EXPECT_NE(events[1].detail.find("\"model\":\"single\""), std::string::npos) << events[1].detail;
    // The panel set a start time a minute back: the write changed the logger's start, old and new.
    const std::string& write = events[2].detail;
    EXPECT_NE(write.find("\"field\":\"start\""), std::string::npos) << write;
    EXPECT_NE(write.find("\"old\""), std::string::npos) << write;
    EXPECT_NE(write.find("\"new\""), std::string::npos) << write;
}

TEST_F(ArchiveWindowTest, PagesThePreviewWritesAsPdfCarryTheMarkAndAreRecorded) {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed: the preview prints instead of offering a PDF";
    Download(LoggerModel::SingleTemperature, 300);
    ASSERT_TRUE(workspace.Archiving().Shown().has_value());
    const ShownEntry entry = *workspace.Archiving().Shown();
    const QString pages = folder.filePath(QStringLiteral("pages.pdf"));

    auto chosen = AnswerFileDialog(pages);
    auto note = std::make_shared<QString>();
    auto yes = testing::OnNextDialog<QMessageBox>([note](QMessageBox* question) {
        testing::ReadNextMessage(note);  // the note that the pages were written, once this is gone
        question->button(QMessageBox::Yes)->click();
    });
    auto previewed = testing::OnNextDialog<CDlgPrintPreview>([](CDlgPrintPreview* preview) {
        QTimer::singleShot(0, preview, [preview] {
            preview->PrintAll();
            preview->reject();
        });
    });
    frame.Action(Command::PrintHistory)->trigger();
    ASSERT_TRUE(*previewed);
    ASSERT_TRUE(*yes) << "no printer: the preview offers a PDF";
    ASSERT_TRUE(*chosen);
    EXPECT_TRUE(note->contains(QStringLiteral("已写入"))) << note->toStdString();

    const QString mark = QStringLiteral("档案 %1 · SHA-256 %2")
                             .arg(entry.id)
                             .arg(QString::fromStdString(entry.sha256.substr(0, 16)));
    EXPECT_TRUE(testing::PdfText(pages, 1).contains(mark)) << testing::PdfText(pages, 1).toStdString();
    const std::vector<archive::Event> events = OpenArchive()->Show(entry.id)->events;
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().kind, "export");
    EXPECT_EQ(events.back().detail, archive::ExportDetail("pdf-pages", pages.toStdString()));
}

}  // namespace
}  // namespace veldrin
