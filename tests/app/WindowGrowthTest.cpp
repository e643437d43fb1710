// The window on a larger screen: enlarged, the curve pages draw their charts larger at the
// window's resolution (sharp one-pixel grid lines, not a stretched picture) and the lists take
// the room; at the designed size everything is as before. The progress strip's text reads at
// every fill, and an empty chart's scale runs upwards. Read from grabs of the widgets.
#include <gtest/gtest.h>

#include <QImage>
#include <QTabWidget>
#include <QTest>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/CurvePage.h"
#include "app/FrameGeometry.h"
#include "tests/app/SimWindowFixture.h"

namespace veldrin {
namespace {

constexpr QRgb kGrid = qRgb(200, 200, 200);
constexpr QRgb kWhite = qRgb(255, 255, 255);

bool Is(const QImage& image, int x, int y, QRgb colour) {
    return (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
}

class WindowGrowthTest : public testing::SimWindowFixture {
  protected:
    WindowGrowthTest() {
        frame.resize(kFrameWidth, kFrameHeight);
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    CurvePage* RealtimeCurve() const {
        return qobject_cast<CurvePage*>(frame.View()->RealtimePanel()->DataTabs()->widget(0));
    }
    CurvePage* HistoryCurve() const {
        return qobject_cast<CurvePage*>(frame.View()->HistoryPanel()->DataTabs()->widget(0));
    }
    void Resize(int width, int height) {
        frame.resize(width, height);
        QTest::qWait(50);
        QApplication::processEvents();
    }
    // The vertical grid line of plot column `plotX` in a grab of `page`: one pixel of grid colour
    // with white on both sides, halfway down the chart.
    static void ExpectSharpGridColumn(CurvePage* page, int plotX) {
        const QImage image = page->grab().toImage();
        const double scale = page->Scale();
        const auto px = [scale](int at) { return static_cast<int>(std::lround(at * scale)); };
        const int x = px(CurvePage::kChartLeft) + px(plotX);
        const int y = px(CurvePage::kChartTop) + px(16);
        ASSERT_LT(x + 1, image.width());
        EXPECT_TRUE(Is(image, x, y, kGrid)) << "scale " << scale;
        EXPECT_TRUE(Is(image, x - 1, y, kWhite)) << "scale " << scale;
        EXPECT_TRUE(Is(image, x + 1, y, kWhite)) << "scale " << scale;
    }
};

TEST_F(WindowGrowthTest, AnEnlargedWindowDrawsLargerChartsAndListsAtItsResolution) {
    CurvePage* realtime = RealtimeCurve();
    ASSERT_NE(realtime, nullptr);
    realtime->repaint();
    // At the designed size: the chart as designed.
    EXPECT_EQ(realtime->Scale(), 1.0);
    EXPECT_EQ(workspace.Records().RealtimeChart().Image().width(), CurveChart::kSize);
    ExpectSharpGridColumn(realtime, 256);
    QTabWidget* realtimeTabs = frame.View()->RealtimePanel()->DataTabs();
    const auto listSize = [&] {
        realtimeTabs->setCurrentIndex(1);
        QApplication::processEvents();
        const QSize size = realtimeTabs->widget(1)->size();
        realtimeTabs->setCurrentIndex(0);
        QApplication::processEvents();
        return size;
    };
    const QSize list = listSize();

    Resize(1900, 1400);
    realtime->repaint();
    EXPECT_GT(realtime->Scale(), 1.5);
    const int side = workspace.Records().RealtimeChart().Image().width();
    EXPECT_EQ(side, static_cast<int>(std::lround(CurveChart::kSize * realtime->Scale())));
    ExpectSharpGridColumn(realtime, 256);
    ExpectSharpGridColumn(realtime, 96);
    // The chart and its trackbar fit the page.
    EXPECT_LE(std::lround((CurvePage::kChartLeft + CurveChart::kSize) * realtime->Scale()),
              realtime->width());
    EXPECT_LE(realtime->Trackbar()->geometry().bottom(), realtime->height());
    EXPECT_EQ(realtime->Trackbar()->width(), side);
    const QSize largerList = listSize();
    EXPECT_GT(largerList.width(), list.width() + 600) << "the lists take the room";
    EXPECT_GT(largerList.height(), list.height() + 400) << "the lists take the room";

    // The history panel grows as well.
    frame.View()->ShowHistoryView();
    QApplication::processEvents();
    CurvePage* history = HistoryCurve();
    history->repaint();
    EXPECT_GT(history->Scale(), 1.5);
    ExpectSharpGridColumn(history, 256);
    const QRect summary = frame.View()->HistoryPanel()->SummaryPage()->geometry();
    EXPECT_GE(summary.left(), frame.View()->HistoryPanel()->DataTabs()->geometry().right());
    EXPECT_LE(summary.right(), frame.View()->HistoryPanel()->width());

    // Back at the designed size, as designed again.
    Resize(kFrameWidth, kFrameHeight);
    history->repaint();
    EXPECT_EQ(history->Scale(), 1.0);
    EXPECT_EQ(workspace.Records().HistoryChart().Image().width(), CurveChart::kSize);
    EXPECT_EQ(frame.View()->HistoryPanel()->SummaryPage()->geometry().x(), 700);
}

TEST_F(WindowGrowthTest, TheProgressTextReadsAtEveryFill) {
    CVeldrinView* view = frame.View();
    const auto strip = [&](int percent) {
        view->ShowProgress(percent, QStringLiteral("正在读取历史数据"));
        return view->grab().toImage();
    };
    // The text's box: from the strip's start, over the width of the text.
    const int textWidth = view->fontMetrics().horizontalAdvance(QStringLiteral("正在读取历史数据"));
    const QRect text(416, view->height() - 19, textWidth, 17);
    const auto count = [&](const QImage& image, auto test) {
        int n = 0;
        for (int y = text.top(); y <= text.bottom(); ++y) {
            for (int x = text.left(); x <= text.right(); ++x) {
                n += test(QColor(image.pixel(x, y))) ? 1 : 0;
            }
        }
        return n;
    };
    const auto dark = [](const QColor& c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; };
    const auto light = [](const QColor& c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; };
    const auto fill = [](const QColor& c) { return c == QColor(100, 100, 250); };

    // Empty: dark text on the window's ground.
    const QImage empty = strip(0);
    EXPECT_GT(count(empty, dark), 30);
    // Full: light text on the fill, and no dark text.
    const QImage full = strip(100);
    EXPECT_GT(count(full, fill), 100);
    EXPECT_GT(count(full, light), 30);
    EXPECT_EQ(count(full, dark), 0);
    view->HideProgress();
}

TEST_F(WindowGrowthTest, AnEmptyChartsScaleRunsUpwards) {
    CurvePage* realtime = RealtimeCurve();
    realtime->repaint();
    std::vector<PageText> left;
    for (const PageText& text : realtime->Texts()) {
        if (text.x == 5 && text.y > 5) {
            left.push_back(text);
        }
    }
    ASSERT_EQ(left.size(), 9u);
    std::sort(left.begin(), left.end(), [](const PageText& a, const PageText& b) { return a.y < b.y; });
    for (std::size_t i = 1; i < left.size(); ++i) {
        EXPECT_GT(left[i - 1].text.toDouble(), left[i].text.toDouble()) << "the top label is the largest";
    }
    EXPECT_EQ(left.front().text, QStringLiteral("32.00"));
    EXPECT_EQ(left.back().text, QStringLiteral("24.00"));
}

}  // namespace
}  // namespace veldrin
