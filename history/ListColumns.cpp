#include "history/ListColumns.h"

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
    const std::string temperature = std::string(Traits(LoggerModel::SingleTemperature).channel1Name);
    const std::string alarm = "报警";
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

std::vector<ListColumn> InitialColumns(ListKind kind) {
    std::vector<ListColumn> columns{{"序号", kNumberWidth, CellKind::RowNumber},
                                    {"时间", TimeWidth(kind), CellKind::Time}};
    if (kind == ListKind::HistoryData) {
        columns.push_back({"温度", 60, CellKind::Value1});
        columns.push_back({"湿度", 60, CellKind::Value2});
    } else {
        columns.push_back({"温度", kValueWidth, CellKind::Value1});
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
    const std::array<std::string, 2> names{std::string(traits.channel1Name),
                                           std::string(traits.channel2Name)};
    const bool realtime = kind == ListKind::RealtimeData || kind == ListKind::RealtimeAlarm;
    const ChannelFlags listed = realtime ? ChannelFlags{true, true} : shown;
    for (int c = 0; c < 2; ++c) {
        if (listed[c])
            columns.push_back({names[c], kValueWidth, c == 0 ? CellKind::Value1 : CellKind::Value2});
    }
    if (IsAlarmList(kind)) {
        for (int c = 0; c < 2; ++c) {
            if (listed[c]) {
                columns.push_back(
                    {names[c] + "报警", kAlarmWidth, c == 0 ? CellKind::Alarm1 : CellKind::Alarm2});
            }
        }
    }
    return columns;
}

}  // namespace veldrin
