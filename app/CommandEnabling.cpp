#include "app/CommandEnabling.h"

namespace veldrin {
namespace {

// One command's rule list: starts enabled, and every rule that applies overrides the result.
class RuleChain {
  public:
    RuleChain& EnableIf(bool applies) { return Apply(applies, true); }
    RuleChain& DisableIf(bool applies) { return Apply(applies, false); }
    bool Enabled() const { return enabled_; }

  private:
    RuleChain& Apply(bool applies, bool enable) {
        if (applies) {
            enabled_ = enable;
        }
        return *this;
    }
    bool enabled_ = true;
};

}  // namespace

EnabledCommands EnabledCommandsFor(const CommandState& s) {
    const bool nothingOrLive = s.viewMode == ViewMode::Nothing || s.viewMode == ViewMode::LiveLogger;
    const bool historyShown = s.viewMode == ViewMode::DownloadedHistory ||
                              s.viewMode == ViewMode::FileHistory || s.linkMode == LinkMode::HistoryFile;

    EnabledCommands result;
    result.Set(Command::Open, true);
    result.Set(Command::Save, RuleChain()
                                  .EnableIf(historyShown)
                                  .DisableIf(s.realtimePanelVisible)
                                  .EnableIf(s.recordCount > 0 && s.historyPanelVisible)
                                  .DisableIf(nothingOrLive)
                                  .EnableIf(s.downloadedHistory)
                                  .Enabled());
    result.Set(Command::PrintHistory, RuleChain()
                                          .EnableIf(historyShown)
                                          .DisableIf(s.realtimePanelVisible)
                                          .EnableIf(s.historyPanelVisible)
                                          .EnableIf(s.downloadedHistory)
                                          .Enabled());
    // The report reads the history as printing does.
    result.Set(Command::ExportReport, result[Command::PrintHistory]);
    result.Set(
        Command::HistoryView,
        RuleChain().DisableIf(nothingOrLive).EnableIf(historyShown).EnableIf(s.downloadedHistory).Enabled());
    result.Set(Command::RealtimeView,
               RuleChain()
                   .DisableIf(nothingOrLive)
                   .EnableIf(s.viewMode == ViewMode::DownloadedHistory ||
                             (s.viewMode == ViewMode::FileHistory && s.linkMode != LinkMode::HistoryFile))
                   .EnableIf(s.historyPanelVisible && s.online)
                   .Enabled());
    // While an attempt runs, Connect waits for it and Disconnect cancels it.
    result.Set(Command::Connect,
               RuleChain()
                   .EnableIf(s.viewMode == ViewMode::Nothing)
                   .DisableIf(s.viewMode == ViewMode::DownloadedHistory || s.viewMode == ViewMode::LiveLogger)
                   .DisableIf(s.connecting)
                   .Enabled());
    result.Set(Command::Disconnect,
               RuleChain()
                   .EnableIf(s.viewMode == ViewMode::DownloadedHistory || s.viewMode == ViewMode::LiveLogger)
                   .DisableIf(s.viewMode == ViewMode::Nothing)
                   .EnableIf(s.connecting)
                   .Enabled());
    result.Set(Command::ReadHistory, RuleChain()
                                         .DisableIf(s.linkMode == LinkMode::None || s.recordCount == 0)
                                         .EnableIf(s.linkMode == LinkMode::Logger)
                                         .Enabled());
    return result;
}

}  // namespace veldrin
