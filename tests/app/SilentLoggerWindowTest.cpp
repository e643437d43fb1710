// A logger that falls silent during a download, as the window shows it: the progress strip and
// status pane 2 say "通信超时" within the link's timeout, the strip counts the seconds left before
// the port is closed, and the partial history says it is partial wherever it is shown: the
// caption over the history panel, the summary's "完整性" row, the printed pages and the report.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <memory>

#include "app/CDlgHistory.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "print/PdfExport.h"
#include "print/ReportPdf.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/PdfText.h"
#include "tests/app/QtTempFolder.h"
#include "tests/app/SimWindowFixture.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;
using testing::PdfText;

// The seconds a countdown text "通信超时，N秒后断开连接" gives; −1 when it is not one.
int SecondsLeftIn(const QString& text) {
    static const QRegularExpression countdown(QStringLiteral("^通信超时，(\\d+)秒后断开连接$"));
    const QRegularExpressionMatch match = countdown.match(text);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class SilentLoggerWindowTest : public testing::SimWindowFixture {};

TEST_F(SilentLoggerWindowTest, SilenceDuringADownloadIsShownAndThePartialHistorySaysSo) {
    // 3000 single-temperature readings are 6000 bytes: six blocks of up to 512 readings.
    auto logger = AttachLogger(1, LoggerOptions(LoggerModel::SingleTemperature, 3000));
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    AcceptNextDialog();  // the channel choice
    frame.Action(Command::ReadHistory)->trigger();
    ASSERT_TRUE(StepUntil([&] { return workspace.Connection().Engine().NextBlock() == 4; }, 500));
    ASSERT_EQ(frame.View()->ProgressText(), QStringLiteral("正在读取历史数据"));
    logger->SetSilent(true);
    const std::time_t silent = clock.Now();

    // Within the timeout and one step: the strip and pane 2 say so.
    ASSERT_TRUE(StepUntil([&] { return frame.StatusPane(2)->text() == QStringLiteral("通信超时"); }, 150));
    EXPECT_LE(clock.Now() - silent, 11);
    const int left = SecondsLeftIn(frame.View()->ProgressText());
    EXPECT_GE(left, 7) << frame.View()->ProgressText().toStdString();
    EXPECT_LE(left, 9);
    EXPECT_GE(frame.View()->ProgressPercent(), 0) << "the strip stays on show";
    // A second later the countdown has moved on, and the pane still says it.
    Steps(5);
    EXPECT_EQ(SecondsLeftIn(frame.View()->ProgressText()), left - 1);
    EXPECT_EQ(frame.StatusPane(2)->text(), QStringLiteral("通信超时"));

    auto said = std::make_shared<QString>();
    AcceptNextDialog(said);
    ASSERT_TRUE(StepUntil([&] { return !workspace.Connection().Online(); }, 100));
    EXPECT_LE(clock.Now() - silent, 20);
    Steps(3);
    EXPECT_TRUE(said->contains(QStringLiteral("历史数据不完整"))) << said->toStdString();
    EXPECT_EQ(frame.StatusPane(2)->text(), QStringLiteral("设备未连接"));
    EXPECT_LT(frame.View()->ProgressPercent(), 0) << "no countdown once the port is closed";

    // The partial history, marked where it is shown.
    const int received = workspace.Records().History().samples.Count();
    ASSERT_TRUE(received == 3 * 512 || received == 4 * 512) << received;
    const QString completeness = QStringLiteral("不完整：收到%1条，共3000条").arg(received);
    ASSERT_FALSE(frame.View()->HistoryPanel()->isHidden());
    EXPECT_EQ(frame.View()->Caption(), QStringLiteral("历史数据（不完整）"));
    const auto& summary = workspace.Records().Summary();
    bool listed = false;
    for (int row = 0; row < summary.rowCount(); ++row) {
        listed = listed || (summary.CellText(row, 0) == QStringLiteral("完整性") &&
                            summary.CellText(row, 1) == completeness);
    }
    EXPECT_TRUE(listed) << "no completeness row in the summary";

    test::QtTempFolder folder;
    const QString pages = folder.filePath(QStringLiteral("pages.pdf"));
    ASSERT_EQ(ExportPdf(workspace.Records().History(), {.mode = PrintMode::Text}, pages.toStdString()).status,
              PdfExportStatus::Written);
    EXPECT_TRUE(PdfText(pages, 1).contains(QStringLiteral("完整性：") + completeness))
        << PdfText(pages, 1).toStdString();
    const QString report = folder.filePath(QStringLiteral("report.pdf"));
    ASSERT_EQ(ExportReportPdf(workspace.Records().History(), {}, report.toStdString()).status,
              ReportStatus::Written);
    EXPECT_TRUE(PdfText(report, 1).contains(QStringLiteral("完整性：") + completeness))
        << PdfText(report, 1).toStdString();

    // A whole download afterwards is not marked.
    logger->SetSilent(false);
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    AcceptNextDialog();
    frame.Action(Command::ReadHistory)->trigger();
    ASSERT_TRUE(StepUntil([&] { return workspace.Records().History().samples.Count() == 3000; }, 2000));
    Steps(2);
    EXPECT_EQ(frame.View()->Caption(), QStringLiteral("历史数据"));
    for (int row = 0; row < summary.rowCount(); ++row) {
        EXPECT_NE(summary.CellText(row, 0), QStringLiteral("完整性")) << row;
    }
}

}  // namespace
}  // namespace veldrin
