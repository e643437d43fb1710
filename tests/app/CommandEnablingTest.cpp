#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "app/CommandEnabling.h"

namespace veldrin {
namespace {

using Expectations = std::initializer_list<std::pair<Command, bool>>;

void ExpectEnabled(const CommandState& state, Expectations expected) {
    const EnabledCommands enabled = EnabledCommandsFor(state);
    for (const auto& [command, on] : expected) {
        EXPECT_EQ(enabled[command], on) << "command " << static_cast<int>(command);
    }
}

TEST(CommandEnablingTest, RightAfterStartUpOnlyOpenAndConnectWork) {
    ExpectEnabled(CommandState{}, {{Command::Open, true},
                                   {Command::Save, false},
                                   {Command::PrintHistory, false},
                                   {Command::HistoryView, false},
                                   {Command::RealtimeView, false},
                                   {Command::Connect, true},
                                   {Command::Disconnect, false},
                                   {Command::ReadHistory, false}});
}

TEST(CommandEnablingTest, LiveLoggerOffersDisconnectAndReadHistoryOnly) {
    CommandState live;
    live.viewMode = ViewMode::LiveLogger;
    live.linkMode = LinkMode::Logger;
    live.recordCount = 1200;
    live.online = true;
    ExpectEnabled(live, {{Command::Save, false},
                         {Command::PrintHistory, false},
                         {Command::HistoryView, false},
                         {Command::RealtimeView, false},
                         {Command::Connect, false},
                         {Command::Disconnect, true},
                         {Command::ReadHistory, true}});
}

TEST(CommandEnablingTest, DownloadedHistoryOnTheHistoryPanel) {
    CommandState downloaded;
    downloaded.viewMode = ViewMode::DownloadedHistory;
    downloaded.linkMode = LinkMode::Logger;
    downloaded.realtimePanelVisible = false;
    downloaded.historyPanelVisible = true;
    downloaded.recordCount = 1200;
    downloaded.online = true;
    ExpectEnabled(downloaded, {{Command::Save, true},
                               {Command::PrintHistory, true},
                               {Command::HistoryView, true},
                               {Command::RealtimeView, true},
                               {Command::Connect, false},
                               {Command::Disconnect, true},
                               {Command::ReadHistory, true}});
}

TEST(CommandEnablingTest, LoadedFileLeavesConnectAndDisconnectAlone) {
    CommandState file;
    file.viewMode = ViewMode::FileHistory;
    file.linkMode = LinkMode::HistoryFile;
    file.realtimePanelVisible = false;
    file.historyPanelVisible = true;
    ExpectEnabled(file, {{Command::Save, true},
                         {Command::PrintHistory, true},
                         {Command::HistoryView, true},
                         {Command::Connect, true},
                         {Command::Disconnect, true},
                         {Command::ReadHistory, false}});
    file.realtimePanelVisible = true;
    file.historyPanelVisible = false;
    ExpectEnabled(file, {{Command::Save, false}, {Command::PrintHistory, false}});
}

TEST(CommandEnablingTest, LaterRulesOverrideEarlierOnes) {
    CommandState state;
    state.viewMode = ViewMode::DownloadedHistory;
    state.realtimePanelVisible = true;
    state.historyPanelVisible = true;
    state.recordCount = 10;
    // Save: the realtime panel disables it, the records on the history panel enable it again.
    ExpectEnabled(state, {{Command::Save, true}, {Command::PrintHistory, true}});
    state.recordCount = 0;
    ExpectEnabled(state, {{Command::Save, false}, {Command::PrintHistory, true}});

    // Read history: a linked logger enables it even with an empty record memory.
    state.linkMode = LinkMode::Logger;
    ExpectEnabled(state, {{Command::ReadHistory, true}});

    // Realtime view: the history panel of an online logger enables it even for a loaded file.
    state.viewMode = ViewMode::FileHistory;
    state.linkMode = LinkMode::HistoryFile;
    state.historyPanelVisible = false;
    ExpectEnabled(state, {{Command::RealtimeView, true}});
    state.viewMode = ViewMode::Nothing;
    ExpectEnabled(state, {{Command::RealtimeView, false}});
    state.historyPanelVisible = true;
    state.online = true;
    ExpectEnabled(state, {{Command::RealtimeView, true}});
}

TEST(CommandEnablingTest, DownloadedHistoryStaysSavableAfterADisconnect) {
    // Disconnected (V = 2, L = 0) with the downloaded history still current.
    CommandState after;
    after.downloadedHistory = true;
    for (bool historyPanel : {true, false}) {
        after.historyPanelVisible = historyPanel;
        after.realtimePanelVisible = !historyPanel;
        SCOPED_TRACE(historyPanel);
        ExpectEnabled(after, {{Command::Save, true},
                              {Command::PrintHistory, true},
                              {Command::HistoryView, true},
                              {Command::RealtimeView, false},
                              {Command::Connect, true},
                              {Command::Disconnect, false},
                              {Command::ReadHistory, false}});
    }
    // Still connected and back on the realtime view (V = 4): the history stays reachable.
    CommandState live;
    live.viewMode = ViewMode::LiveLogger;
    live.linkMode = LinkMode::Logger;
    live.recordCount = 1200;
    live.online = true;
    live.downloadedHistory = true;
    ExpectEnabled(live, {{Command::Save, true},
                         {Command::PrintHistory, true},
                         {Command::HistoryView, true},
                         {Command::Connect, false},
                         {Command::Disconnect, true}});
}

TEST(CommandEnablingTest, RunningConnectAttemptCanOnlyBeCancelled) {
    CommandState connecting;
    connecting.connecting = true;
    ExpectEnabled(connecting, {{Command::Connect, false}, {Command::Disconnect, true}});
    connecting.viewMode = ViewMode::FileHistory;  // a file is shown meanwhile
    connecting.linkMode = LinkMode::HistoryFile;
    ExpectEnabled(connecting,
                  {{Command::Connect, false}, {Command::Disconnect, true}, {Command::Save, false}});
}

}  // namespace
}  // namespace veldrin
