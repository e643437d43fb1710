// `veldrin-cli export FILE OUT.xlsx`: the modern workbook Save writes, readings, summary and chart.
#include <string>

#include "cli/ExportRegistry.h"
#include "workbook/Workbook.h"

namespace veldrin::cli {
namespace {

const ExporterRegistration kXlsx{
    "xlsx", "Excel workbook, 2007 and later",
    [](const HistoryDataSet& history, const std::string& path, TemperatureUnit unit) {
        return ExportXlsx(path, history, kXlsxRowsPerSheet, unit);
    }};

}  // namespace
}  // namespace veldrin::cli
