// A live alarm as the window shows it, end to end over the simulated logger: the realtime curve
// draws the limit lines, the alarm list's rows beyond a limit are red, the status bar says "报警"
// with the channel and value until the readings are back within the limits, and an alarm sound
// that cannot play is said once. Colours and lines are read from grabs of the widgets.
#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QImage>
#include <QLabel>
#include <QMediaDevices>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CurvePage.h"
#include "app/FrameGeometry.h"
#include "app/PanelPages.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/InEnglish.h"
#include "tests/app/SimWindowFixture.h"

namespace veldrin {
namespace {

// The longest run of pixels of `colour` in one row of `image` between `top` and `bottom`, and the
// row it is in.
std::pair<int, int> LongestRowOf(const QImage& image, QRgb colour, int top, int bottom) {
    std::pair<int, int> best{0, -1};
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        }
        if (count > best.first) {
            best = {count, y};
        }
    }
    return best;
}

int PixelsOf(const QImage& image, QRgb colour, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y) {
        for (int x = area.left(); x <= area.right() && x < image.width(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

class LiveAlarmWindowTest : public testing::SimWindowFixture {
  protected:
    LiveAlarmWindowTest() {
        frame.resize(kFrameWidth, kFrameHeight);
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    CFormDialog* Panel() const { return frame.View()->RealtimePanel(); }
    QTabWidget* Tabs() const { return Panel()->DataTabs(); }

    // Connects a stopped single-temperature logger, starts a recording with channel-1 limits
    // `lower` … `upper` and waits for `rows` readings.
    bool RecordWithLimits(int upper, int lower, int rows) {
        SimLoggerOptions options = LoggerOptions(LoggerModel::SingleTemperature);
        options.recording = false;
        AttachLogger(1, options);
        if (!ConnectAndPoll(1, LoggerModel::SingleTemperature)) {
            return false;
        }
        Panel()->SetLimits(1, upper, lower);
        return StartRecordingFromPanel() && RowsGrowBy(rows, 400);
    }
};

TEST_F(LiveAlarmWindowTest, ReadingsBeyondALimitAreSeenInTheCurveTheListAndTheStatusBar) {
    // The simulated room is warmer than 10 °C: every reading is beyond the upper limit.
    ASSERT_TRUE(RecordWithLimits(10, -20, 3));
    ASSERT_EQ(AlarmList().CellText(0, 3), QStringLiteral("温度大于10.00°C"));

    // The status bar: "报警", the channel and the newest value.
    const SampleSeries& series = workspace.Records().RealtimeSeries();
    const QString newest = QString::asprintf("%.2f°C", static_cast<double>(series.Value1(series.Count())));
    EXPECT_TRUE(frame.AlarmPane()->isVisible());
    // In red.
    EXPECT_EQ(frame.AlarmPane()->palette().color(QPalette::WindowText), QColor(200, 0, 0));
    EXPECT_EQ(frame.AlarmPane()->text(), QStringLiteral("报警：温度 ") + newest);

    // The alarm sound cannot play without an audio output: pane 0 says so.
    Steps(5);
    const bool audio = !QMediaDevices::defaultAudioOutput().isNull();
    EXPECT_EQ(frame.StatusPane(0)->text() == QStringLiteral("报警无声：没有音频输出设备"), !audio);

    // The curve: the upper limit's line in its colour across the chart, above the readings. A
    // limit of 10 below every reading is drawn at the band's lower clamp row (450).
    Tabs()->setCurrentIndex(0);
    auto* curve = qobject_cast<CurvePage*>(Tabs()->widget(0));
    ASSERT_NE(curve, nullptr);
    const QImage page = curve->grab().toImage();
    const auto [length, row] =
        LongestRowOf(page, qRgb(250, 0, 0), CurvePage::kChartTop, CurvePage::kChartTop + CurveChart::kSize);
    EXPECT_GT(length, CurveChart::kSize * 3 / 4) << "no limit line";
    EXPECT_NEAR(row - CurvePage::kChartTop, 450, 1);

    // The alarm list: its rows are red.
    Tabs()->setCurrentIndex(2);
    auto* list = qobject_cast<ListPage*>(Tabs()->widget(2));
    ASSERT_NE(list, nullptr);
    list->clearSelection();
    QApplication::processEvents();
    const QImage rows = list->viewport()->grab().toImage();
    const QRect firstRow =
        list->visualRect(list->model()->index(0, 0))
            .united(list->visualRect(list->model()->index(0, list->model()->columnCount() - 1)));
    EXPECT_GT(PixelsOf(rows, qRgb(255, 205, 205), firstRow), firstRow.width() * firstRow.height() / 2);

    // Back within the limits: the next reading clears the status.
    info.channel1Alarm.upper = 100;
    ASSERT_TRUE(RowsGrowBy(1, 400));
    EXPECT_TRUE(frame.AlarmPane()->text().isEmpty());
    // The reading within the limits has a plain row.
    const int last = AlarmList().rowCount() - 1;
    EXPECT_FALSE(AlarmList().RowAlarms(last));
    EXPECT_FALSE(AlarmList().data(AlarmList().index(last, 0), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(AlarmList().RowAlarms(0));
}

// The English translation in effect before the window is made, and until it is gone.
struct EnglishFirst {
    testing::EnglishForAWhile inEnglish;
};

class LiveAlarmInEnglish : public EnglishFirst, public LiveAlarmWindowTest {};

TEST_F(LiveAlarmInEnglish, TheStatusBarSaysTheAlarmInEnglish) {
    ASSERT_TRUE(inEnglish.Loaded());
    ASSERT_TRUE(RecordWithLimits(10, -20, 3));
    const SampleSeries& series = workspace.Records().RealtimeSeries();
    const QString newest = QString::asprintf("%.2f°C", static_cast<double>(series.Value1(series.Count())));
    const QString said = frame.AlarmPane()->text();
    EXPECT_TRUE(said.startsWith(QStringLiteral("Alarm: ")) && said.endsWith(QStringLiteral(" ") + newest))
        << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("报警"))) << said.toStdString();
}

TEST_F(LiveAlarmWindowTest, ReadingsWithinTheLimitsRaiseNothing) {
    ASSERT_TRUE(RecordWithLimits(100, -20, 3));
    Steps(5);
    EXPECT_TRUE(frame.AlarmPane()->text().isEmpty());
    EXPECT_NE(frame.StatusPane(0)->text(), QStringLiteral("报警无声：没有音频输出设备"))
        << "no alarm, so no sound was asked for";
    for (int row = 0; row < AlarmList().rowCount(); ++row) {
        EXPECT_FALSE(AlarmList().data(AlarmList().index(row, 1), Qt::BackgroundRole).isValid()) << row;
    }
}

}  // namespace
}  // namespace veldrin
