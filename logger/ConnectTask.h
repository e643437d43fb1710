#pragma once
// The waiting part of connecting: the auto search over the ports, opening the chosen port, the
// wake-up of the logger and the check of its answer. It only writes bytes, sleeps on the clock
// and looks at the engine's reply buffer (which the reader thread fills), so it may run on a
// worker thread while the user-interface thread stays free. Its result is applied by the
// connection on the user-interface thread.
#include <atomic>
#include <optional>

#include "logger/Clock.h"
#include "logger/ConnectionUi.h"
#include "logger/ProtocolEngine.h"
#include "serial/Link.h"

namespace veldrin {

struct ConnectOutcome {
    enum class Result { Connected, OpenFailed, NotFound, Mismatch, Cancelled };
    Result result = Result::Cancelled;
    int port = 0;                      // the port opened (or that failed to open)
    std::optional<int> foundBySearch;  // the port the auto search took
};

class ConnectTask {
  public:
    ConnectTask(Link& link, Clock& clock, ProtocolEngine& engine, const PortChoice& choice,
                const std::atomic<bool>* cancel = nullptr);
    ConnectOutcome Run();

  private:
    // Closes and opens `port` again with DTR and RTS asserted, then empties the reply buffer.
    void Reopen(int port);
    // Repeats `frame` up to five times, reopening each time, while nothing arrives.
    void KnockUntilAnswered(int port, const Bytes& frame);
    // Reopens, knocks with `knock` until something answers, then sends `probe` ten times and
    // keeps in the reply buffer only what answers the last eight.
    void Rouse(int port, const Bytes& knock, const Bytes& probe);
    // Writes `frame` `times` times with `waitMs` after each.
    void Repeat(const Bytes& frame, int times, int waitMs);
    bool SearchFinds(int port);
    bool Cancelled() const { return cancel_ && cancel_->load(); }

    Link& link_;
    Clock& clock_;
    ProtocolEngine& engine_;
    PortChoice choice_;
    const std::atomic<bool>* cancel_;
};

}  // namespace veldrin
