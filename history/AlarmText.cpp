#include "history/AlarmText.h"

#include "history/HistoryText.h"
#include "logger/TextFormat.h"
#include "translations/Translation.h"

namespace veldrin {

std::string AlarmText(AlarmListKind kind, LoggerModel model, int channel, float value, float lower,
                      float upper, TemperatureUnit unit) {
    const ModelTraits& traits = Traits(model);
    const bool secondChannel = channel == 2;
    const bool humidity = secondChannel && traits.channel2IsHumidity;
    // Only the history list of a single-temperature logger marks its texts as alarms.
    const bool singleChannel = !HasSecondChannel(model);
    const bool marked = kind == AlarmListKind::History && singleChannel;
    // The texts are looked up only for a value beyond a limit: most readings are within them.
    const auto crossed = [&](const char* format, float limit) {
        const std::string name = ShownModelText(secondChannel ? traits.channel2Name : traits.channel1Name);
        const std::string text =
            Printf(format, name.c_str(), FormatChannelValue(limit, humidity, unit).c_str());
        return marked ? Printf(text::translate("veldrin::AlarmText", "报警：%s").c_str(), text.c_str())
                      : text;
    };

    std::string text = kind == AlarmListKind::Realtime && !singleChannel ? "  " : "";
    if (value < lower)
        text = crossed(text::translate("veldrin::AlarmText", "%s小于%s").c_str(), lower);
    if (value > upper)
        text = crossed(text::translate("veldrin::AlarmText", "%s大于%s").c_str(), upper);
    return text;
}

}  // namespace veldrin
