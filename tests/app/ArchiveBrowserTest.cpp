// "导入到档案库" and "档案库…" through the real window: data files chosen in the file dialog are
// imported with an import event and a summary; the browser filters by text, opens an entry into
// the history panel, shows its trail, and compares three chosen entries in the comparison window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>

#include "app/ArchiveBrowser.h"
#include "app/CDlgHistory.h"
#include "app/CVeldrinView.h"
#include "app/ComparisonChart.h"
#include "app/ComparisonWindow.h"
#include "app/UnitMenu.h"
#include "logger/WireCodec.h"
#include "tests/HistoryFiles.h"
#include "tests/app/ArchiveWindowFixture.h"
#include "tests/app/InEnglish.h"

namespace veldrin {
namespace {

using testing::EnglishForAWhile;
using testing::OnNextDialogUntil;
using testing::ReadNextMessage;
using testing::ShownTexts;
using testing::WithChineseCharacters;

// Selects every file named in `paths` (one folder) in the next file dialog and accepts it.
std::shared_ptr<bool> ChooseFiles(const QStringList& paths) {
    return OnNextDialogUntil<QFileDialog>([paths](QFileDialog* dialog) {
        QStringList names;
        for (const QString& path : paths)
            names << QStringLiteral("\"%1\"").arg(QFileInfo(path).fileName());
        const QString folder = QFileInfo(paths.constFirst()).absolutePath();
        if (dialog->directory().absolutePath() != folder)
            dialog->setDirectory(folder);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name == nullptr)
            return false;
        if (dialog->selectedFiles().size() != paths.size()) {
            name->setText(names.join(QLatin1Char(' ')));
            return false;
        }
        static_cast<QDialog*>(dialog)->accept();
        return true;
    });
}

class ArchiveBrowserTest : public testing::ArchiveWindowFixture {
  protected:
    std::time_t Start(int day) const { return MakeLocalTime(2024, 3, day, 8, 0, 0).value(); }

    // Four single-temperature files: three from the cold stores, one from a lorry.
    QStringList WriteFiles() {
        QStringList paths;
        const std::vector<std::pair<std::string, int>> titles{
            {"Freezer A", 120}, {"Freezer B", 240}, {"Freezer C", 360}, {"运输车", 90}};
        int day = 1;
        for (const auto& [title, count] : titles) {
            const QString path = folder.filePath(QStringLiteral("f%1.Vdr").arg(day));
            test::WriteDataFileFor(path.toStdString(), LoggerModel::SingleTemperature, title, Start(day),
                                   count, day);
            paths << path;
            ++day;
        }
        return paths;
    }

    // "导入到档案库" with `paths` chosen; returns the summary it showed.
    QString Import(const QStringList& paths) {
        auto chosen = ChooseFiles(paths);
        auto said = std::make_shared<QString>();
        auto closed = ReadNextMessage(said);
        frame.ArchiveImportAction()->trigger();
        EXPECT_TRUE(*chosen);
        EXPECT_TRUE(*closed);
        return *said;
    }

    ArchiveBrowser* OpenBrowser() {
        frame.ArchiveBrowserAction()->trigger();
        auto* browser = archiveCommands.Browser();
        EXPECT_NE(browser, nullptr);
        if (browser != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(browser));
        }
        return browser;
    }

    // Clicks the rows of the browser's table whose title column holds one of `titles`, each added
    // to the selection as with Ctrl held.
    static void ClickRows(ArchiveBrowser* browser, const QStringList& titles) {
        QTableView* table = browser->Table();
        table->clearSelection();
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QModelIndex title = table->model()->index(row, ArchiveEntryModel::Title);
            if (!titles.contains(title.data().toString()))
                continue;
            table->scrollTo(title);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              table->visualRect(title).center());
        }
    }
};

TEST_F(ArchiveBrowserTest, ImportedFilesAreEntriesWithImportEventsAndASecondImportFindsThemThere) {
    const QStringList paths = WriteFiles();
    const QString said = Import(paths.mid(0, 3));
    EXPECT_TRUE(said.contains(QStringLiteral("新存入档案库 3 个文件，已在档案库中 0 个")))
        << said.toStdString();

    const auto archive = OpenArchive();
    std::vector<archive::EntrySummary> entries = archive->List();
    ASSERT_EQ(entries.size(), 3U);
    for (const archive::EntrySummary& entry : entries) {
        EXPECT_EQ(entry.kind, archive::SourceKind::FileImport);
        const std::vector<archive::Event> events = archive->Show(entry.id)->events;
        ASSERT_EQ(events.size(), 1U);
        EXPECT_EQ(events.front().kind, "archive-import");
        EXPECT_NE(events.front().detail.find(folder.Path()), std::string::npos) << events.front().detail;
    }

    // One archived before, one new, one that is no data file.
    const QString broken = folder.filePath(QStringLiteral("broken.Vdr"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a data file");
    file.close();
    const QString again = Import({paths[0], paths[3], broken});
    EXPECT_TRUE(again.contains(QStringLiteral("新存入档案库 1 个文件，已在档案库中 1 个")))
        << again.toStdString();
    EXPECT_TRUE(again.contains(QStringLiteral("未能导入 1 个")) &&
                again.contains(QStringLiteral("broken.Vdr")))
        << again.toStdString();
    EXPECT_EQ(OpenArchive()->List().size(), 4U);
}

TEST_F(ArchiveBrowserTest, BrowserFiltersOpensAnEntryIntoTheHistoryPanelAndComparesThree) {
    Import(WriteFiles());
    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->Entries().rowCount(), 4);

    QTest::keyClicks(browser->TextFilter(), QStringLiteral("freezer"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser->Entries().rowCount() == 3; }, 5000))
        << browser->Entries().rowCount();
    ClickRows(browser, {QStringLiteral("Freezer B")});
    EXPECT_TRUE(browser->Details()->toPlainText().contains(QStringLiteral("archive-import")))
        << "the entry's trail is in its details";
    browser->OpenButton()->click();

    const HistoryDataSet& history = workspace.Records().History();
    EXPECT_EQ(history.samples.Count(), 240);
    EXPECT_EQ(history.samples.Time(0), Start(2));
    EXPECT_EQ(workspace.Records().HistoryDataList().rowCount(), 240);
    EXPECT_FALSE(frame.View()->HistoryPanel()->isHidden());
    ASSERT_TRUE(workspace.Archiving().Shown().has_value());
    EXPECT_TRUE(
        frame.windowTitle().contains(QStringLiteral("档案 %1").arg(workspace.Archiving().Shown()->id)))
        << frame.windowTitle().toStdString();

    ClickRows(browser,
              {QStringLiteral("Freezer A"), QStringLiteral("Freezer B"), QStringLiteral("Freezer C")});
    ASSERT_EQ(browser->Table()->selectionModel()->selectedRows().size(), 3);
    browser->CompareButton()->click();
    ComparisonWindow* comparison = browser->findChild<ComparisonWindow*>();
    ASSERT_NE(comparison, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(comparison));
    ComparisonChart* chart = comparison->Chart();
    ASSERT_EQ(chart->Curves().size(), 3U);
    std::vector<int> counts;
    for (const ComparisonCurve& curve : chart->Curves())
        counts.push_back(curve.Count());
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ(counts, (std::vector<int>{120, 240, 360}));
    EXPECT_TRUE(comparison->Legend()->item(0)->text().startsWith(QLatin1Char('#')))
        << comparison->Legend()->item(0)->text().toStdString();

    const double before = chart->ViewEnd() - chart->ViewStart();
    const QPoint at = chart->rect().center();
    QWheelEvent wheel(QPointF(at), chart->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &wheel);
    EXPECT_LT(chart->ViewEnd() - chart->ViewStart(), before) << "one wheel step zooms in";
}

TEST_F(ArchiveBrowserTest, TheComparisonShowsTemperaturesInTheWindowsUnitAndFollowsItsChoice) {
    const test::QtTempFolder profile;
    const testing::ProfileFolder profileFolder(profile.path());
    Import(WriteFiles());
    frame.Units()->Action(TemperatureUnit::Fahrenheit)->trigger();
    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    ClickRows(browser, {QStringLiteral("Freezer A"), QStringLiteral("Freezer B")});
    browser->CompareButton()->click();
    ComparisonWindow* comparison = browser->findChild<ComparisonWindow*>();
    ASSERT_NE(comparison, nullptr);
    EXPECT_EQ(comparison->Chart()->Unit(), TemperatureUnit::Fahrenheit);
    EXPECT_EQ(comparison->Chart()->ScaleTitle(false), QStringLiteral("温度(°F)"));

    frame.Units()->Action(TemperatureUnit::Celsius)->trigger();
    EXPECT_EQ(comparison->Chart()->ScaleTitle(false), QStringLiteral("温度(°C)"))
        << "the open comparison follows";
}

TEST_F(ArchiveBrowserTest, ComparingOneOrThirteenEntriesIsRefusedWithAMessage) {
    QStringList paths;
    for (int i = 0; i < 13; ++i) {
        const QString path = folder.filePath(QStringLiteral("g%1.Vdr").arg(i));
        test::WriteDataFileFor(path.toStdString(), LoggerModel::SingleTemperature, "库 " + std::to_string(i),
                               Start(1) + i * 3600, 30 + i, 0);
        paths << path;
    }
    Import(paths);
    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    ASSERT_EQ(browser->Entries().rowCount(), 13);
    for (const bool all : {false, true}) {
        if (all)
            browser->Table()->selectAll();
        else
            ClickRows(browser, {QStringLiteral("库 3")});
        auto said = std::make_shared<QString>();
        auto closed = ReadNextMessage(said);
        browser->CompareButton()->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return *closed; }, 5000));
        EXPECT_FALSE(said->isEmpty());
        EXPECT_EQ(browser->findChild<ComparisonWindow*>(), nullptr) << all;
    }
}

TEST_F(ArchiveBrowserTest, ExportWritesTheImportedFileByteForByteOrTheFormatOfItsExtensionAndIsRecorded) {
    const QStringList paths = WriteFiles();
    Import(paths);
    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    ClickRows(browser, {QStringLiteral("Freezer C")});
    ASSERT_EQ(browser->Table()->selectionModel()->selectedRows().size(), 1);

    const QString vdr = folder.filePath(QStringLiteral("out/copy.Vdr"));
    const QString csv = folder.filePath(QStringLiteral("out/copy.csv"));
    ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("out"))));
    for (const QString& path : {vdr, csv}) {
        auto chosen = testing::AnswerFileDialog(path);
        browser->ExportButton()->click();
        ASSERT_TRUE(*chosen) << path.toStdString();
    }
    QFile original(paths[2]);
    QFile copy(vdr);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), original.readAll()) << "the imported file itself";
    QFile text(csv);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_GE(text.readAll().count('\n'), 360) << "a line per reading";

    const auto archive = OpenArchive();
    std::vector<std::string> details;
    for (const archive::Event& event : archive->Audit()) {
        if (event.kind != "export")
            continue;
        details.push_back(event.detail);
        ASSERT_TRUE(event.entry.has_value());
        EXPECT_EQ(archive->Show(*event.entry)->summary.title, "Freezer C");
    }
    EXPECT_EQ(details, (std::vector<std::string>{archive::ExportDetail("vdr", vdr.toStdString()),
                                                 archive::ExportDetail("csv", csv.toStdString())}));
}

// With "°F" chosen in the window an entry's export writes its temperatures in °F; the data file
// keeps the °C it was recorded in.
TEST_F(ArchiveBrowserTest, ExportFollowsTheWindowsUnit) {
    Import(WriteFiles());
    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    ClickRows(browser, {QStringLiteral("Freezer A")});
    frame.Units()->Action(TemperatureUnit::Fahrenheit)->trigger();
    struct BackToCelsius {
        CMainFrame& frame;
        ~BackToCelsius() { frame.Units()->Action(TemperatureUnit::Celsius)->trigger(); }
    } backToCelsius{frame};
    const QString csv = folder.filePath(QStringLiteral("fahrenheit.csv"));
    auto chosen = testing::AnswerFileDialog(csv);
    browser->ExportButton()->click();
    ASSERT_TRUE(*chosen);
    QFile text(csv);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(written.contains(QStringLiteral("°F"))) << written.left(300).toStdString();
    EXPECT_FALSE(written.contains(QStringLiteral("°C"))) << written.left(300).toStdString();
}

TEST_F(ArchiveBrowserTest, ModelExcursionPeriodAndDeviceFiltersNarrowTheTableAndAHeaderClickSortsIt) {
    struct File {
        LoggerModel model;
        const char* title;
        int day;
        int count;
        int excursions;
    };
    const File written[] = {{LoggerModel::SingleTemperature, "single", 1, 300, 0},
                            {LoggerModel::TemperatureHumidity, "humidity", 5, 100, 3},
                            {LoggerModel::DualTemperature, "dual", 10, 200, 0}};
    QStringList paths;
    for (const File& file : written) {
        const QString path = folder.filePath(QString::fromLatin1(file.title) + QStringLiteral(".Vdr"));
        test::WriteDataFileFor(path.toStdString(), file.model, file.title, Start(file.day), file.count,
                               file.excursions);
        paths << path;
    }
    Import(paths);
    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    const auto titles = [browser] {
        QStringList shown;
        QAbstractItemModel* table = browser->Table()->model();
        for (int row = 0; row < table->rowCount(); ++row)
            shown << table->index(row, ArchiveEntryModel::Title).data().toString();
        shown.sort();
        return shown;
    };
    const auto showsOnly = [&](const QStringList& expected) {
        return QTest::qWaitFor([&] { return titles() == expected; }, 5000);
    };
    ASSERT_TRUE(showsOnly({QStringLiteral("dual"), QStringLiteral("humidity"), QStringLiteral("single")}));

    browser->ModelFilter()->setCurrentIndex(browser->ModelFilter()->findText(QStringLiteral("温湿度记录仪")));
    EXPECT_TRUE(showsOnly({QStringLiteral("humidity")})) << titles().join(',').toStdString();
    browser->ModelFilter()->setCurrentIndex(0);
    testing::ClickCheckBox(browser->ExcursionFilter());
    EXPECT_TRUE(showsOnly({QStringLiteral("humidity")})) << titles().join(',').toStdString();
    testing::ClickCheckBox(browser->ExcursionFilter());
    browser->FromFilter()->setDateTime(QDateTime::fromSecsSinceEpoch(Start(4)));
    EXPECT_TRUE(showsOnly({QStringLiteral("dual"), QStringLiteral("humidity")}))
        << titles().join(',').toStdString();
    browser->ToFilter()->setDateTime(QDateTime::fromSecsSinceEpoch(Start(6)));
    EXPECT_TRUE(showsOnly({QStringLiteral("humidity")})) << titles().join(',').toStdString();
    browser->FromFilter()->setDateTime(browser->FromFilter()->minimumDateTime());
    browser->ToFilter()->setDateTime(browser->ToFilter()->minimumDateTime());
    ASSERT_TRUE(showsOnly({QStringLiteral("dual"), QStringLiteral("humidity"), QStringLiteral("single")}));
    QTest::keyClicks(browser->DeviceFilter(), QStringLiteral("ttyUSB"));
    EXPECT_TRUE(showsOnly({})) << "imported files have no device";
    browser->DeviceFilter()->clear();
    ASSERT_TRUE(showsOnly({QStringLiteral("dual"), QStringLiteral("humidity"), QStringLiteral("single")}));

    // A click on the readings' header sorts by their number, a second one the other way.
    QHeaderView* header = browser->Table()->horizontalHeader();
    const auto readings = [browser] {
        std::vector<int> counts;
        QAbstractItemModel* table = browser->Table()->model();
        for (int row = 0; row < table->rowCount(); ++row)
            counts.push_back(table->index(row, ArchiveEntryModel::Readings).data().toInt());
        return counts;
    };
    const QPoint readingsHeader(header->sectionViewportPosition(ArchiveEntryModel::Readings) + 5,
                                header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, readingsHeader);
    const std::vector<int> first = readings();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, readingsHeader);
    const std::vector<int> second = readings();
    const std::vector<int> ascending{100, 200, 300};
    const std::vector<int> descending{300, 200, 100};
    EXPECT_TRUE((first == ascending && second == descending) || (first == descending && second == ascending));
}

TEST_F(ArchiveBrowserTest, ADownloadWhileTheBrowserIsOpenIsListedWhenItIsChosenAgain) {
    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->Entries().rowCount(), 0);
    Download(LoggerModel::SingleTemperature, 120);
    EXPECT_EQ(OpenBrowser(), browser) << "one browser";
    ASSERT_EQ(browser->Entries().rowCount(), 1);
    EXPECT_EQ(browser->Entries().Entry(0).count, 120);
    EXPECT_EQ(browser->Entries().Entry(0).provenance.devicePath, test::ComPath(1));
}

// The browser's own texts, its table's headers and the chosen entry's details. The names of the
// models are the logger library's, not the browser's: they are left out.
QStringList BrowserTexts(ArchiveBrowser* browser) {
    QStringList texts = ShownTexts(browser);
    QString details = browser->Details()->toPlainText();
    for (int model = 0; model < 3; ++model) {
        texts.removeAll(ArchivedModelName(model));
        details.remove(ArchivedModelName(model));
    }
    texts << details.split(QLatin1Char('\n'));
    for (const QLineEdit* edit : {browser->TextFilter(), browser->DeviceFilter()})
        texts << edit->placeholderText();
    texts << browser->FromFilter()->specialValueText() << browser->Status()->text();
    for (int column = 0; column < ArchiveEntryModel::ColumnCount; ++column)
        texts << browser->Entries().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return texts;
}

TEST_F(ArchiveBrowserTest, InEnglishTheBrowserItsTableAndTheDetailsShowNoChineseAndInChineseTheirOwnTexts) {
    const QStringList paths = WriteFiles().mid(0, 3);
    {
        const EnglishForAWhile inEnglish;
        ASSERT_TRUE(inEnglish.Loaded());
        const QString said = Import(paths);
        EXPECT_EQ(said, QStringLiteral("3 files newly archived, 0 already in the archive."))
            << said.toStdString();
        ArchiveBrowser* browser = OpenBrowser();
        ASSERT_NE(browser, nullptr);
        ClickRows(browser, {QStringLiteral("Freezer A")});
        const QString details = browser->Details()->toPlainText();
        EXPECT_TRUE(details.startsWith(QStringLiteral("Entry: "))) << details.toStdString();
        EXPECT_TRUE(details.contains(QStringLiteral("Source: Imported file"))) << details.toStdString();
        EXPECT_TRUE(details.contains(QStringLiteral("\nEvents:\n"))) << details.toStdString();
        const QStringList texts = BrowserTexts(browser);
        EXPECT_EQ(WithChineseCharacters(texts), QStringList()) << texts.join(u'|').toStdString();
        EXPECT_TRUE(texts.contains(QStringLiteral("Archive")));
        EXPECT_TRUE(texts.contains(QStringLiteral("3 entries")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Excursions only")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Downloaded")));
        EXPECT_EQ(browser->ModelFilter()->itemText(0), QStringLiteral("All models"));
        browser->close();
    }
    // The browser closed deletes itself; the next one is made in Chinese.
    ASSERT_TRUE(QTest::qWaitFor([&] { return archiveCommands.Browser() == nullptr; }, 5000));
    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    ClickRows(browser, {QStringLiteral("Freezer A")});
    EXPECT_EQ(browser->windowTitle(), QStringLiteral("档案库"));
    EXPECT_EQ(browser->Status()->text(), QStringLiteral("3 个档案"));
    EXPECT_TRUE(browser->Details()->toPlainText().startsWith(QStringLiteral("档案：")));
    EXPECT_TRUE(browser->Details()->toPlainText().contains(QStringLiteral("来源：导入文件")));
    QStringList headers;
    for (int column = 0; column < ArchiveEntryModel::ColumnCount; ++column)
        headers << browser->Entries().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(headers, QStringList({QStringLiteral("档案号"), QStringLiteral("下载时间"),
                                    QStringLiteral("型号"), QStringLiteral("标题"), QStringLiteral("时段"),
                                    QStringLiteral("读数"), QStringLiteral("超限"), QStringLiteral("来源")}));
}

TEST_F(ArchiveBrowserTest, AnArchiveThatCannotBeOpenedIsSaidInTheBrowserAndOnImport) {
    const QString blocker = folder.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    workspace.Archiving().SetLocation((blocker + QStringLiteral("/archive.sqlite")).toStdString());

    ArchiveBrowser* browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->Entries().rowCount(), 0);
    EXPECT_TRUE(browser->Status()->text().startsWith(QStringLiteral("档案库打不开：")))
        << browser->Status()->text().toStdString();

    const QString said = Import(WriteFiles().mid(0, 1));
    EXPECT_TRUE(said.startsWith(QStringLiteral("档案库打不开："))) << said.toStdString();
    EXPECT_TRUE(QFileInfo(blocker).isFile()) << "nothing was made in its place";
}

}  // namespace
}  // namespace veldrin
