// The Open and Save dialogs of the File menu, driven through the window's actions: where they
// start, the question before a file is replaced (about the name really written, extension
// included), and a pipe named like a data file, which is refused at once.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <chrono>
#include <memory>

#include "app/CMainFrame.h"
#include "app/CVeldrinApp.h"
#include "app/FileCommands.h"
#include "app/RecentFileList.h"
#include "app/Workspace.h"
#include "files/DataFile.h"
#include "logger/WireCodec.h"
#include "sim/SimLink.h"
#include "sim/SimLoggerConfig.h"
#include "sim/VirtualClock.h"
#include "tests/PipeUnblocker.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QtTempFolder.h"

namespace veldrin {
namespace {

using test::PipeUnblocker;
using testing::AcceptNextDialog;
using testing::ProfileFolder;

// What a file dialog showed when the test filled it in.
struct SeenDialog {
    bool shown = false;
    QString folder;  // the folder it started in
};

// Fills the next file dialog with `path` and the filter `filterIndex` (1-based) and accepts it.
// When `answer` is given, the question that may follow is answered with it and its text kept in
// `question`; with no question the answer is never used.
void ChooseInNextFileDialog(const QString& path, int filterIndex, std::shared_ptr<SeenDialog> seen,
                            QMessageBox::StandardButton answer = QMessageBox::NoButton,
                            std::shared_ptr<QString> question = nullptr,
                            QDeadlineTimer deadline = QDeadlineTimer(10000)) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (!deadline.hasExpired()) {
                ChooseInNextFileDialog(path, filterIndex, seen, answer, question, deadline);
            }
            return;
        }
        seen->shown = true;
        seen->folder = dialog->directory().absolutePath();
        dialog->selectNameFilter(dialog->nameFilters().at(filterIndex - 1));
        dialog->selectFile(path);
        if (answer != QMessageBox::NoButton) {
            // Runs in the next modal loop: the question's, when one is asked.
            QTimer::singleShot(0, [answer, question] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) {
                    return;
                }
                if (question != nullptr) {
                    *question = box->text();
                }
                if (QAbstractButton* button = box->button(answer)) {
                    button->click();
                }
            });
        }
        // The dialog's own accept, which reads its name field as a click on its button does.
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    });
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FileDialogsTest : public ::testing::Test {
  protected:
    FileDialogsTest() {
        files.Install();
        HistoryDataSet history;
        history.model = LoggerModel::DualTemperature;
        history.shown = {true, true};
        for (int i = 0; i < 4; ++i) {
            const std::time_t time = kSimDefaultClockStart + 60 * i;
            history.samples.SetHistorySample(i, 20.0F + static_cast<float>(i), -5.0F, time);
        }
        history.summary.source = SummarySource::Download;
        history.summary.dataLengthValue = 8;
        history.summary.start = kSimDefaultClockStart;
        history.summary.stop = kSimDefaultClockStart + 180;
        history.summary.intervalSeconds = 60;
        history.summary.min1 = 20;
        history.summary.max1 = 23;
        history.summary.avg1 = 21.5F;
        history.summary.min2 = history.summary.max2 = history.summary.avg2 = -5;
        EXPECT_TRUE(WriteDataFile(Path("data/run.Vdr").toStdString(), history).ok);
    }
    QString Path(const QString& name) const { return folder.filePath(name); }
    // Opens `path` through the Open action and its dialog; what the dialog showed goes to `seen`.
    void OpenThroughTheMenu(const QString& path, std::shared_ptr<SeenDialog> seen) {
        ChooseInNextFileDialog(path, 1, seen);
        frame.Action(Command::Open)->trigger();
        frame.RefreshCommands();
    }
    // Saves through the Save action as `name` in the data folder with the data file filter.
    void SaveThroughTheMenu(const QString& name, std::shared_ptr<SeenDialog> seen,
                            QMessageBox::StandardButton answer, std::shared_ptr<QString> question) {
        ASSERT_TRUE(frame.Action(Command::Save)->isEnabled());
        ChooseInNextFileDialog(Path("data/" + name), 1, seen, answer, question);
        frame.Action(Command::Save)->trigger();
        // An answer for a question that was not asked goes now, not into a later dialog.
        QCoreApplication::processEvents();
    }

    test::QtTempFolder folder;
    bool madeData = QDir(folder.path()).mkpath(QStringLiteral("data"));
    QSettings profile{folder.filePath(QStringLiteral("profile.conf")), QSettings::IniFormat};
    RecentFileList recent{profile};
    VirtualClock clock;
    SimLink link{clock};
    LoggerInfo info;
    CMainFrame frame{info};
    Workspace workspace{info, frame, &link, &clock};
    FileCommands files{workspace, frame, &recent};
};

TEST_F(FileDialogsTest, OpenAndSaveStartInTheFolderLastUsedElseAtHome) {
    auto seen = std::make_shared<SeenDialog>();
    OpenThroughTheMenu(Path("data/run.Vdr"), seen);
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->folder, QDir(QDir::homePath()).absolutePath()) << "nothing used yet";
    ASSERT_EQ(workspace.Records().History().samples.Count(), 4);

    auto save = std::make_shared<SeenDialog>();
    SaveThroughTheMenu(QStringLiteral("copy"), save, QMessageBox::No, nullptr);
    EXPECT_EQ(save->folder, Path("data")) << "where the file was opened";
    EXPECT_TRUE(QFile::exists(Path("data/copy.Vdr")));

    // A new window of the same profile starts where the newest recent file lies.
    LoggerInfo otherInfo;
    CMainFrame other(otherInfo);
    Workspace otherWorkspace(otherInfo, other, &link, &clock);
    FileCommands otherFiles(otherWorkspace, other, &recent);
    otherFiles.Install();
    auto again = std::make_shared<SeenDialog>();
    ChooseInNextFileDialog(Path("data/copy.Vdr"), 1, again);
    other.Action(Command::Open)->trigger();
    EXPECT_EQ(again->folder, Path("data"));
}

TEST_F(FileDialogsTest, SaveAsksAboutTheNameWithItsExtensionBeforeReplacingIt) {
    OpenThroughTheMenu(Path("data/run.Vdr"), std::make_shared<SeenDialog>());
    WriteFile(Path("data/report.Vdr"), "the older report");
    WriteFile(Path("data/report"), "a file of the typed name");

    auto question = std::make_shared<QString>();
    SaveThroughTheMenu(QStringLiteral("report"), std::make_shared<SeenDialog>(), QMessageBox::No, question);
    EXPECT_TRUE(question->contains(QStringLiteral("report.Vdr"))) << question->toStdString();
    EXPECT_TRUE(question->contains(QStringLiteral("已存在"))) << question->toStdString();
    EXPECT_EQ(Contents(Path("data/report.Vdr")), "the older report") << "No keeps the file";

    question->clear();
    SaveThroughTheMenu(QStringLiteral("report"), std::make_shared<SeenDialog>(), QMessageBox::Yes, question);
    EXPECT_TRUE(question->contains(QStringLiteral("report.Vdr"))) << question->toStdString();
    DataFileLoad saved = LoadDataFile(Path("data/report.Vdr").toStdString());
    ASSERT_TRUE(saved.result.ok) << saved.result.reason;
    EXPECT_EQ(saved.dataSet->samples.Count(), 4);
    EXPECT_EQ(Contents(Path("data/report")), "a file of the typed name") << "the typed name is not written";

    // A name whose data file does not exist yet is written without a question, even where a file
    // of the typed name is in the way.
    WriteFile(Path("data/fresh"), "in the way");
    question->clear();
    SaveThroughTheMenu(QStringLiteral("fresh"), std::make_shared<SeenDialog>(), QMessageBox::No, question);
    EXPECT_TRUE(question->isEmpty()) << question->toStdString();
    EXPECT_TRUE(LoadDataFile(Path("data/fresh.Vdr").toStdString()).result.ok);
    EXPECT_EQ(Contents(Path("data/fresh")), "in the way");
}

TEST_F(FileDialogsTest, APipeNamedLikeADataFileIsRefusedAtOnce) {
    const QString pipe = Path("data/waiting.Vdr");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    OpenThroughTheMenu(Path("data/run.Vdr"), std::make_shared<SeenDialog>());
    {
        PipeUnblocker unblocker(pipe.toStdString());
        const auto begun = std::chrono::steady_clock::now();
        auto message = std::make_shared<QString>();
        ChooseInNextFileDialog(pipe, 1, std::make_shared<SeenDialog>(), QMessageBox::Ok, message);
        frame.Action(Command::Open)->trigger();
        EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(3));
        EXPECT_EQ(*message, QStringLiteral("文件错误!"));
    }
    EXPECT_EQ(workspace.Records().History().samples.Count(), 4) << "the history opened before stays";

    // The same pipe named on the command line.
    ProfileFolder profileFolder(Path("config"));
    PipeUnblocker unblocker(pipe.toStdString());
    const auto begun = std::chrono::steady_clock::now();
    auto message = std::make_shared<QString>();
    AcceptNextDialog(message);
    CVeldrinApp program({QStringLiteral("veldrin"), pipe});
    ASSERT_TRUE(program.InitInstance());
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(3));
    EXPECT_EQ(*message, QStringLiteral("文件错误!"));
    EXPECT_EQ(program.Records()->Records().History().samples.Count(), 0);
}

}  // namespace
}  // namespace veldrin
