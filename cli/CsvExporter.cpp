// `veldrin-cli export FILE OUT.csv`: the readings as CSV for spreadsheets and scripts.
#include "cli/ExportRegistry.h"
#include "files/CsvExport.h"

namespace veldrin::cli {
namespace {

const ExporterRegistration kCsv{"csv", "readings as CSV",
                                [](const HistoryDataSet& history, const std::string& path,
                                   TemperatureUnit unit) { return WriteCsvExport(path, history, unit); }};

}  // namespace
}  // namespace veldrin::cli
