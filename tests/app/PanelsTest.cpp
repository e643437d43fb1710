#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

#include "AppTestSupport.h"
#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/PanelPages.h"
#include "app/WarnDialog.h"
#include "history/SampleSeries.h"
#include "logger/LoggerInfo.h"
#include "measure/RealtimeListModel.h"

namespace veldrin {
namespace {

class RealtimePanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        panel = std::make_unique<CFormDialog>(alarmEnable, CreateRealtimePages());
        panel->resize(1000, 640);
        panel->show();
    }
    std::uint8_t alarmEnable = 1;
    std::unique_ptr<CFormDialog> panel;
};

TEST_F(RealtimePanelTest, StartsWithTheDefaultsOfAFreshPanel) {
    EXPECT_EQ(panel->IntervalSeconds(), 1);
    EXPECT_EQ(panel->Description(), "         ");
    EXPECT_TRUE(panel->StartButton()->isEnabled());
    EXPECT_FALSE(panel->StopButton()->isEnabled());
    EXPECT_TRUE(panel->Channel1Page()->UpperBox()->isReadOnly());
    EXPECT_TRUE(panel->Channel1Page()->LowerBox()->isReadOnly());
    const QTabWidget* tabs = panel->DataTabs();
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "数据趋势");
    EXPECT_EQ(tabs->tabText(1), "数据列表");
    EXPECT_EQ(tabs->tabText(2), "报警列表");
    EXPECT_EQ(tabs->widget(0)->objectName(), "CPage1");
    EXPECT_TRUE(tabs->widget(0)->isVisible());
    EXPECT_FALSE(tabs->widget(1)->isVisible());
}

TEST_F(RealtimePanelTest, UncheckingTheAlarmLocksTheLimitsAndClearsTheSharedFlag) {
    WarnDialog* first = panel->Channel1Page();
    testing::ClickCheckBox(first->EnableBox());
    ASSERT_TRUE(first->EnableBox()->isChecked());
    EXPECT_EQ(alarmEnable, 1);
    EXPECT_FALSE(first->UpperBox()->isReadOnly());
    EXPECT_FALSE(first->LowerBox()->isReadOnly());

    testing::ClickCheckBox(first->EnableBox());
    EXPECT_EQ(alarmEnable, 0);
    EXPECT_TRUE(first->UpperBox()->isReadOnly());
    EXPECT_TRUE(first->LowerBox()->isReadOnly());

    // The second page shows the shared flag once its tab comes up, and can switch it on again.
    WarnDialog* second = panel->Channel2Page();
    second->EnableBox()->setChecked(true);
    panel->AlarmTabs()->setCurrentIndex(1);
    EXPECT_FALSE(second->EnableBox()->isChecked());
    EXPECT_TRUE(second->UpperBox()->isReadOnly());
    EXPECT_TRUE(second->isEnabled());
    EXPECT_FALSE(first->isEnabled());
    testing::ClickCheckBox(second->EnableBox());
    EXPECT_EQ(alarmEnable, 1);
    panel->AlarmTabs()->setCurrentIndex(0);
    EXPECT_TRUE(first->EnableBox()->isChecked());
    EXPECT_FALSE(first->UpperBox()->isReadOnly());
}

TEST_F(RealtimePanelTest, EnterInAnAlarmPageClosesNothing) {
    panel->SetAlarmEnabled(true);
    QLineEdit* upper = panel->Channel1Page()->UpperBox();
    upper->setFocus();
    QTest::keyClick(upper, Qt::Key_Return);
    QTest::keyClick(upper, Qt::Key_Escape);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->Channel1Page()->isVisible());
}

TEST_F(RealtimePanelTest, SettingsReadBackAsTheConnectionNeedsThem) {
    panel->SetLimits(1, 40, -10);
    panel->SetLimits(2, 90, 20);
    EXPECT_EQ(panel->Channel1Page()->UpperBox()->text(), "40");
    EXPECT_EQ(panel->UpperLimit(1), 40);
    EXPECT_EQ(panel->LowerLimit(1), -10);
    EXPECT_EQ(panel->UpperLimit(2), 90);
    panel->Channel2Page()->LowerBox()->setText(QStringLiteral("2x.9"));
    EXPECT_EQ(panel->LowerLimit(2), 2);
    panel->Channel2Page()->LowerBox()->setText(QStringLiteral("abc"));
    EXPECT_EQ(panel->LowerLimit(2), 0);

    panel->IntervalPicker()->setTime(QTime(23, 59, 59));
    EXPECT_EQ(panel->IntervalSeconds(), CFormDialog::kLongestInterval);
    panel->SetIntervalSeconds(3725);
    EXPECT_EQ(panel->IntervalPicker()->time(), QTime(1, 2, 5));
    EXPECT_EQ(panel->IntervalSeconds(), 3725);

    const std::time_t start = 1717203845;
    panel->SetStartTime(start);
    EXPECT_EQ(panel->StartTime(), start);

    // The limits count GBK bytes: a Chinese character takes two.
    panel->SetDescription(QString(80, QChar(u'描')));
    EXPECT_EQ(panel->Description(),
              QString(static_cast<qsizetype>(kLoggerDescriptionBytes / 2), QChar(u'描')));
    panel->TitleBox()->setText(QString(50, QChar(u'T')));
    EXPECT_EQ(panel->Title(), QString(static_cast<qsizetype>(kLoggerTitleBytes), QChar(u'T')));
}

TEST_F(RealtimePanelTest, StartAndStopButtonsFollowTheView) {
    bool startBegins = false;
    int stops = 0;
    panel->SetStartHandler([&] { return startBegins; });
    panel->SetStopHandler([&] { ++stops; });

    QTest::mouseClick(panel->StartButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->StartButton()->isEnabled()) << "a start the view did not begin changes nothing";
    EXPECT_FALSE(panel->StopButton()->isEnabled());

    startBegins = true;
    QTest::mouseClick(panel->StartButton(), Qt::LeftButton);
    EXPECT_FALSE(panel->StartButton()->isEnabled());
    EXPECT_TRUE(panel->StopButton()->isEnabled());

    QTest::mouseClick(panel->StopButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->StartButton()->isEnabled());
    EXPECT_FALSE(panel->StopButton()->isEnabled());
    EXPECT_EQ(stops, 1);
}

TEST_F(RealtimePanelTest, SettingsEnableAndChannelTabsFollowTheLogger) {
    panel->SetSettingsEnabled(false);
    EXPECT_FALSE(panel->TitleBox()->isEnabled());
    EXPECT_FALSE(panel->IntervalPicker()->isEnabled());
    EXPECT_FALSE(panel->Channel1Page()->EnableBox()->isEnabled());
    EXPECT_FALSE(panel->Channel1Page()->UpperBox()->isEnabled());
    panel->SetSettingsEnabled(true);
    EXPECT_TRUE(panel->TitleBox()->isEnabled());
    EXPECT_TRUE(panel->Channel1Page()->LowerBox()->isEnabled());

    panel->SetAlarmTabCaptions(QStringLiteral("温度"), QStringLiteral("湿度"), true);
    EXPECT_EQ(panel->AlarmTabs()->tabText(1), "湿度");
    EXPECT_TRUE(panel->AlarmTabs()->isTabVisible(1));
    panel->AlarmTabs()->setCurrentIndex(1);
    panel->SetAlarmTabCaptions(QStringLiteral("温度"), QStringLiteral(" "), false);
    EXPECT_FALSE(panel->AlarmTabs()->isTabVisible(1));
    EXPECT_EQ(panel->AlarmTabs()->currentIndex(), 0);
}

TEST(HistoryPanelTest, SummarySitsBesideThePages) {
    CDlgHistory panel(CreateHistoryPages());
    panel.resize(1400, 600);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QWidget* page = panel.DataTabs()->widget(0);
    const QPoint pageTop = page->mapTo(&panel, QPoint(0, 0));
    const QRect summary = panel.SummaryPage()->geometry();
    EXPECT_EQ(panel.SummaryPage()->objectName(), "CPage4");
    EXPECT_TRUE(panel.SummaryPage()->isVisible());
    EXPECT_EQ(summary.x(), 700);
    EXPECT_EQ(summary.y(), pageTop.y() + 10);
    EXPECT_EQ(summary.width(), page->width() - 350);
    EXPECT_EQ(summary.height(), page->height());

    panel.resize(900, 600);
    QTest::qWait(20);
    EXPECT_LE(panel.SummaryPage()->geometry().right(), panel.width()) << "never beyond the panel";
}

// The list pages size their columns as the lists ask, also after a list replaced its value
// columns for another model.
TEST(ListPageTest, ColumnsTakeTheListsWidths) {
    RealtimeListModel list(ListKind::RealtimeAlarm);
    ListPage page;
    page.SetList(&list, true);
    EXPECT_GE(page.columnWidth(0), 55);
    EXPECT_LT(page.columnWidth(0), page.columnWidth(1));
    // A whole time text fits its column, whatever the desktop's font.
    EXPECT_GT(page.columnWidth(1),
              page.fontMetrics().horizontalAdvance(QStringLiteral("2026-12-08 18:49:51")));

    LoggerInfo info;
    info.model = LoggerModel::TemperatureHumidity;
    SampleSeries series;
    series.AppendRealtime(21.5f, 55.0f, 0);
    list.AppendReading(series, info, 0);
    ASSERT_EQ(list.columnCount(), 6);
    EXPECT_GE(page.columnWidth(2), 65);
    EXPECT_EQ(page.columnWidth(3), page.columnWidth(2));
    EXPECT_NEAR(page.columnWidth(4) * 65 / 140, page.columnWidth(2), 1) << "alarm columns are wider";
}

}  // namespace
}  // namespace veldrin
