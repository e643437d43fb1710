// One realtime reading through the whole path: alarm evaluation, store, chart append and redraw
// of both curves, and one row in each realtime list (budget 1 ms).
#include "bench/gui_bench_main.h"
#include "logger/Clock.h"
#include "measure/Measurements.h"

namespace veldrin {
namespace {

class SilentSound final : public AlarmSound {
  public:
    int Play() override { return 0; }
};

void RealtimeReading(benchmark::State& state) {
    LoggerInfo info;
    info.model = LoggerModel::TemperatureHumidity;
    info.channel1Alarm = {5, 30, 0x05, 0x1E, 1};
    info.channel2Alarm = {40, 80, 0x28, 0x50, 0};
    SystemClock clock;
    SilentSound sound;
    Measurements measurements(info, clock, sound);
    RealtimeMonitor& realtime = measurements.Realtime();
    realtime.SetMonitoring(true);
    // A watch that has run for a while: the chart draws its full 512 points.
    const auto warmUp = static_cast<int>(state.range(0));
    for (int i = 0; i < warmUp; ++i)
        realtime.HandleReading(20.0f + static_cast<float>(i % 17), 50.0f, clock.Now());
    int reading = 0;
    for (auto _ : state) {
        ++reading;
        realtime.HandleReading(20.0f + static_cast<float>(reading % 17),
                               35.0f + static_cast<float>(reading % 9), clock.Now());
    }
}
BENCHMARK(RealtimeReading)->Arg(0)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace veldrin
