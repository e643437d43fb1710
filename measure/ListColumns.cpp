#include "measure/ListColumns.h"

#include "measure/AlarmText.h"

namespace veldrin {
namespace {

constexpr int kNumberWidth = 55;
constexpr int kValueWidth = 65;
constexpr int kAlarmWidth = 140;
const QString kBlankHeader = QStringLiteral("    ");

bool IsAlarmList(ListKind kind) {
    return kind == ListKind::RealtimeAlarm || kind == ListKind::HistoryAlarm;
}

int TimeWidth(ListKind kind) {
    return kind == ListKind::HistoryData ? 140 : 130;
}

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The value and alarm columns of a single-temperature logger.
void AppendSingleChannelColumns(ListKind kind, std::vector<ListColumn>& columns) {
    const QString temperature = Text(Traits(LoggerModel::SingleTemperature).channel1Name);
    const QString alarm = QStringLiteral("报警");
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
    std::vector<ListColumn> columns{{QStringLiteral("序号"), kNumberWidth, CellKind::RowNumber},
                                    {QStringLiteral("时间"), TimeWidth(kind), CellKind::Time}};
    if (kind == ListKind::HistoryData) {
        columns.push_back({QStringLiteral("温度"), 60, CellKind::Value1});
        columns.push_back({QStringLiteral("湿度"), 60, CellKind::Value2});
    } else {
        columns.push_back({QStringLiteral("温度"), kValueWidth, CellKind::Value1});
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
    const std::array<QString, 2> names{Text(traits.channel1Name), Text(traits.channel2Name)};
    const bool realtime = kind == ListKind::RealtimeData || kind == ListKind::RealtimeAlarm;
    const ChannelFlags listed = realtime ? ChannelFlags{true, true} : shown;
    for (int c = 0; c < 2; ++c) {
        if (listed[c])
            columns.push_back({names[c], kValueWidth, c == 0 ? CellKind::Value1 : CellKind::Value2});
    }
    if (IsAlarmList(kind)) {
        for (int c = 0; c < 2; ++c) {
            if (listed[c]) {
                columns.push_back({names[c] + QStringLiteral("报警"), kAlarmWidth,
                                   c == 0 ? CellKind::Alarm1 : CellKind::Alarm2});
            }
        }
    }
    return columns;
}

}  // namespace veldrin
