#pragma once
// Decoding of a history downloaded from the logger into the current history: samples with their
// times, statistics, shown channels and the summary record. Pure: the chart, the
// lists and the pages are refreshed from the result by the history presentation.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "history/HistoryDataSet.h"
#include "logger/LoggerInfo.h"

namespace veldrin {

struct DownloadIngestResult {
    int sampleCount = 0;     // samples decoded (0 … 100000)
    bool stored = false;     // false: not one whole sample, the history was left as it was
    bool listed = false;     // a channel is shown: lists and summary are to be refreshed
    int recordedAmount = 0;  // stored values: samples, times two for the two-channel models
};

// The part of the downloaded bytes that holds samples: after the "F501" marker (searched in the
// hex text of the first 200 bytes) and the four bytes behind it, or after the first five bytes
// when there is no marker; without the last two bytes.
std::span<const std::uint8_t> DownloadPayload(std::span<const std::uint8_t> raw);

// Decodes `raw` for `model` and replaces the samples, shown flags, limits and summary of
// `history`. Start time, interval, limits, title and description come from `info`.
DownloadIngestResult IngestDownloadedHistory(std::span<const std::uint8_t> raw, LoggerModel model,
                                             std::array<bool, 2> shown, const LoggerInfo& info,
                                             HistoryDataSet& history);

}  // namespace veldrin
