#pragma once
// Histories the archive tests of every program import and compare: readings with limits and a
// chosen number of excursions, in memory or saved as data files.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "files/DataFile.h"
#include "history/HistoryDataSet.h"
#include "logger/LoggerModel.h"

namespace veldrin::test {

// A history of `count` readings `interval` seconds apart from `start`, with limits 2…8 °C (the
// alarm on) and readings that leave them `excursions` times.
inline HistoryDataSet HistoryFor(LoggerModel model, const std::string& title, std::time_t start, int count,
                                 int excursions, int interval = 60) {
    HistoryDataSet set;
    set.model = model;
    const bool two = Traits(model).channelCount == 2;
    set.shown = {true, two};
    for (int i = 0; i < count; ++i) {
        const float value = i < excursions ? 9.5F : 4.0F + static_cast<float>(i % 5) * 0.25F;
        set.samples.SetHistorySample(i, value, two ? 50.0F + static_cast<float>(i % 3) : 0.0F,
                                     start + static_cast<std::time_t>(i) * interval);
    }
    HistorySummary& s = set.summary;
    s.title = title;
    s.description = "aisle " + std::to_string(count);
    s.source = SummarySource::Download;
    s.start = start;
    s.stop = start + static_cast<std::time_t>(count - 1) * interval;
    s.intervalSeconds = interval;
    s.dataLengthValue = two ? 2 * count : count;
    s.min1 = 4.0F;
    s.max1 = excursions > 0 ? 9.5F : 5.0F;
    s.avg1 = 4.5F;
    if (two) {
        s.min2 = 50.0F;
        s.max2 = 52.0F;
        s.avg2 = 51.0F;
    }
    set.limits = {2, 8, 20, 80, 1};
    return set;
}

// The history HistoryFor makes, saved as a data file.
inline std::string WriteDataFileFor(const std::string& path, LoggerModel model, const std::string& title,
                                    std::time_t start, int count, int excursions, int interval = 60) {
    const HistoryDataSet set = HistoryFor(model, title, start, count, excursions, interval);
    const Status written = WriteDataFile(path, set);
    EXPECT_TRUE(written.ok) << path << ": " << written.reason;
    return path;
}

}  // namespace veldrin::test
