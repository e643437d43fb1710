#pragma once
// The dew point of a temperature-humidity history: a channel computed from each reading's
// temperature and relative humidity, shown beside the recorded ones and marked as computed. It is
// never stored: the data file and the logger know only the two recorded channels.
#include <span>
#include <string>
#include <vector>

#include "history/HistoryDataSet.h"
#include "translations/Translation.h"

namespace veldrin {

// The name of the computed channel wherever it is shown, in the language of the run.
inline constexpr const char* kDewPointName = QT_TRANSLATE_NOOP("veldrin::DewPoint", "露点(计算)");
std::string DewPointName();

// The Magnus formula's constants over water, good to about ±0.35 °C from −45 to 60 °C.
inline constexpr double kMagnusA = 17.62;
inline constexpr double kMagnusB = 243.12;  // °C

// The dew point in °C of air at `celsius` and `relativeHumidity` %:
//     γ = ln(RH / 100) + a·T / (b + T),   Td = b·γ / (a − γ).
// A humidity below 1 % (a dry or faulty sensor reads 0, where the logarithm has no value) is
// taken as 1 %, one above 100 % as 100 %.
double DewPoint(double celsius, double relativeHumidity);

// Whether the history has a dew point: one recorded by a temperature-humidity logger, showing
// both channels.
bool HasDewPoint(const HistoryDataSet& history);

// The dew point of every sample of the history; empty when it has none.
std::vector<float> DewPoints(const HistoryDataSet& history);

}  // namespace veldrin
