#pragma once
// A main window joined to an in-process simulated logger on a virtual clock: the connection
// connects in the calling thread, and each Step() is one 200 ms call of the view's timer with the
// queued reader events handled as the event loop would.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <memory>

#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/Workspace.h"
#include "sim/SimLink.h"
#include "sim/SimLogger.h"
#include "sim/VirtualClock.h"
#include "tests/app/AppTestSupport.h"
#include "tests/logger/ComPorts.h"

namespace veldrin::testing {

class SimWindowFixture : public ::testing::Test {
  protected:
    SimWindowFixture() { workspace.Connection().SetBackgroundConnect(false); }

    // A recording logger of `model` with `records` readings in memory.
    static SimLoggerOptions LoggerOptions(LoggerModel model, int records = 600) {
        SimLoggerOptions options;
        options.model = model;
        options.records = records;
        return options;
    }
    // Puts a logger made with `options` behind com `port`; its clock is the test's.
    std::shared_ptr<SimLogger> AttachLogger(int port, SimLoggerOptions options) {
        return AttachLogger(test::ComPath(port), std::move(options));
    }
    // Puts it behind the port at `devicePath`.
    std::shared_ptr<SimLogger> AttachLogger(const std::string& devicePath, SimLoggerOptions options) {
        options.clockStart = clock.Now();
        auto logger = std::make_shared<SimLogger>(options);
        link.AttachLogger(devicePath, logger);
        return logger;
    }

    void Step() {
        workspace.Connection().OnTimer();
        workspace.PublishState();
        clock.Advance(DeviceConnection::kTimerMs);
        QCoreApplication::processEvents();
    }
    template <typename Done>
    bool StepUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done(); ++i) {
            Step();
        }
        return done();
    }
    void Steps(int count) {
        for (int i = 0; i < count; ++i) {
            Step();
        }
    }
    RealtimeMonitor& Realtime() { return workspace.Records().Realtime(); }
    RealtimeListModel& DataList() { return workspace.Records().RealtimeDataList(); }
    RealtimeListModel& AlarmList() { return workspace.Records().RealtimeAlarmList(); }
    int StoredReadings() { return workspace.Records().RealtimeSeries().Count(); }
    // Steps until the realtime data list has `rows` more rows; false when it did not get them.
    bool RowsGrowBy(int rows, int stepLimit) {
        const int target = DataList().rowCount() + rows;
        return StepUntil([&] { return DataList().rowCount() >= target; }, stepLimit);
    }

    // "启动记录" on the realtime panel with a start time that has passed, "是" to the start-time
    // question, then steps until the logger has taken the panel's settings.
    bool StartRecordingFromPanel() {
        CFormDialog* panel = frame.View()->RealtimePanel();
        panel->SetStartTime(clock.Now() - 60);
        AnswerNextDialog(QDialog::Accepted);
        panel->StartButton()->click();
        return StepUntil(
            [&] { return workspace.Connection().SettingsWriteState() == SettingsWrite::Finished; }, 600);
    }

    bool ConnectAndPoll(int port, LoggerModel model) {
        return workspace.Connection().Connect(test::ComChoice(port, model)) &&
               StepUntil([&] { return workspace.Connection().CurrentPhase() == Phase::Polling; }, 100);
    }

    VirtualClock clock;
    SimLink link{clock};
    LoggerInfo info;
    CMainFrame frame{info};
    Workspace workspace{info, frame, &link, &clock};
};

}  // namespace veldrin::testing
