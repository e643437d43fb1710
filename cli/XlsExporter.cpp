// `veldrin-cli export FILE OUT.xls`: the workbook the Save command writes, with the summary list
// and the history alarm list filled straight from the history record (no chart, no data list:
// the workbook holds neither).
#include <string>

#include "cli/ExportRegistry.h"
#include "cli/GuiApplication.h"
#include "measure/HistoryListModel.h"
#include "measure/HistoryPresenter.h"
#include "measure/SummaryListModel.h"
#include "workbook/Workbook.h"

namespace veldrin::cli {
namespace {

Status WriteWorkbook(const HistoryDataSet& history, const std::string& path) {
    EnsureGuiApplication();
    HistoryListModel alarmList{ListKind::HistoryAlarm};
    FillHistoryList(history, RecordedModel(history), history.limits.enable1 == 1, alarmList);
    SummaryListModel summary;
    summary.Refresh(history);

    WorksheetExportResult result = ExportWorksheet(path, summary, alarmList);
    std::string errors;
    for (const auto& message : result.messages) {
        if (message.error)
            errors += (errors.empty() ? "" : "\n") + message.text;
    }
    if (!result.written)
        return Status::Failure(errors.empty() ? "no workbook was written" : errors);
    return {};
}

const ExporterRegistration kXls{"xls", "Excel workbook", WriteWorkbook};

}  // namespace
}  // namespace veldrin::cli
