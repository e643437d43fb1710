// The curve pages in the window: trackbar, zoom buttons and clicks reach the chart, the realtime
// trackbar follows the readings, and a loaded history is drawn with its texts.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CurvePage.h"
#include "app/FrameGeometry.h"
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

    // The window at its designed size, which shows the curve pages whole.
    void ShowAtItsSize() {
        frame.resize(kFrameWidth, kFrameHeight);
        QCoreApplication::processEvents();
    }

    struct AxisLabel {
        int column;  // the chart's pixel column the label is centred on
        QString text;
    };

    // Grabs `page` as the user sees it and returns its time axis labels, after checking on the
    // picture that each stands on a grid line of the chart: its black pixels in the band along the
    // chart's top are centred on the line, the line itself is drawn above the label, and nothing
    // black lies between two labels.
    static std::vector<AxisLabel> LabelsOnGridLines(CurvePage* page) {
        page->repaint();
        const QImage picture = page->grab().toImage();
        if (picture.width() < CurvePage::kChartLeft + CurveChart::kSize) {
            ADD_FAILURE() << "the page shows only " << picture.width() << " pixels across";
            return {};
        }
        const QFontMetrics metrics(CurvePageFont());
        std::vector<AxisLabel> labels;
        const auto dark = [&](int x) {
            for (int y = kTimeAxisTop; y < kTimeAxisTop + kTimeAxisHeight; ++y) {
                const QRgb pixel = picture.pixel(x, y);
                if (qRed(pixel) < 110 && qGreen(pixel) < 110 && qBlue(pixel) < 110) {
                    return true;
                }
            }
            return false;
        };
        int nextFree = CurvePage::kChartLeft;
        for (const PageText& text : page->Texts()) {
            if (text.y != kTimeAxisTop) {
                continue;
            }
            const int right = text.x + metrics.horizontalAdvance(text.text);
            for (int x = nextFree; x < text.x; ++x) {
                EXPECT_FALSE(dark(x)) << "a dark pixel between labels at x " << x;
            }
            int first = -1;
            int last = -1;
            for (int x = text.x; x < right; ++x) {
                if (dark(x)) {
                    first = first < 0 ? x : first;
                    last = x;
                }
            }
            EXPECT_GE(first, 0) << "label " << text.text.toStdString() << " not drawn";
            const int column = (text.x + right) / 2 - CurvePage::kChartLeft;
            EXPECT_EQ(column % CurveChart::kGridSpacing, 0) << text.text.toStdString();
            EXPECT_NEAR((first + last) / 2.0, CurvePage::kChartLeft + column, 3) << text.text.toStdString();
            EXPECT_EQ(picture.pixel(CurvePage::kChartLeft + column, CurvePage::kChartTop + 2) & 0xffffffu,
                      qRgb(200, 200, 200) & 0xffffffu)
                << "no grid line above " << text.text.toStdString();
            labels.push_back({column, text.text});
            nextFree = right;
        }
        for (int x = nextFree; x < CurvePage::kChartLeft + CurveChart::kSize; ++x) {
            EXPECT_FALSE(dark(x)) << "a dark pixel after the last label at x " << x;
        }
        return labels;
    }

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

TEST_F(CurvePageTest, HistoryTimeAxisIsLabelledWithTheDatesOfItsGridLines) {
    ShowAtItsSize();
    // 256 readings ten minutes apart from 22:00 on 30 April: two pixels a reading, so chart
    // column c is 5c minutes after the start and the view runs into 2 May.
    HistoryDataSet& history = workspace.Records().History();
    history.model = LoggerModel::SingleTemperature;
    history.shown = {true, false};
    const std::time_t start = MakeLocalTime(2024, 4, 30, 22, 0, 0).value();
    for (int i = 0; i < 256; ++i) {
        history.samples.SetHistorySample(i, static_cast<float>(i % 9), 0,
                                         start + 600 * static_cast<std::time_t>(i));
    }
    workspace.Records().ShowLoadedFile();
    frame.View()->ShowHistoryView();

    const std::vector<AxisLabel> labels = LabelsOnGridLines(historyPage);
    ASSERT_GE(labels.size(), 3u);
    for (const AxisLabel& label : labels) {
        const int minutes = 22 * 60 + 5 * label.column;
        const int days = minutes / (24 * 60);  // 30 April, 1 May, 2 May
        const int of = minutes % (24 * 60);
        EXPECT_EQ(label.text.toStdString(), QString::asprintf("%02d-%02d %02d:%02d", days == 0 ? 4 : 5,
                                                              days == 0 ? 30 : days, of / 60, of % 60)
                                                .toStdString());
    }

    // Zoomed in, the same grid lines carry times closer together.
    QTest::mouseClick(historyPage->ZoomInButton(), Qt::LeftButton);
    QTest::mouseClick(historyPage->ZoomInButton(), Qt::LeftButton);
    const std::vector<AxisLabel> zoomed = LabelsOnGridLines(historyPage);
    ASSERT_GE(zoomed.size(), 3u);
    const int pixelStep = workspace.Records().HistoryChart().PixelStep();
    ASSERT_EQ(pixelStep, 8);
    for (const AxisLabel& label : zoomed) {
        const int minutes = 22 * 60 + 10 * label.column / pixelStep;
        const int of = minutes % (24 * 60);
        EXPECT_TRUE(label.text.endsWith(QString::asprintf(" %02d:%02d", of / 60, of % 60)))
            << label.text.toStdString();
    }
}

TEST_F(CurvePageTest, LiveCurveTimeAxisIsLabelledToTheSecond) {
    ASSERT_NE(realtimePage, nullptr);
    ShowAtItsSize();
    RealtimeMonitor& monitor = workspace.Records().Realtime();
    monitor.SetMonitoring(true);
    // 64 readings 8 s apart from 08:00:00: eight pixels a reading, column c is c seconds on.
    const std::time_t start = MakeLocalTime(2024, 5, 1, 8, 0, 0).value();
    for (int i = 0; i < 64; ++i) {
        monitor.HandleReading(20.0f + static_cast<float>(i % 4), 0, start + 8 * i);
    }
    const std::vector<AxisLabel> labels = LabelsOnGridLines(realtimePage);
    ASSERT_GE(labels.size(), 4u);
    for (const AxisLabel& label : labels) {
        EXPECT_EQ(label.text.toStdString(),
                  QString::asprintf("08:%02d:%02d", label.column / 60, label.column % 60).toStdString());
    }
}

}  // namespace
}  // namespace veldrin
