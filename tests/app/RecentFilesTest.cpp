// The recent data files in the File menu: saving and opening put a file on top, choosing an entry
// opens it like Open does, and an entry whose file is gone or refused drops out with a message.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#include "app/CDlgHistory.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinApp.h"
#include "app/CVeldrinView.h"
#include "app/FileCommands.h"
#include "app/Profile.h"
#include "app/RecentFileList.h"
#include "app/Workspace.h"
#include "sim/SimLink.h"
#include "sim/VirtualClock.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QtTempFolder.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;
using testing::ProfileFolder;

// The paths behind the recent-file entries of `frame`'s File menu, in menu order.
QStringList RecentPaths(const CMainFrame& frame) {
    QStringList paths;
    for (const QAction* action : frame.RecentFileActions()) {
        paths << action->data().toString();
    }
    return paths;
}

// One main window with its records and File commands, over a profile of the test's own.
struct Window {
    Window(VirtualClock& clock, SimLink& link, RecentFileList& recent)
        : workspace(info, frame, &link, &clock), files(workspace, frame, &recent) {
        files.Install();
    }

    QMenu* FileMenu() const { return frame.menuBar()->actions().constFirst()->menu(); }
    // The File menu as shown: separators as "-".
    QStringList FileMenuTexts() const {
        QStringList texts;
        for (const QAction* action : FileMenu()->actions()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return texts;
    }
    QStringList RecentPaths() const { return veldrin::RecentPaths(frame); }
    int HistoryCount() { return workspace.Records().History().samples.Count(); }

    LoggerInfo info;
    CMainFrame frame{info};
    Workspace workspace;
    FileCommands files;
};

class RecentFilesTest : public ::testing::Test {
  protected:
    // A history of five readings a minute apart, as a download leaves it.
    RecentFilesTest() {
        HistoryDataSet& history = window->workspace.Records().History();
        for (int i = 0; i < 5; ++i) {
            history.samples.SetHistorySample(i, 20.0f + static_cast<float>(i), 0,
                                             kSimDefaultClockStart + 60 * i);
        }
        history.summary.source = SummarySource::Download;
        history.summary.dataLengthValue = 5;
        history.summary.intervalSeconds = 60;
        history.summary.start = kSimDefaultClockStart;
        history.summary.stop = kSimDefaultClockStart + 240;
    }
    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    // Saves the history of `window` as the data file `name` (without extension).
    void SaveDataFile(const char* name) { ASSERT_TRUE(window->files.SavePath(Path(name), 1)); }
    std::unique_ptr<Window> OtherWindow() { return std::make_unique<Window>(clock, link, recent); }

    test::QtTempFolder folder;
    QSettings profile{folder.filePath(QStringLiteral("profile.conf")), QSettings::IniFormat};
    RecentFileList recent{profile};
    VirtualClock clock;
    SimLink link{clock};
    std::unique_ptr<Window> window = std::make_unique<Window>(clock, link, recent);
};

TEST(RecentFileMenuText, ShortensLongPathsButKeepsTheFileName) {
    EXPECT_EQ(RecentFileMenuText(0, QStringLiteral("/data/run.Vdr")), "&1 /data/run.Vdr");
    EXPECT_EQ(RecentFileMenuText(3, QStringLiteral("/home/user/projects/loggers/2024/run-may.Vdr")),
              "&4 /.../loggers/2024/run-may.Vdr");
    EXPECT_EQ(AbbreviatedPath(QStringLiteral("/home/user/a-very-long-name-of-a-cold-store-run.Vdr"), 30),
              "a-very-long-name-of-a-cold-store-run.Vdr")
        << "a name too long for the menu is shown alone";
    EXPECT_EQ(RecentFileMenuText(1, QStringLiteral("/data/salt & pepper.Vdr")), "&2 /data/salt && pepper.Vdr")
        << "an & of the name is not taken as the entry's shortcut letter";
}

TEST_F(RecentFilesTest, SavedDataFilesAreListedAboveExitNewestFirst) {
    EXPECT_TRUE(window->frame.RecentFileActions().isEmpty());
    EXPECT_EQ(window->FileMenuTexts().size(), 9) << "no entries and no separator of their own";

    SaveDataFile("first");
    ASSERT_TRUE(window->files.SavePath(Path("export.txt"), 2));
    SaveDataFile("second");

    const QStringList texts = window->FileMenuTexts();
    ASSERT_EQ(texts.size(), 12) << texts.join('|').toStdString();
    EXPECT_EQ(texts[0], window->frame.Action(Command::Open)->text());
    EXPECT_EQ(texts[2], window->frame.Action(Command::PrintHistory)->text());
    EXPECT_EQ(texts[3], window->frame.Action(Command::ExportReport)->text());
    EXPECT_EQ(texts[4], "-");
    EXPECT_EQ(texts[5], "导入到档案库");
    EXPECT_EQ(texts[6], "档案库…");
    EXPECT_EQ(texts[7], "-");
    EXPECT_TRUE(texts[8].startsWith("&1 ") && texts[8].endsWith("second.Vdr")) << texts[8].toStdString();
    EXPECT_TRUE(texts[9].startsWith("&2 ") && texts[9].endsWith("first.Vdr")) << texts[9].toStdString();
    EXPECT_EQ(texts[10], "-");
    EXPECT_EQ(texts[11], "退出(&X)");
    EXPECT_EQ(window->RecentPaths(), QStringList({Path("second.Vdr"), Path("first.Vdr")}))
        << "a text export cannot be opened again and stays out of the list";
    EXPECT_EQ(recent.Entries(), window->RecentPaths());
}

TEST_F(RecentFilesTest, TheProgramListsTheProfilesFilesAndPutsItsCommandLineFileOnTop) {
    SaveDataFile("older");
    SaveDataFile("run");
    ProfileFolder profileFolder(Path("config"));
    {
        const std::unique_ptr<QSettings> own = OpenProfile();
        RecentFileList list(*own);
        list.Add(Path("older.Vdr"));
        list.Add(Path("elsewhere.Vdr"));
    }
    const QStringList expected({Path("run.Vdr"), Path("elsewhere.Vdr"), Path("older.Vdr")});
    {
        CVeldrinApp program({QStringLiteral("veldrin"), Path("run.Vdr")});
        ASSERT_TRUE(program.InitInstance());
        EXPECT_EQ(program.Records()->Records().History().samples.Count(), 5);
        EXPECT_EQ(program.MainFrame()->View()->CurrentViewMode(), ViewMode::FileHistory);
        EXPECT_EQ(RecentPaths(*program.MainFrame()), expected);
    }
    const std::unique_ptr<QSettings> reopened = OpenProfile();
    EXPECT_EQ(RecentFileList(*reopened).Entries(), expected) << "the next start finds the same list";
}

TEST_F(RecentFilesTest, ChoosingAnEntryOpensTheFileAndMovesItToTheTop) {
    SaveDataFile("first");
    SaveDataFile("second");
    auto other = OtherWindow();
    ASSERT_EQ(other->RecentPaths(), QStringList({Path("second.Vdr"), Path("first.Vdr")}))
        << "a new window lists what the profile holds";

    other->frame.RecentFileActions().at(1)->trigger();
    EXPECT_EQ(other->HistoryCount(), 5);
    EXPECT_EQ(other->frame.View()->CurrentViewMode(), ViewMode::FileHistory);
    EXPECT_EQ(other->frame.View()->CurrentLinkMode(), LinkMode::HistoryFile);
    EXPECT_FALSE(other->frame.View()->HistoryPanel()->isHidden());
    EXPECT_EQ(other->RecentPaths(), QStringList({Path("first.Vdr"), Path("second.Vdr")}));
    EXPECT_EQ(other->FileMenuTexts().size(), 12) << "the old entries are gone from the menu";
}

TEST_F(RecentFilesTest, AGoneOrRefusedFileIsReportedDroppedAndTheHistoryStays) {
    SaveDataFile("kept");
    SaveDataFile("gone");
    QFile garbage(Path("garbage.Vdr"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a data file at all");
    garbage.close();
    recent.Add(garbage.fileName());
    ASSERT_TRUE(QFile::remove(Path("gone.Vdr")));

    auto other = OtherWindow();
    ASSERT_EQ(other->RecentPaths().size(), 3);
    other->frame.RecentFileActions().at(2)->trigger();  // kept.Vdr
    ASSERT_EQ(other->HistoryCount(), 5);

    auto message = std::make_shared<QString>();
    AcceptNextDialog(message);
    other->frame.RecentFileActions().at(2)->trigger();  // gone.Vdr, below kept and garbage
    EXPECT_TRUE(message->contains(QStringLiteral("找不到文件")) && message->contains("gone.Vdr"))
        << message->toStdString();
    EXPECT_EQ(other->RecentPaths(), QStringList({Path("kept.Vdr"), Path("garbage.Vdr")}));

    AcceptNextDialog(message);
    other->frame.RecentFileActions().at(1)->trigger();  // garbage.Vdr
    EXPECT_EQ(*message, "文件错误!");
    EXPECT_EQ(other->RecentPaths(), QStringList({Path("kept.Vdr")}));
    EXPECT_EQ(recent.Entries(), QStringList({Path("kept.Vdr")}));

    EXPECT_EQ(other->HistoryCount(), 5) << "the history shown before stays";
    EXPECT_EQ(other->frame.View()->CurrentViewMode(), ViewMode::FileHistory);
    EXPECT_TRUE(QFile::exists(Path("kept.Vdr")));
}

}  // namespace
}  // namespace veldrin
