#pragma once
// Which commands of the menu and toolbar are enabled, decided from the state of the main view
// alone, so that the rules can be checked without any window.
#include <array>
#include <cstddef>
#include <cstdint>

#include "logger/SessionState.h"

namespace veldrin {

enum class Command : std::size_t {
    Open,
    Save,
    PrintHistory,
    HistoryView,
    RealtimeView,
    Connect,
    Disconnect,
    ReadHistory,
    ExportReport,
};
inline constexpr std::size_t kMenuCommandCount = 9;

// What the rules look at: what the view shows and what the program is linked to, recordCount is the logger's
// record memory count. downloadedHistory: the current history was downloaded from a logger (it stays so after
// a disconnect, until a data file replaces it). connecting: a connect attempt is running.
struct CommandState {
    ViewMode viewMode = ViewMode::Nothing;
    LinkMode linkMode = LinkMode::None;
    bool realtimePanelVisible = true;
    bool historyPanelVisible = false;
    std::uint32_t recordCount = 0;
    bool online = false;
    bool downloadedHistory = false;
    bool connecting = false;
};

class EnabledCommands {
  public:
    bool operator[](Command command) const { return enabled_[static_cast<std::size_t>(command)]; }
    void Set(Command command, bool enabled) { enabled_[static_cast<std::size_t>(command)] = enabled; }

  private:
    std::array<bool, kMenuCommandCount> enabled_{};
};

// Applies each command's rules in their order; the last rule that applies decides, and a command
// for which no rule applies stays enabled.
EnabledCommands EnabledCommandsFor(const CommandState& state);

}  // namespace veldrin
