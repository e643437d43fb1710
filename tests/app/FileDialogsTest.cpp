// The Open and Save dialogs of the File menu, driven through the window's actions: where they
// start, the name Save proposes, the question before a file is replaced (about the name really
// written, extension included), a typed extension choosing the format, what the status bar and the
// title say after a save, the words of a refusal, a pipe named like a data file, which is refused at
// once, and printing to a PDF file on a machine without a printer.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <chrono>
#include <memory>

#include "app/CMainFrame.h"
#include "app/CVeldrinApp.h"
#include "app/CVeldrinView.h"
#include "app/FileCommands.h"
#include "app/RecentFileList.h"
#include "app/Workspace.h"
#include "app/preview/CDlgPrintPreview.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/TextExport.h"
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
    QString folder;    // the folder it started in
    QString proposed;  // the file name it proposed
    QString details;   // the informative text of the message box that followed, if any
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
        seen->proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->selectNameFilter(dialog->nameFilters().at(filterIndex - 1));
        dialog->selectFile(path);
        if (answer != QMessageBox::NoButton) {
            // Runs in the next modal loop: the question's, when one is asked.
            QTimer::singleShot(0, [answer, question, seen] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) {
                    return;
                }
                if (question != nullptr) {
                    *question = box->text();
                }
                seen->details = box->informativeText();
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

TEST_F(FileDialogsTest, SaveProposesTheTitleAndStartAndATypedExtensionChoosesTheFormat) {
    OpenThroughTheMenu(Path("data/run.Vdr"), std::make_shared<SeenDialog>());
    EXPECT_EQ(frame.windowTitle(), "run.Vdr - Veldrin") << "the title names the opened file";
    const HistoryDataSet& history = workspace.Records().History();

    // The data file filter stays selected; the typed extension decides.
    auto seen = std::make_shared<SeenDialog>();
    SaveThroughTheMenu(QStringLiteral("typed.csv"), seen, QMessageBox::No, nullptr);
    std::tm start{};
    const std::time_t first = kSimDefaultClockStart;
    localtime_r(&first, &start);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M", &start);
    EXPECT_EQ(seen->proposed, QStringLiteral("数据测试_") + QString::fromLatin1(stamp));
    EXPECT_EQ(Contents(Path("data/typed.csv")), QByteArray::fromStdString(BuildCsvExport(history)));
    EXPECT_FALSE(QFile::exists(Path("data/typed.csv.Vdr")));
    EXPECT_EQ(frame.statusBar()->currentMessage(), "已保存 " + Path("data/typed.csv"));
    EXPECT_EQ(frame.windowTitle(), "run.Vdr - Veldrin") << "an export is not the history's file";

    SaveThroughTheMenu(QStringLiteral("typed.txt"), std::make_shared<SeenDialog>(), QMessageBox::No, nullptr);
    EXPECT_EQ(Contents(Path("data/typed.txt")), QByteArray::fromStdString(BuildTextExport(history)));
    SaveThroughTheMenu(QStringLiteral("typed.xls"), std::make_shared<SeenDialog>(), QMessageBox::No, nullptr);
    EXPECT_TRUE(Contents(Path("data/typed.xls")).startsWith("\xD0\xCF\x11\xE0")) << "an OLE2 workbook";
    SaveThroughTheMenu(QStringLiteral("typed.xlsx"), std::make_shared<SeenDialog>(), QMessageBox::No,
                       nullptr);
    const QByteArray xlsx = Contents(Path("data/typed.xlsx"));
    EXPECT_TRUE(xlsx.startsWith("PK")) << "a zip package";
    EXPECT_TRUE(xlsx.contains("xl/worksheets/sheet2.xml")) << "summary and readings sheets";
    for (const char* wrong : {"typed.txt.Vdr", "typed.xls.Vdr", "typed.xlsx.Vdr"}) {
        EXPECT_FALSE(QFile::exists(Path(QStringLiteral("data/") + QString::fromLatin1(wrong)))) << wrong;
    }

    // Without an extension the filter decides and its extension is appended: the modern workbook is
    // the fifth.
    ChooseInNextFileDialog(Path("data/plain"), 5, std::make_shared<SeenDialog>());
    frame.Action(Command::Save)->trigger();
    EXPECT_TRUE(Contents(Path("data/plain.xlsx")).startsWith("PK"));

    SaveThroughTheMenu(QStringLiteral("again.Vdr"), std::make_shared<SeenDialog>(), QMessageBox::No, nullptr);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "已保存 " + Path("data/again.Vdr"));
    EXPECT_EQ(frame.windowTitle(), "again.Vdr - Veldrin");
    EXPECT_EQ(recent.Entries().value(0), Path("data/again.Vdr"));
    ASSERT_TRUE(LoadDataFile(Path("data/again.Vdr").toStdString()).result.ok);
}

TEST_F(FileDialogsTest, ARefusedFileIsNamedWithTheReasonInTheUsersWords) {
    OpenThroughTheMenu(Path("data/run.Vdr"), std::make_shared<SeenDialog>());
    const QByteArray good = Contents(Path("data/run.Vdr"));
    WriteFile(Path("data/cut.Vdr"), good.left(good.size() - 10));
    WriteFile(Path("data/foreign.Vdr"), QByteArray(400, 'x'));

    struct Case {
        const char* name;
        const char* reason;
    };
    for (const Case c : {Case{"cut.Vdr", "文件不完整："}, Case{"foreign.Vdr", "不是 Veldrin 数据文件"}}) {
        auto seen = std::make_shared<SeenDialog>();
        auto message = std::make_shared<QString>();
        ChooseInNextFileDialog(Path(QStringLiteral("data/") + QString::fromLatin1(c.name)), 1, seen,
                               QMessageBox::Ok, message);
        frame.Action(Command::Open)->trigger();
        EXPECT_EQ(*message, QStringLiteral("文件错误!")) << c.name;
        EXPECT_TRUE(seen->details.startsWith(Path(QStringLiteral("data/") + QString::fromLatin1(c.name))))
            << seen->details.toStdString();
        EXPECT_TRUE(seen->details.contains(QString::fromUtf8(c.reason))) << seen->details.toStdString();
        EXPECT_FALSE(seen->details.contains(QStringLiteral("seed"))) << "no words of the file's insides";
        EXPECT_EQ(workspace.Records().History().samples.Count(), 4) << "the history opened before stays";
        EXPECT_EQ(frame.windowTitle(), "run.Vdr - Veldrin");
    }
}

// Answers the next message box (not any other dialog) with `button`, keeping its text.
void AnswerNextMessageBox(QMessageBox::StandardButton button, std::shared_ptr<QString> text,
                          QDeadlineTimer deadline = QDeadlineTimer(10000)) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (!deadline.hasExpired()) {
                AnswerNextMessageBox(button, text, deadline);
            }
            return;
        }
        *text = box->text();
        box->button(button)->click();
    });
}

// The page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree above them).
int PdfPageCount(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

TEST_F(FileDialogsTest, PrintWithoutAPrinterWritesTheSamePagesAsAPdf) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        GTEST_SKIP() << "this machine has a printer installed; the offscreen platform usually has none";
    }
    OpenThroughTheMenu(Path("data/run.Vdr"), std::make_shared<SeenDialog>());
    const QString pdf = Path("data/pages.pdf");
    auto question = std::make_shared<QString>();
    auto written = std::make_shared<QString>();
    auto fileDialog = std::make_shared<SeenDialog>();
    bool previewSeen = false;
    std::function<void()> drivePreview;
    QDeadlineTimer deadline(10000);
    drivePreview = [&] {
        auto* preview = qobject_cast<CDlgPrintPreview*>(QApplication::activeModalWidget());
        if (preview == nullptr) {
            if (!deadline.hasExpired()) {
                QTimer::singleShot(0, drivePreview);
            }
            return;
        }
        previewSeen = true;
        // The question, then the file dialog and the note that follows it.
        AnswerNextMessageBox(QMessageBox::Yes, question);
        ChooseInNextFileDialog(pdf, 1, fileDialog, QMessageBox::Ok, written);
        preview->findChild<QPushButton*>(QStringLiteral("print"))->click();
        preview->reject();
    };
    QTimer::singleShot(0, drivePreview);
    frame.Action(Command::PrintHistory)->trigger();

    ASSERT_TRUE(previewSeen);
    EXPECT_TRUE(question->contains(QStringLiteral("没有安装打印机"))) << question->toStdString();
    EXPECT_TRUE(fileDialog->shown) << "a name was asked for instead of an empty printer list";
    EXPECT_TRUE(written->contains(QStringLiteral("2"))) << written->toStdString();
    const QByteArray pages = Contents(pdf);
    ASSERT_TRUE(pages.startsWith("%PDF")) << "a PDF was written";
    EXPECT_EQ(PdfPageCount(pages), 2) << "the two curve pages the preview shows";
}

TEST_F(FileDialogsTest, PrintAndReportOfAHistoryWithoutReadingsSayWhyInsteadOfNothing) {
    // The history panel shown with nothing in it: both commands are offered, neither can act.
    frame.View()->ShowHistoryView();
    frame.RefreshCommands();
    ASSERT_EQ(workspace.Records().History().samples.Count(), 0);
    const struct {
        Command command;
        const char* says;
    } cases[] = {{Command::PrintHistory, "没有历史数据，无法打印"},
                 {Command::ExportReport, "没有历史数据，无法导出报告"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(frame.Action(c.command)->isEnabled()) << c.says;
        frame.statusBar()->clearMessage();
        // A preview or a file dialog would be the wrong answer: it is closed and named.
        auto opened = std::make_shared<QString>();
        testing::AnswerNextDialog(QDialog::Rejected, opened, QDeadlineTimer(500));
        frame.Action(c.command)->trigger();
        EXPECT_EQ(frame.statusBar()->currentMessage(), QString::fromUtf8(c.says));
        QTest::qWait(600);
        EXPECT_TRUE(opened->isEmpty()) << c.says << ": " << opened->toStdString();
    }
}

}  // namespace
}  // namespace veldrin
