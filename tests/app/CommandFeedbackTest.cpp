// What the window says when a command cannot do what was asked: a logger of another model than
// the one chosen (which model answered, and a button to connect again as that one), and the
// recording buttons while no logger is on line.
#include <gtest/gtest.h>

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/SimWindowFixture.h"
#include "tests/app/WindowDriving.h"

namespace veldrin {
namespace {

using testing::OnNextDialog;

// What a message box showed, and which of its buttons there were.
struct SeenBox {
    QString text;
    QString detail;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QStringList buttons;
};

// Reads the next message box, then presses its button whose text is `press` (or closes it with
// its default button when `press` is empty).
std::shared_ptr<SeenBox> ReadNextBox(const QString& press = QString()) {
    auto seen = std::make_shared<SeenBox>();
    OnNextDialog<QMessageBox>([seen, press](QMessageBox* box) {
        seen->text = box->text();
        seen->detail = box->informativeText();
        seen->icon = box->icon();
        seen->title = box->windowTitle();
        QAbstractButton* chosen = box->defaultButton();
        for (QAbstractButton* button : box->buttons()) {
            seen->buttons << button->text();
            if (!press.isEmpty() && button->text() == press) {
                chosen = button;
            }
        }
        chosen->click();
    });
    return seen;
}

class CommandFeedbackTest : public testing::SimWindowFixture {
  protected:
    // Connects com2's temperature-humidity logger as a single-temperature one and waits for the
    // mismatch message; `press` is the button pressed on it.
    std::shared_ptr<SeenBox> ConnectAsTheWrongModel(const QString& press = QString()) {
        auto seen = ReadNextBox(press);
        workspace.Connection().Connect(test::ComChoice(2, LoggerModel::SingleTemperature));
        StepUntil([&] { return !seen->text.isEmpty(); }, 200);
        return seen;
    }
};

TEST_F(CommandFeedbackTest, AMismatchNamesBothModelsAndLeavesNothingToReadFrom) {
    AttachLogger(2, LoggerOptions(LoggerModel::TemperatureHumidity));
    const auto seen = ConnectAsTheWrongModel();
    EXPECT_EQ(seen->text, QStringLiteral("仪器不匹配"));
    EXPECT_EQ(seen->detail, QStringLiteral("选择的是单温度记录仪，连接的是温湿度记录仪"));
    EXPECT_EQ(seen->icon, QMessageBox::Warning);
    EXPECT_EQ(seen->title, frame.windowTitle());
    EXPECT_TRUE(seen->buttons.contains(QStringLiteral("重新连接为温湿度记录仪")))
        << seen->buttons.join('|').toStdString();

    // Declined: nothing is linked, so reading a history is not offered.
    Steps(3);
    EXPECT_FALSE(workspace.Connection().Online());
    frame.RefreshCommands();
    EXPECT_FALSE(frame.Action(Command::ReadHistory)->isEnabled());
    EXPECT_TRUE(frame.Action(Command::Connect)->isEnabled());
}

TEST_F(CommandFeedbackTest, TheReconnectButtonConnectsAsTheModelThatAnswered) {
    AttachLogger(2, LoggerOptions(LoggerModel::TemperatureHumidity));
    const auto seen = ConnectAsTheWrongModel(QStringLiteral("重新连接为温湿度记录仪"));
    ASSERT_EQ(seen->text, QStringLiteral("仪器不匹配"));
    ASSERT_TRUE(StepUntil(
        [&] {
            return workspace.Connection().Online() && workspace.Connection().CurrentPhase() == Phase::Polling;
        },
        300));
    EXPECT_EQ(info.model, LoggerModel::TemperatureHumidity);
    frame.RefreshCommands();
    EXPECT_TRUE(frame.Action(Command::ReadHistory)->isEnabled());
}

TEST_F(CommandFeedbackTest, RecordingButtonsWithoutALoggerSayItIsNotConnected) {
    CFormDialog* panel = frame.View()->RealtimePanel();
    // Whatever dialog comes first is answered: a start-time question would show as its class.
    panel->SetStartButtonEnabled(true);
    auto seen = std::make_shared<QString>();
    testing::AnswerNextDialog(QDialog::Rejected, seen);
    panel->StartButton()->click();
    EXPECT_EQ(*seen, QStringLiteral("设备未连接"));
    EXPECT_NE(workspace.Connection().CurrentPhase(), Phase::SettingUp);
    EXPECT_TRUE(panel->StartButton()->isEnabled());

    panel->SetStopButtonEnabled(true);
    seen->clear();
    testing::AnswerNextDialog(QDialog::Rejected, seen);
    panel->StopButton()->click();
    EXPECT_EQ(*seen, QStringLiteral("设备未连接"));
}

}  // namespace
}  // namespace veldrin
