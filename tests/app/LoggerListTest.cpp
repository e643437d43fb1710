// The list of loggers driven through the window: the panel shown from the device menu lists the
// devices found and follows plug and unplug; "全部下载" saves every logger by the name template of the
// settings dialog, a logger that falls silent only failing its own row; "插入即下载" takes a logger
// plugged in while it runs, once; the realtime panel's device is shown busy and left alone; a
// finished entry double-clicked fills the history panel.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "AppTestSupport.h"
#include "SimWindowFixture.h"
#include "WindowDriving.h"
#include "app/CDlgHistory.h"
#include "app/FleetSettingsDialog.h"
#include "app/LoggerListPanel.h"
#include "app/Profile.h"
#include "archive/Archive.h"
#include "archive/HistoryArchiving.h"
#include "sim/PtyServer.h"
#include "tests/TempFolder.h"
#include "tests/app/InEnglish.h"
#include "tests/serial/FakeDeviceTree.h"

namespace veldrin::testing {
namespace {

namespace fs = std::filesystem;

// Runs the event loop until `done` holds; false when it did not within `seconds`.
bool WaitFor(const std::function<bool()>& done, int seconds = 120) {
    QDeadlineTimer deadline(seconds * 1000);
    while (!done() && !deadline.hasExpired())
        QTest::qWait(20);
    return done();
}

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), folder).string());
    }
    return files;
}

class LoggerListTest : public SimWindowFixture {
  protected:
    void SetUp() override {
        OpenProfile()->remove(QStringLiteral("loggerList"));
        // The list archives into the window's archive.
        workspace.Archiving().SetLocation(archiveFolder.File("archive.sqlite"));
        Panel().SetDeviceRoots({tree.Sys(), tree.Dev()});
        frame.show();
    }
    void TearDown() override { OpenProfile()->remove(QStringLiteral("loggerList")); }

    LoggerListPanel& Panel() { return workspace.LoggerList(); }
    LoggerListModel& Rows() { return Panel().Model(); }

    // A simulated logger on a pseudo-terminal, plugged in as the USB adapter `node`.
    PtyServer& Plug(const std::string& node, LoggerModel model, int records, const SimFaults& faults = {}) {
        SimLoggerOptions options;
        options.model = model;
        options.records = records;
        options.recording = false;
        options.clockStart = std::time(nullptr);
        servers.push_back(std::make_unique<PtyServer>(options, faults));
        EXPECT_TRUE(servers.back()->Start()) << servers.back()->Error();
        fs::create_symlink(servers.back()->DevicePath(), tree.Dev() + "/" + node);
        tree.AddById(ById(node), node);
        return *servers.back();
    }
    static std::string ById(const std::string& node) { return "usb-Veldrin_Logger_" + node + "-if00-port0"; }
    std::string PortOf(const std::string& node) const { return tree.Dev() + "/serial/by-id/" + ById(node); }

    // "仪器列表" in the device menu.
    QAction* ListAction() {
        for (QAction* action : frame.DeviceMenu()->actions()) {
            if (action->text() == QStringLiteral("仪器列表"))
                return action;
        }
        return nullptr;
    }

    // "设置…": the folder, the template and the formats typed and ticked as a user does.
    void ChooseSettings(const std::string& saveFolder, const QString& nameTemplate, bool csv,
                        bool restart = false) {
        auto answered = OnNextDialog<FleetSettingsDialog>([=](FleetSettingsDialog* dialog) {
            dialog->FolderEdit()->setText(QString::fromStdString(saveFolder));
            dialog->TemplateEdit()->setText(nameTemplate);
            dialog->FormatBox(QStringLiteral(".csv"))->setChecked(csv);
            dialog->RestartBox()->setChecked(restart);
            dialog->accept();
        });
        Panel().SettingsButton()->click();
        ASSERT_TRUE(*answered);
    }

    QStringList Headers() {
        QStringList headers;
        for (int column = 0; column < LoggerListModel::ColumnCount; ++column)
            headers << Rows().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        return headers;
    }

    QString StateOf(const std::string& port) {
        const int row = Rows().RowOf(port);
        return row < 0
                   ? QString()
                   : Rows().data(Rows().index(row, LoggerListModel::StateColumn), Qt::DisplayRole).toString();
    }

    test::FakeDeviceTree tree;
    test::TempFolder folder;
    test::TempFolder archiveFolder;
    std::vector<std::unique_ptr<PtyServer>> servers;
};

// The English translation in effect before the window is made, and until it is gone.
struct EnglishFirst {
    EnglishForAWhile inEnglish;
};

class LoggerListInEnglish : public EnglishFirst, public LoggerListTest {};

TEST_F(LoggerListInEnglish, ThePanelItsSettingsAndTheStatesOfItsLoggersSpeakEnglish) {
    ASSERT_TRUE(inEnglish.Loaded());
    QAction* list = nullptr;
    for (QAction* action : frame.DeviceMenu()->actions()) {
        if (action->text() == QStringLiteral("Instrument List"))
            list = action;
    }
    ASSERT_NE(list, nullptr);
    list->trigger();
    Plug("ttyUSB0", LoggerModel::SingleTemperature, 12);
    ASSERT_TRUE(WaitFor([&] { return Rows().rowCount() == 1; }, 10));
    const std::string port = PortOf("ttyUSB0");
    EXPECT_EQ(StateOf(port), QStringLiteral("Idle"));
    QStringList panel = ShownTexts(&Panel()) + Headers();
    EXPECT_EQ(WithChineseCharacters(panel), QStringList()) << panel.join(u'|').toStdString();
    EXPECT_EQ(Headers(), QStringList({QStringLiteral("Port"), QStringLiteral("State"),
                                      QStringLiteral("Model"), QStringLiteral("Title")}));
    EXPECT_TRUE(panel.contains(QStringLiteral("Download All")));
    EXPECT_TRUE(panel.contains(QStringLiteral("Download when plugged in")));

    // The settings dialog, its placeholder help and its preview of a name made of a title.
    QStringList dialogTexts;
    QString preview;
    auto answered = OnNextDialog<FleetSettingsDialog>([&](FleetSettingsDialog* dialog) {
        dialog->FolderEdit()->setText(QString::fromStdString(folder.Path()));
        dialog->TemplateEdit()->setText(QStringLiteral("{title}"));
        preview = dialog->Preview()->text();
        dialogTexts = ShownTexts(dialog);
        dialog->TemplateEdit()->setText(QStringLiteral("{count}"));
        dialog->accept();
    });
    Panel().SettingsButton()->click();
    ASSERT_TRUE(*answered);
    EXPECT_EQ(WithChineseCharacters(dialogTexts), QStringList()) << dialogTexts.join(u'|').toStdString();
    EXPECT_TRUE(dialogTexts.contains(QStringLiteral("Folder:")));
    EXPECT_TRUE(dialogTexts.contains(QStringLiteral("Restart recording after the download")));
    EXPECT_TRUE(dialogTexts.filter(QStringLiteral("{date:%Y%m%d-%H%M} download time")).size() == 1)
        << "the placeholders themselves stay";
    EXPECT_EQ(preview, QString::fromStdString(folder.Path() + "/Cold room 1.Vdr"));

    Panel().DownloadAllButton()->click();
    ASSERT_TRUE(WaitFor([&] { return Panel().Jobs().RunningCount() == 0; }));
    EXPECT_EQ(StateOf(port), QStringLiteral("Saved 12.Vdr"));
    // Held by the realtime panel: said so until it lets the device go.
    Rows().SetBusyPort(port);
    EXPECT_EQ(StateOf(port), QStringLiteral("Busy (live panel)"));
    Rows().SetBusyPort({});
    EXPECT_EQ(StateOf(port), QStringLiteral("Saved 12.Vdr"));

    ChooseSettings(folder.Path(), QStringLiteral("{count}-again"), false, true);
    Panel().DownloadAllButton()->click();
    ASSERT_TRUE(WaitFor([&] { return Panel().Jobs().RunningCount() == 0; }));
    EXPECT_EQ(StateOf(port), QStringLiteral("Restarted"));
}

TEST_F(LoggerListTest, ShownFromTheDeviceMenuAndRememberedListingPluggedDevices) {
    ASSERT_NE(ListAction(), nullptr);
    EXPECT_FALSE(Panel().isVisible()) << "off by default";
    EXPECT_FALSE(ListAction()->isChecked());
    ListAction()->trigger();
    EXPECT_TRUE(Panel().isVisible());
    EXPECT_TRUE(ReadFleetSettings(*OpenProfile()).panelShown);

    Plug("ttyUSB0", LoggerModel::SingleTemperature, 10);
    Plug("ttyUSB1", LoggerModel::DualTemperature, 10);
    EXPECT_TRUE(WaitFor([&] { return Rows().rowCount() == 2; }, 10)) << Rows().rowCount();
    EXPECT_EQ(StateOf(PortOf("ttyUSB0")), QStringLiteral("空闲"));
    EXPECT_EQ(Headers(), QStringList({QStringLiteral("端口"), QStringLiteral("状态"), QStringLiteral("型号"),
                                      QStringLiteral("标题")}));
    EXPECT_EQ(Panel().windowTitle(), QStringLiteral("仪器列表"));
    EXPECT_EQ(Panel().DownloadAllButton()->text(), QStringLiteral("全部下载"));
    EXPECT_EQ(Panel().StationBox()->text(), QStringLiteral("插入即下载"));
    // Unplugged: the row goes at the next look.
    fs::remove(PortOf("ttyUSB1"));
    EXPECT_TRUE(WaitFor([&] { return Rows().rowCount() == 1; }, 10));
    EXPECT_GE(Rows().RowOf(PortOf("ttyUSB0")), 0);

    // Closed by its own button: hidden, and so at the next start.
    Panel().close();
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_FALSE(ListAction()->isChecked());
    EXPECT_FALSE(ReadFleetSettings(*OpenProfile()).panelShown);
    ListAction()->trigger();
    EXPECT_TRUE(ReadFleetSettings(*OpenProfile()).panelShown);
}

TEST_F(LoggerListTest, APanelLeftShownComesBackShownInTheNextWindow) {
    ListAction()->trigger();
    LoggerInfo otherInfo;
    auto other = std::make_unique<CMainFrame>(otherInfo);
    auto otherWorkspace = std::make_unique<Workspace>(otherInfo, *other);
    other->show();
    EXPECT_TRUE(otherWorkspace->LoggerList().isVisible());
    otherWorkspace.reset();
    EXPECT_TRUE(ReadFleetSettings(*OpenProfile()).panelShown) << "closing the window is no choice";
}

TEST_F(LoggerListTest, SettingsDialogPreviewsTheNextNameAndRefusesABadTemplate) {
    ListAction()->trigger();
    QString preview;
    QString refused;
    bool okWhenRefused = true;
    auto answered = OnNextDialog<FleetSettingsDialog>([&](FleetSettingsDialog* dialog) {
        dialog->FolderEdit()->setText(QString::fromStdString(folder.Path()));
        dialog->TemplateEdit()->setText(QStringLiteral("{nonsense}"));
        refused = dialog->Preview()->text();
        okWhenRefused = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        dialog->TemplateEdit()->setText(QStringLiteral("{model}/{count}"));
        dialog->FormatBox(QStringLiteral(".Vdr"))->setChecked(false);
        dialog->FormatBox(QStringLiteral(".xls"))->setChecked(true);
        dialog->RestartBox()->setChecked(true);
        preview = dialog->Preview()->text();
        dialog->accept();
    });
    Panel().SettingsButton()->click();
    ASSERT_TRUE(*answered);
    EXPECT_FALSE(okWhenRefused);
    EXPECT_TRUE(refused.contains(QStringLiteral("nonsense"))) << refused.toStdString();
    EXPECT_EQ(preview, QString::fromStdString(folder.Path() + "/dual/1008.xls"));
    const FleetSettings kept = ReadFleetSettings(*OpenProfile());
    EXPECT_EQ(TemplatesOf(kept), (std::vector<std::string>{folder.Path() + "/{model}/{count}.xls"}));
    EXPECT_TRUE(kept.restart);
}

TEST_F(LoggerListTest, DownloadAllSavesEveryLoggerByTheTemplateAndASilentOneFailsAlone) {
    Plug("ttyUSB0", LoggerModel::SingleTemperature, 50);
    Plug("ttyUSB1", LoggerModel::DualTemperature, 60);
    SimFaults harsh;
    harsh.splitAtRandom = true;
    harsh.streamDuringDownload = true;
    Plug("ttyUSB2", LoggerModel::TemperatureHumidity, 70, harsh);
    SimFaults mute;
    mute.silentAfterSeconds = 0;
    Plug("ttyUSB3", LoggerModel::SingleTemperature, 80, mute);
    ListAction()->trigger();
    ASSERT_TRUE(WaitFor([&] { return Rows().rowCount() == 4; }, 10));
    ChooseSettings(folder.Path(), QStringLiteral("{model}-{count}"), true);

    Panel().DownloadAllButton()->click();
    ASSERT_TRUE(WaitFor([&] { return Panel().Jobs().RunningCount() == 0; }, 240));
    EXPECT_EQ(FilesIn(folder.Path()),
              (std::set<std::string>{"single-50.Vdr", "single-50.csv", "dual-60.Vdr", "dual-60.csv",
                                     "humidity-70.Vdr", "humidity-70.csv"}));
    EXPECT_EQ(StateOf(PortOf("ttyUSB1")), QStringLiteral("已保存 dual-60.Vdr, dual-60.csv"));
    EXPECT_TRUE(StateOf(PortOf("ttyUSB2")).startsWith(QStringLiteral("已保存 humidity-70.Vdr")));
    const QString silent = StateOf(PortOf("ttyUSB3"));
    EXPECT_FALSE(silent.startsWith(QStringLiteral("已保存")) || silent == QStringLiteral("空闲") ||
                 silent.startsWith(QStringLiteral("正在")))
        << silent.toStdString();
    const int row = Rows().RowOf(PortOf("ttyUSB1"));
    EXPECT_EQ(Rows().data(Rows().index(row, LoggerListModel::ModelColumn), Qt::DisplayRole).toString(),
              QStringLiteral("dual"));
    // Each download is in the archive, and each file written is recorded as a save of it.
    auto kept = archive::Archive::Open(archiveFolder.File("archive.sqlite"));
    std::multiset<int> counts;
    for (const archive::EntrySummary& entry : kept->List())
        counts.insert(entry.count);
    EXPECT_EQ(counts, (std::multiset<int>{50, 60, 70}));
    int saves = 0;
    for (const archive::Event& event : kept->Audit())
        saves += event.kind == "save" ? 1 : 0;
    EXPECT_EQ(saves, 6);
}

TEST_F(LoggerListTest, DoubleClickedEntryShowsItsHistoryInTheHistoryPanel) {
    Plug("ttyUSB0", LoggerModel::DualTemperature, 37);
    ListAction()->trigger();
    ASSERT_TRUE(WaitFor([&] { return Rows().rowCount() == 1; }, 10));
    ChooseSettings(folder.Path(), QStringLiteral("{title}"), false);
    Panel().DownloadAllButton()->click();
    ASSERT_TRUE(WaitFor([&] { return Panel().Jobs().RunningCount() == 0; }));
    ASSERT_TRUE(StateOf(PortOf("ttyUSB0")).startsWith(QStringLiteral("已保存")))
        << StateOf(PortOf("ttyUSB0")).toStdString();
    EXPECT_EQ(workspace.Records().History().samples.Count(), 0u);
    EXPECT_TRUE(frame.View()->HistoryPanel()->isHidden());

    QTableView* table = Panel().Table();
    const QRect cell = table->visualRect(Rows().index(0, LoggerListModel::StateColumn));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(workspace.Records().History().samples.Count(), 37u);
    EXPECT_FALSE(frame.View()->HistoryPanel()->isHidden());
    EXPECT_TRUE(frame.View()->RealtimePanel()->isHidden());
    EXPECT_TRUE(workspace.Records().HistoryDownloaded());

    // The history shown is the entry the list archived: its pages carry that entry's mark.
    auto kept = archive::Archive::Open(archiveFolder.File("archive.sqlite"));
    const std::vector<archive::EntrySummary> entries = kept->List({});
    ASSERT_EQ(entries.size(), 1u);
    ASSERT_TRUE(workspace.Archiving().Shown().has_value());
    EXPECT_EQ(workspace.Archiving().Shown()->id, entries.front().id);
    EXPECT_EQ(workspace.Archiving().ShownMark(),
              archive::ArchiveMark(entries.front().id, entries.front().sha256));
}

TEST_F(LoggerListTest, StationTakesALoggerPluggedInWhileItRunsOnce) {
    ListAction()->trigger();
    ChooseSettings(folder.Path(), QStringLiteral("{device}-{count}"), false);
    ClickCheckBox(Panel().StationBox());
    ASSERT_TRUE(Panel().StationBox()->isChecked());
    EXPECT_FALSE(Panel().DownloadAllButton()->isEnabled());

    Plug("ttyUSB5", LoggerModel::SingleTemperature, 25);
    const std::set<std::string> saved{ById("ttyUSB5") + "-25.Vdr"};
    ASSERT_TRUE(WaitFor([&] { return FilesIn(folder.Path()) == saved; }));
    // The logger stays plugged in: it is not taken a second time.
    QTest::qWait(4000);
    EXPECT_EQ(FilesIn(folder.Path()), saved);
    EXPECT_TRUE(StateOf(PortOf("ttyUSB5")).startsWith(QStringLiteral("已保存")))
        << StateOf(PortOf("ttyUSB5")).toStdString();

    ClickCheckBox(Panel().StationBox());
    EXPECT_TRUE(WaitFor([&] { return Panel().Jobs().RunningCount() == 0; }, 30));
}

TEST_F(LoggerListTest, TheRealtimePanelsDeviceIsShownBusyAndNotDownloaded) {
    // The realtime panel holds the device at ttyUSB7 (a simulated logger on the test's line).
    tree.AddUsbTty("ttyUSB7", "1-7", "FTDI", "FT232R USB UART");
    const std::string held = tree.Dev() + "/ttyUSB7";
    AttachLogger(held, LoggerOptions(LoggerModel::SingleTemperature, 20));
    ASSERT_TRUE(workspace.Connection().Connect(
        PortChoice{ChosenPort{held, 0}, false, LoggerModel::SingleTemperature}));
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100));
    Plug("ttyUSB0", LoggerModel::SingleTemperature, 30);
    ListAction()->trigger();
    ASSERT_TRUE(WaitFor(
        [&] { return Rows().rowCount() == 2 && StateOf(held) == QStringLiteral("忙 (实时面板)"); }, 10))
        << StateOf(held).toStdString();
    ChooseSettings(folder.Path(), QStringLiteral("{device}"), false);

    Panel().DownloadAllButton()->click();
    EXPECT_FALSE(Panel().Jobs().Running(held));
    ASSERT_TRUE(WaitFor([&] { return Panel().Jobs().RunningCount() == 0; }));
    EXPECT_EQ(FilesIn(folder.Path()), (std::set<std::string>{ById("ttyUSB0") + ".Vdr"}));
    EXPECT_EQ(StateOf(held), QStringLiteral("忙 (实时面板)"));
    EXPECT_TRUE(workspace.Connection().Online());
}

TEST_F(LoggerListTest, TheStationLeavesADeviceTheRealtimePanelTakes) {
    tree.AddUsbTty("ttyUSB7", "1-7", "FTDI", "FT232R USB UART");
    const std::string held = tree.Dev() + "/ttyUSB7";
    ListAction()->trigger();
    ClickCheckBox(Panel().StationBox());
    ASSERT_TRUE(WaitFor([&] { return Panel().Jobs().StationRunning(held); }, 10));

    AttachLogger(held, LoggerOptions(LoggerModel::SingleTemperature, 20));
    ASSERT_TRUE(workspace.Connection().Connect(
        PortChoice{ChosenPort{held, 0}, false, LoggerModel::SingleTemperature}));
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100));
    EXPECT_TRUE(WaitFor([&] { return !Panel().Jobs().StationRunning(held); }, 30));
    EXPECT_EQ(StateOf(held), QStringLiteral("忙 (实时面板)"));
    // Still busy: the station does not take it up again.
    QTest::qWait(2500);
    EXPECT_FALSE(Panel().Jobs().StationRunning(held));
}

TEST_F(LoggerListTest, ALoggerIsStartedAgainAfterItsDownloadWhenTheSettingsSaySo) {
    PtyServer& logger = Plug("ttyUSB0", LoggerModel::TemperatureHumidity, 40);
    ASSERT_EQ(logger.Logger().Settings().recordingState, 0);
    ListAction()->trigger();
    ASSERT_TRUE(WaitFor([&] { return Rows().rowCount() == 1; }, 10));
    ChooseSettings(folder.Path(), QStringLiteral("{count}"), false, true);

    Panel().DownloadAllButton()->click();
    ASSERT_TRUE(WaitFor([&] { return Panel().Jobs().RunningCount() == 0; }));
    EXPECT_EQ(StateOf(PortOf("ttyUSB0")), QStringLiteral("已重新启动"));
    EXPECT_EQ(FilesIn(folder.Path()), (std::set<std::string>{"40.Vdr"}));
    EXPECT_EQ(logger.Logger().Settings().recordingState, 1) << "recording again";
}

TEST_F(LoggerListTest, DownloadTakesOnlyTheSelectedEntry) {
    Plug("ttyUSB0", LoggerModel::SingleTemperature, 11);
    Plug("ttyUSB1", LoggerModel::DualTemperature, 22);
    ListAction()->trigger();
    ASSERT_TRUE(WaitFor([&] { return Rows().rowCount() == 2; }, 10));
    ChooseSettings(folder.Path(), QStringLiteral("{count}"), false);
    EXPECT_FALSE(Panel().DownloadButton()->isEnabled()) << "nothing selected";

    QTableView* table = Panel().Table();
    const QRect cell =
        table->visualRect(Rows().index(Rows().RowOf(PortOf("ttyUSB1")), LoggerListModel::PortColumn));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(Panel().DownloadButton()->isEnabled());
    Panel().DownloadButton()->click();
    ASSERT_TRUE(WaitFor([&] { return Panel().Jobs().RunningCount() == 0; }));
    EXPECT_EQ(FilesIn(folder.Path()), (std::set<std::string>{"22.Vdr"}));
    EXPECT_EQ(StateOf(PortOf("ttyUSB0")), QStringLiteral("空闲"));
}

}  // namespace
}  // namespace veldrin::testing
