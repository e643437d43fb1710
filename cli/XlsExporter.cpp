// `veldrin-cli export FILE OUT.xls`: the workbook the Save command writes, with the summary list
// and the history alarm list filled from the loaded history.
#include <string>

#include "cli/ExportRegistry.h"
#include "cli/GuiApplication.h"
#include "measure/CurveChart.h"
#include "measure/HistoryListModel.h"
#include "measure/HistoryPresenter.h"
#include "measure/SummaryListModel.h"
#include "workbook/Workbook.h"

namespace veldrin::cli {
namespace {

SaveResult WriteWorkbook(const HistoryDataSet& history, const std::string& path) {
    EnsureGuiApplication();
    CurveChart chart;
    HistoryListModel dataList{ListKind::HistoryData};
    HistoryListModel alarmList{ListKind::HistoryAlarm};
    SummaryListModel summary;
    HistoryPresenter(history, chart, dataList, alarmList, summary).ShowLoadedFile();

    WorksheetExportResult result = ExportWorksheet(path, summary, alarmList);
    std::string errors;
    for (const auto& message : result.messages) {
        if (message.error)
            errors += (errors.empty() ? "" : "\n") + message.text;
    }
    if (!result.written)
        return SaveResult::Failure(errors.empty() ? "no workbook was written" : errors);
    return {};
}

const ExporterRegistration kXls{"xls", "Excel workbook", WriteWorkbook};

}  // namespace
}  // namespace veldrin::cli
