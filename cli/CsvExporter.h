#pragma once
// The readings as CSV as a `veldrin-cli export` format, with the computed dew point when asked for.
#include <CLI/CLI.hpp>

namespace veldrin::cli {

// Adds --dew-point to the export command; it applies when OUT ends in .csv.
void AddCsvExportOptions(CLI::App& command);

}  // namespace veldrin::cli
