#pragma once
// The printed pages as a `veldrin-cli export` format: OUT.pdf gets the pages the print preview
// prints, shaped by --mode, --pages, --from and --to.
#include <ctime>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

namespace veldrin::cli {

// Adds --mode curve|text, --pages N, --from and --to ("YYYY-MM-DD HH:MM:SS") to the export
// command; they apply when OUT ends in .pdf.
void AddPdfExportOptions(CLI::App& command);

// The entry and hash printed at the foot of the pages the export writes next; AddPdfExportOptions
// clears it, so only an archived history's export carries it.
void SetPdfArchiveMark(const std::string& mark);

// "YYYY-MM-DD HH:MM:SS" (fields may drop their leading zeros) as a local time; nothing when the
// text names no time.
std::optional<std::time_t> ParsePrintRangeTime(const std::string& text);
// A CLI11 check that an option's text is such a time.
CLI::Validator PrintRangeTimeValidator();

}  // namespace veldrin::cli
