#pragma once
// A window joined to the simulated logger (SimWindowFixture) with its File commands and archive
// commands installed, archiving into a SQLite file of the test's own temporary folder.
#include <QAction>

#include "app/ArchiveCommands.h"
#include "app/CheckHistory.h"
#include "app/FileCommands.h"
#include "archive/Archive.h"
#include "tests/app/QtTempFolder.h"
#include "tests/app/SimWindowFixture.h"
#include "tests/app/WindowDriving.h"

namespace veldrin::testing {

class ArchiveWindowFixture : public SimWindowFixture {
  protected:
    ArchiveWindowFixture() {
        workspace.Archiving().SetLocation(ArchivePath());
        files.Install();
        archiveCommands.Install();
        frame.show();
    }

    std::string ArchivePath() const { return folder.File("archive.sqlite"); }
    std::unique_ptr<archive::Archive> OpenArchive() const { return archive::Archive::Open(ArchivePath()); }

    // Reads the history of a stopped logger of `model` holding `records` readings on com1 through
    // the window's "读取历史数据", the channel question answered.
    std::shared_ptr<SimLogger> Download(LoggerModel model, int records) {
        SimLoggerOptions options = LoggerOptions(model, records);
        options.recording = false;
        auto logger = AttachLogger(1, options);
        EXPECT_TRUE(ConnectAndPoll(1, model));
        OnNextDialog<CheckHistory>([](CheckHistory* question) { question->accept(); });
        frame.RefreshCommands();
        frame.Action(Command::ReadHistory)->trigger();
        const HistoryDataSet& history = workspace.Records().History();
        EXPECT_TRUE(StepUntil(
            [&] {
                return history.samples.Count() == records &&
                       workspace.Connection().CurrentPhase() == Phase::Polling;
            },
            3000));
        return logger;
    }

    std::vector<std::string> EventKinds(std::int64_t entry) const {
        std::vector<std::string> kinds;
        const std::optional<archive::EntryDetails> details = OpenArchive()->Show(entry);
        if (!details)
            return kinds;
        for (const archive::Event& event : details->events)
            kinds.push_back(event.kind);
        return kinds;
    }

    test::QtTempFolder folder;
    FileCommands files{workspace, frame, nullptr};
    ArchiveCommands archiveCommands{workspace, frame, files};
};

}  // namespace veldrin::testing
