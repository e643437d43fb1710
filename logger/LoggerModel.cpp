#include "logger/LoggerModel.h"

#include <array>
#include <string>

#include "translations/Translation.h"

namespace veldrin {
namespace {

constexpr std::array<ModelTraits, 4> kModels{{
    {LoggerModel::SingleTemperature, 0xA6, QT_TRANSLATE_NOOP("veldrin::LoggerModel", "单温度记录仪"), 3, 1,
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温度"), "°C", " ", " ",
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温度°C"), "", false, false, true, false, "single"},
    {LoggerModel::TemperatureHumidity, 0xA7, QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温湿度记录仪"), 4, 2,
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温度"), "°C",
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "湿度"), "%",
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温度°C"), QT_TRANSLATE_NOOP("veldrin::LoggerModel", "湿度 %"),
     true, false, false, true, "humidity"},
    {LoggerModel::DualTemperature, 0xA5, QT_TRANSLATE_NOOP("veldrin::LoggerModel", "双温度记录仪"), 5, 2,
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温度I"), "°C",
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温度II"), "°C",
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温度I°C"),
     QT_TRANSLATE_NOOP("veldrin::LoggerModel", "温度II°C"), false, true, false, false, "dual"},
    {LoggerModel::Unknown, 0x00, "  ", 6, 0, " ", " ", " ", " ", "", "", false, false, false, false,
     "unknown"},
}};

}  // namespace

std::string ShownModelText(std::string_view text) {
    return text::translate("veldrin::LoggerModel", std::string(text).c_str());
}

bool HasSecondChannel(LoggerModel model) {
    return Traits(model).channelCount == 2;
}

const ModelTraits& Traits(LoggerModel model) {
    for (const auto& traits : kModels) {
        if (traits.model == model)
            return traits;
    }
    return kModels.back();
}

int ModelCode(LoggerModel model) {
    return static_cast<int>(model);
}

LoggerModel ModelFromCode(int code) {
    switch (code) {
        case 0:
            return LoggerModel::SingleTemperature;
        case 1:
            return LoggerModel::TemperatureHumidity;
        case 2:
            return LoggerModel::DualTemperature;
        default:
            return LoggerModel::Unknown;
    }
}

std::span<const ModelTraits> KnownModels() {
    return std::span<const ModelTraits>(kModels.data(), kModels.size() - 1);
}

LoggerModel ModelFromIdentification(std::uint8_t byte) {
    for (const auto& traits : KnownModels()) {
        if (traits.identificationByte == byte)
            return traits.model;
    }
    return LoggerModel::Unknown;
}

std::optional<LoggerModel> ModelFromShortName(std::string_view name) {
    for (const auto& traits : KnownModels()) {
        if (traits.shortName == name)
            return traits.model;
    }
    return std::nullopt;
}

std::optional<LoggerModel> ModelFromFileKind(int kind) {
    if (kind >= 3 && kind <= 5)
        return ModelFromCode(kind - 3);
    return std::nullopt;
}

}  // namespace veldrin
