// The writers every program saves histories with: the data file, the text export, CSV, the two
// workbooks and the printed pages.
#include <string>

#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/TextExport.h"
#include "fleet/ExportRegistry.h"
#include "fleet/GuiApplication.h"
#include "workbook/Workbook.h"

namespace veldrin::fleet {
namespace {

// The workbook the Save command writes, with the summary list and the history alarm list read
// straight from the history record, listed as a loaded data file lists them (no chart, no data
// list: the workbook holds neither).
Status WriteWorkbook(const HistoryDataSet& history, const std::string& path, TemperatureUnit unit) {
    WorksheetExportResult result =
        ExportWorksheet(path, history, RecordedModel(history), history.limits.enable1 == 1, unit);
    std::string errors;
    for (const auto& message : result.messages) {
        if (message.error)
            errors += (errors.empty() ? "" : "\n") + message.text;
    }
    if (!result.written)
        return Status::Failure(errors.empty() ? "no workbook was written" : errors);
    return {};
}

Status WritePdf(const HistoryDataSet& history, const std::string& path, TemperatureUnit unit) {
    EnsureGuiApplication();
    PdfExportOptions options = PdfWriterOptions();
    options.unit = unit;
    const PdfExportResult result = ExportPdf(history, options, path);
    if (result.status != PdfExportStatus::Written)
        return Status::Failure(result.message);
    return {};
}

}  // namespace

PdfExportOptions& PdfWriterOptions() {
    static PdfExportOptions options;
    return options;
}

bool& CsvWriterDewPoint() {
    static bool dewPoint = false;
    return dewPoint;
}

void AddStandardWriters(ExporterRegistry& registry) {
    registry.Add("vdr", "data file",
                 [](const HistoryDataSet& history, const std::string& path, TemperatureUnit) {
                     return WriteDataFile(path, history);
                 });
    registry.Add("txt", "text export",
                 [](const HistoryDataSet& history, const std::string& path, TemperatureUnit) {
                     return WriteTextExport(path, history);
                 });
    registry.Add("csv", "readings as CSV",
                 [](const HistoryDataSet& history, const std::string& path, TemperatureUnit unit) {
                     return WriteCsvExport(path, history, unit, CsvWriterDewPoint());
                 });
    registry.Add("xls", "Excel workbook", WriteWorkbook);
    registry.Add("xlsx", "Excel workbook, 2007 and later",
                 [](const HistoryDataSet& history, const std::string& path, TemperatureUnit unit) {
                     return ExportXlsx(path, history, kXlsxRowsPerSheet, unit);
                 });
    registry.Add("pdf", "printed pages", WritePdf);
}

}  // namespace veldrin::fleet
