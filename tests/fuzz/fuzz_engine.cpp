// The protocol engine with its command state chosen by the input: which command is outstanding,
// in which phase, with which states, then deliveries of any bytes and any length.
#include <algorithm>

#include "logger/ProtocolEngine.h"
#include "tests/fuzz/FuzzLink.h"

namespace {

// Moves the session with the engine's events, as the connection does.
struct SessionListener final : veldrin::ProtocolListener {
    explicit SessionListener(veldrin::SessionState& moved) : session(moved) {}
    void OnEvent(const veldrin::EngineEvent& event) override { session.Apply(event); }
    veldrin::SessionState& session;
};

constexpr veldrin::Phase kPhases[] = {veldrin::Phase::Connecting,     veldrin::Phase::SettingUp,
                                      veldrin::Phase::ReadingHistory, veldrin::Phase::Polling,
                                      veldrin::Phase::Disconnecting,  veldrin::Phase::StoppingRecording};
constexpr veldrin::LoggerModel kModels[] = {
    veldrin::LoggerModel::SingleTemperature, veldrin::LoggerModel::TemperatureHumidity,
    veldrin::LoggerModel::DualTemperature, veldrin::LoggerModel::Unknown};
constexpr veldrin::PhaseStep kSteps[] = {
    veldrin::PhaseStep::None, veldrin::PhaseStep::Begun, veldrin::PhaseStep::Configuring,
    veldrin::PhaseStep::DescriptionWrite, veldrin::PhaseStep::HistoryDecoded};
constexpr veldrin::CommandStatus kStatuses[] = {
    veldrin::CommandStatus::NotWanted, veldrin::CommandStatus::Pending, veldrin::CommandStatus::Answered,
    veldrin::CommandStatus::GivenUp};
constexpr veldrin::HistoryState kHistoryStates[] = {
    veldrin::HistoryState::Starting, veldrin::HistoryState::NextBlock, veldrin::HistoryState::Complete,
    veldrin::HistoryState::Decoding, veldrin::HistoryState::Idle};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veldrin;
    fuzz::Input input(data, size);
    fuzz::FuzzLink link;
    test::ManualClock clock{fuzz::kFuzzClockStart};
    LoggerInfo info;
    SessionState session;
    SessionListener listener(session);
    ProtocolEngine engine(link, clock, info, session, listener);
    link.SetDataCallback(
        [&](const std::uint8_t* bytes, std::size_t count) { engine.OnReceive(bytes, count); });

    const LoggerModel model = kModels[input.Byte() % 4];
    engine.ResetForConnect(model);
    engine.SetModel(model);
    session.online = true;
    session.phase = kPhases[input.Byte() % 6];
    session.phaseStep = kSteps[input.Byte() % 5];
    info.blockCount = 1 + input.Byte() % 300;
    info.recordBytes = static_cast<std::uint32_t>(info.blockCount) * 1000;
    std::array<std::uint8_t, 96> text{};
    engine.BeginDescriptionWrite(text);
    while (!input.Empty()) {
        const std::uint8_t step = input.Byte();
        const auto id = CommandFromIndex(step % kCommandCount);
        switch (step / kCommandCount % 4) {
            case 0:
                if (id == CommandId::ReadHistory)
                    engine.SetHistoryStage(kHistoryStates[input.Byte() % 5]);
                else
                    engine.SetState(id, kStatuses[input.Byte() % 4]);
                engine.Send(id);
                break;
            case 1: {
                auto [bytes, count] = input.Bytes(input.Byte() * 9u);
                link.Deliver(bytes, count);
                break;
            }
            case 2:
                engine.ProcessReply();
                break;
            default:
                engine.ProcessReply(id);
                break;
        }
    }
    return 0;
}
