// The window's statistics of a history opened from a data file: the "统计" tab of the history
// panel lists the figures and the excursions, choosing an excursion puts the curve's cursor on
// it, File → "导出报告(PDF)…" writes the report and Save with "CSV (*.csv)" writes the readings.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "app/PanelPages.h"
#include "app/StatisticsPage.h"
#include "tests/app/ColdRoomWindow.h"

namespace veldrin {
namespace {

// Waits for the next file dialog and accepts `path` in it, with `filter` chosen when given.
void ChooseInNextFileDialog(const QString& path, const QString& filter = {},
                            QDeadlineTimer deadline = QDeadlineTimer(10000)) {
    QTimer::singleShot(0, [path, filter, deadline] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (!deadline.hasExpired()) {
                ChooseInNextFileDialog(path, filter, deadline);
            }
            return;
        }
        if (!filter.isEmpty()) {
            dialog->selectNameFilter(filter);
        }
        dialog->selectFile(path);
        // Accepted as the dialog's own button does, with its checks of the chosen name.
        static_cast<QDialog*>(dialog)->accept();
    });
}

QString Cell(const QAbstractItemModel* model, int row, int column) {
    return model->data(model->index(row, column)).toString();
}

int RowNamed(const QAbstractItemModel* model, const QString& name) {
    for (int row = 0; row < model->rowCount(); ++row) {
        if (Cell(model, row, 0) == name) {
            return row;
        }
    }
    return -1;
}

// The cold-room history: the temperature above 8 at readings 3 and 4, the humidity below 40 at
// reading 9.
class StatisticsPageTest : public testing::ColdRoomWindow {
  protected:
    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QTabWidget* Tabs() const { return frame.View()->HistoryPanel()->DataTabs(); }
    StatisticsPage* Page() const { return Tabs()->findChild<StatisticsPage*>(); }
};

TEST_F(StatisticsPageTest, TheStatisticsTabListsTheFiguresBesideTheSeedPages) {
    QTabWidget* tabs = Tabs();
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), "数据趋势");
    EXPECT_EQ(tabs->tabText(2), "报警列表");
    EXPECT_EQ(tabs->tabText(3), "统计");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(3).center());
    ASSERT_EQ(tabs->currentWidget(), Page());

    const QAbstractItemModel* figures = Page()->Figures()->model();
    ASSERT_NE(figures, nullptr);
    EXPECT_EQ(figures->headerData(1, Qt::Horizontal).toString(), "温度");
    EXPECT_EQ(figures->headerData(2, Qt::Horizontal).toString(), "湿度");
    const int maximum = RowNamed(figures, QStringLiteral("最大值"));
    ASSERT_GE(maximum, 0);
    EXPECT_EQ(Cell(figures, maximum, 1), "9.25°C");
    EXPECT_EQ(Cell(figures, maximum + 1, 1), "2024-05-01 08:15:00") << "the time of the maximum";
    EXPECT_EQ(Cell(figures, RowNamed(figures, QStringLiteral("读数")), 1), "12");
    EXPECT_EQ(Cell(figures, RowNamed(figures, QStringLiteral("高于上限次数")), 1), "1次");
    EXPECT_EQ(Cell(figures, RowNamed(figures, QStringLiteral("低于下限次数")), 2), "1次");
    EXPECT_EQ(Cell(figures, RowNamed(figures, QStringLiteral("平均动力学温度(MKT)")), 2), "—");
}

TEST_F(StatisticsPageTest, ChoosingAnExcursionPutsTheCurveCursorOnItsFirstReading) {
    Tabs()->setCurrentWidget(Page());
    frame.show();
    ListPage* excursions = Page()->Excursions();
    ASSERT_EQ(excursions->model()->rowCount(), 2);
    EXPECT_EQ(Cell(excursions->model(), 1, 2), "低于下限 40.00%RH");
    EXPECT_EQ(Cell(excursions->model(), 1, 3), "2024-05-01 08:45:00");

    const QRect row = excursions->visualRect(excursions->model()->index(1, 1));
    QTest::mouseClick(excursions->viewport(), Qt::LeftButton, {}, row.center());
    auto* curve = qobject_cast<CurvePage*>(Tabs()->widget(0));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(Tabs()->currentWidget(), curve) << "the curve page comes up";
    curve->grab();  // paints: the chart computes its points and places the cursor
    const CurveChart& chart = workspace.Records().HistoryChart();
    EXPECT_EQ(chart.SourceIndex(chart.CursorPoint()), 9);

    Tabs()->setCurrentWidget(Page());
    const QRect first = excursions->visualRect(excursions->model()->index(0, 1));
    QTest::mouseClick(excursions->viewport(), Qt::LeftButton, {}, first.center());
    curve->grab();
    EXPECT_EQ(chart.SourceIndex(chart.CursorPoint()), 3);
    frame.hide();
}

TEST_F(StatisticsPageTest, TheFileMenuWritesTheReport) {
    QAction* report = frame.Action(Command::ExportReport);
    EXPECT_EQ(report->text(), "导出报告(PDF)…");
    frame.RefreshCommands();
    EXPECT_TRUE(report->isEnabled());
    ChooseInNextFileDialog(Path("report"));
    report->trigger();
    QFile pdf(Path("report.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << "the dialog's name gets .pdf";
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(StatisticsPageTest, SaveWithTheCsvFilterWritesTheReadings) {
    ChooseInNextFileDialog(Path("readings"), QStringLiteral("CSV (*.csv)"));
    frame.Action(Command::Save)->trigger();
    QFile csv(Path("readings.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << "the CSV filter appends .csv";
    const QByteArray content = csv.readAll();
    EXPECT_TRUE(content.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(content.contains("3,2024-05-01T08:15:00+08:00,9.25,60.00,高于上限,正常\r\n"))
        << content.toStdString();
}

}  // namespace
}  // namespace veldrin
