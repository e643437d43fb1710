#include "logger/CommandFrames.h"

#include <algorithm>

#include "logger/Gbk.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

constexpr std::array<const char*, kCommandCount> kNames{
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "设置时间间隔"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "启动记录"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "结束记录"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "设置循环方式"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "设置启动时间"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取历史数据"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取即时数据"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "结束即时数据"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "设置芯片时间"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取芯片时间"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取时间间隔"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取循环方式"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "报警设置"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取报警设置"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "写入备注信息"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取备注信息"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取芯片启动时间"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取记录状态电压状态"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取记录数量"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "同步"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "识别仪器"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "设置通道2报警"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取通道2报警"),
    QT_TRANSLATE_NOOP("veldrin::CommandFrames", "读取全部参数"),
};

}  // namespace

std::string CommandName(CommandId id) {
    return text::translate("veldrin::CommandFrames", kNames.at(static_cast<std::size_t>(Index(id))));
}

namespace {

// The frames of the set commands, which carry LoggerInfo fields (and set chip clock `now`).
std::optional<Bytes> SettingFrame(CommandId id, const LoggerInfo& info, std::time_t now) {
    switch (id) {
        case CommandId::SetInterval:
            return Bytes{0xFF, 0xF1, static_cast<std::uint8_t>(info.interval & 0xFF),
                         static_cast<std::uint8_t>(info.interval >> 8)};
        case CommandId::SetStopMode:
            return Bytes{0xFF, 0xF3, info.stopMode};
        case CommandId::SetStartTime: {
            Bytes frame{0xFF, 0xF4};
            frame.insert(frame.end(), info.startTime.raw.begin(), info.startTime.raw.end());
            frame.push_back(info.startFlag);
            return frame;
        }
        case CommandId::SetChipClock: {
            Bytes frame{0xFF, 0xF7};
            auto clock = EncodeDateTime(now);
            frame.insert(frame.end(), clock.begin(), clock.end());
            return frame;
        }
        case CommandId::SetAlarm:
            return Bytes{0xFF, 0xFB, info.channel1Alarm.lowerByte, info.channel1Alarm.upperByte,
                         info.channel1Alarm.enable};
        case CommandId::SetChannel2Alarm:
            return Bytes{0xFF, 0xEB, info.channel2Alarm.lowerByte, info.channel2Alarm.upperByte};
        default:
            return std::nullopt;
    }
}

}  // namespace

Bytes BuildFrame(CommandId id, const LoggerInfo& info, std::time_t now) {
    if (auto frame = SettingFrame(id, info, now))
        return *frame;
    switch (id) {
        case CommandId::StartRecording:
            return {0xFF, 0xF2, 0x01};
        case CommandId::EndRecording:
            return {0xFF, 0xF2, 0x00};
        case CommandId::ReadRealtime:
            return {0xFF, 0xF6, 0x01};
        case CommandId::EndRealtime:
            return {0xFF, 0xF6, 0x00};
        case CommandId::ReadChipClock:
            return {0xFF, 0xF8, 0x01};
        case CommandId::ReadInterval:
            return {0xFF, 0xF9, 0x01};
        case CommandId::ReadStopMode:
            return {0xFF, 0xF3, 0x02, 0x00};
        case CommandId::ReadAlarm:
            return {0xFF, 0xFC, 0x01};
        case CommandId::ReadDescription:
            return {0xFF, 0xFE, 0x01};
        case CommandId::ReadStartTime:
            return {0xFF, 0xFA, 0x01};
        case CommandId::ReadRecordState:
            return {0xFF, 0xF2, 0x02};
        case CommandId::ReadRecordCount:
            return {0xFF, 0xEE, 0x02};
        case CommandId::Sync:
            return {0xFF};
        case CommandId::Identify:
            return {0xFF, 0xEC, 0x01};
        case CommandId::ReadChannel2Alarm:
            return {0xFF, 0xEA, 0x01};
        case CommandId::ReadAllParameters:
            return {0xFF, 0xE9, 0x01};
        default:
            return {};
    }
}

std::optional<CommandId> CommandOfFrame(const Bytes& frame) {
    if (frame.empty() || frame[0] != 0xFF)
        return std::nullopt;
    if (frame.size() >= 2 && frame[1] == 0xF5 && (frame.size() == 2 || frame.size() == 4))
        return CommandId::ReadHistory;
    if (frame.size() == 2 && frame[1] == 0xFD)
        return CommandId::WriteDescription;
    for (int index = 0; index < kCommandCount; ++index) {
        const CommandId id = CommandFromIndex(index);
        const Bytes model = BuildFrame(id, LoggerInfo{}, 0);
        if (model.empty() || model.size() != frame.size())
            continue;
        const bool carriesSettings = id == CommandId::SetInterval || id == CommandId::SetStopMode ||
                                     id == CommandId::SetStartTime || id == CommandId::SetChipClock ||
                                     id == CommandId::SetAlarm || id == CommandId::SetChannel2Alarm;
        const std::size_t compared = carriesSettings ? 2 : model.size();
        if (std::equal(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(compared), frame.begin()))
            return id;
    }
    return std::nullopt;
}

std::array<std::uint8_t, 2> BlockRequestBytes(int block, int blockCount) {
    if (block == blockCount)
        return {0x00, 0x00};
    auto lo = static_cast<std::uint8_t>(block % 256);
    auto hi = static_cast<std::uint8_t>((block / 256) % 256);
    // FF is never sent as a block number byte: the logger takes it as a frame start.
    if (lo == 0xFF) {
        lo = 0x00;
        hi = static_cast<std::uint8_t>(hi | 0x80);
    }
    return {lo, hi};
}

Bytes PayloadRequest(CommandId id) {
    switch (id) {
        case CommandId::ReadInterval:
        case CommandId::ReadStopMode:
        case CommandId::ReadAlarm:
        case CommandId::ReadDescription:
        case CommandId::ReadStartTime: {
            Bytes frame = BuildFrame(id, LoggerInfo{}, 0);
            frame.resize(3);
            return frame;
        }
        default:
            return {};
    }
}

std::array<std::uint8_t, 96> BuildDescriptionBlock(std::string_view titleUtf8,
                                                   std::string_view descriptionUtf8) {
    std::array<std::uint8_t, 96> block;
    block.fill(' ');
    std::string title = CutGbk(ToGbk(titleUtf8), kLoggerTitleBytes);
    std::string description = CutGbk(ToGbk(descriptionUtf8), kLoggerDescriptionBytes);
    std::copy(title.begin(), title.end(), block.begin());
    std::copy(description.begin(), description.end(), block.begin() + kLoggerTitleBytes);
    return block;
}

}  // namespace veldrin
