#include "history/SummaryRows.h"

#include <algorithm>

#include "history/HistoryText.h"
#include "logger/LoggerModel.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

// The rows shared by both layouts, up to the first channel's average; names in the language of
// the run.
std::vector<SummaryRow> CommonRows(const SummaryTexts& s) {
    return {
        {text::translate("veldrin::SummaryRows", "标题"), s.title},
        {text::translate("veldrin::SummaryRows", "仪表名称"), s.instrumentName},
        {text::translate("veldrin::SummaryRows", "启用通道数"), s.enabledChannels},
        {text::translate("veldrin::SummaryRows", "数据长度"), s.dataLength},
        {text::translate("veldrin::SummaryRows", "开始时间"), s.startTime},
        {text::translate("veldrin::SummaryRows", "停止时间"), s.stopTime},
        {text::translate("veldrin::SummaryRows", "间隔时间"), s.interval},
        {text::translate("veldrin::SummaryRows", "通道号"), s.channel1Number},
        {text::translate("veldrin::SummaryRows", "通道名称"), s.channel1Name},
        {text::translate("veldrin::SummaryRows", "通道单位"), s.channel1Unit},
        {text::translate("veldrin::SummaryRows", "最小值"), s.channel1Min},
        {text::translate("veldrin::SummaryRows", "最大值"), s.channel1Max},
        {text::translate("veldrin::SummaryRows", "平均值"), s.channel1Avg},
    };
}

}  // namespace

SummaryLayout LayoutFor(const HistoryDataSet& history) {
    return HasSecondChannel(RecordedModel(history)) ? SummaryLayout::TwoChannels : SummaryLayout::OneChannel;
}

std::vector<SummaryRow> SummaryRows(const HistoryDataSet& history, TemperatureUnit unit) {
    const SummaryTexts s = ShownSummaryTexts(history, unit);
    std::vector<SummaryRow> rows = CommonRows(s);
    if (LayoutFor(history) == SummaryLayout::TwoChannels) {
        rows.push_back({text::translate("veldrin::SummaryRows", "通道号"), s.channel2Number});
        rows.push_back({text::translate("veldrin::SummaryRows", "通道名称"), s.channel2Name});
        rows.push_back({text::translate("veldrin::SummaryRows", "通道单位"), s.channel2Unit});
        rows.push_back({text::translate("veldrin::SummaryRows", "最小值"), s.channel2Min});
        rows.push_back({text::translate("veldrin::SummaryRows", "最大值"), s.channel2Max});
        rows.push_back({text::translate("veldrin::SummaryRows", "平均值"), s.channel2Avg});
    }
    rows.push_back({text::translate("veldrin::SummaryRows", "记录仪描述"), s.description});
    if (history.Partial())
        rows.push_back({CompletenessName(), CompletenessText(history)});
    return rows;
}

std::vector<ListColumn> SummaryListColumns() {
    return {{text::translate("veldrin::SummaryRows", "名称"), 140, CellKind::Blank},
            {text::translate("veldrin::SummaryRows", "值"), 140, CellKind::Blank}};
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
    names.push_back(text::translate("veldrin::SummaryRows", "记录仪描述"));
    return names;
}

}  // namespace veldrin
