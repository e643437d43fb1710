#include "archive/LoggerEvents.h"

#include <array>
#include <cstdio>
#include <utility>

#include "logger/WireCodec.h"

namespace veldrin::archive {
namespace {

std::string LimitText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

}  // namespace

std::vector<FieldChange> SettingsChanges(const LoggerInfo& before, const LoggerInfo& after) {
    auto start = [](const LoggerInfo& info) {
        return info.startTime.time ? FormatTime(*info.startTime.time) : "";
    };
    const std::pair<const char*, std::array<std::string, 2>> fields[] = {
        {"interval", {std::to_string(before.interval), std::to_string(after.interval)}},
        {"start", {start(before), start(after)}},
        {"startsItself", {std::to_string(before.startFlag), std::to_string(after.startFlag)}},
        {"stopMode", {std::to_string(before.stopMode), std::to_string(after.stopMode)}},
        {"channel1Lower", {LimitText(before.channel1Alarm.lower), LimitText(after.channel1Alarm.lower)}},
        {"channel1Upper", {LimitText(before.channel1Alarm.upper), LimitText(after.channel1Alarm.upper)}},
        {"channel2Lower", {LimitText(before.channel2Alarm.lower), LimitText(after.channel2Alarm.lower)}},
        {"channel2Upper", {LimitText(before.channel2Alarm.upper), LimitText(after.channel2Alarm.upper)}},
        {"alarm", {std::to_string(before.channel1Alarm.enable), std::to_string(after.channel1Alarm.enable)}},
        {"title", {before.title, after.title}},
        {"description", {before.description, after.description}},
    };
    std::vector<FieldChange> changes;
    for (const auto& [field, values] : fields) {
        if (values[0] != values[1])
            changes.push_back({field, values[0], values[1]});
    }
    return changes;
}

std::string StartRecordingDetail(const LoggerInfo& after) {
    const std::string start = after.startTime.time ? FormatTime(*after.startTime.time) : "";
    return "{\"start\":\"" + start + "\",\"startsItself\":" + (after.startFlag == 1 ? "true" : "false") + "}";
}

}  // namespace veldrin::archive
