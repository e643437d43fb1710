// VELDRIN_TRACE in the desktop program: a connection made through the real connect dialog over a
// pseudo-terminal leaves a trace that holds what went over the line, readable by the tool.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "app/CMainFrame.h"
#include "app/Workspace.h"
#include "serial/TraceRecord.h"
#include "tests/app/PtyLoggerPort.h"
#include "tests/app/QtTempFolder.h"
#include "tests/app/WindowDriving.h"

namespace veldrin {
namespace {

using testing::AnswerConnectDialog;

bool Holds(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> wanted) {
    return std::search(bytes.begin(), bytes.end(), wanted.begin(), wanted.end()) != bytes.end();
}

TEST(DesktopTrace, AConnectionFromTheWindowIsTracedIntoTheNamedFile) {
    SimLoggerOptions options;
    options.model = LoggerModel::TemperatureHumidity;
    options.records = 30;
    options.recording = false;
    options.clockStart = std::time(nullptr);
    test::PtyLoggerPort server(1, options);
    ASSERT_TRUE(server.Started()) << server.Error();
    test::QtTempFolder folder;
    ASSERT_TRUE(folder.isValid());
    const std::string tracePath = folder.filePath(QStringLiteral("desktop.trace")).toStdString();
    ::setenv("VELDRIN_TRACE", tracePath.c_str(), 1);
    {
        LoggerInfo info;
        CMainFrame frame{info};
        Workspace workspace{info, frame};
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        DeviceConnection& connection = workspace.Connection();
        AnswerConnectDialog(QStringLiteral("com1"), QStringLiteral("温湿度记录仪"));
        frame.Action(Command::Connect)->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return connection.CurrentPhase() == Phase::Polling; }, 20000));
        frame.Action(Command::Disconnect)->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !connection.Online(); }, 5000));
    }
    ::unsetenv("VELDRIN_TRACE");

    std::ifstream in(tracePath);
    ASSERT_TRUE(in) << "no trace written at " << tracePath;
    std::string error;
    auto records = ReadTrace(in, error);
    ASSERT_TRUE(records) << error;
    auto has = [&](auto predicate) { return std::any_of(records->begin(), records->end(), predicate); };
    EXPECT_TRUE(has([&](const TraceRecord& r) {
        return r.kind == TraceRecord::Kind::Open && r.devicePath == server.DevicePath();
    }));
    EXPECT_TRUE(has([](const TraceRecord& r) {
        return r.kind == TraceRecord::Kind::Written && Holds(r.bytes, {0xFF, 0xEC, 0x01});
    })) << "the identify command";
    EXPECT_TRUE(has([](const TraceRecord& r) {
        return r.kind == TraceRecord::Kind::Received && Holds(r.bytes, {0xFF, 0xEC, 0x01});
    })) << "the logger's answer to it";
    EXPECT_TRUE(has([](const TraceRecord& r) { return r.kind == TraceRecord::Kind::Close; }));
    EXPECT_TRUE(TraceStartTime(*records));
}

}  // namespace
}  // namespace veldrin
