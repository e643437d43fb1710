#include "cli/StatisticsJson.h"

#include <cmath>

#include "files/IsoTime.h"

namespace veldrin::cli {
namespace {

using Json = nlohmann::ordered_json;

// Readings carry hundredths; derived figures keep four decimals.
double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

Json ExtremeJson(const Extreme& extreme) {
    return Json{{"value", Rounded(extreme.value, 2)},
                {"index", extreme.index},
                {"time", FormatIsoTime(extreme.time)}};
}

Json ExcursionJson(const Excursion& run) {
    return Json{{"start", FormatIsoTime(run.start)}, {"end", FormatIsoTime(run.end)},
                {"firstIndex", run.firstIndex},      {"lastIndex", run.lastIndex},
                {"readings", run.Readings()},        {"seconds", run.seconds},
                {"extreme", Rounded(run.extreme, 2)}};
}

Json LimitJson(const LimitStatistics& limit) {
    Json list = Json::array();
    for (const Excursion& run : limit.excursions)
        list.push_back(ExcursionJson(run));
    const Excursion* longest = limit.Longest();
    const Excursion* first = limit.First();
    return Json{{"limit", Rounded(limit.limit, 2)},
                {"count", limit.Count()},
                {"readingsBeyond", limit.readingsBeyond},
                {"secondsBeyond", limit.secondsBeyond},
                {"longest", longest != nullptr ? ExcursionJson(*longest) : Json(nullptr)},
                {"firstStart", first != nullptr ? Json(FormatIsoTime(first->start)) : Json(nullptr)},
                {"excursions", list}};
}

Json ChannelJson(const ChannelStatistics& channel) {
    Json json{
        {"channel", channel.channel},
        {"name", channel.name},
        {"unit", channel.unit},
        {"temperature", channel.temperature},
        {"readings", channel.readings},
        {"min", ExtremeJson(channel.minimum)},
        {"max", ExtremeJson(channel.maximum)},
        {"average", Rounded(channel.average, 4)},
        {"standardDeviation", Rounded(channel.standardDeviation, 4)},
        {"meanKineticTemperature",
         channel.meanKineticTemperature ? Json(Rounded(*channel.meanKineticTemperature, 4)) : Json(nullptr)}};
    if (channel.alarmOn) {
        json["lower"] = LimitJson(channel.below);
        json["upper"] = LimitJson(channel.above);
    }
    return json;
}

}  // namespace

nlohmann::ordered_json StatisticsJson(const HistoryStatistics& statistics) {
    const RecordingPeriod& period = statistics.period;
    Json json;
    if (period.readings > 0) {
        json["period"] =
            Json{{"first", FormatIsoTime(period.first)},      {"last", FormatIsoTime(period.last)},
                 {"spanSeconds", period.spanSeconds},         {"recordedSeconds", period.recordedSeconds},
                 {"intervalSeconds", period.intervalSeconds}, {"readings", period.readings}};
    } else {
        json["period"] = Json{{"readings", 0}};
    }
    json["alarm"] = statistics.alarmOn;
    json["excursions"] = statistics.ExcursionCount();
    json["secondsBeyond"] = statistics.SecondsBeyond();
    Json channels = Json::array();
    for (const ChannelStatistics& channel : statistics.channels)
        channels.push_back(ChannelJson(channel));
    json["channels"] = channels;
    return json;
}

}  // namespace veldrin::cli
