#pragma once
// The report of a history written as a PDF file: A4 portrait, fonts embedded.
#include <ctime>
#include <optional>
#include <string>

#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

struct ReportOptions {
    std::optional<std::time_t> from;  // the first reading when not given
    std::optional<std::time_t> to;    // the last reading when not given
    bool withReadings = false;
    std::time_t generated = std::time(nullptr);
    std::string archiveMark = {};  // an archived history's entry and hash, in the footer; else empty
    TemperatureUnit unit = TemperatureUnit::Celsius;  // of every temperature the report shows
};

enum class ReportStatus { Written, EmptyHistory, NoReadingsInRange, CannotWrite };

struct ReportResult {
    ReportStatus status = ReportStatus::Written;
    int pages = 0;
    std::string message;  // what went wrong, empty when written
};

// Writes the report of the readings between `options.from` and `options.to` to `path`; an
// existing file is replaced only when the whole report was written. Needs a QGuiApplication.
ReportResult ExportReportPdf(const HistoryDataSet& history, const ReportOptions& options,
                             const std::string& path);

}  // namespace veldrin
