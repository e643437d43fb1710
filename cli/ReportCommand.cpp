// veldrin-cli report FILE.Vdr OUT.pdf [--from T --to T] [--with-readings]: the one-page report of
// a data file's history for an audit, with the reading pages after it when asked for.
#include <cstdio>
#include <memory>

#include "cli/CommandRegistry.h"
#include "cli/FileCommandSupport.h"
#include "cli/PdfExporter.h"
#include "fleet/GuiApplication.h"
#include "print/ReportPdf.h"

namespace veldrin::cli {
namespace {

struct ReportArguments {
    std::string input;
    std::string output;
    std::string from;
    std::string to;
    bool withReadings = false;
    TemperatureUnit unit = TemperatureUnit::Celsius;
};

int Report(const ReportArguments& arguments) {
    auto load = LoadForCommand(arguments.input);
    if (!load)
        return kFileFailureStatus;
    ReportOptions options;
    options.withReadings = arguments.withReadings;
    options.unit = arguments.unit;
    if (!arguments.from.empty())
        options.from = ParsePrintRangeTime(arguments.from);
    if (!arguments.to.empty())
        options.to = ParsePrintRangeTime(arguments.to);
    fleet::EnsureGuiApplication();
    const ReportResult result = ExportReportPdf(*load->dataSet, options, arguments.output);
    if (result.status != ReportStatus::Written) {
        std::fprintf(stderr, "report %s: %s\n", arguments.output.c_str(), result.message.c_str());
        return kFileFailureStatus;
    }
    return 0;
}

const CommandRegistration kRegistration{
    "report", [](CLI::App& app, int& status) {
        auto arguments = std::make_shared<ReportArguments>();
        CLI::App* command = app.add_subcommand(
            "report",
            "Write the report of a .Vdr data file as a one-page PDF: verdict, statistics with MKT, "
            "chart and excursions");
        command->add_option("file", arguments->input, "the data file")->required();
        command->add_option("out", arguments->output, "the PDF file to write")->required();
        command->add_option("--from", arguments->from, "first time reported, \"YYYY-MM-DD HH:MM:SS\"")
            ->check(PrintRangeTimeValidator());
        command->add_option("--to", arguments->to, "last time reported, \"YYYY-MM-DD HH:MM:SS\"")
            ->check(PrintRangeTimeValidator());
        command->add_flag("--with-readings", arguments->withReadings,
                          "list every reading on the following pages");
        AddUnitOption(*command, arguments->unit);
        command->callback([arguments, &status] { status = Report(*arguments); });
    }};

}  // namespace
}  // namespace veldrin::cli
