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
    const bool nothingOrLive = s.viewMode == 2 || s.viewMode == 4;
    const bool historyShown = s.viewMode == 0 || s.viewMode == 3 || s.linkMode == 2;

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
    result.Set(Command::RealtimeView, RuleChain()
                                          .DisableIf(nothingOrLive)
                                          .EnableIf(s.viewMode == 0 || (s.viewMode == 3 && s.linkMode != 2))
                                          .EnableIf(s.historyPanelVisible && s.online)
                                          .Enabled());
    // While an attempt runs, Connect waits for it and Disconnect cancels it.
    result.Set(Command::Connect, RuleChain()
                                     .EnableIf(s.viewMode == 2)
                                     .DisableIf(s.viewMode == 0 || s.viewMode == 4)
                                     .DisableIf(s.connecting)
                                     .Enabled());
    result.Set(Command::Disconnect, RuleChain()
                                        .EnableIf(s.viewMode == 0 || s.viewMode == 4)
                                        .DisableIf(s.viewMode == 2)
                                        .EnableIf(s.connecting)
                                        .Enabled());
    result.Set(
        Command::ReadHistory,
        RuleChain().DisableIf(s.linkMode == 0 || s.recordCount == 0).EnableIf(s.linkMode == 1).Enabled());
    return result;
}

}  // namespace veldrin
