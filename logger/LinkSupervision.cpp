// The link check of the connection's activities: a logger that falls silent while the connection
// waits for it (cable pulled, battery out) ends the activity instead of leaving it waiting for ever.
#include <algorithm>

#include "logger/ConnectionTexts.h"
#include "logger/DeviceConnection.h"
#include "logger/SupervisionTexts.h"
#include "logger/TextFormat.h"

namespace veldrin {
namespace {

// The first block of a download begins with FF F5 01 00 and the three record-count bytes.
constexpr std::size_t kFirstBlockHeaderBytes = 7;
constexpr std::uint8_t kBlockTrailer = 0xFF;

bool Supervised(Phase phase) {
    return phase == Phase::Connecting || phase == Phase::SettingUp || phase == Phase::ReadingHistory ||
           phase == Phase::StoppingRecording;
}

}  // namespace

bool DeviceConnection::SuperviseActivity() {
    // While the mismatch question is open nobody waits for the logger.
    if (!session_.online || !Supervised(session_.phase) || session_.mismatch != MismatchState::None) {
        supervisedPhase_ = Phase::Polling;
        timeoutSecondsLeft_ = 0;
        return true;
    }
    if (session_.phase != supervisedPhase_) {
        supervisedPhase_ = session_.phase;
        supervisedSince_ = clock_.Now();
    }
    const std::time_t silence = clock_.Now() - std::max(engine_.LastReceived(), supervisedSince_);
    if (silence > kLinkLostSeconds) {
        timeoutSecondsLeft_ = 0;
        EndSilentActivity();
        return false;
    }
    if (silence > kLinkTimeoutSeconds) {
        // The strip counts down to the end, and the status pane says "通信超时" (DrawProgress).
        timeoutSecondsLeft_ = static_cast<int>(kLinkLostSeconds + 1 - silence);
        DrawProgress(session_.progress, {});
    } else if (timeoutSecondsLeft_ > 0 || linkStatus_ == LinkStatus::Timeout) {
        timeoutSecondsLeft_ = 0;
        SetStatus(LinkStatus::Normal);  // bytes came again in time
    }
    return true;
}

void DeviceConnection::EndSilentActivity() {
    const Phase phase = session_.phase;
    std::string report = UnfinishedActivityText(phase);
    const bool partialHistory = phase == Phase::ReadingHistory && HandOverPartialHistory();
    if (phase == Phase::SettingUp)
        settingsWrite_ = SettingsWrite::None;
    Disconnect();
    // What arrived is on show offline like a history opened from a file: it can be saved and
    // printed, and the next connection may begin.
    if (partialHistory)
        viewMode_ = ViewMode::FileHistory;
    session_.online = false;
    if (link_.IsOpen())
        link_.Close();
    prompts_.HideProgress();
    SetStatus(LinkStatus::NotConnected);
    // The device itself may say why it went (an unplugged adapter).
    if (const std::string gone = link_.ReceiveError(); !gone.empty())
        report += "\n" + gone;
    prompts_.ShowMessage(report);
}

std::string DeviceConnection::UnfinishedActivityText(Phase phase) const {
    switch (phase) {
        case Phase::Connecting:
            return texts::Translated(texts::kConnectUnfinished);
        case Phase::SettingUp:
            return texts::Translated(texts::kSettingsUnfinished);
        case Phase::StoppingRecording:
            return texts::Translated(texts::kStopUnfinished);
        case Phase::ReadingHistory: {
            std::string text = Printf(texts::Translated(texts::kDownloadUnfinished).c_str(),
                                      HistoryBlocksReceived(), info_.blockCount);
            if (HistoryBlocksReceived() > 0) {
                const std::size_t payload = engine_.HistoryBytes().size() > kFirstBlockHeaderBytes
                                                ? engine_.HistoryBytes().size() - kFirstBlockHeaderBytes
                                                : 0;
                const int total = ReadingsIn(info_.recordBytes);
                text += '\n';
                text += Printf(texts::Translated(texts::kHistoryIncomplete).c_str(),
                               std::min(ReadingsIn(payload), total), total);
            }
            return text;
        }
        case Phase::Polling:
        case Phase::Disconnecting:
            break;
    }
    return {};
}

bool DeviceConnection::HandOverPartialHistory() {
    const int received = HistoryBlocksReceived();
    if (received == 0 || !historySink_ || info_.model == LoggerModel::Unknown)
        return false;
    // The blocks that arrived, closed the way the last block closes a whole download.
    Bytes partial = engine_.HistoryBytes();
    partial.push_back(kBlockTrailer);
    partial.push_back(kBlockTrailer);
    HistoryHandover handover{partial, info_.model, info_, historyChannels_, engine_.HistoryAlarmLimits()};
    handover.complete = false;
    handover.blocksReceived = received;
    handover.blockCount = info_.blockCount;
    handover.expectedReadings = ReadingsIn(info_.recordBytes);
    engine_.SetHistoryStage(HistoryState::Decoding);
    historySink_(handover);
    return true;
}

int DeviceConnection::HistoryBlocksReceived() const {
    if (engine_.HistoryStage() == HistoryState::Starting)
        return 0;
    return std::clamp(engine_.NextBlock() - 1, 0, std::max(info_.blockCount, 0));
}

int DeviceConnection::ReadingsIn(std::size_t bytes) const {
    const auto perReading = static_cast<std::size_t>(2 * std::max(Traits(info_.model).channelCount, 1));
    return static_cast<int>(bytes / perReading);
}

}  // namespace veldrin
