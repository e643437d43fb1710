#include "history/AlarmText.h"

#include "history/HistoryText.h"

namespace veldrin {

std::string AlarmText(AlarmListKind kind, LoggerModel model, int channel, float value, float lower,
                      float upper, TemperatureUnit unit) {
    const ModelTraits& traits = Traits(model);
    const bool secondChannel = channel == 2;
    const bool humidity = secondChannel && traits.channel2IsHumidity;
    const std::string_view name = secondChannel ? traits.channel2Name : traits.channel1Name;
    // Only the history list of a single-temperature logger marks its texts as alarms.
    const bool singleChannel = !HasSecondChannel(model);
    const std::string prefix = kind == AlarmListKind::History && singleChannel ? "报警：" : "";

    std::string text = kind == AlarmListKind::Realtime && !singleChannel ? "  " : "";
    if (value < lower)
        text = prefix + std::string(name) + "小于" + FormatChannelValue(lower, humidity, unit);
    if (value > upper)
        text = prefix + std::string(name) + "大于" + FormatChannelValue(upper, humidity, unit);
    return text;
}

}  // namespace veldrin
