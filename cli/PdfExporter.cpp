#include "cli/PdfExporter.h"

#include <cstdio>

#include "fleet/ExportRegistry.h"
#include "logger/TextFormat.h"
#include "logger/WireCodec.h"
#include "print/PdfExport.h"
#include "translations/Translation.h"

namespace veldrin::cli {
void SetPdfArchiveMark(const std::string& mark) {
    fleet::PdfWriterOptions().archiveMark = mark;
}

std::optional<std::time_t> ParsePrintRangeTime(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &year, &month, &day, &hour, &minute, &second,
                    &rest) != 6)
        return std::nullopt;
    return MakeLocalTime(year, month, day, hour, minute, second);
}

CLI::Validator PrintRangeTimeValidator() {
    return CLI::Validator(
        [](const std::string& text) {
            return ParsePrintRangeTime(text)
                       ? std::string()
                       : Printf(
                             text::translate("veldrin-cli", "not a time of the form YYYY-MM-DD HH:MM:SS: %s")
                                 .c_str(),
                             text.c_str());
        },
        "TIME");
}

void AddPdfExportOptions(CLI::App& command) {
    fleet::PdfWriterOptions() = PdfExportOptions{};
    command
        .add_option_function<std::string>(
            "--mode",
            [](const std::string& mode) {
                fleet::PdfWriterOptions().mode = mode == "text" ? PrintMode::Text : PrintMode::Curve;
            },
            "pdf: curve pages (default) or a table of every sample")
        ->check(CLI::IsMember({"curve", "text"}));
    command.add_option_function<int>(
        "--pages", [](int pages) { fleet::PdfWriterOptions().curvePages = pages; },
        "pdf, curve mode: pages including the summary, 2 to 10 (default 2; others are brought into range)");
    command
        .add_option_function<std::string>(
            "--from",
            [](const std::string& text) { fleet::PdfWriterOptions().from = ParsePrintRangeTime(text); },
            "pdf: first time printed, \"YYYY-MM-DD HH:MM:SS\" (default: the first sample)")
        ->check(PrintRangeTimeValidator());
    command
        .add_option_function<std::string>(
            "--to", [](const std::string& text) { fleet::PdfWriterOptions().to = ParsePrintRangeTime(text); },
            "pdf: last time printed, \"YYYY-MM-DD HH:MM:SS\" (default: the last sample)")
        ->check(PrintRangeTimeValidator());
}

}  // namespace veldrin::cli
