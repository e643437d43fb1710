// The print preview opened from the window's menu works on its own copy of the history: a download
// that finishes while it is open does not reach what it previews and prints.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <memory>
#include <vector>

#include "app/CheckHistory.h"
#include "app/FileCommands.h"
#include "app/preview/CDlgPrintPreview.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/SimWindowFixture.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;

// What the open preview showed after its Preview button was pressed.
struct PreviewSeen {
    bool opened = false;
    bool downloadFinished = false;
    int count = 0;
    std::vector<float> values2;
    std::string dataLengthLine;
};

class PrintPreviewTest : public testing::SimWindowFixture {
  protected:
    PrintPreviewTest() {
        AttachLogger(1, LoggerOptions(LoggerModel::TemperatureHumidity, 300));
        files.Install();
    }

    // Reads the history through the menu; `humidity` is the choice of the channel dialog.
    void StartDownload(bool humidity) {
        QTimer::singleShot(0, [humidity] {
            auto* dialog = qobject_cast<CheckHistory*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
                if (box->text() == QStringLiteral("湿度")) {
                    box->setChecked(humidity);
                }
            }
            dialog->accept();
        });
        frame.Action(Command::ReadHistory)->trigger();
    }
    // Steps until the download is over and the window's history shows `humidity` as chosen.
    bool DownloadFinished(bool humidity) {
        return StepUntil(
            [&] {
                const HistoryDataSet& history = workspace.Records().History();
                return workspace.Connection().CurrentPhase() != Phase::ReadingHistory &&
                       history.samples.Count() > 0 && history.shown[1] == humidity;
            },
            3000);
    }

    FileCommands files{workspace, frame, nullptr};
};

TEST_F(PrintPreviewTest, ADownloadThatFinishesWhileThePreviewIsOpenLeavesItsHistoryAlone) {
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::TemperatureHumidity));
    StartDownload(true);
    ASSERT_TRUE(DownloadFinished(true));
    const HistoryDataSet& live = workspace.Records().History();
    ASSERT_EQ(live.shown, (std::array<bool, 2>{true, true}));
    const int count = live.samples.Count();
    ASSERT_GT(count, 100);
    std::vector<float> humidity(live.samples.Values2(), live.samples.Values2() + count);
    ASSERT_NE(humidity[0], 0.0F);

    auto seen = std::make_shared<PreviewSeen>();
    QTimer::singleShot(0, [this, seen] {
        auto* preview = qobject_cast<CDlgPrintPreview*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        seen->opened = true;
        // The history is read again, temperature only, while the preview is open.
        StartDownload(false);
        seen->downloadFinished = DownloadFinished(false);
        // One sample less, so that Preview builds the selection anew.
        const std::time_t stop = preview->Selection().times.back() - 1;
        const QDateTime local = QDateTime::fromSecsSinceEpoch(stop);
        preview->findChild<QTimeEdit*>(QStringLiteral("stopTime"))->setTime(local.time());
        preview->findChild<QDateEdit*>(QStringLiteral("stopDate"))->setDate(local.date());
        QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("preview")), Qt::LeftButton);
        const PrintSelection& selection = preview->Selection();
        seen->count = selection.count;
        seen->values2.assign(selection.values2.begin(), selection.values2.begin() + selection.count);
        seen->dataLengthLine = selection.summaryLines[3];
        preview->reject();
    });
    frame.Action(Command::PrintHistory)->trigger();

    ASSERT_TRUE(seen->opened);
    ASSERT_TRUE(seen->downloadFinished) << "the second download replaced the window's history";
    ASSERT_EQ(seen->count, count - 1);
    for (int i = 0; i < seen->count; ++i) {
        ASSERT_FLOAT_EQ(seen->values2[static_cast<std::size_t>(i)], humidity[static_cast<std::size_t>(i)])
            << "sample " << i;
    }
    EXPECT_EQ(seen->dataLengthLine, "数据长度：" + std::to_string(2 * (count - 1)));
}

}  // namespace
}  // namespace veldrin
