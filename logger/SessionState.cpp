#include "logger/SessionState.h"

namespace veldrin {

SessionChange SessionState::Apply(const EngineEvent& event) {
    if (const auto* reached = std::get_if<ProgressReached>(&event)) {
        TakeProgress(reached->phase, reached->percent);
    } else if (const auto* chunk = std::get_if<DescriptionChunkEchoed>(&event)) {
        TakeProgress(Phase::SettingUp, chunk->percent);
    } else if (std::holds_alternative<DescriptionHeaderSent>(event)) {
        phaseStep = PhaseStep::DescriptionWrite;
    } else if (const auto* accepted = std::get_if<ReplyAccepted>(&event)) {
        return TakeAccepted(accepted->id);
    }
    return {};
}

void SessionState::Begin(Phase activity, PhaseStep step, int percent) {
    phase = activity;
    phaseStep = step;
    progress = percent;
    stage = ActivityStage::Running;
}

void SessionState::TakeProgress(Phase in, int percent) {
    if (phase != in)
        return;
    progress = percent;
    stage = percent == kFullProgress ? ActivityStage::LastReplyIn : ActivityStage::Running;
}

// The activity and step an accepted reply moves the session to; the other replies leave both.
SessionChange SessionState::TakeAccepted(CommandId id) {
    SessionChange change;
    switch (id) {
        case CommandId::EndRecording:
            if (phase == Phase::Connecting)
                phaseStep = PhaseStep::Begun;
            if (phase == Phase::StoppingRecording)
                phase = Phase::Polling;
            break;
        case CommandId::EndRealtime:
            if (phase == Phase::Connecting)
                phaseStep = PhaseStep::Begun;
            if (phase == Phase::SettingUp)
                phaseStep = PhaseStep::Configuring;
            if (phase == Phase::Disconnecting) {
                change.closePort = true;
                online = false;
            }
            break;
        case CommandId::SetChipClock:
            if (phase == Phase::Connecting)
                phaseStep = PhaseStep::Begun;
            break;
        case CommandId::ReadRealtime:
            // Realtime is asked for last in a settings write: after its last reply the write is done.
            if (phase == Phase::SettingUp && stage == ActivityStage::LastReplyIn) {
                change.settingDone = true;
                phase = Phase::Polling;
            }
            break;
        case CommandId::WriteDescription:
            phaseStep = PhaseStep::None;
            break;
        case CommandId::ReadAllParameters:
            phase = Phase::Polling;
            break;
        default:
            break;
    }
    return change;
}

}  // namespace veldrin
