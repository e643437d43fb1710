// The curve pages in the window: trackbar, zoom buttons and clicks reach the chart, the realtime
// trackbar follows the readings, and a loaded history is drawn with its texts.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CurvePage.h"
#include "app/Workspace.h"
#include "logger/WireCodec.h"
#include "sim/SimLink.h"
#include "sim/VirtualClock.h"

namespace veldrin {
namespace {

class CurvePageTest : public ::testing::Test {
  protected:
    CurvePageTest() {
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        realtimePage = qobject_cast<CurvePage*>(frame.View()->RealtimePanel()->DataTabs()->widget(0));
        historyPage = qobject_cast<CurvePage*>(frame.View()->HistoryPanel()->DataTabs()->widget(0));
    }

    // Sample i of the ramp is taken a minute after sample i − 1.
    static std::time_t RampTime(int i) { return 1700000000 + 60 * static_cast<std::time_t>(i); }

    // A history of `count` samples rising by one, shown as a loaded file would be.
    void ShowRampHistory(int count) {
        HistoryDataSet& history = workspace.Records().History();
        history.model = LoggerModel::SingleTemperature;
        history.shown = {true, false};
        for (int i = 0; i < count; ++i) {
            history.samples.SetHistorySample(i, static_cast<float>(i), 0, RampTime(i));
        }
        workspace.Records().ShowLoadedFile();
    }

    // Paints the page now, as the event loop would, so that its chart and texts are current.
    static void Paint(CurvePage* page) { page->repaint(); }

    VirtualClock clock;
    SimLink link{clock};
    LoggerInfo info;
    CMainFrame frame{info};
    Workspace workspace{info, frame, &link, &clock};
    CurvePage* realtimePage = nullptr;
    CurvePage* historyPage = nullptr;
};

TEST_F(CurvePageTest, HistoryTrackbarReachesTheLastReadingAtEveryZoomAndNoFurther) {
    ASSERT_NE(historyPage, nullptr);
    ShowRampHistory(100000);
    frame.View()->ShowHistoryView();
    QSlider* trackbar = historyPage->Trackbar();
    const CurveChart& chart = workspace.Records().HistoryChart();
    EXPECT_EQ(trackbar->minimum(), 0);
    EXPECT_EQ(trackbar->pageStep(), 10);

    // Zoomed in as far as it goes and at every step back out, the trackbar's end shows the last
    // reading of the history on the right of a full view, and its start the first.
    for (int i = 0; i < 20; ++i) {
        QTest::mouseClick(historyPage->ZoomInButton(), Qt::LeftButton);
    }
    ASSERT_GT(chart.ZoomExponent(), 10);
    for (int zoom = chart.ZoomExponent(); zoom >= 0; --zoom) {
        ASSERT_EQ(chart.ZoomExponent(), zoom);
        trackbar->setValue(trackbar->maximum());
        Paint(historyPage);
        const auto& points = chart.Points(1);
        ASSERT_FALSE(points.empty()) << "zoom " << zoom;
        EXPECT_EQ(points.back().sourceIndex, 99999) << "zoom " << zoom;
        EXPECT_EQ(static_cast<int>(points.size()), std::min(CurveChart::kMaxPoints, 100000 >> zoom))
            << "a full view, zoom " << zoom;
        // Zoomed in, the history reaches far past reading 30000; the range stops at the last view.
        if (zoom >= 1) {
            EXPECT_GT(trackbar->maximum(), 30000) << "zoom " << zoom;
        }
        trackbar->setValue(trackbar->maximum() + 1000);
        EXPECT_EQ(chart.FirstIndex(), trackbar->maximum());
        trackbar->setValue(0);
        Paint(historyPage);
        EXPECT_EQ(chart.SourceIndex(0), 0);
        QTest::mouseClick(historyPage->ZoomOutButton(), Qt::LeftButton);
    }

    // The keyboard moves it a page of ten samples at a time.
    QTest::mouseClick(historyPage->ZoomInButton(), Qt::LeftButton);
    QTest::mouseClick(historyPage->ZoomInButton(), Qt::LeftButton);
    trackbar->setValue(100);
    trackbar->setFocus();
    QTest::keyClick(trackbar, Qt::Key_PageUp);
    EXPECT_EQ(chart.FirstIndex(), 110);
}

TEST_F(CurvePageTest, ClickPlacesTheCursorAndShowsTheValueUnderIt) {
    ShowRampHistory(200);
    frame.View()->ShowHistoryView();
    Paint(historyPage);
    const CurveChart& chart = workspace.Records().HistoryChart();

    QTest::mouseClick(historyPage, Qt::LeftButton, {}, QPoint(CurvePage::kChartLeft + 300, 200));
    Paint(historyPage);
    const int source = chart.SourceIndex(chart.CursorPoint());
    ASSERT_GT(source, 0);
    EXPECT_NEAR(chart.CursorPosition(), 300, chart.PixelStep());
    EXPECT_EQ(chart.CursorText(), QString::fromStdString(FormatTime(RampTime(source))));
    const auto& texts = historyPage->Texts();
    const auto value =
        std::find_if(texts.begin(), texts.end(), [](const PageText& t) { return t.x == 595 && t.y == 50; });
    ASSERT_NE(value, texts.end());
    EXPECT_EQ(value->text.trimmed().toDouble(), source);

    // Left of the chart: the first drawn point.
    QTest::mouseClick(historyPage, Qt::LeftButton, {}, QPoint(10, 200));
    Paint(historyPage);
    EXPECT_EQ(chart.CursorPoint(), 0);
    EXPECT_EQ(chart.CursorText(), QString::fromStdString(FormatTime(RampTime(0))));
}

TEST_F(CurvePageTest, RealtimeTrackbarFollowsTheReadingsAndZoomStopsAtFourReadings) {
    ASSERT_NE(realtimePage, nullptr);
    info.model = LoggerModel::TemperatureHumidity;
    RealtimeMonitor& monitor = workspace.Records().Realtime();
    monitor.SetMonitoring(true);
    for (int i = 0; i < 16; ++i) {
        monitor.HandleReading(20.0f + static_cast<float>(i), 40.0f, clock.Now() + i);
    }
    EXPECT_EQ(realtimePage->Trackbar()->maximum(), 16);

    const CurveChart& chart = workspace.Records().RealtimeChart();
    QTest::mouseClick(realtimePage->ZoomInButton(), Qt::LeftButton);
    QTest::mouseClick(realtimePage->ZoomInButton(), Qt::LeftButton);
    EXPECT_EQ(chart.ZoomExponent(), 2);  // 4 × 4 = 16 readings still fill a view
    QTest::mouseClick(realtimePage->ZoomInButton(), Qt::LeftButton);
    EXPECT_EQ(chart.ZoomExponent(), 2);
    QTest::mouseClick(realtimePage->ZoomOutButton(), Qt::LeftButton);
    EXPECT_EQ(chart.ZoomExponent(), 1);

    Paint(realtimePage);
    const auto& texts = realtimePage->Texts();
    const auto titled = [&](const char* title) {
        return std::any_of(texts.begin(), texts.end(),
                           [&](const PageText& t) { return t.text == QString::fromUtf8(title); });
    };
    EXPECT_TRUE(titled("温度°C"));
    EXPECT_TRUE(titled("湿度%RH"));
}

TEST_F(CurvePageTest, ANewHistoryStartsTheTrackbarAtItsFirstSample) {
    ShowRampHistory(5000);
    historyPage->Trackbar()->setValue(3000);
    ShowRampHistory(4000);
    EXPECT_EQ(historyPage->Trackbar()->value(), 0);
    EXPECT_EQ(workspace.Records().HistoryChart().FirstIndex(), 0);
}

}  // namespace
}  // namespace veldrin
