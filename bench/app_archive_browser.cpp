// The archive browser over an archive of 10000 entries (budget 300 ms): from File → "档案库…" until
// its table has painted (offscreen). The archive is made once, before the timing.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTableView>

#include "app/ArchiveCommands.h"
#include "app/CMainFrame.h"
#include "app/FileCommands.h"
#include "app/Workspace.h"
#include "archive/Archive.h"
#include "bench/PaintCounter.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

constexpr int kEntries = 10000;

// One short download per entry, each with bytes of its own.
void FillArchive(archive::Archive& archive) {
    archive::ArchiveInput input;
    input.model = 1;
    input.interval = 60;
    input.count = 10;
    input.limits = {2.0F, 8.0F, 30.0F, 80.0F};
    input.alarm = true;
    input.channel1.assign(10, 5.0F);
    input.channel1[3] = 9.0F;
    input.channel2.assign(10, 50.0F);
    input.provenance = {"/dev/ttyUSB0", "usb-Prolific_PL2303-if00-port0", {"quality", "station-1", "2.106"}};
    for (int entry = 0; entry < kEntries; ++entry) {
        input.title = (entry % 10 == 0 ? "Freezer " : "冷库 ") + std::to_string(entry);
        input.description = "trailer " + std::to_string(entry % 97);
        input.start = 1714521600 + static_cast<std::int64_t>(entry) * 3600;
        input.raw.assign(reinterpret_cast<const std::uint8_t*>(&entry),
                         reinterpret_cast<const std::uint8_t*>(&entry) + sizeof entry);
        input.raw.resize(64, 0x5A);
        archive.Add(input);
    }
}

void BM_ArchiveBrowserOn10000EntriesUntilTablePainted(benchmark::State& state) {
    veldrin::test::TempFolder folder;
    const std::string location = folder.File("archive.sqlite");
    FillArchive(*archive::Archive::Open(location));
    LoggerInfo info;
    CMainFrame frame(info);
    Workspace workspace(info, frame);
    workspace.Archiving().SetLocation(location);
    FileCommands files(workspace, frame, nullptr);
    ArchiveCommands commands(workspace, frame, files);
    commands.Install();
    int rows = 0;
    for (auto _ : state) {
        frame.ArchiveBrowserAction()->trigger();
        ArchiveBrowser* browser = commands.Browser();
        bench::PaintCounter counter(browser->Table()->viewport());
        if (!counter.WaitForFirstPaint(5000)) {
            state.SkipWithError("the table did not paint");
            break;
        }
        rows = browser->Entries().rowCount();
        state.PauseTiming();
        browser->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_ArchiveBrowserOn10000EntriesUntilTablePainted)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace veldrin

#include "bench/widget_bench_main.h"
