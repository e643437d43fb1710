#include "logger/HistoryDataSet.h"

namespace veldrin {

void HistoryDataSet::Reset() {
    model = LoggerModel::SingleTemperature;
    fileKind = 0;
    shown = {true, false};
    summary = HistorySummary{};
    limits = HistoryLimits{};
    samples.Reset();
}

LoggerModel RecordedModel(const HistoryDataSet& history) {
    return ModelFromFileKind(history.fileKind).value_or(history.model);
}

}  // namespace veldrin
