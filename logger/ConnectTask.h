#pragma once
// The waiting part of connecting: the auto search over the ports, opening the chosen port, the
// wake-up of the logger and the check of its answer. It only writes bytes, sleeps on the clock
// and looks at the engine's reply buffer (which the reader thread fills), so it may run on a
// worker thread while the user-interface thread stays free. Its result is applied by the
// connection on the user-interface thread.
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "logger/Clock.h"
#include "logger/PortChoice.h"
#include "logger/ProtocolEngine.h"
#include "serial/Link.h"

namespace veldrin {

// Why a port could not be opened: its device path and the system's reason.
struct PortFailure {
    std::string devicePath;
    int errorNumber = 0;  // errno, 0 when the link gave none
    std::string reason;   // the link's own text of the failure
};

// One port the auto search tried, and what it found there.
struct SearchAttempt {
    ChosenPort port;
    std::optional<PortFailure> openFailure;  // nothing: it opened, but no logger identified itself
};

struct ConnectOutcome {
    enum class Result { Connected, OpenFailed, NotFound, Mismatch, Cancelled };
    Result result = Result::Cancelled;
    ChosenPort port;                          // the port opened (or that failed to open)
    std::optional<ChosenPort> foundBySearch;  // the port the auto search took
    std::optional<PortFailure> openFailure;   // with OpenFailed
    std::vector<SearchAttempt> searched;      // the ports the auto search tried, in order
};

// What a running connect attempt is doing, for the progress strip: the port being tried and
// the share of the attempt done. Written by the attempt, read by the user-interface thread.
class ConnectProgress {
  public:
    void Trying(std::optional<ChosenPort> port, int percent);
    // The port being tried; nothing before the attempt names one.
    std::optional<ChosenPort> Port() const;
    int Percent() const { return percent_; }

  private:
    mutable std::mutex mutex_;
    std::optional<ChosenPort> port_;
    std::atomic<int> percent_{0};
};

class ConnectTask {
  public:
    // `cancel` ends the attempt early; `progress` receives the port being tried. Both may be null.
    ConnectTask(Link& link, Clock& clock, ProtocolEngine& engine, const PortChoice& choice,
                const std::atomic<bool>* cancel = nullptr, ConnectProgress* progress = nullptr);
    ConnectOutcome Run();

  private:
    // Closes and opens `port` again with DTR and RTS asserted, then empties the reply buffer.
    void Reopen(const ChosenPort& port);
    // Repeats `frame` up to five times, reopening each time, while nothing arrives.
    void KnockUntilAnswered(const ChosenPort& port, const Bytes& frame);
    // Reopens, knocks with `knock` until something answers, then sends `probe` ten times and
    // keeps in the reply buffer only what answers the last eight.
    void Rouse(const ChosenPort& port, const Bytes& knock, const Bytes& probe);
    // Writes `frame` `times` times with `waitMs` after each.
    void Repeat(const Bytes& frame, int times, int waitMs);
    // The auto search: the ports tried go into `outcome`, and the port found, if any.
    void Search(ConnectOutcome& outcome);
    bool SearchFinds(const ChosenPort& port, SearchAttempt& attempt);
    // Opens `port`; on failure `failure` says why.
    bool OpenPort(const ChosenPort& port, std::optional<PortFailure>& failure);
    void Trying(const ChosenPort& port, int percent);
    bool Cancelled() const { return cancel_ && cancel_->load(); }

    Link& link_;
    Clock& clock_;
    ProtocolEngine& engine_;
    PortChoice choice_;
    const std::atomic<bool>* cancel_;
    ConnectProgress* progress_;
};

}  // namespace veldrin
