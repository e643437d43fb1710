// veldrin-cli dump FILE.Vdr: the samples of a data file as CSV, one line per sample:
// index,time,value1[,value2] (no value2 for a single-temperature file), temperatures in --unit.
#include <memory>

#include "cli/CommandRegistry.h"
#include "cli/FileCommandSupport.h"
#include "files/DataFileFields.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

std::string SamplesAsCsv(const HistoryDataSet& history, TemperatureUnit unit) {
    const SampleSeries& samples = history.samples;
    bool two = Traits(history.model).channelCount == 2;
    const TemperatureUnit unit2 = Traits(history.model).channel2IsHumidity ? TemperatureUnit::Celsius : unit;
    std::string csv;
    csv.reserve(static_cast<std::size_t>(samples.Count()) * 48);
    for (int i = 0; i < samples.Count(); ++i) {
        csv += std::to_string(i);
        csv += ',';
        csv += FormatTime(samples.Time(i), TimeStyle::ZeroPadded);
        csv += ',';
        AppendFixed2(csv, static_cast<float>(TemperatureInUnit(samples.Value1(i), unit)));
        if (two) {
            csv += ',';
            AppendFixed2(csv, static_cast<float>(TemperatureInUnit(samples.Value2(i), unit2)));
        }
        csv += '\n';
    }
    return csv;
}

int Dump(const std::string& path, TemperatureUnit unit) {
    auto load = LoadForCommand(path);
    if (!load)
        return kFileFailureStatus;
    return PrintProduct(SamplesAsCsv(*load->dataSet, unit), "dump",
                        QT_TRANSLATE_NOOP("veldrin-cli", "the samples"));
}

const CommandRegistration kRegistration{
    "dump", [](CLI::App& app, int& status) {
        auto path = std::make_shared<std::string>();
        auto unit = std::make_shared<TemperatureUnit>(TemperatureUnit::Celsius);
        CLI::App* command = app.add_subcommand(
            "dump", "Print the samples of a .Vdr data file as CSV: index,time,value1[,value2]");
        command->add_option("file", *path, "the data file")->required();
        AddUnitOption(*command, *unit);
        command->callback([path, unit, &status] { status = Dump(*path, *unit); });
    }};

}  // namespace
}  // namespace veldrin::cli
