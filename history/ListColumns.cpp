#include "history/ListColumns.h"

#include "logger/TextFormat.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

constexpr int kNumberWidth = 55;
constexpr int kValueWidth = 65;
constexpr int kAlarmWidth = 140;
constexpr const char* kBlankHeader = "    ";

bool IsAlarmList(ListKind kind) {
    return kind == ListKind::RealtimeAlarm || kind == ListKind::HistoryAlarm;
}

int TimeWidth(ListKind kind) {
    return kind == ListKind::HistoryData ? 140 : 130;
}

// The value and alarm columns of a single-temperature logger.
void AppendSingleChannelColumns(ListKind kind, std::vector<ListColumn>& columns) {
    const std::string temperature = ShownModelText(Traits(LoggerModel::SingleTemperature).channel1Name);
    const std::string alarm = text::translate("veldrin::ListColumns", "报警");
    switch (kind) {
        case ListKind::RealtimeData:
            columns.push_back({temperature, kValueWidth, CellKind::Value1});
            break;
        case ListKind::RealtimeAlarm:
            columns.push_back({temperature, kValueWidth, CellKind::Value1});
            columns.push_back({alarm, kAlarmWidth, CellKind::Alarm1});
            columns.push_back({kBlankHeader, 0, CellKind::Blank});
            columns.push_back({kBlankHeader, 0, CellKind::Blank});
            break;
        case ListKind::HistoryData:
            columns.push_back({temperature, kValueWidth, CellKind::Value1});
            columns.push_back({kBlankHeader, 0, CellKind::Blank});
            break;
        case ListKind::HistoryAlarm:
            columns.push_back({temperature, kAlarmWidth, CellKind::Value1});
            columns.push_back({alarm, kAlarmWidth, CellKind::Alarm1});
            break;
    }
}

}  // namespace

std::string AlarmColumnHeader(std::string_view channelName) {
    return Printf(text::translate("veldrin::ListColumns", "%s报警").c_str(),
                  ShownModelText(channelName).c_str());
}

std::vector<ListColumn> InitialColumns(ListKind kind) {
    std::vector<ListColumn> columns{
        {text::translate("veldrin::ListColumns", "序号"), kNumberWidth, CellKind::RowNumber},
        {text::translate("veldrin::ListColumns", "时间"), TimeWidth(kind), CellKind::Time}};
    const ModelTraits& humidity = Traits(LoggerModel::TemperatureHumidity);
    if (kind == ListKind::HistoryData) {
        columns.push_back({ShownModelText(humidity.channel1Name), 60, CellKind::Value1});
        columns.push_back({ShownModelText(humidity.channel2Name), 60, CellKind::Value2});
    } else {
        columns.push_back({ShownModelText(humidity.channel1Name), kValueWidth, CellKind::Value1});
    }
    return columns;
}

std::vector<ListColumn> ColumnsFor(ListKind kind, LoggerModel model, ChannelFlags shown) {
    std::vector<ListColumn> columns = InitialColumns(kind);
    columns.resize(2);
    if (!HasSecondChannel(model)) {
        AppendSingleChannelColumns(kind, columns);
        return columns;
    }
    const ModelTraits& traits = Traits(model);
    const std::array<std::string_view, 2> names{traits.channel1Name, traits.channel2Name};
    const bool realtime = kind == ListKind::RealtimeData || kind == ListKind::RealtimeAlarm;
    const ChannelFlags listed = realtime ? ChannelFlags{true, true} : shown;
    for (int c = 0; c < 2; ++c) {
        if (listed[c])
            columns.push_back(
                {ShownModelText(names[c]), kValueWidth, c == 0 ? CellKind::Value1 : CellKind::Value2});
    }
    if (IsAlarmList(kind)) {
        for (int c = 0; c < 2; ++c) {
            if (listed[c]) {
                columns.push_back(
                    {AlarmColumnHeader(names[c]), kAlarmWidth, c == 0 ? CellKind::Alarm1 : CellKind::Alarm2});
            }
        }
    }
    return columns;
}

}  // namespace veldrin
