#include "history/SummaryRows.h"

#include <algorithm>

#include "history/HistoryText.h"
#include "logger/LoggerModel.h"

namespace veldrin {
namespace {

// The rows shared by both layouts, up to the first channel's average.
std::vector<SummaryRow> CommonRows(const SummaryTexts& s) {
    return {
        {"标题", s.title},
        {"仪表名称", s.instrumentName},
        {"启用通道数", s.enabledChannels},
        {"数据长度", s.dataLength},
        {"开始时间", s.startTime},
        {"停止时间", s.stopTime},
        {"间隔时间", s.interval},
        {"通道号", s.channel1Number},
        {"通道名称", s.channel1Name},
        {"通道单位", s.channel1Unit},
        {"最小值", s.channel1Min},
        {"最大值", s.channel1Max},
        {"平均值", s.channel1Avg},
    };
}

}  // namespace

SummaryLayout LayoutFor(const HistoryDataSet& history) {
    return HasSecondChannel(RecordedModel(history)) ? SummaryLayout::TwoChannels : SummaryLayout::OneChannel;
}

std::vector<SummaryRow> SummaryRows(const HistoryDataSet& history, TemperatureUnit unit) {
    const SummaryTexts s = SummaryTextsOf(history, unit);
    std::vector<SummaryRow> rows = CommonRows(s);
    if (LayoutFor(history) == SummaryLayout::TwoChannels) {
        rows.push_back({"通道号", s.channel2Number});
        rows.push_back({"通道名称", s.channel2Name});
        rows.push_back({"通道单位", s.channel2Unit});
        rows.push_back({"最小值", s.channel2Min});
        rows.push_back({"最大值", s.channel2Max});
        rows.push_back({"平均值", s.channel2Avg});
    }
    rows.push_back({"记录仪描述", s.description});
    if (history.Partial())
        rows.push_back({kCompletenessName, CompletenessText(history)});
    return rows;
}

std::vector<ListColumn> SummaryListColumns() {
    return {{"名称", 140, CellKind::Blank}, {"值", 140, CellKind::Blank}};
}

std::vector<SummaryRow> SummaryListRows(const HistoryDataSet& history, TemperatureUnit unit) {
    std::vector<SummaryRow> rows = SummaryRows(history, unit);
    // A partial download's completeness row comes on top of the named rows.
    rows.resize(std::max(rows.size(), static_cast<std::size_t>(kSummaryListRows)), SummaryRow{"  ", "  "});
    return rows;
}

std::string FormatSummaryLines(const HistoryDataSet& history) {
    std::string lines;
    for (const SummaryRow& row : SummaryRows(history))
        lines += row.name + ": " + row.value + "\n";
    return lines;
}

std::vector<std::string> OneChannelRowNames() {
    std::vector<std::string> names;
    for (const SummaryRow& row : CommonRows(SummaryTexts{}))
        names.push_back(row.name);
    names.push_back("记录仪描述");
    return names;
}

}  // namespace veldrin
