#include "history/HistoryDataSet.h"

namespace veldrin {

void HistoryDataSet::Reset() {
    model = LoggerModel::SingleTemperature;
    fileKind = 0;
    shown = {true, false};
    summary = HistorySummary{};
    limits = HistoryLimits{};
    samples.Reset();
    expectedReadings = 0;
}

LoggerModel RecordedModel(const HistoryDataSet& history) {
    return ModelFromFileKind(history.fileKind).value_or(history.model);
}

bool ChannelHasValues(const HistoryDataSet& history, int channel) {
    if (channel == 1)
        return history.shown[0];
    return history.shown[1] && HasSecondChannel(RecordedModel(history));
}

}  // namespace veldrin
