// The window with eight paced loggers (9600 baud, ten blocks each) downloading at once through the
// list of loggers' "全部下载": a 1 ms timer on the window's thread records the longest gap between two
// of its beats, the longest the window went without answering (budget 50 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/FleetSettings.h"
#include "app/LoggerListPanel.h"
#include "app/Profile.h"
#include "app/Workspace.h"
#include "sim/PtyServer.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

constexpr int kLoggers = 8;

void BM_WindowStallWhileEightLoggersDownload(benchmark::State& state) {
    test::TempFolder folder;
    test::TempFolder dev;
    test::TempFolder sys;
    std::vector<std::unique_ptr<PtyServer>> servers;
    std::filesystem::create_directories(dev.Path() + "/serial/by-id");
    for (int i = 0; i < kLoggers; ++i) {
        SimLoggerOptions options;
        options.model = LoggerModel::DualTemperature;
        options.records = 4900;  // 9800 bytes: ten blocks, about ten seconds at 960 bytes a second
        options.recording = false;
        options.clockStart = std::time(nullptr);
        SimFaults faults;
        faults.paced = true;
        servers.push_back(std::make_unique<PtyServer>(options, faults));
        if (!servers.back()->Start()) {
            state.SkipWithError(servers.back()->Error().c_str());
            return;
        }
        // An adapter as the device tree shows one: its node, and the stable name leading to it.
        const std::string node = "ttyUSB" + std::to_string(i);
        std::filesystem::create_symlink(servers.back()->DevicePath(), dev.Path() + "/" + node);
        std::filesystem::create_symlink("../../" + node,
                                        dev.Path() + "/serial/by-id/usb-Bench_Logger_" + node);
    }
    // The benchmark's own profile and archive, never the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder.Path()));
    ::setenv("VELDRIN_ARCHIVE", folder.File("archive.sqlite").c_str(), 1);
    {
        const std::unique_ptr<QSettings> profile = OpenProfile();
        FleetSettings settings;
        settings.folder = QString::fromStdString(folder.Path() + "/out");
        settings.nameTemplate = QStringLiteral("{device}");
        settings.panelShown = true;
        WriteFleetSettings(*profile, settings);
    }
    LoggerInfo info;
    CMainFrame frame(info);
    Workspace workspace(info, frame);
    LoggerListPanel& panel = workspace.LoggerList();
    panel.SetDeviceRoots({sys.Path(), dev.Path()});
    frame.show();

    std::int64_t longestMs = 0;
    for (auto _ : state) {
        QElapsedTimer sinceBeat;
        std::int64_t longestNs = 0;
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            longestNs = std::max<std::int64_t>(longestNs, sinceBeat.nsecsElapsed());
            sinceBeat.restart();
        });
        beat.start(1);
        sinceBeat.start();
        panel.DownloadAllButton()->click();
        QDeadlineTimer deadline(180000);
        while (panel.Jobs().RunningCount() > 0 && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        beat.stop();
        longestMs = std::max<std::int64_t>(longestMs, longestNs / 1000000);
    }
    std::size_t saved = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path() + "/out", error))
        saved += entry.is_regular_file() ? 1 : 0;
    state.counters["longest_stall_ms"] = static_cast<double>(longestMs);
    state.counters["files_saved"] = static_cast<double>(saved);
    if (saved != kLoggers)
        state.SkipWithError("not every logger was saved");
    ::unsetenv("VELDRIN_ARCHIVE");
}
BENCHMARK(BM_WindowStallWhileEightLoggersDownload)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace veldrin

#include "bench/widget_bench_main.h"
