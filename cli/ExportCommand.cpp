// veldrin-cli export FILE.Vdr OUT: writes a data file's history to OUT with the writer of OUT's
// extension.
#include <cstdio>
#include <memory>

#include "cli/ArchiveSupport.h"
#include "cli/CommandRegistry.h"
#include "cli/CsvExporter.h"
#include "cli/FileCommandSupport.h"
#include "cli/PdfExporter.h"
#include "files/DataFile.h"
#include "files/DataFileCommands.h"
#include "fleet/ExportRegistry.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

// Status when OUT names a format no writer knows.
constexpr int kUnknownFormatStatus = 2;

int Export(const std::string& input, const std::string& output, TemperatureUnit unit) {
    const fleet::Exporter* exporter = fleet::ExporterRegistry::Instance().ForPath(output);
    if (exporter == nullptr) {
        std::fprintf(stderr, text::translate("veldrin-cli", "export: no writer for %s; known: %s\n").c_str(),
                     output.c_str(), fleet::ExporterRegistry::Instance().Describe().c_str());
        return kUnknownFormatStatus;
    }
    auto load = LoadForCommand(input);
    if (!load)
        return kFileFailureStatus;
    Status result = (*exporter)(*load->dataSet, output, unit);
    if (!result) {
        std::fprintf(stderr, "%s %s: %s\n", FileText(kSaveErrorText).c_str(), output.c_str(),
                     result.reason.c_str());
        return kFileFailureStatus;
    }
    const bool recorded =
        RecordEvent(archive::EventKind::Export, archive::ExportDetail(ExtensionAfterLastDot(output), output),
                    load->dataSet->summary.title, std::nullopt, "export");
    return recorded ? 0 : kArchiveFailureStatus;
}

const CommandRegistration kRegistration{
    "export", [](CLI::App& app, int& status) {
        auto input = std::make_shared<std::string>();
        auto output = std::make_shared<std::string>();
        auto unit = std::make_shared<TemperatureUnit>(TemperatureUnit::Celsius);
        CLI::App* command = app.add_subcommand(
            "export", "Write the history of a .Vdr data file to OUT, in the format of OUT's extension");
        command->add_option("file", *input, "the data file")->required();
        command->add_option("out", *output, "the file to write: .Vdr, .txt, or another registered format")
            ->required();
        AddPdfExportOptions(*command);
        AddCsvExportOptions(*command);
        AddUnitOption(*command, *unit);
        AddArchiveOption(*command);
        command->callback([input, output, unit, &status] { status = Export(*input, *output, *unit); });
    }};

}  // namespace
}  // namespace veldrin::cli
