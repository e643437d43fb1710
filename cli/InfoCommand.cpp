// veldrin-cli info FILE.Vdr [--stats]: the header of a data file as one JSON object; --stats adds
// the statistics of its readings (extremes with their times, MKT, excursions, period).
#include <cstdio>
#include <memory>

#include <nlohmann/json.hpp>

#include "cli/CommandRegistry.h"
#include "cli/FileCommandSupport.h"
#include "cli/StatisticsJson.h"
#include "logger/Gbk.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

// The stop time is stored as six numbers and never made into a calendar time.
std::string StopText(const std::array<int, 6>& f) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f[0], f[1], f[2], f[3], f[4], f[5]);
    return text;
}

nlohmann::ordered_json Describe(const DataFileLoad& load) {
    const DataFileHeader& h = load.header;
    nlohmann::ordered_json info;
    info["kind"] = h.kind;
    info["model"] = std::string(Traits(h.model).shortName);
    info["title"] = FromGbk(h.title);
    info["description"] = FromGbk(h.description);
    info["start"] = FormatTime(h.start, TimeStyle::ZeroPadded);
    info["stop"] = StopText(h.stopFields);
    info["interval"] = h.interval;
    info["valueCount"] = h.valueCount;
    info["samples"] = load.dataSet->samples.Count();
    info["channels"] = {h.channelEnabled[0], h.channelEnabled[1]};
    static constexpr const char* kStatisticNames[] = {"min1", "max1", "avg1", "min2", "max2", "avg2"};
    nlohmann::ordered_json statistics = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < 6; ++i)
        statistics[kStatisticNames[i]] = h.statisticTexts[i];
    info["statistics"] = statistics;
    info["alarm"] = h.alarm;
    info["limits"] = {h.limits[0], h.limits[1], h.limits[2], h.limits[3]};
    return info;
}

int Info(const std::string& path, bool withStatistics, TemperatureUnit unit) {
    auto load = LoadForCommand(path);
    if (!load)
        return kFileFailureStatus;
    nlohmann::ordered_json info = Describe(*load);
    if (withStatistics)
        info["stats"] = StatisticsJson(StatisticsInUnit(ComputeStatistics(*load->dataSet), unit));
    const std::string json =
        info.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    return PrintProduct(json, "info", QT_TRANSLATE_NOOP("veldrin-cli", "the header"));
}

const CommandRegistration kRegistration{
    "info", [](CLI::App& app, int& status) {
        auto path = std::make_shared<std::string>();
        auto withStatistics = std::make_shared<bool>(false);
        auto unit = std::make_shared<TemperatureUnit>(TemperatureUnit::Celsius);
        CLI::App* command = app.add_subcommand("info", "Print the header of a .Vdr data file as JSON");
        command->add_option("file", *path, "the data file")->required();
        command->add_flag("--stats", *withStatistics,
                          "add the statistics of the readings: extremes, "
                          "MKT, excursions, period");
        AddUnitOption(*command, *unit);
        command->callback(
            [path, withStatistics, unit, &status] { status = Info(*path, *withStatistics, *unit); });
    }};

}  // namespace
}  // namespace veldrin::cli
