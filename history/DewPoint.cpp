#include "history/DewPoint.h"

#include <algorithm>
#include <cmath>

namespace veldrin {

std::string DewPointName() {
    return text::translate("veldrin::DewPoint", kDewPointName);
}

double DewPoint(double celsius, double relativeHumidity) {
    const double humidity = std::clamp(relativeHumidity, 1.0, 100.0);
    const double gamma = std::log(humidity / 100.0) + kMagnusA * celsius / (kMagnusB + celsius);
    return kMagnusB * gamma / (kMagnusA - gamma);
}

bool HasDewPoint(const HistoryDataSet& history) {
    return RecordedModel(history) == LoggerModel::TemperatureHumidity && history.shown[0] && history.shown[1];
}

std::vector<float> DewPoints(const HistoryDataSet& history) {
    std::vector<float> points;
    if (!HasDewPoint(history))
        return points;
    const SampleSeries& samples = history.samples;
    points.reserve(static_cast<std::size_t>(samples.Count()));
    for (int i = 0; i < samples.Count(); ++i)
        points.push_back(static_cast<float>(DewPoint(samples.Value1(i), samples.Value2(i))));
    return points;
}

}  // namespace veldrin
