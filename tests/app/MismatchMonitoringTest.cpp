// Realtime monitoring ends when the logger turns out to be of another model (its realtime frame
// or its identify reply) or is lost, end to end over the simulated logger: readings that still
// arrive are neither stored nor listed until a recording is started again.
#include <gtest/gtest.h>

#include <QDialog>
#include <memory>

#include "tests/app/AppTestSupport.h"
#include "tests/app/SimWindowFixture.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;
using testing::AnswerNextDialog;

class MismatchMonitoringTest : public testing::SimWindowFixture {
  protected:
    // A logger of another model answers the realtime request: the mismatch question comes up and
    // gets `answer`. Returns the class name of the question dialog.
    QString RaiseRealtimeMismatch(SimLogger& logger, QDialog::DialogCode answer) {
        SimFaults faults;
        faults.answerAs = LoggerModel::DualTemperature;
        logger.SetFaults(faults);
        auto seen = std::make_shared<QString>();
        AnswerNextDialog(answer, seen);
        StepUntil([&] { return !seen->isEmpty(); }, 100);
        // From here on the logger answers as itself again.
        logger.SetFaults({});
        return *seen;
    }
    // Readings of the right model keep arriving, but none is stored or listed.
    void ExpectNothingListedFor(int steps) {
        const int rows = DataList().rowCount();
        const int alarmRows = AlarmList().rowCount();
        const int stored = StoredReadings();
        Steps(steps);
        EXPECT_EQ(DataList().rowCount(), rows);
        EXPECT_EQ(AlarmList().rowCount(), alarmRows);
        EXPECT_EQ(StoredReadings(), stored);
        // The readings did come: watching again lists them.
        Realtime().SetMonitoring(true);
        EXPECT_TRUE(RowsGrowBy(1, 100));
    }
};

TEST_F(MismatchMonitoringTest, DecliningToReconnectAfterAMismatchEndsTheMonitoring) {
    auto logger = AttachLogger(1, LoggerOptions(LoggerModel::SingleTemperature));
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    Realtime().SetMonitoring(true);
    ASSERT_TRUE(RowsGrowBy(2, 200));

    EXPECT_EQ(RaiseRealtimeMismatch(*logger, QDialog::Rejected), "veldrin::CInsExchangeDialog");
    EXPECT_FALSE(Realtime().Monitoring());
    EXPECT_TRUE(workspace.Connection().Online()) << "declined: the connection stays";
    ExpectNothingListedFor(100);
}

TEST_F(MismatchMonitoringTest, ReconnectingAfterAMismatchLeavesTheMonitoringOff) {
    auto logger = AttachLogger(1, LoggerOptions(LoggerModel::SingleTemperature));
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    Realtime().SetMonitoring(true);
    ASSERT_TRUE(RowsGrowBy(2, 200));

    auto linkDialog = std::make_shared<QString>();
    EXPECT_EQ(RaiseRealtimeMismatch(*logger, QDialog::Accepted), "veldrin::CInsExchangeDialog");
    EXPECT_FALSE(Realtime().Monitoring());
    AcceptNextDialog(linkDialog);  // the connect dialog: com1, single temperature
    ASSERT_TRUE(StepUntil(
        [&] { return !linkDialog->isEmpty() && workspace.Connection().CurrentPhase() == Phase::Polling; },
        200));
    EXPECT_EQ(*linkDialog, "veldrin::CLinkDlg");
    EXPECT_TRUE(workspace.Connection().Online());
    EXPECT_FALSE(Realtime().Monitoring()) << "only starting a recording watches again";
    ExpectNothingListedFor(100);
}

TEST_F(MismatchMonitoringTest, MonitoringEndsWithAnotherModelsIdentityAndWithALostLink) {
    auto logger = AttachLogger(1, LoggerOptions(LoggerModel::SingleTemperature));
    AttachLogger(2, LoggerOptions(LoggerModel::TemperatureHumidity));
    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    Realtime().SetMonitoring(true);
    ASSERT_TRUE(RowsGrowBy(1, 200));

    // Connecting to a temperature-humidity logger as a single-temperature one.
    auto message = std::make_shared<QString>();
    AcceptNextDialog(message);
    workspace.Connection().Connect(test::ComChoice(2, LoggerModel::SingleTemperature));
    ASSERT_TRUE(StepUntil([&] { return !message->isEmpty(); }, 100));
    EXPECT_EQ(*message, "仪器不匹配");
    Step();
    EXPECT_FALSE(workspace.Connection().Online());
    EXPECT_FALSE(Realtime().Monitoring());

    ASSERT_TRUE(ConnectAndPoll(1, LoggerModel::SingleTemperature));
    Realtime().SetMonitoring(true);
    ASSERT_TRUE(RowsGrowBy(1, 200));
    logger->SetSilent(true);
    ASSERT_TRUE(StepUntil([&] { return !workspace.Connection().Online(); }, 150));
    Step();
    EXPECT_FALSE(Realtime().Monitoring()) << "the alarm must not sound on for a logger no longer there";
}

}  // namespace
}  // namespace veldrin
