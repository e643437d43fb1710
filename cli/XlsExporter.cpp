// `veldrin-cli export FILE OUT.xls`: the workbook the Save command writes, with the summary list
// and the history alarm list read straight from the history record, listed as a loaded data file
// lists them (no chart, no data list: the workbook holds neither).
#include <string>

#include "cli/ExportRegistry.h"
#include "workbook/Workbook.h"

namespace veldrin::cli {
namespace {

Status WriteWorkbook(const HistoryDataSet& history, const std::string& path, TemperatureUnit) {
    WorksheetExportResult result =
        ExportWorksheet(path, history, RecordedModel(history), history.limits.enable1 == 1);
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
