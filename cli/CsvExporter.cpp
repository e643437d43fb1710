// `veldrin-cli export FILE OUT.csv`: the readings as CSV, with the computed dew point when asked for.
#include "cli/CsvExporter.h"

#include "fleet/ExportRegistry.h"

namespace veldrin::cli {

void AddCsvExportOptions(CLI::App& command) {
    fleet::CsvWriterDewPoint() = false;
    command.add_flag_function(
        "--dew-point", [](std::int64_t) { fleet::CsvWriterDewPoint() = true; },
        "csv: add the dew point computed from temperature and humidity (Magnus formula)");
}

}  // namespace veldrin::cli
