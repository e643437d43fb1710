#include "logger/ConnectTask.h"

#include "logger/ByteSearch.h"

namespace veldrin {
namespace {

constexpr int kKnocks = 5;
constexpr int kKnockWaitMs = 300;
constexpr int kProbeWaitMs = 200;
const Bytes kIdentifyFrame{0xFF, 0xEC, 0x01};
// The probe's fourth byte has no meaning of its own.
const Bytes kIdentifyProbe{0xFF, 0xEC, 0x01, 0x00};
const Bytes kWakeUp{0x55, 0x55, 0x55};
const Bytes kWakeUpProbe{0x55, 0x55, 0x55, 0xFF};
const Bytes kFiller{0x01, 0x01, 0x01, 0x01};

bool FirstSixHold(const Bytes& reply, const Bytes& marker) {
    return FindBytes(reply, marker, 6).has_value();
}

}  // namespace

ConnectTask::ConnectTask(Link& link, Clock& clock, ProtocolEngine& engine, const PortChoice& choice,
                         const std::atomic<bool>* cancel, ConnectProgress* progress)
    : link_(link), clock_(clock), engine_(engine), choice_(choice), cancel_(cancel), progress_(progress) {}

void ConnectProgress::Trying(std::optional<ChosenPort> port, int percent) {
    std::lock_guard lock(mutex_);
    port_ = std::move(port);
    percent_ = percent;
}

std::optional<ChosenPort> ConnectProgress::Port() const {
    std::lock_guard lock(mutex_);
    return port_;
}

void ConnectTask::Trying(const ChosenPort& port, int percent) {
    if (progress_ != nullptr)
        progress_->Trying(port, percent);
}

bool ConnectTask::OpenPort(const ChosenPort& port, std::optional<PortFailure>& failure) {
    link_.Open(port.devicePath);
    if (link_.IsOpen()) {
        failure.reset();
        return true;
    }
    failure = PortFailure{port.devicePath, link_.LastErrorNumber(), link_.LastError()};
    return false;
}

void ConnectTask::Reopen(const ChosenPort& port) {
    link_.Close();
    link_.Open(port.devicePath);
    link_.EnableDtrRts();
    engine_.ClearReply();
}

void ConnectTask::Repeat(const Bytes& frame, int times, int waitMs) {
    for (int i = 0; i < times && !Cancelled(); ++i) {
        link_.Write(frame.data(), frame.size());
        clock_.SleepMs(waitMs);
    }
}

void ConnectTask::KnockUntilAnswered(const ChosenPort& port, const Bytes& frame) {
    for (int knock = 0; knock < kKnocks && engine_.ReplySize() == 0 && !Cancelled(); ++knock) {
        Reopen(port);
        Repeat(frame, frame == kIdentifyFrame ? 2 : 1, 0);
        clock_.SleepMs(kKnockWaitMs);
    }
}

void ConnectTask::Rouse(const ChosenPort& port, const Bytes& knock, const Bytes& probe) {
    Reopen(port);
    KnockUntilAnswered(port, knock);
    Repeat(probe, 2, kProbeWaitMs);
    engine_.ClearReply();
    Repeat(probe, 8, kProbeWaitMs);
}

bool ConnectTask::SearchFinds(const ChosenPort& port, SearchAttempt& attempt) {
    attempt.port = port;
    if (!OpenPort(port, attempt.openFailure))
        return false;
    Rouse(port, kIdentifyFrame, kIdentifyProbe);
    link_.Close();
    Bytes reply = engine_.ReplyCopy();
    if (reply.size() <= 5)
        return false;
    for (const ModelTraits& model : KnownModels()) {
        if (FirstSixHold(reply, {0xFF, 0xEC, 0x01, model.identificationByte}))
            return true;
    }
    return false;
}

// Auto search: the ports of the choice's search order (com8 down to com1, then the devices found
// on the machine); the first port whose logger identifies itself wins.
void ConnectTask::Search(ConnectOutcome& outcome) {
    const std::vector<ChosenPort>& candidates = choice_.searchOrder;
    for (std::size_t tried = 0; tried < candidates.size() && !Cancelled(); ++tried) {
        const ChosenPort& candidate = candidates[tried];
        Trying(candidate, static_cast<int>(tried * 90 / candidates.size()));
        SearchAttempt attempt;
        const bool found = SearchFinds(candidate, attempt);
        outcome.searched.push_back(attempt);
        if (found) {
            outcome.foundBySearch = candidate;
            return;
        }
    }
}

ConnectOutcome ConnectTask::Run() {
    ConnectOutcome outcome;
    if (choice_.autoSearch)
        Search(outcome);
    outcome.port = outcome.foundBySearch.value_or(choice_.port);
    const ChosenPort port = outcome.port;
    if (Cancelled())
        return outcome;

    Trying(port, choice_.autoSearch ? 90 : 10);
    if (!OpenPort(port, outcome.openFailure)) {
        outcome.result = ConnectOutcome::Result::OpenFailed;
        return outcome;
    }
    // Wake the logger: 55 55 55 until it answers, then the probe 55 55 55 FF.
    Rouse(port, kWakeUp, kWakeUpProbe);
    if (Cancelled()) {
        link_.Close();
        return outcome;
    }

    Bytes reply = engine_.ReplyCopy();
    if (reply.empty() || reply.size() < 6) {
        link_.Close();
        outcome.result = reply.empty() ? ConnectOutcome::Result::NotFound : ConnectOutcome::Result::Mismatch;
        return outcome;
    }
    if (!FirstSixHold(reply, {0x55, 0x55, 0xFF})) {
        // Flush whatever the logger is in the middle of, then try the probe once more.
        for (int i = 0; i < 130 && !Cancelled(); ++i) {
            link_.Write(kFiller.data(), kFiller.size());
            link_.Write(kFiller.data(), kFiller.size());
            clock_.SleepMs(20);
        }
        clock_.SleepMs(kProbeWaitMs);
        engine_.ClearReply();
        Repeat(kWakeUpProbe, 8, kProbeWaitMs);
        reply = engine_.ReplyCopy();
        if (reply.size() <= 4 || !FirstSixHold(reply, {0x55, 0x55, 0xFF})) {
            link_.Close();
            outcome.result = ConnectOutcome::Result::Mismatch;
            return outcome;
        }
    }
    outcome.result = Cancelled() ? ConnectOutcome::Result::Cancelled : ConnectOutcome::Result::Connected;
    if (Cancelled())
        link_.Close();
    return outcome;
}

}  // namespace veldrin
