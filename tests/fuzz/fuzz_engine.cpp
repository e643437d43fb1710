// The protocol engine with its command state chosen by the input: which command is outstanding,
// in which phase, with which states, then deliveries of any bytes and any length.
#include <algorithm>

#include "logger/ProtocolEngine.h"
#include "tests/fuzz/FuzzLink.h"

namespace {

struct QuietListener final : veldrin::ProtocolListener {
    void FieldDecoded(veldrin::LoggerField) override {}
    void ProgressText(int, std::string_view) override {}
    void IdentifyMismatch() override {}
    void ReconnectRequested() override {}
    void RealtimeReading(float, float) override {}
    void RealtimeMismatch() override {}
};

constexpr veldrin::Phase kPhases[] = {veldrin::Phase::Connecting,     veldrin::Phase::SettingUp,
                                      veldrin::Phase::ReadingHistory, veldrin::Phase::Polling,
                                      veldrin::Phase::Disconnecting,  veldrin::Phase::StoppingRecording};
constexpr veldrin::LoggerModel kModels[] = {
    veldrin::LoggerModel::SingleTemperature, veldrin::LoggerModel::TemperatureHumidity,
    veldrin::LoggerModel::DualTemperature, veldrin::LoggerModel::Unknown};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veldrin;
    fuzz::Input input(data, size);
    fuzz::FuzzLink link;
    fuzz::FuzzClock clock;
    LoggerInfo info;
    QuietListener listener;
    ProtocolEngine engine(link, clock, info, listener);
    link.SetDataCallback(
        [&](const std::uint8_t* bytes, std::size_t count) { engine.OnReceive(bytes, count); });

    const LoggerModel model = kModels[input.Byte() % 4];
    engine.ResetForConnect(model);
    engine.SetModel(model);
    engine.Session().online = true;
    engine.Session().phase = kPhases[input.Byte() % 6];
    engine.Session().phaseStep = input.Byte() % 8;
    info.blockCount = 1 + input.Byte() % 300;
    info.recordBytes = static_cast<std::uint32_t>(info.blockCount) * 1000;
    std::array<std::uint8_t, 96> text{};
    engine.BeginDescriptionWrite(text);
    while (!input.Empty()) {
        const std::uint8_t step = input.Byte();
        const auto id = CommandFromIndex(step % kCommandCount);
        switch (step / kCommandCount % 4) {
            case 0:
                engine.SetState(id, static_cast<int>(input.Byte() % 30) - 4);
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
