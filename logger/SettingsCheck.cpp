#include "logger/SettingsCheck.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "logger/Gbk.h"
#include "logger/TextFormat.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

struct LimitField {
    const std::string& text;
    std::string name;  // "温度上限值" …, in the language of the run
    bool humidity;
    TemperatureUnit unit;
};

// A number of a limit field: plain decimal, blanks around it allowed.
std::optional<double> LimitValue(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;
    const std::string number = text.substr(begin, end - begin);
    // Only plain decimal numbers: no hexadecimal, no "inf" or "nan".
    if (number.find_first_not_of("+-.0123456789eE") != std::string::npos)
        return std::nullopt;
    char* stop = nullptr;
    errno = 0;
    const double value = std::strtod(number.c_str(), &stop);
    if (stop != number.c_str() + number.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A whole number held within ±1e6, so that any value far beyond a limit's range stays beyond it.
int HeldWhole(double whole) {
    if (whole < -1e6 || whole > 1e6)
        return static_cast<int>(whole < 0 ? -1e6 : 1e6);
    return static_cast<int>(whole);
}

// The value typed, with the unit when it is not °C: "270°F".
std::string TypedValue(const LimitField& field, int celsius) {
    if (field.humidity || field.unit == TemperatureUnit::Celsius)
        return std::to_string(celsius);
    const std::size_t begin = field.text.find_first_not_of(" \t");
    const std::size_t end = field.text.find_last_not_of(" \t");
    return field.text.substr(begin, end - begin + 1) + UnitText(field.unit);
}

std::optional<std::string> LimitProblem(const LimitField& field) {
    const std::optional<int> value =
        field.humidity ? LimitNumber(field.text) : TemperatureLimitNumber(field.text, field.unit);
    if (!value)
        return Printf(text::translate("veldrin::SettingsCheck", "%s不是数字：“%s”。请输入整数。").c_str(),
                      field.name.c_str(), field.text.c_str());
    if (field.humidity && (*value < kHumidityLimitLowest || *value > kHumidityLimitHighest)) {
        return Printf(
            text::translate("veldrin::SettingsCheck", "%s超出范围：%d。湿度报警限须在 %d 到 %d 之间。")
                .c_str(),
            field.name.c_str(), *value, kHumidityLimitLowest, kHumidityLimitHighest);
    }
    if (!field.humidity && (*value < -kTemperatureLimitMagnitude || *value > kTemperatureLimitMagnitude)) {
        return Printf(
            text::translate("veldrin::SettingsCheck", "%s超出范围：%s。温度报警限须在 -%d 到 %d 之间。")
                .c_str(),
            field.name.c_str(), TypedValue(field, *value).c_str(), kTemperatureLimitMagnitude,
            kTemperatureLimitMagnitude);
    }
    return std::nullopt;
}

std::optional<std::string> TextProblem(const std::string& name, const std::string& text,
                                       std::size_t maxBytes) {
    const std::size_t bytes = GbkLength(text);
    if (bytes <= maxBytes)
        return std::nullopt;
    return Printf(
        text::translate("veldrin::SettingsCheck", "%s太长：%zu 字节，最多 %zu 字节（一个汉字占 2 字节）。")
            .c_str(),
        name.c_str(), bytes, maxBytes);
}

// The limit fields of a channel by its name in the model table: "温度下限值", "温度上限值".
std::string LowerLimitName(std::string_view channel) {
    return Printf(text::translate("veldrin::SettingsCheck", "%s下限值").c_str(),
                  ShownModelText(channel).c_str());
}
std::string UpperLimitName(std::string_view channel) {
    return Printf(text::translate("veldrin::SettingsCheck", "%s上限值").c_str(),
                  ShownModelText(channel).c_str());
}

}  // namespace

std::optional<int> LimitNumber(const std::string& text) {
    const std::optional<double> value = LimitValue(text);
    if (!value)
        return std::nullopt;
    return HeldWhole(std::trunc(*value));
}

std::optional<int> TemperatureLimitNumber(const std::string& text, TemperatureUnit unit) {
    if (unit == TemperatureUnit::Celsius)
        return LimitNumber(text);
    const std::optional<double> value = LimitValue(text);
    if (!value)
        return std::nullopt;
    return HeldWhole(std::round(CelsiusOf(*value, unit)));
}

int TemperatureLimitFromText(const std::string& text, TemperatureUnit unit) {
    if (unit == TemperatureUnit::Celsius)
        return LimitFromText(text);
    const double value = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::isnan(value) ? 0 : HeldWhole(value);
    return HeldWhole(std::round(CelsiusOf(value, unit)));
}

int LimitFromText(const std::string& text) {
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

std::optional<std::string> FindSettingsProblem(const PanelSettings& panel, LoggerModel model) {
    const ModelTraits& traits = Traits(model);
    // A logger of no known model is checked as one temperature channel.
    const std::string_view channel1 =
        traits.channelCount > 0 ? traits.channel1Name : Traits(LoggerModel::SingleTemperature).channel1Name;
    if (auto problem =
            LimitProblem({panel.channel1Lower, LowerLimitName(channel1), false, panel.temperatureUnit}))
        return problem;
    if (auto problem =
            LimitProblem({panel.channel1Upper, UpperLimitName(channel1), false, panel.temperatureUnit}))
        return problem;
    if (traits.channelCount == 2) {
        const bool humidity = traits.channel2IsHumidity;
        if (auto problem = LimitProblem(
                {panel.channel2Lower, LowerLimitName(traits.channel2Name), humidity, panel.temperatureUnit}))
            return problem;
        if (auto problem = LimitProblem(
                {panel.channel2Upper, UpperLimitName(traits.channel2Name), humidity, panel.temperatureUnit}))
            return problem;
    }
    if (!MakeLocalTime(panel.startYear, panel.startMonth, panel.startDay, panel.startHour, panel.startMinute,
                       panel.startSecond)) {
        return Printf(
            text::translate("veldrin::SettingsCheck", "启动时间不是有效的日期：%d-%02d-%02d %02d:%02d:%02d。")
                .c_str(),
            panel.startYear, panel.startMonth, panel.startDay, panel.startHour, panel.startMinute,
            panel.startSecond);
    }
    if (auto problem =
            TextProblem(text::translate("veldrin::SettingsCheck", "标题"), panel.title, kLoggerTitleBytes))
        return problem;
    return TextProblem(text::translate("veldrin::SettingsCheck", "描述"), panel.description,
                       kLoggerDescriptionBytes);
}

}  // namespace veldrin
