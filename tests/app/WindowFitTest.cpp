// The window as a Linux user sees it: on a small screen the frame, its buttons and its status bar
// stay on the screen and the view scrolls; the history summary shows whole values at the default
// size; the dialogs have titles; Qt's own texts are Chinese.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CInsExchangeDialog.h"
#include "app/CMyDialog.h"
#include "app/CVeldrinView.h"
#include "app/CheckHistory.h"
#include "history/HistoryText.h"
#include "logger/Gbk.h"
#include "logger/WireCodec.h"
#include "tests/app/SimWindowFixture.h"
#include "translations/Translator.h"

namespace veldrin {
namespace {

class WindowFitTest : public testing::SimWindowFixture {};

TEST_F(WindowFitTest, OnASmallScreenTheFrameStaysOnItAndTheViewScrolls) {
    const QSize screen(800, 600);
    frame.resize(screen.width(), screen.height() - 10);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_LE(frame.width(), screen.width()) << "the frame is never wider than the screen";
    EXPECT_LE(frame.height(), screen.height() - 10);

    QStatusBar* status = frame.statusBar();
    EXPECT_TRUE(status->isVisible());
    EXPECT_LE(status->mapTo(&frame, QPoint(0, status->height())).y(), frame.height());

    auto* scroller = frame.findChild<QScrollArea*>(QStringLiteral("viewScroller"));
    ASSERT_NE(scroller, nullptr);
    EXPECT_GT(scroller->verticalScrollBar()->maximum() + scroller->horizontalScrollBar()->maximum(), 0)
        << "what does not fit scrolls";
    QPushButton* start = frame.View()->RealtimePanel()->StartButton();
    scroller->ensureWidgetVisible(start);
    QTest::qWait(20);
    const QRect shown = QRect(start->mapTo(&frame, QPoint(0, 0)), start->size());
    EXPECT_TRUE(frame.rect().contains(shown)) << "the start button can be brought into the frame";
    EXPECT_FALSE(start->visibleRegion().isEmpty());
}

// A temperature-humidity history whose title and description fill their GBK bytes.
void DownloadLongTexts(LoggerInfo& info, Measurements& records) {
    info.model = LoggerModel::TemperatureHumidity;
    info.title = "北门冷库一号温湿度记录仪表二零二四年";                                // 36 bytes
    info.description = "冷库北门货架第三排靠墙位置每分钟记录一次温度湿度数据请勿移动";  // 60 bytes
    ASSERT_EQ(GbkLength(info.title), 36u);
    ASSERT_EQ(GbkLength(info.description), 60u);
    info.instrumentName = "温湿度记录仪";
    info.interval = 60;
    info.startTime = DecodeDateTime(EncodeDateTime(1716166800).data());
    Bytes raw{0xFF, 0xF5, 0x01, 0x01, 0x02, 0x03, 0x04};
    for (int i = 0; i < 100; ++i) {
        raw.insert(raw.end(), {0x14, 0x32, 0x3C, 0x05});
    }
    raw.insert(raw.end(), {0xFF, 0xFF});
    records.TakeDownloadedHistory(raw, {true, true});
}

TEST_F(WindowFitTest, SummaryValuesAreWholeAtTheDefaultSize) {
    frame.resize(1000, 720);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    DownloadLongTexts(info, workspace.Records());
    ASSERT_FALSE(frame.View()->HistoryPanel()->isHidden());
    QTest::qWait(50);

    auto* scroller = frame.findChild<QScrollArea*>(QStringLiteral("viewScroller"));
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), 0) << "at the default size nothing scrolls";
    EXPECT_EQ(scroller->verticalScrollBar()->maximum(), 0) << "at the default size nothing scrolls";
    frame.View()->ShowRealtimeView();
    QTest::qWait(20);
    EXPECT_EQ(scroller->horizontalScrollBar()->maximum() + scroller->verticalScrollBar()->maximum(), 0)
        << "nor on the realtime panel";
    frame.View()->ShowHistoryView();
    QTest::qWait(20);

    auto* summary = qobject_cast<QTableView*>(frame.View()->HistoryPanel()->SummaryPage());
    ASSERT_NE(summary, nullptr);
    QAbstractItemModel* list = summary->model();
    ASSERT_NE(list, nullptr);
    const int viewport = summary->viewport()->width();
    const QFontMetrics metrics(summary->font());
    int checked = 0;
    for (int row = 0; row < list->rowCount(); ++row) {
        const QString value = list->index(row, 1).data().toString().trimmed();
        if (value.isEmpty()) {
            continue;
        }
        SCOPED_TRACE(value.toStdString());
        const QRect cell = summary->visualRect(list->index(row, 1));
        EXPECT_LE(cell.right(), viewport) << "no scrolling to the value";
        const QRect text = cell.adjusted(4, 0, -4, 0);
        const QRect needed = metrics.boundingRect(QRect(0, 0, text.width(), 100000), Qt::TextWordWrap, value);
        EXPECT_LE(needed.width(), text.width());
        EXPECT_LE(needed.height(), cell.height()) << "the whole value is on its lines";
        ++checked;
    }
    EXPECT_GE(checked, 10);
    // Times stay on one line.
    const SummaryTexts texts = SummaryTextsOf(workspace.Records().History());
    for (const std::string& time : {texts.startTime, texts.stopTime}) {
        const QList<QModelIndex> found = list->match(list->index(0, 1), Qt::DisplayRole,
                                                     QString::fromStdString(time), 1, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << time;
        EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(time)) + 8,
                  summary->visualRect(found[0]).width());
    }
}

TEST(DialogTitles, QuestionDialogsSayWhatTheyAreAbout) {
    EXPECT_EQ(CheckHistory(CheckHistory::TemperatureHumidity).windowTitle(), QStringLiteral("读取历史数据"));
    EXPECT_EQ(CheckHistory(CheckHistory::SingleChannel).windowTitle(), QStringLiteral("读取历史数据"));
    EXPECT_EQ(CMyDialog(0).windowTitle(), QStringLiteral("启动记录"));
    EXPECT_EQ(CInsExchangeDialog().windowTitle(), QStringLiteral("仪器不匹配"));
}

TEST(QtTexts, MessageBoxButtonsAreChineseOnceTheTranslationsAreLoaded) {
    QMessageBox before(QMessageBox::Information, QStringLiteral("Veldrin"), QStringLiteral("x"),
                       QMessageBox::Ok | QMessageBox::Cancel);
    ASSERT_EQ(before.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')), QStringLiteral("OK"));

    ASSERT_TRUE(InstallTranslations(*qApp, Language::Chinese))
        << "qt6-translations-l10n is installed by tools/install-deps";
    QMessageBox box(QMessageBox::Information, QStringLiteral("Veldrin"), QStringLiteral("x"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')), QStringLiteral("确定"));
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("取消")));
}

}  // namespace
}  // namespace veldrin
