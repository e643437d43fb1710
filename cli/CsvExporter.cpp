// `veldrin-cli export FILE OUT.csv`: the readings as CSV for spreadsheets and scripts.
#include "cli/CsvExporter.h"

#include "cli/ExportRegistry.h"
#include "files/CsvExport.h"

namespace veldrin::cli {
namespace {

// Set by the export command's options before its callback runs the exporter.
bool& DewPointAsked() {
    static bool asked = false;
    return asked;
}

const ExporterRegistration kCsv{
    "csv", "readings as CSV",
    [](const HistoryDataSet& history, const std::string& path, TemperatureUnit unit) {
        return WriteCsvExport(path, history, unit, DewPointAsked());
    }};

}  // namespace

void AddCsvExportOptions(CLI::App& command) {
    DewPointAsked() = false;
    command.add_flag_function(
        "--dew-point", [](std::int64_t) { DewPointAsked() = true; },
        "csv: add the dew point computed from temperature and humidity (Magnus formula)");
}

}  // namespace veldrin::cli
