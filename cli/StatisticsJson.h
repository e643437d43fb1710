#pragma once
// The statistics of a history as JSON for scripts: numbers as numbers, times as ISO 8601 text.
#include <nlohmann/json.hpp>

#include "history/HistoryStatistics.h"

namespace veldrin::cli {

nlohmann::ordered_json StatisticsJson(const HistoryStatistics& statistics);

}  // namespace veldrin::cli
